#include "calc/refusal.h"

#include <algorithm>
#include <string_view>

namespace corvandel {

namespace {

std::string_view caption_of(Control field) {
    switch (field) {
        case Control::txt_item_cost:
            return "Item Cost";
        case Control::txt_start_price:
            return "Starting Price";
        case Control::txt_bin:
            return "Buy-It-Now Price";
        case Control::txt_reserve:
            return "Reserve";
        case Control::txt_end_price:
            return "Ending Price";
        case Control::txt_ship_charged:
            return "Shipping Charged";
        case Control::txt_ship_cost:
            return "Shipping Cost";
        case Control::txt_other_costs:
            return "Other Costs";
        case Control::combo_num_pics:
            return "Number of Pictures";
        default:
            return name(field);
    }
}

}  // namespace

Money within_range(std::optional<Money> amount, Control field) {
    if (!amount) {
        throw Refusal{field, Problem::too_large};
    }
    return *amount;
}

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
    const std::string field(caption_of(refusal.field));
    if (refusal.problem == Problem::not_a_number) {
        return "The " + field +
               " is not a number the calculation can use; enter a number such as "
               "12.50, or None.";
    }
    return "The " + field + " is too large to calculate with; enter a smaller amount.";
}

}  // namespace corvandel
