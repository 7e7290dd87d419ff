#include "ui/warning_box.h"

#include <QMessageBox>

namespace corvandel {

void show_warning_box(QWidget* parent, const QString& title, const QString& message) {
    QMessageBox box(QMessageBox::Warning, title, message, QMessageBox::Ok, parent);
    box.exec();
}

}  // namespace corvandel
