#pragma once

#include <compare>
#include <cstdint>
#include <optional>

namespace corvandel {

// numerator / divisor (positive) to the nearest whole number, an exact half going to the even one.
template <typename Integer>
constexpr Integer divide_rounded(Integer numerator, Integer divisor) {
    Integer whole = numerator / divisor;
    const Integer rest = numerator % divisor;  // of the numerator's sign
    const Integer twice_rest = rest < 0 ? -2 * rest : 2 * rest;
    if (twice_rest > divisor || (twice_rest == divisor && whole % 2 != 0)) {
        whole += numerator < 0 ? -1 : 1;
    }
    return whole;
}

// An amount of dollars as a whole count of ten-thousandths of a dollar. Every operation that
// could leave the 64-bit range says so by returning nothing; none ever wraps.
class Money {
  public:
    static constexpr std::int64_t per_dollar = 10'000;

    constexpr Money() = default;
    static constexpr Money from_count(std::int64_t ten_thousandths) {
        Money amount;
        amount.count_ = ten_thousandths;
        return amount;
    }

    constexpr std::int64_t count() const { return count_; }

    // A whole number of cents; nothing when the amount is outside the range.
    static std::optional<Money> from_cents(std::int64_t cents) {
        return from_count(cents).times(100);
    }

    friend constexpr bool operator==(Money, Money) = default;
    friend constexpr std::strong_ordering operator<=>(Money, Money) = default;

    constexpr std::optional<Money> plus(Money other) const {
        std::int64_t sum = 0;
        return __builtin_add_overflow(count_, other.count_, &sum) ? std::nullopt
                                                                  : std::optional(from_count(sum));
    }
    constexpr std::optional<Money> minus(Money other) const {
        std::int64_t difference = 0;
        return __builtin_sub_overflow(count_, other.count_, &difference)
                   ? std::nullopt
                   : std::optional(from_count(difference));
    }
    constexpr std::optional<Money> times(std::int64_t factor) const {
        std::int64_t product = 0;
        return __builtin_mul_overflow(count_, factor, &product)
                   ? std::nullopt
                   : std::optional(from_count(product));
    }

    // The exact product of two amounts taken to the nearest ten-thousandth, an exact half
    // going to the even neighbour (0.00015 becomes 0.0002, 0.02505 becomes 0.0250).
    std::optional<Money> times(Money other) const;

    // The amount to the nearest cent, an exact half going to the even cent.
    constexpr std::int64_t cents() const { return divide_rounded(count_, per_dollar / 100); }

    // The nearest double for every amount up to 2^53 ten-thousandths.
    double to_double() const { return static_cast<double>(count_) / per_dollar; }

  private:
    std::int64_t count_ = 0;
};

namespace money_literals {

// 0.0525_usd is exactly 525 ten-thousandths; a constant with more than four decimals does not
// compile.
consteval Money operator""_usd(const char* literal) {
    std::int64_t count = 0;
    int decimals = -1;
    for (const char* c = literal; *c != '\0'; ++c) {
        if (*c == '.') {
            decimals = 0;
            continue;
        }
        if (*c < '0' || *c > '9' || decimals == 4) {
            throw "a money constant has digits and at most four decimals";
        }
        count = count * 10 + (*c - '0');
        if (decimals >= 0) {
            ++decimals;
        }
    }
    for (int d = decimals < 0 ? 0 : decimals; d < 4; ++d) {
        count *= 10;
    }
    return Money::from_count(count);
}

}  // namespace money_literals

}  // namespace corvandel
