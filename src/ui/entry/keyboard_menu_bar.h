#pragma once

#include <QMenuBar>
#include <QPaintEvent>
#include <QStyle>
#include <QWidget>

#include <memory>

namespace corvandel {

// The main window's menu bar, for the keyboard as desktops have it: Alt alone or F10 gives it
// the keyboard; then the arrows move between the titles, Enter, Space or Down opens a menu and
// Escape gives the keyboard back to the control that had it. While it has the keyboard, its
// current title is drawn highlighted, as the title of an open menu is, so that the seller sees
// where the next key will act. It does so under every desktop style, also under one that keeps
// the menu bar from the Alt key (Adwaita's, as GNOME has it).
class KeyboardMenuBar final : public QMenuBar {
    Q_OBJECT

  public:
    explicit KeyboardMenuBar(QWidget* window);
    ~KeyboardMenuBar() override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void take_keyboard();

    // The application's style but for the Alt key, where the style keeps it from the menu bar.
    std::unique_ptr<QStyle> style_with_alt_key_;
};

}  // namespace corvandel
