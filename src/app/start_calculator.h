#pragma once

#include <functional>

#include "ui/window/main_window.h"

namespace corvandel {

// The calculator's start, as the program and its start-up benchmark both make it: answers
// --help and --version, says in one line when no window can be opened, then makes the
// application and the main window and hands the window to `run`, whose status it returns.
int start_calculator(int argc, char* argv[], const std::function<int(MainWindow&)>& run);

}  // namespace corvandel
