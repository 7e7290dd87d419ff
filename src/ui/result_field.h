#pragma once

#include <QEvent>
#include <QFont>
#include <QLineEdit>
#include <QResizeEvent>
#include <QString>
#include <QWidget>

namespace corvandel {

// A read-only result: disabled for good (greyed, never focused, deaf to the mouse and the
// keyboard), so that only the program writes what it shows.
//
// A disabled line edit cannot be scrolled, and writing leaves the caret at the end, so a text
// wider than the field would show only its tail: a loss without its minus sign reads as a
// profit. The field therefore shows every text whole, from its first character, in its own
// font or, when that is too wide, in the largest smaller one in which the text fits. Its
// greyed text is darkened until it can be read against the field.
class ResultField final : public QLineEdit {
  public:
    explicit ResultField(QWidget* parent);

  protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void fit_text();
    // The width a text in this font may take without being scrolled, in pixels.
    qreal room(const QFont& font) const;
    bool fits(const QString& text, const QFont& font) const;
    void show_in(const QFont& font);

    // The font the field shows short texts in.
    QFont own_font_;
    // Texts of at most this many characters fit in the field's own font; negative when it has
    // to be measured again.
    qsizetype always_fits_ = -1;
    bool shrunk_ = false;
    bool changing_font_ = false;
};

}  // namespace corvandel
