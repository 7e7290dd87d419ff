#include "ui/entry/warning_box.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMetaObject>
#include <QObject>
#include <QScopedValueRollback>
#include <QShortcut>
#include <QShortcutEvent>

namespace corvandel {

namespace {

// Hands the box every key meant for another window while it exists. The window system goes on
// delivering keys to the window until the box has the keyboard; the blocked window drops them,
// but only after its shortcuts, Enter among them, were tried. Such a key is taken where it
// would reach the window (its shortcut override) or one of its shortcuts.
class KeysToTheBox final : public QObject {
  public:
    explicit KeysToTheBox(QMessageBox* box) : box_(box) {
        QCoreApplication::instance()->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Shortcut) {
            const auto* owner = qobject_cast<const QWidget*>(watched->parent());
            if (qobject_cast<QShortcut*>(watched) == nullptr || owner == nullptr ||
                owner->window() == box_) {
                return false;
            }
            // Once the shortcut is dispatched: while it is, a key sent on is taken for the next
            // key of a sequence.
            const QKeyCombination key = static_cast<QShortcutEvent*>(event)->key()[0];
            QMetaObject::invokeMethod(
                this, [this, key] { hand_over(key.key(), key.keyboardModifiers(), {}, false); },
                Qt::QueuedConnection);
            return true;
        }
        if (event->type() != QEvent::ShortcutOverride) {
            return false;
        }
        // A key handed over tries the shortcuts again, which may still see the window's focus
        // while the box is opening: none of them may take it.
        if (handing_over_) {
            event->accept();
            return true;
        }
        const auto* aimed_at = qobject_cast<const QWidget*>(watched);
        if (aimed_at == nullptr || aimed_at->window() == box_) {
            return false;
        }
        event->accept();
        const auto* key = static_cast<const QKeyEvent*>(event);
        hand_over(key->key(), key->modifiers(), key->text(), key->isAutoRepeat());
        return true;
    }

  private:
    // The release goes to the window the key was meant for, which drops it: the box gets the
    // whole key now.
    void hand_over(int key, Qt::KeyboardModifiers held, const QString& text, bool repeated) {
        const QScopedValueRollback<bool> handing_over(handing_over_, true);
        QWidget* receiver = box_->focusWidget() != nullptr ? box_->focusWidget() : box_;
        for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent passed(type, key, held, text, repeated);
            QCoreApplication::sendEvent(receiver, &passed);
        }
    }

    QMessageBox* box_;
    bool handing_over_ = false;
};

}  // namespace

void show_warning_box(QWidget* subject, const QString& title, const QString& message) {
    QWidget* window = subject != nullptr ? subject->window() : nullptr;
    QMessageBox box(QMessageBox::Warning, title, message, QMessageBox::Ok, window);
    if (subject != window && !subject->accessibleName().isEmpty()) {
        box.setAccessibleName(QStringLiteral("%1: %2").arg(title, subject->accessibleName()));
    }
    {
        const KeysToTheBox keys(&box);
        box.exec();
    }
    // The handler that showed the box goes on moving the focus between the window's controls,
    // and those moves must enter and leave fields as they would in an active window: entering
    // selects the field's text, leaving tests it. The window system reactivates the window only
    // after the handler has returned, so the toolkit is told now.
    //
    // Qt 6.4 has no other way to do it. Qt 6.5 deprecates this call in favour of
    // QWidget::activateWindow(), which only asks the window system and returns before the window
    // is active: with it, the field a warning sends the focus back to loses its selection, on the
    // offscreen platform and under X alike. Deprecated calls stay through Qt 6, so the warning is
    // silenced for 6.5 and later; a port to Qt 7 must find the window active by other means.
    if (window != nullptr) {
        QT_WARNING_PUSH
        QT_WARNING_DISABLE_DEPRECATED
        QApplication::setActiveWindow(window);
        QT_WARNING_POP
    }
}

}  // namespace corvandel
