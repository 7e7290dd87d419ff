#include <QApplication>

#include "ui/main_window.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    // The name of the installed desktop entry, by which the desktop shows the window with the
    // program's name and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("com.example.corvandel"));
    corvandel::MainWindow window;
    window.show();
    return QApplication::exec();
}
