// The calculator's start-up, timed as a whole process: the command line, the display check, the
// application and the main window made as the program makes them, ending once the window's
// first frame is painted.

#include "app/start_calculator.h"
#include "first_frame.h"

int main(int argc, char* argv[]) {
    return corvandel::start_calculator(argc, argv, [](corvandel::MainWindow& window) -> int {
        corvandel::show_until_first_frame(window);
    });
}
