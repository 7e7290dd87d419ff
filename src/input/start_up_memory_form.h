#pragma once

#include "form/memory_form.h"

namespace corvandel {

// Puts an in-memory main window where the real one stands when it first opens: the texts the
// window is created with, then the start-up values. For the tests, benchmarks and fuzzers.
void open_as_at_start_up(MemoryForm& form);

}  // namespace corvandel
