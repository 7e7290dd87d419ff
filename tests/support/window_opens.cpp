// The calculator's own start, its display check included, ending with status 0 as soon as its
// window is shown, 3 when it never is: the desktop test runs it where one windowing system
// answers and another does not, and expects it to say nothing.

#include <QTest>

#include "app/start_up.h"

int main(int argc, char* argv[]) {
    return corvandel::start_calculator(argc, argv, [](corvandel::MainWindow& window) {
        window.show();
        return QTest::qWaitForWindowExposed(&window, 20000) ? 0 : 3;
    });
}
