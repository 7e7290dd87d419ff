#include <QApplication>

#include <cstdio>

#include "app/command_line.h"
#include "app/display_check.h"
#include "ui/main_window.h"

int main(int argc, char* argv[]) {
    corvandel::CommandLine command_line;
    command_line.answer_help_or_version(argc, argv);
    if (const auto reason = corvandel::why_no_window(argc, argv)) {
        std::fprintf(stderr,
                     "corvandel: cannot open its window: %s. Start it on a desktop, or without "
                     "one under a virtual display: xvfb-run corvandel\n",
                     reason->toLocal8Bit().constData());
        return 1;
    }
    QApplication application(argc, argv);
    command_line.refuse_the_rest(application);
    // The name of the installed desktop entry, by which the desktop shows the window with the
    // program's name and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("com.example.corvandel"));
    corvandel::MainWindow window;
    window.show();
    return QApplication::exec();
}
