#include "ui/price_field_events.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QTimer>

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
    : QObject(window), form_(form), widgets_(widgets), window_(window) {
    for (const PriceField& rule : price_field_rules) {
        widgets_[index(rule.field)]->installEventFilter(this);
    }
}

bool PriceFieldEvents::eventFilter(QObject* watched, QEvent* event) {
    if (is_cancelled_press(watched, event)) {
        stop_cancelling();
        return true;
    }
    for (const PriceField& rule : price_field_rules) {
        if (widgets_[index(rule.field)] != watched) {
            continue;
        }
        switch (event->type()) {
            case QEvent::FocusIn:
                entered(rule.field, static_cast<QFocusEvent*>(event)->reason());
                break;
            case QEvent::FocusOut:
                // A field that has the focus back keeps its caret and selection, so the
                // departure that was undone must not reach it.
                return left(rule.field, static_cast<QFocusEvent*>(event)->reason());
            case QEvent::MouseButtonRelease:
                released(rule.field);
                break;
            default:
                break;
        }
        break;
    }
    return false;
}

void PriceFieldEvents::entered(Control field, Qt::FocusReason reason) {
    if (!moves_within_window(reason)) {
        return;
    }
    price_field_GotFocus(form_, field);
    // The press that brought the focus goes on to place the caret; the selection is made again
    // when the button comes up, unless the seller dragged over part of the text meanwhile.
    clicked_into_ = reason == Qt::MouseFocusReason ? widgets_[index(field)] : nullptr;
}

void PriceFieldEvents::released(Control field) {
    auto* edit = qobject_cast<QLineEdit*>(widgets_[index(field)]);
    if (clicked_into_ == edit && !edit->hasSelectedText()) {
        price_field_GotFocus(form_, field);
    }
    clicked_into_ = nullptr;
}

bool PriceFieldEvents::left(Control field, Qt::FocusReason reason) {
    const QWidget* next = QApplication::focusWidget();
    if (leaving_ || !moves_within_window(reason) || next == nullptr ||
        !window_->isAncestorOf(next)) {
        return false;
    }
    leaving_ = true;
    const bool rejected = price_field_LostFocus(form_, field);
    leaving_ = false;
    const bool focus_back = rejected && window_->focusWidget() == widgets_[index(field)];
    if (focus_back && reason == Qt::MouseFocusReason) {
        cancel_press_into(const_cast<QWidget*>(next));
    }
    return focus_back;
}

// The press is delivered right after the focus move it caused, within the same event; the
// watch ends with that event either way.
void PriceFieldEvents::cancel_press_into(QWidget* target) {
    cancelled_press_target_ = target;
    qApp->installEventFilter(this);
    QTimer::singleShot(0, this, &PriceFieldEvents::stop_cancelling);
}

void PriceFieldEvents::stop_cancelling() {
    qApp->removeEventFilter(this);
    cancelled_press_target_ = nullptr;
}

bool PriceFieldEvents::is_cancelled_press(QObject* watched, const QEvent* event) const {
    if (cancelled_press_target_ == nullptr || (event->type() != QEvent::MouseButtonPress &&
                                               event->type() != QEvent::MouseButtonDblClick)) {
        return false;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    return widget == cancelled_press_target_ || cancelled_press_target_->isAncestorOf(widget);
}

}  // namespace corvandel
