// The calculator's own start, its display check included, ending with status 0 once its window
// is shown and a Calculate run has warned and moved the focus (on a compositor without a keyboard
// too), 3 when the window is never shown and 4 when no warning comes. The desktop test runs it
// where one windowing system answers and another does not, and expects it to say nothing.

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "app/start_calculator.h"
#include "message_box_closer.h"

int main(int argc, char* argv[]) {
    using corvandel::Control;
    return corvandel::start_calculator(argc, argv, [](corvandel::MainWindow& window) {
        window.show();
        if (!QTest::qWaitForWindowExposed(&window, 20000)) {
            return 3;
        }
        qobject_cast<QLineEdit*>(window.control(Control::txt_start_price))->setText("0");
        const corvandel::MessageBoxCloser closer(20000);
        QTest::mouseClick(qobject_cast<QPushButton*>(window.control(Control::cmd_calc)),
                          Qt::LeftButton);
        return closer.seen().empty() ? 4 : 0;
    });
}
