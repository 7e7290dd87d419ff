// The calculator's own start, its display check included, ending with status 0 once its window
// is shown and a Calculate run has warned and moved the focus (on a compositor without a keyboard
// too), 3 when the window is never shown, 4 when no warning comes and 5 when the input method the
// user chose (QT_IM_MODULE) was replaced. The desktop test runs it where one windowing system
// answers and another does not, and expects it to say nothing.

#include <QByteArray>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "app/start_calculator.h"
#include "message_box_closer.h"

int main(int argc, char* argv[]) {
    using corvandel::Control;
    const QByteArray input_method = qgetenv("QT_IM_MODULE");
    return corvandel::start_calculator(argc, argv, [&](corvandel::MainWindow& window) {
        if (!input_method.isEmpty() && qgetenv("QT_IM_MODULE") != input_method) {
            return 5;
        }
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
