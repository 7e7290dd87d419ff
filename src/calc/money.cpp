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

}  // namespace

std::optional<Money> Money::plus(Money other) const {
    std::int64_t sum = 0;
    if (__builtin_add_overflow(count_, other.count_, &sum)) {
        return std::nullopt;
    }
    return from_count(sum);
}

std::optional<Money> Money::minus(Money other) const {
    std::int64_t difference = 0;
    if (__builtin_sub_overflow(count_, other.count_, &difference)) {
        return std::nullopt;
    }
    return from_count(difference);
}

std::optional<Money> Money::times(std::int64_t factor) const {
    std::int64_t product = 0;
    if (__builtin_mul_overflow(count_, factor, &product)) {
        return std::nullopt;
    }
    return from_count(product);
}

std::optional<Money> Money::times(Money other) const {
    const bool negative = (count_ < 0) != (other.count_ < 0);
    const Magnitude exact = magnitude_of(count_) * magnitude_of(other.count_);
    return money_from(signed_count(negative, divide_rounded(exact, per_dollar, Tie::to_even)));
}

std::int64_t Money::cents() const {
    const Magnitude rounded = divide_rounded(magnitude_of(count_), per_dollar / 100, Tie::to_even);
    return *signed_count(count_ < 0, rounded);
}

}  // namespace corvandel
