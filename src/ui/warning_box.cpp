#include "ui/warning_box.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QObject>
#include <QScopedValueRollback>

namespace corvandel {

namespace {

// Hands the box every key pressed elsewhere in the program while it exists. The window it
// blocks would drop the key, but only after the window's shortcuts, Enter among them, were
// tried: the shortcut override that comes first is where the key is taken.
class KeysToTheBox final : public QObject {
  public:
    explicit KeysToTheBox(QMessageBox* box) : box_(box) {
        QCoreApplication::instance()->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
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
        const QScopedValueRollback<bool> handing_over(handing_over_, true);
        const auto* key = static_cast<const QKeyEvent*>(event);
        QWidget* receiver = box_->focusWidget() != nullptr ? box_->focusWidget() : box_;
        // The release goes to the window the key was meant for, which drops it: the box gets
        // the whole key now.
        for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent passed(type, key->key(), key->modifiers(), key->text(), key->isAutoRepeat(),
                             static_cast<quint16>(key->count()));
            QCoreApplication::sendEvent(receiver, &passed);
        }
        return true;
    }

  private:
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
