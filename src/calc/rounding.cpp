#include "calc/rounding.h"

namespace corvandel {

namespace {

Magnitude round_half(Magnitude whole, int compared_with_half) {
    if (compared_with_half > 0) {
        return whole + 1;
    }
    if (compared_with_half < 0) {
        return whole;
    }
    return (whole % 2 == 0) ? whole : whole + 1;
}

}  // namespace

Magnitude divide_rounded(Magnitude numerator, Magnitude divisor) {
    const Magnitude whole = numerator / divisor;
    const Magnitude twice_rest = (numerator % divisor) * 2;
    const int compared = twice_rest > divisor ? 1 : (twice_rest < divisor ? -1 : 0);
    return round_half(whole, compared);
}

Magnitude round_by_digit(Magnitude whole, int first_dropped_digit, bool more_after) {
    int compared = first_dropped_digit > 5 ? 1 : (first_dropped_digit < 5 ? -1 : 0);
    if (compared == 0 && more_after) {
        compared = 1;
    }
    return round_half(whole, compared);
}

}  // namespace corvandel
