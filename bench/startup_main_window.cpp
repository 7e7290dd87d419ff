// The calculator's start-up, timed as a whole process: the command line, the display check, the
// application and the main window made as the program makes them, ending once the window's
// first frame is painted.

#include <QApplication>

#include "app/command_line.h"
#include "app/display_check.h"
#include "first_frame.h"
#include "ui/main_window.h"

int main(int argc, char* argv[]) {
    corvandel::CommandLine command_line;
    command_line.answer_help_or_version(argc, argv);
    corvandel::DisplayCheck display(argc, argv);
    if (display.why_no_window()) {
        return 1;
    }
    QApplication application(argc, argv);
    display.let_go();
    command_line.refuse_the_rest(application);
    QGuiApplication::setDesktopFileName(QStringLiteral("com.example.corvandel"));
    corvandel::MainWindow window;
    corvandel::show_until_first_frame(window);
}
