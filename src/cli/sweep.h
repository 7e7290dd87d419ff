#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "cli/listing.h"
#include "cli/output.h"
#include "cli/solver.h"

namespace corvandel::cli {

// The ending prices of a sweep, in whole cents: from the first to the last, a step apart.
struct SweepRange {
    std::int64_t from, to, step;

    std::int64_t rows() const { return (to - from) / step + 1; }
};

// A sweep writes a row per ending price and holds none, so its size is bounded only so that a
// slip of the step (0.01 for 1000) is told, not written for hours.
inline constexpr std::int64_t most_sweep_rows = 1'000'000;

// FROM:TO[:STEP] in amounts of whole cents, STEP 1.00 unless given, at most most_sweep_rows
// rows; nothing, with the reason in `why`, when the words are not that.
std::optional<SweepRange> sweep_range_from(std::string_view words, std::string& why);

struct SweepRequest {
    Listing listing;  // its ending price aside
    SweepRange range;
    std::optional<Target> target;
    std::string chart;  // the SVG file to draw, or empty
};

// Writes the listing's results at each ending price of the range as CSV: the price, then the nine
// results, each row what the listing gives with that ending price; with a target, a column marks
// the row of the lowest price that reaches it. Draws the chart, when one is asked for, once every
// row is written. Returns the exit status.
int run_sweep(const SweepRequest& request, Output& out, std::FILE* errors);

}  // namespace corvandel::cli
