// The yardstick for the calculator's start-up: the same main window, built from the same layout
// table with the same fonts, title, icon, menus and size, but with none of the program's rules:
// no start-up values, price-field events, option interlocks, quick help, accessible names or
// calculation, and no command line. Ends once the window's first frame is painted.

#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPalette>
#include <QScreen>
#include <QSize>
#include <QStyle>

#include "first_frame.h"
#include "ui/window/control_widgets.h"
#include "ui/window/layout.h"
#include "ui/window/qt_values.h"
#include "ui/window/window_icon.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("com.example.corvandel"));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Corvandel."));
    window.setWindowIcon(corvandel::window_icon());
    window.setFont(corvandel::to_qfont(corvandel::window_font));

    auto* client_area = new QWidget(&window);
    client_area->setBackgroundRole(QPalette::Button);
    client_area->setAutoFillBackground(true);
    corvandel::build_controls(client_area);
    window.setCentralWidget(client_area);

    window.menuBar()->addMenu(QStringLiteral("File"))->addAction(QStringLiteral("E&xit"));
    window.menuBar()->addMenu(QStringLiteral("Help"))->addAction(QStringLiteral("About"));

    const QSize client_size = corvandel::to_pixels(corvandel::window_client_area).size();
    window.resize(client_size.width(),
                  client_size.height() + window.menuBar()->sizeHint().height());
    window.move(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, window.size(),
                                    window.screen()->availableGeometry())
                    .topLeft());
    corvandel::show_until_first_frame(window);
}
