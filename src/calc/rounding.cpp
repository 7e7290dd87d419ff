#include "calc/rounding.h"

#include <limits>

namespace corvandel {

namespace {

Magnitude round_half(Magnitude whole, int compared_with_half, Tie tie) {
    if (compared_with_half > 0) {
        return whole + 1;
    }
    if (compared_with_half < 0) {
        return whole;
    }
    if (tie == Tie::away_from_zero) {
        return whole + 1;
    }
    return (whole % 2 == 0) ? whole : whole + 1;
}

}  // namespace

Magnitude divide_rounded(Magnitude numerator, Magnitude divisor, Tie tie) {
    const Magnitude whole = numerator / divisor;
    const Magnitude twice_rest = (numerator % divisor) * 2;
    const int compared = twice_rest > divisor ? 1 : (twice_rest < divisor ? -1 : 0);
    return round_half(whole, compared, tie);
}

Magnitude round_by_digit(Magnitude whole, int first_dropped_digit, bool more_after, Tie tie) {
    int compared = first_dropped_digit > 5 ? 1 : (first_dropped_digit < 5 ? -1 : 0);
    if (compared == 0 && more_after) {
        compared = 1;
    }
    return round_half(whole, compared, tie);
}

std::optional<std::int64_t> signed_count(bool negative, Magnitude magnitude) {
    constexpr auto largest = static_cast<Magnitude>(std::numeric_limits<std::int64_t>::max());
    if (!negative) {
        if (magnitude > largest) {
            return std::nullopt;
        }
        return static_cast<std::int64_t>(magnitude);
    }
    if (magnitude > largest + 1) {
        return std::nullopt;
    }
    if (magnitude == largest + 1) {
        return std::numeric_limits<std::int64_t>::min();
    }
    return -static_cast<std::int64_t>(magnitude);
}

}  // namespace corvandel
