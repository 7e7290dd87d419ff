#pragma once

#include <QEvent>
#include <QFont>
#include <QLineEdit>
#include <QPaintEvent>
#include <QResizeEvent>
#include <QString>
#include <QWidget>

namespace corvandel {

// A read-only result: disabled for good (greyed, never focused, deaf to the mouse and the
// keyboard), so that only the program writes what it shows, and read-only, as a screen reader
// says it is.
//
// A disabled line edit cannot be scrolled, and writing leaves the caret at the end, so a text
// wider than the field would show only its tail: a loss without its minus sign reads as a
// profit. The field therefore draws its text itself, from its first character: in its own font;
// else in its own size with the characters closed up a little; else in the largest smaller size
// that holds it, never under 8 pixels at 100 % (6 points); and where even that is too wide,
// elided in the middle, keeping the sign, the first digits and the cents, and the whole text shows
// on hover. Its text, and so what the program reads back and a screen reader speaks, stays whole.
// The greyed text is darkened until it can be read against the field.
class ResultField final : public QLineEdit {
    Q_OBJECT

  public:
    explicit ResultField(QWidget* parent);

    // What the field draws, and in which font.
    const QString& shown_text() const { return shown_text_; }
    const QFont& shown_font() const { return shown_font_; }

  protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void fit_text();
    // Where the text is drawn: inside the style's frame, a pixel clear of it on either side.
    QRect text_area() const;
    void set_shown(const QString& text, const QFont& font);

    QString shown_text_;
    QFont shown_font_;
    // Texts of at most this many characters fit in the field's own font; negative when it has
    // to be measured again.
    qsizetype always_fits_ = -1;
};

}  // namespace corvandel
