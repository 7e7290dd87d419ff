#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QApplication>
#include <QByteArray>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QString>
#include <QTest>

#include "form/control.h"
#include "ui/window/main_window.h"

namespace corvandel {
namespace {

void type(const MainWindow& window, Control field, const char* text) {
    qobject_cast<QLineEdit*>(window.control(field))->setText(QString::fromLatin1(text));
}

// A listing with an ending price, a reserve, a Buy-It-Now price, several pictures and upgrades:
// every step of the run does its full work.
void fill_in(const MainWindow& window) {
    type(window, Control::txt_start_price, "20");
    type(window, Control::txt_reserve, "212.50");
    type(window, Control::txt_bin, "49.99");
    type(window, Control::txt_end_price, "1001.67");
    type(window, Control::txt_ship_charged, "12.50");
    type(window, Control::txt_ship_cost, "9.80");
    type(window, Control::txt_other_costs, "1.25");
    type(window, Control::txt_item_cost, "350");
    qobject_cast<QComboBox*>(window.control(Control::combo_num_pics))
        ->setEditText(QStringLiteral("7"));
    for (Control box : {Control::chk_gallery, Control::chk_sub, Control::chk_bold,
                        Control::chk_10day, Control::chk_supersize, Control::chk_doublecat}) {
        qobject_cast<QCheckBox*>(window.control(box))->setChecked(true);
    }
}

// One click of Calculate on the shown main window, as the seller's click runs it: the button's
// signals, the whole run and the result fields' new texts. Their repainting waits for the event
// loop and is not part of it.
void CalculateClick(benchmark::State& state) {
    int warnings = 0;
    MainWindow window([&warnings](QWidget*, const QString&, const QString&) { ++warnings; });
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        state.SkipWithError("the window was never shown");
        return;
    }
    fill_in(window);
    QApplication::processEvents();
    auto* calculate = qobject_cast<QAbstractButton*>(window.control(Control::cmd_calc));
    const auto* margin = qobject_cast<QLineEdit*>(window.control(Control::txt_profit_margin));

    for (auto _ : state) {
        calculate->click();
        benchmark::DoNotOptimize(margin->text().size());
    }

    // A run that warned or stopped early would be timing the wrong thing.
    if (warnings != 0 || margin->text().isEmpty()) {
        state.SkipWithError("the run did not go through to the profit margin without warnings");
    }
}
BENCHMARK(CalculateClick);

// A million-character text pasted over a field's word and the field left by Tab: the paste,
// refused whole as longer than a field takes, its warning, the leaving test and the move to the
// next field.
void LongPasteAndTab(benchmark::State& state) {
    int warnings = 0;
    MainWindow window([&warnings](QWidget*, const QString&, const QString&) { ++warnings; });
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        state.SkipWithError("the window was never shown");
        return;
    }
    auto* field = qobject_cast<QLineEdit*>(window.control(Control::txt_end_price));
    QApplication::clipboard()->setText("1e+" + QString(999'996, '0') + "2");

    for (auto _ : state) {
        field->setText(QStringLiteral("None"));
        field->setFocus(Qt::TabFocusReason);
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
        QCoreApplication::sendPostedEvents();
        QTest::keyClick(field, Qt::Key_Tab);
    }

    if (field->text() != QStringLiteral("None") || field->hasFocus() ||
        warnings != state.iterations()) {
        state.SkipWithError("the paste was not refused whole with a warning, or not left");
    }
}
BENCHMARK(LongPasteAndTab)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace corvandel

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
