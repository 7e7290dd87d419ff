#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "calc/money.h"

namespace corvandel::cli {

class ListingRunner;

// What the ending price must make the calculation show: a profit or a margin of at least an
// amount (break-even is a profit of at least 0.00).
struct Target {
    enum class Of { profit, margin };
    Of of;
    Money at_least;
};

// A target from its words: "break-even", "profit=AMOUNT" or "margin=PERCENT"; nothing when they
// are not one of these with a number.
std::optional<Target> target_from(std::string_view words);

// What a run shows that a target is judged by: the profit and the margin as the whole cents
// their texts show, and the totals as the window's readings take the texts. The margin of a tiny
// amount received can lie far outside the range of amounts: it is then held at the end of that
// range on its side, beyond every target.
struct Shown {
    std::int64_t profit_cents, margin_cents;
    double profit, received, spent;
};

// The lowest ending price, in whole cents from 0.01 up, at which the calculation shows at least
// the target, with every other input as entered in `runner`.
struct Solution {
    enum class Kind {
        found,
        unreachable,  // no ending price the calculation can take reaches the target
        refused,      // the calculation refuses the other inputs, whatever the ending price
        inexact,      // reached only where the amounts pass exact_amounts
    };
    Kind kind;
    std::int64_t cents = 0;
};

// The most an amount may be for its shown cents to be exact: the totals keep 15 digits.
inline constexpr double exact_amounts = 1e13;

Solution lowest_end_price(ListingRunner& runner, const Target& target);

// What the help says "lowest" means.
extern const std::string_view lowest_explained;

}  // namespace corvandel::cli
