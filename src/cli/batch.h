#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "cli/output.h"
#include "cli/solver.h"

namespace corvandel::cli {

// How an inventory is read and what is asked of it.
struct BatchRequest {
    std::string name;  // the file's name in messages: its path, or <stdin>
    std::optional<char> delimiter = std::nullopt;
    std::optional<Target> solve = std::nullopt;
    std::vector<std::string> passed_on = {};  // normalised headers passed on unread on purpose
};

// Calculates every row of an inventory in CSV, with a header row, and writes it to `out` as CSV:
// each input cell as it came, the results of this run in the columns that hold results already,
// then the results that have no column yet, with the byte-order mark and line ends the file came
// with. A header that names an amount of money but no column read refuses the file. A row that
// cannot be calculated keeps its place with the reason in its error cell; a row of empty cells
// keeps its place with nothing calculated. Malformed CSV stops the batch with a line on `errors`
// that names its file and line, after every earlier row was written; a file refused for its header
// writes nothing. Returns the exit status: 0 when every row was calculated, 1 when any was refused
// (an unreachable target too), the file could not be read through or the output failed.
int run_batch(std::FILE* in, const BatchRequest& request, Output& out, std::FILE* errors);

}  // namespace corvandel::cli
