#pragma once

#include <QEvent>
#include <QObject>
#include <QPoint>
#include <QWidget>

#include <optional>
#include <string_view>

#include "form/control.h"
#include "ui/window/control_widgets.h"

namespace corvandel {

// The sentence the help line shows while the pointer is over a price field or an option tick
// box; none for any other control.
std::optional<std::string_view> quick_help_text(Control control);

// The help line that follows the mouse. Each move over the client area goes to the control
// under the pointer, as the window's own mouse-move handlers would receive it: a disabled
// control passes it to its container, and a line to what lies beneath. A price field or an
// option tick box writes its sentence into `lbl_help`; a frame or the window's background
// empties the line; every other control, the menu bar and the world outside the client area
// leave it as it is.
class QuickHelp final : public QObject {
    Q_OBJECT

  public:
    // `controls` must outlive this.
    QuickHelp(QWidget* client_area, const ControlWidgets& controls, QObject* parent = nullptr);

    // Watches the top-level window that holds the client area, once it has its native window,
    // until this goes.
    void watch_window();

  protected:
    // Qt hands a move to the widget under the pointer only in some cases (a disabled tick box
    // swallows it, a label passes it on), so every move is taken where it enters the window.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void pointer_moved(QPoint in_window);
    std::optional<Control> control_under(const QWidget* under) const;
    std::optional<Control> control_of(const QWidget* widget) const;

    void Form_MouseMove();
    void control_MouseMove(Control control);
    void write_help_line(std::string_view text);

    QWidget* client_area_;
    const ControlWidgets& controls_;
};

}  // namespace corvandel
