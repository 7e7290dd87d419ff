#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "cli/names.h"
#include "cli/solver.h"
#include "cli/sweep.h"

namespace corvandel::cli {

// What the command line asks for: one listing's inputs, or an inventory, and maybe a target.
struct Options {
    std::array<std::optional<std::string>, text_inputs> texts;
    std::array<bool, tick_inputs> ticks{};  // the options given, for --no-paypal a clear box
    bool json = false;
    std::optional<Target> target;
    std::string batch, delimiter;
    bool explain = false;
    std::optional<SweepRange> sweep;
    std::string chart;
    std::vector<std::string> passed_on;  // headers passed on unread on purpose
};

// Reads the command line into `options`. Nothing comes back when it asks for a listing or an
// inventory; otherwise the text to print on standard output (the help or the version), or, with
// `usage_error` set, the error to print on standard error.
std::optional<std::string> read_command_line(int argc, char** argv, Options& options,
                                             bool& usage_error);

}  // namespace corvandel::cli
