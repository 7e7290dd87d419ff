#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "calc/money.h"
#include "cli/listing.h"

namespace corvandel::cli {

// What the ending price must make the calculation show: a profit or a margin of at least an
// amount (break-even is a profit of at least 0.00).
struct Target {
    enum class Of { profit, margin };
    Of of;
    Money at_least;
};

// A target from its words on the command line: "break-even", "profit=AMOUNT" or
// "margin=PERCENT"; nothing when they are not one of these with a number.
std::optional<Target> target_from(std::string_view words);

// The lowest ending price, in whole cents from 0.01 up, at which the calculation shows at least
// the target, with every other input as entered in `runner`.
struct Solution {
    enum class Kind {
        found,
        unreachable,  // no ending price the calculation can take reaches the target
        refused,      // the calculation refuses the other inputs, whatever the ending price
    };
    Kind kind;
    std::int64_t cents = 0;
};

Solution lowest_end_price(ListingRunner& runner, const Target& target);

// What the help says "lowest" means.
extern const std::string_view lowest_explained;

}  // namespace corvandel::cli
