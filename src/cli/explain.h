#pragma once

#include <array>
#include <string>
#include <vector>

#include "calc/money.h"
#include "form/form.h"

namespace corvandel::cli {

// How a result's items become the text the window shows.
enum class Rounding {
    none,            // the items add up to whole cents as they are
    to_even_cent,    // their exact sum is rounded once to the cent, a half to the even cent
    away_from_zero,  // their sum, worked in floating point, to 15 digits, then to the cent,
                     // a half away from zero
    ratio,           // the one item is a ratio, shown with two decimals
};

// One part of a result, with the rule that sets it, in the program's words.
struct ExplainedItem {
    std::string name;
    Money amount;  // exactly as the window works it, to the ten-thousandth
    std::string amount_text;
    std::size_t part_of;  // the result it adds to, by its place in result_fields
};

// A result the window showed, and how its items make it.
struct ExplainedResult {
    std::size_t field;  // by its place in result_fields
    std::string shown;
    Rounding rounding;
    std::string note;  // said on the result's line; empty when there is nothing to add
};

struct Explanation {
    std::vector<ExplainedResult> results;
    std::vector<ExplainedItem> items;
};

// The texts of the nine results as a run showed them, in the window's reading order.
using ShownResults = std::array<std::string, result_fields.size()>;

// Why the window shows what it shows after a Calculate run that was not refused: each result
// the run showed, with its items taken from the fee schedule and the texts the run read.
Explanation explain(const Form& window, const ShownResults& shown);

// The explanation as lines to print after the results.
std::string explanation_text(const Explanation& explanation);

// The items as JSON members to add to the results' object: `, "items": [...]`.
std::string explanation_json(const Explanation& explanation);

// An amount with as many of its four decimals as it needs, and at least two: 1.3125, 0.60.
std::string exact_amount_text(Money amount);

}  // namespace corvandel::cli
