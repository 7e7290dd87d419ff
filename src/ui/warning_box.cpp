#include "ui/warning_box.h"

#include <QMessageBox>

namespace corvandel {

void show_warning_box(QWidget* parent, const QString& title, const QString& message) {
    QMessageBox box(QMessageBox::Warning, title, message, QMessageBox::Ok, parent);
    box.exec();
    // The window the box was shown over gets the keyboard back. The window system grants that
    // later, not before this returns, so whoever moves the focus next must not wait for the
    // focus events of an active window (see QtForm::focus).
    if (parent != nullptr) {
        parent->window()->activateWindow();
    }
}

}  // namespace corvandel
