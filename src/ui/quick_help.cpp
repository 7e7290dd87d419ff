#include "ui/quick_help.h"

#include <QMouseEvent>
#include <QWindow>

#include <algorithm>
#include <iterator>

#include "ui/layout.h"
#include "ui/qt_values.h"
#include "ui/quick_help_texts.h"
#include "ui/text_within_label.h"

namespace corvandel {

QuickHelp::QuickHelp(QWidget* client_area, const ControlWidgets& controls, QObject* parent)
    : QObject(parent), client_area_(client_area), controls_(controls) {}

void QuickHelp::watch_window() {
    client_area_->window()->windowHandle()->installEventFilter(this);
}

bool QuickHelp::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove) {
        pointer_moved(static_cast<QMouseEvent*>(event)->position().toPoint());
    }
    return QObject::eventFilter(watched, event);
}

void QuickHelp::pointer_moved(QPoint in_window) {
    const QWidget* under = client_area_->window()->childAt(in_window);
    // Over the menu bar or a scroll bar, or beyond the window while a button is held down.
    if (under == nullptr || (under != client_area_ && !client_area_->isAncestorOf(under))) {
        return;
    }
    if (const std::optional<Control> control = control_under(under)) {
        control_MouseMove(*control);
    } else {
        Form_MouseMove();
    }
}

// Lines are transparent to the mouse, so they are never found under the pointer; a disabled
// control or a part of a Qt widget (the drop-down box's edit field) hands the move to its
// container. None means the window's own background.
std::optional<Control> QuickHelp::control_under(const QWidget* under) const {
    for (const QWidget* widget = under; widget != nullptr && widget != client_area_;
         widget = widget->parentWidget()) {
        if (!widget->isEnabled()) {
            continue;
        }
        if (const std::optional<Control> control = control_of(widget)) {
            return control;
        }
    }
    return std::nullopt;
}

std::optional<Control> QuickHelp::control_of(const QWidget* widget) const {
    const auto found = std::find(controls_.begin(), controls_.end(), widget);
    if (found == controls_.end()) {
        return std::nullopt;
    }
    return static_cast<Control>(std::distance(controls_.begin(), found));
}

void QuickHelp::Form_MouseMove() {
    write_help_line({});
}

// The handler of every price field, option tick box and frame; other controls have none.
void QuickHelp::control_MouseMove(Control control) {
    if (const std::optional<std::string_view> text = quick_help_text(control)) {
        write_help_line(*text);
    } else if (placement(control).kind == ControlKind::frame) {
        write_help_line({});
    }
}

// Every move over a control writes its text again; only a change is worth laying out.
void QuickHelp::write_help_line(std::string_view text) {
    auto* help_line = qobject_cast<QLabel*>(controls_[index(Control::lbl_help)]);
    const QString new_text = to_qstring(text);
    if (help_line->text() != new_text) {
        show_text_within_label(help_line, new_text);
    }
}

}  // namespace corvandel
