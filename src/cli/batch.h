#pragma once

#include <cstddef>
#include <cstdio>
#include <optional>

#include "cli/solver.h"

namespace corvandel::cli {

// Calculates every row of an inventory in CSV, with a header row, and writes it to `out` as CSV:
// each input cell as it came, padded to the header's width, then the nine results, the solved
// ending price when `solve` asks for one, the warnings and the error. A row that cannot be
// calculated keeps its place with empty results and the reason. Malformed CSV stops the batch
// with a line on `errors` that names its line, after every earlier row was written. Returns the
// exit status: 0 when every row was read, 1 when the file was malformed or unreadable. With more
// than one job, that many threads calculate the rows; the output is the same.
int run_batch(std::FILE* in, std::FILE* out, std::FILE* errors, const std::optional<Target>& solve,
              std::size_t jobs = 1);

}  // namespace corvandel::cli
