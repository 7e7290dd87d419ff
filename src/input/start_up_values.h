#pragma once

#include <string_view>

#include "form/form.h"
#include "form/memory_form.h"

namespace corvandel {

// The two moments that put the main window's inputs into a known state: start-up, once before
// the window is first shown, and the Clear command. Both take every text they put in place from
// the price fields' rules and the constants below, and nowhere else.

// The pictures box shows one picture at start-up and after Clear, and offers one to twelve.
inline constexpr std::string_view pictures_at_start_up = "1";
inline constexpr int pictures_offered = 12;

// The start-up values, put in place by the window's load event. The reserve and the pictures box
// keep the texts the window is created with, and the options their clear ticks.
void set_defaults(Form& form);

// The Clear command: every input back to its start-up value, every option clear and enabled,
// every result and the help line empty, and the focus in the first price field.
void cmd_clear_Click(Form& form);

// An in-memory main window as the real one stands when it first opens: the texts the window is
// created with, then the start-up values. corvandel-calc calculates on one; so do the tests,
// benchmarks and fuzzers.
void open_as_at_start_up(MemoryForm& form);

}  // namespace corvandel
