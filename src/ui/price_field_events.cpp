#include "ui/price_field_events.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>

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
    return rejected && QApplication::focusWidget() == widgets_[index(field)];
}

}  // namespace corvandel
