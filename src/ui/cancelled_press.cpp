#include "ui/cancelled_press.h"

#include <QCoreApplication>
#include <QTimer>

namespace corvandel {

namespace {

bool is_press(const QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::ContextMenu:
            return true;
        default:
            return false;
    }
}

}  // namespace

// The press reaches the application's filters before the target's own; the watch ends with the
// click's release or when the event loop next turns, whichever comes first.
void CancelledPress::cancel_press_into(QWidget* target) {
    target_ = target;
    QCoreApplication::instance()->installEventFilter(this);
    QTimer::singleShot(0, this, &CancelledPress::stop);
}

void CancelledPress::stop() {
    QCoreApplication::instance()->removeEventFilter(this);
    target_ = nullptr;
}

bool CancelledPress::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        // The click is over; the next one is the seller's own.
        stop();
        return false;
    }
    if (target_ == nullptr || !is_press(event)) {
        return false;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    return widget == target_ || target_->isAncestorOf(widget);
}

}  // namespace corvandel
