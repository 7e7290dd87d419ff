#include "ui/warning_box.h"

#include <QApplication>
#include <QMessageBox>

namespace corvandel {

void show_warning_box(QWidget* parent, const QString& title, const QString& message) {
    QMessageBox box(QMessageBox::Warning, title, message, QMessageBox::Ok, parent);
    box.exec();
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
    if (parent != nullptr) {
        QT_WARNING_PUSH
        QT_WARNING_DISABLE_DEPRECATED
        QApplication::setActiveWindow(parent->window());
        QT_WARNING_POP
    }
}

}  // namespace corvandel
