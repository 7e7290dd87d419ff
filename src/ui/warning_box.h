#pragma once

#include <QString>
#include <QWidget>

#include <functional>

namespace corvandel {

// Shows a warning to the user over `parent` and returns once it has been closed.
using WarningBox =
    std::function<void(QWidget* parent, const QString& title, const QString& message)>;

// The modal message box with a warning icon and a single OK button.
void show_warning_box(QWidget* parent, const QString& title, const QString& message);

}  // namespace corvandel
