#include "app/start_up.h"

#include <QApplication>

#include <cstdio>

#include "app/command_line.h"
#include "app/display_check.h"

namespace corvandel {

int start_calculator(int argc, char* argv[], const std::function<int(MainWindow&)>& run) {
    CommandLine command_line;
    command_line.answer_help_or_version(argc, argv);
    DisplayCheck display(argc, argv);
    if (const auto& reason = display.why_no_window()) {
        std::fprintf(stderr,
                     "corvandel: cannot open its window: %s. Start it on a desktop, or without "
                     "one under a virtual display: xvfb-run corvandel\n",
                     reason->toLocal8Bit().constData());
        return 1;
    }
    QApplication application(argc, argv);
    display.let_go();
    command_line.refuse_the_rest(application);
    // The name of the installed desktop entry, by which the desktop shows the window with the
    // program's name and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("com.example.corvandel"));
    MainWindow window;
    return run(window);
}

}  // namespace corvandel
