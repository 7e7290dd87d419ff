#pragma once

#include <QMenuBar>
#include <QPaintEvent>
#include <QWidget>

namespace corvandel {

// The main window's menu bar, for the keyboard as desktops have it: Alt alone or F10 gives it
// the keyboard; then the arrows move between the titles, Enter, Space or Down opens a menu and
// Escape gives the keyboard back to the control that had it. While it has the keyboard, its
// current title is drawn highlighted, as the title of an open menu is, so that the seller sees
// where the next key will act.
class KeyboardMenuBar final : public QMenuBar {
    Q_OBJECT

  public:
    explicit KeyboardMenuBar(QWidget* window);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void take_keyboard();
};

}  // namespace corvandel
