#include "ui/warning_box.h"

#include <QApplication>
#include <QMessageBox>

namespace corvandel {

void show_warning_box(QWidget* parent, const QString& title, const QString& message) {
    QMessageBox box(QMessageBox::Warning, title, message, QMessageBox::Ok, parent);
    box.exec();
    // The handler that showed the box goes on moving the focus between the window's controls,
    // and those moves must enter and leave fields as they would in an active window. The window
    // system reactivates the window later; tell the toolkit now.
    if (parent != nullptr) {
        QT_WARNING_PUSH
        QT_WARNING_DISABLE_DEPRECATED
        QApplication::setActiveWindow(parent->window());
        QT_WARNING_POP
    }
}

}  // namespace corvandel
