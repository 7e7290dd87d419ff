#include "calc/money.h"

#include "calc/rounding.h"

namespace corvandel {

namespace {

Magnitude magnitude_of(std::int64_t count) {
    // Negating through the unsigned type keeps the most negative count defined.
    return count < 0 ? Magnitude{0} - static_cast<Magnitude>(count) : static_cast<Magnitude>(count);
}

std::optional<Money> money_from(std::optional<std::int64_t> count) {
    if (!count) {
        return std::nullopt;
    }
    return Money::from_count(*count);
}

// The same as the general division, an exact half going to the even neighbour, in 64 bits.
std::uint64_t divide_rounded(std::uint64_t numerator, std::uint64_t divisor) {
    const std::uint64_t whole = numerator / divisor;
    const std::uint64_t twice_rest = (numerator % divisor) * 2;
    return twice_rest > divisor || (twice_rest == divisor && whole % 2 == 1) ? whole + 1 : whole;
}

}  // namespace

std::optional<Money> Money::times(Money other) const {
    const bool negative = (count_ < 0) != (other.count_ < 0);
    const Magnitude exact = magnitude_of(count_) * magnitude_of(other.count_);
    // Most products fit 64 bits, where dividing is much cheaper.
    const Magnitude rounded = exact >> 64 == 0
                                  ? divide_rounded(static_cast<std::uint64_t>(exact), per_dollar)
                                  : divide_rounded(exact, per_dollar);
    return money_from(signed_count(negative, rounded));
}

std::int64_t Money::cents() const {
    const auto magnitude = static_cast<std::uint64_t>(magnitude_of(count_));
    return *signed_count(count_ < 0, divide_rounded(magnitude, per_dollar / 100));
}

}  // namespace corvandel
