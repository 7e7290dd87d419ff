#pragma once

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QString>
#include <QWidget>

#include <vector>

#include "ui/window/main_window.h"

namespace corvandel {

// Chooses the menu item by its name, "Exit" or "About", as a click on it would.
inline void choose(const MainWindow& window, const char* item) {
    window.findChild<QAction*>(QString::fromUtf8(item))->trigger();
}

// Windows closed with deletion on close go once the event loop takes their deletion.
inline void let_closed_windows_go() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Every About dialog that exists, shown or not.
inline std::vector<QWidget*> about_dialogs() {
    std::vector<QWidget*> found;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QStringLiteral("frmAbout")) {
            found.push_back(widget);
        }
    }
    return found;
}

}  // namespace corvandel
