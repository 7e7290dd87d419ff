#include <QApplication>
#include <QCoreApplication>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

#include "menu_commands.h"
#include "shown_main_window.h"

namespace corvandel {
namespace {

enum class Step { choose_about, choose_exit, close_main_window, press_ok, close_about_box };

const char* step_name(Step step) {
    switch (step) {
        case Step::choose_about:
            return "About";
        case Step::choose_exit:
            return "Exit";
        case Step::close_main_window:
            return "CloseMainWindow";
        case Step::press_ok:
            return "OK";
        case Step::close_about_box:
            return "CloseAbout";
    }
    return "?";
}

// How a run of the application's event loop ended.
struct LoopEnd {
    std::size_t steps_taken = 0;
    // False when the loop was still running well after the last step and had to be stopped.
    bool ended_by_the_program = false;
};

// Runs the application's event loop as the program does, taking one step at each turn of a
// short timer; gives the loop half a second after the last step to end by itself.
LoopEnd run_event_loop(MainWindow& window, const std::vector<Step>& steps) {
    constexpr int stopped_from_outside = 99;
    constexpr int idle_turns_allowed = 50;
    LoopEnd end;
    int idle_turns = 0;
    QTimer turns;
    turns.setInterval(10);
    QObject::connect(&turns, &QTimer::timeout, [&] {
        if (end.steps_taken == steps.size()) {
            if (++idle_turns > idle_turns_allowed) {
                QCoreApplication::exit(stopped_from_outside);
            }
            return;
        }
        const Step step = steps[end.steps_taken++];
        QWidget* about = about_dialogs().empty() ? nullptr : about_dialogs().front();
        auto* ok =
            about == nullptr ? nullptr : about->findChild<QPushButton*>(QStringLiteral("cmdOK"));
        if ((step == Step::press_ok && ok == nullptr) ||
            (step == Step::close_about_box && about == nullptr)) {
            // No exception may cross the event loop: record the failure and stop the loop.
            ADD_FAILURE() << "no About dialog or OK button for the step " << step_name(step);
            QCoreApplication::exit(stopped_from_outside);
            return;
        }
        switch (step) {
            case Step::choose_about:
                choose(window, "About");
                break;
            case Step::choose_exit:
                choose(window, "Exit");
                break;
            case Step::close_main_window:
                window.close();
                break;
            case Step::press_ok:
                ok->click();
                break;
            case Step::close_about_box:
                about->close();
                break;
        }
    });
    turns.start();
    end.ended_by_the_program = QCoreApplication::exec() != stopped_from_outside;
    return end;
}

struct Ending {
    std::vector<Step> steps;
    bool program_ends;
};

std::string steps_name(const std::vector<Step>& steps) {
    std::string joined;
    for (Step step : steps) {
        joined += step_name(step);
        joined += '_';
    }
    joined.pop_back();
    return joined;
}

void PrintTo(const Ending& ending, std::ostream* out) {
    *out << steps_name(ending.steps);
}

class ProgramEnd : public testing::TestWithParam<Ending> {
  protected:
    ProgramEnd() { ShownMainWindow::show_and_activate(window); }
    ~ProgramEnd() override { let_closed_windows_go(); }

    MainWindow window{[](QWidget*, const QString&, const QString&) {}};
};

bool any_window_shown() {
    for (const QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible()) {
            return true;
        }
    }
    return false;
}

// The program ends when no window is left, or at once by Exit; it runs on while a window is.
TEST_P(ProgramEnd, EndsExactlyWhenNoWindowIsLeftOrByExit) {
    const Ending& ending = GetParam();
    const LoopEnd end = run_event_loop(window, ending.steps);

    EXPECT_EQ(end.ended_by_the_program, ending.program_ends);
    EXPECT_EQ(end.steps_taken, ending.steps.size()) << "the loop ended before the last step";
    if (ending.program_ends) {
        EXPECT_FALSE(any_window_shown());
        let_closed_windows_go();
        EXPECT_TRUE(about_dialogs().empty());
    } else {
        EXPECT_TRUE(any_window_shown());
    }
}

using S = Step;

INSTANTIATE_TEST_SUITE_P(
    Windows, ProgramEnd,
    testing::Values(Ending{{S::choose_exit}, true}, Ending{{S::choose_about, S::choose_exit}, true},
                    Ending{{S::choose_about, S::choose_about, S::choose_exit}, true},
                    Ending{{S::close_main_window}, true},
                    Ending{{S::choose_about, S::close_main_window}, false},
                    Ending{{S::choose_about, S::close_main_window, S::press_ok}, true},
                    Ending{{S::choose_about, S::close_main_window, S::close_about_box}, true},
                    Ending{{S::choose_about, S::press_ok}, false},
                    Ending{{S::choose_about, S::press_ok, S::close_main_window}, true}),
    [](const testing::TestParamInfo<Ending>& test) { return steps_name(test.param.steps); });

}  // namespace
}  // namespace corvandel
