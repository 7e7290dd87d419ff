// The calculator's start-up, timed as a whole process: the application and the main window made
// as the program makes them, ending once the window's first frame is painted.

#include <QApplication>

#include "first_frame.h"
#include "ui/main_window.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("com.example.corvandel"));
    corvandel::MainWindow window;
    return corvandel::show_until_first_frame(window);
}
