#include "ui/entry/cancelled_press.h"

#include <QCoreApplication>
#include <QGuiApplication>
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

// The press reaches the application's filters before the target's own, right after the focus
// has moved and within the same event: once the event loop turns, any later press is another
// click. The watch ends with the click's release, or with the next click: the release may reach
// no control at all, having come while the warning box was open or after it had taken the button
// from the window. With no button held when the event loop turns, the release has come.
void CancelledPress::cancel_press_into(QWidget* target) {
    target_ = target;
    awaiting_press_ = true;
    QCoreApplication::instance()->installEventFilter(this);
    QTimer::singleShot(0, this, [this] {
        awaiting_press_ = false;
        if (QGuiApplication::mouseButtons() == Qt::NoButton) {
            stop();
        }
    });
}

void CancelledPress::stop() {
    QCoreApplication::instance()->removeEventFilter(this);
    target_ = nullptr;
}

bool CancelledPress::eventFilter(QObject* watched, QEvent* event) {
    if (target_ == nullptr) {
        return false;
    }
    // The window sees each mouse event before it passes it on to the widget it is for.
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr) {
        return false;
    }
    const bool aimed = widget == target_ || target_->isAncestorOf(widget);
    if (event->type() == QEvent::MouseButtonRelease) {
        // The click is over, and its release goes nowhere either: a middle button's would
        // paste the desktop's selection into another field. The next click is the seller's own.
        stop();
        return aimed;
    }
    if (is_press(event) && !awaiting_press_) {
        stop();
        return false;
    }
    return aimed && is_press(event);
}

}  // namespace corvandel
