#include "calc/refusal.h"

#include <algorithm>
#include <string_view>

namespace corvandel {

Money sum_within_range(std::initializer_list<Term> terms) {
    std::optional<Money> sum = Money{};
    for (const Term& term : terms) {
        sum = sum->plus(term.amount);
        if (!sum) {
            const auto size = [](const Term& t) {
                return t.amount.count() < 0 ? -(t.amount.count() + 1) : t.amount.count();
            };
            const Term& largest =
                *std::max_element(terms.begin(), terms.end(),
                                  [&](const Term& a, const Term& b) { return size(a) < size(b); });
            throw Refusal{largest.field, Problem::too_large};
        }
    }
    return *sum;
}

std::string refusal_message(const Refusal& refusal) {
    const std::string field(field_title(refusal.field));
    if (refusal.problem == Problem::not_a_number) {
        return "The " + field +
               " is not a number the calculation can use; enter a number such as "
               "12.50, or None.";
    }
    return "The " + field + " is too large to calculate with; enter a smaller amount.";
}

}  // namespace corvandel
