#pragma once

#include <span>

#include "calc/money.h"

namespace corvandel {

// One end of a tier: the amount and whether the amount itself belongs to the tier.
struct Bound {
    Money amount;
    bool inclusive = true;
    bool unlimited = false;
};

constexpr Bound more_than(Money amount) {
    return {amount, false, false};
}
constexpr Bound at_least(Money amount) {
    return {amount, true, false};
}
constexpr Bound at_most(Money amount) {
    return {amount, true, false};
}
inline constexpr Bound no_limit{Money{}, true, true};

// What a tier charges: a fixed amount, or a share of the amount looked up.
struct Charge {
    Money fixed;
    double rate = 0;

    constexpr Charge(Money amount) : fixed(amount) {}  // NOLINT: tables read as fee amounts
    static constexpr Charge share(double rate) {
        Charge charge{Money{}};
        charge.rate = rate;
        return charge;
    }
};

struct Tier {
    Bound from;
    Bound to;
    Charge charge;
};

// Whether the amount is on the tier's side of its lower bound: at or above it, or above it only,
// as the bound says.
constexpr bool meets_lower_bound(Money amount, Bound lower) {
    return lower.inclusive ? amount >= lower.amount : amount > lower.amount;
}

// Whether the amount is on the tier's side of its upper bound; no limit holds every amount.
constexpr bool meets_upper_bound(Money amount, Bound upper) {
    return upper.unlimited || (upper.inclusive ? amount <= upper.amount : amount < upper.amount);
}

// The first tier that holds the amount, walking from the top; comparisons are exact.
constexpr const Tier* find_tier(std::span<const Tier> tiers, Money amount) {
    for (const Tier& tier : tiers) {
        if (meets_lower_bound(amount, tier.from) && meets_upper_bound(amount, tier.to)) {
            return &tier;
        }
    }
    return nullptr;
}

}  // namespace corvandel
