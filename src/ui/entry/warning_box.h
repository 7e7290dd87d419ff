#pragma once

#include <QString>
#include <QWidget>

#include <functional>

namespace corvandel {

// Shows a warning about `subject`, the field it concerns or else the window, and returns once
// it has been closed.
using WarningBox =
    std::function<void(QWidget* subject, const QString& title, const QString& message)>;

// The modal message box with a warning icon and a single OK button, over the subject's window.
// A screen reader hears which field it is about; the title and text on the screen stay the
// program's own. Until it closes, every key goes to it, also one the window system still
// delivers to the window while the box is opening: the window's Enter would open a second box.
void show_warning_box(QWidget* subject, const QString& title, const QString& message);

}  // namespace corvandel
