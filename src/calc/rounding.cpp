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

Magnitude round_by_digit(Magnitude whole, int first_dropped_digit, bool more_after) {
    int compared = first_dropped_digit > 5 ? 1 : (first_dropped_digit < 5 ? -1 : 0);
    if (compared == 0 && more_after) {
        compared = 1;
    }
    return round_half(whole, compared);
}

}  // namespace corvandel
