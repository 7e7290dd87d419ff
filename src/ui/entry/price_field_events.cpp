#include "ui/entry/price_field_events.h"

#include <QApplication>
#include <QFocusEvent>
#include <QScopedValueRollback>

#include "input/price_fields.h"

namespace corvandel {

namespace {

bool moves_within_window(Qt::FocusReason reason) {
    return reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
           reason == Qt::MouseFocusReason || reason == Qt::ShortcutFocusReason ||
           reason == Qt::OtherFocusReason;
}

}  // namespace

PriceFieldEvents::PriceFieldEvents(Form& form, const ControlWidgets& widgets, QWidget* window)
    : form_(form), window_(window) {
    for (const Control field : price_fields) {
        QWidget* edit = widgets[index(field)];
        fields_.insert(edit, field);
        edit->installEventFilter(this);
    }
}

bool PriceFieldEvents::focused_entry_accepted() {
    const auto field = fields_.constFind(window_->focusWidget());
    return field == fields_.cend() || !entry_refused(*field);
}

void PriceFieldEvents::watch_menu_bar(QWidget* menu_bar) {
    menu_bar_ = menu_bar;
    menu_bar->installEventFilter(this);
}

bool PriceFieldEvents::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::FocusIn && type != QEvent::FocusOut && type != QEvent::MouseButtonRelease) {
        return false;
    }
    if (watched == menu_bar_) {
        if (type == QEvent::FocusOut) {
            menu_bar_left(static_cast<QFocusEvent*>(event)->reason());
        }
        return false;
    }
    const auto field = fields_.constFind(watched);
    if (field == fields_.cend()) {
        return false;
    }
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (type == QEvent::FocusIn) {
        entered(*field, edit, static_cast<QFocusEvent*>(event)->reason());
    } else if (type == QEvent::FocusOut) {
        // A field that has the focus back keeps its caret and selection, so the departure that
        // was undone must not reach it.
        return left(*field, edit, static_cast<QFocusEvent*>(event)->reason());
    } else {
        released(*field, edit);
    }
    return false;
}

void PriceFieldEvents::entered(Control field, QLineEdit* edit, Qt::FocusReason reason) {
    left_for_menu_bar_.reset();
    if (!moves_within_window(reason)) {
        return;
    }
    price_field_GotFocus(form_, field);
    // The press that brought the focus goes on to place the caret; the selection is made again
    // when the button comes up, unless the seller dragged over part of the text meanwhile.
    clicked_into_ = reason == Qt::MouseFocusReason ? edit : nullptr;
}

void PriceFieldEvents::released(Control field, QLineEdit* edit) {
    if (clicked_into_ == edit && !edit->hasSelectedText()) {
        price_field_GotFocus(form_, field);
    }
    clicked_into_ = nullptr;
}

bool PriceFieldEvents::left(Control field, QLineEdit* edit, Qt::FocusReason reason) {
    QWidget* next = QApplication::focusWidget();
    if (reason == Qt::MenuBarFocusReason && next == menu_bar_) {
        left_for_menu_bar_ = field;
        // The field keeps its selection while the menu bar has the keyboard, as it does while
        // another window has it: the next key typed after Escape replaces the text as it would
        // have before Alt. The toolkit drops the selection on every other reason.
        QFocusEvent as_for_another_window(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
        QCoreApplication::sendEvent(edit, &as_for_another_window);
        return true;
    }
    if (testing_ || !moves_within_window(reason) || next == nullptr ||
        !window_->isAncestorOf(next)) {
        return false;
    }
    const bool focus_back = entry_refused(field) && window_->focusWidget() == edit;
    if (focus_back && reason == Qt::MouseFocusReason) {
        cancelled_press_.cancel_press_into(next);
    }
    return focus_back;
}

// The field is left as if directly for the control the menu bar hands the focus on to, by a
// click or by a command: a refused entry brings its warning and the focus back, and the click
// does nothing more. Given back to the field itself, by Escape, the focus leaves nothing.
void PriceFieldEvents::menu_bar_left(Qt::FocusReason reason) {
    QWidget* next = QApplication::focusWidget();
    if (!left_for_menu_bar_ || testing_ || !moves_within_window(reason) || next == nullptr ||
        !window_->isAncestorOf(next)) {
        return;
    }
    const Control field = *left_for_menu_bar_;
    left_for_menu_bar_.reset();
    if (const auto into = fields_.constFind(next); into != fields_.cend() && *into == field) {
        return;
    }
    if (entry_refused(field) && reason == Qt::MouseFocusReason) {
        cancelled_press_.cancel_press_into(next);
    }
}

bool PriceFieldEvents::entry_refused(Control field) {
    const QScopedValueRollback<bool> testing(testing_, true);
    return price_field_LostFocus(form_, field);
}

}  // namespace corvandel
