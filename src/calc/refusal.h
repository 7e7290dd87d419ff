#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "calc/money.h"
#include "form/control.h"

namespace corvandel {

// Why a calculation step could not use a field.
enum class Problem {
    not_a_number,  // the strict reading found no complete number
    too_large,     // the amount, or a sum made from it, leaves the Money range
};

// The title of every warning box a calculation shows.
inline constexpr std::string_view calculation_warning_title = "Error";

// Thrown by a calculation step that cannot produce its results; the run stops there.
struct Refusal {
    Control field;
    Problem problem;
};

// The amount; the run is refused, blaming `field`, when the arithmetic left the Money range.
inline Money within_range(std::optional<Money> amount, Control field) {
    if (!amount) {
        throw Refusal{field, Problem::too_large};
    }
    return *amount;
}

// An amount and the field the seller would mend to change it.
struct Term {
    Money amount;
    Control field;
};

// The exact sum; when it leaves the Money range the term of the largest size is blamed.
Money sum_within_range(std::initializer_list<Term> terms);

// The one-sentence message that tells the seller which field could not be used and what to
// enter instead.
std::string refusal_message(const Refusal& refusal);

}  // namespace corvandel
