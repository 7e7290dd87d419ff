#pragma once

#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>

#include "calc/money.h"
#include "calc/number_text.h"
#include "calc/rounding.h"

namespace corvandel {

// How a field's text becomes a number.
//
// Amounts are always taken from their exact decimal value: a typed 1.00015 is exactly halfway
// and becomes 1.0002, though the nearest double lies below it; a computed double becomes Money
// from the exact binary value it holds. Nothing is rounded twice on the way to four decimals.

// The leading-number reading: blanks anywhere are skipped, then the longest number at the start
// is read and the rest ignored. Never fails: text with no number reads as 0 ("None", "", "abc"),
// 12abc as 12, 1,000 as 1, $5 as 0.
double leading_number(std::string_view text);

// The leading-number reading made Money, from the exact decimal value of the number read.
// Nothing when the amount is outside the Money range.
std::optional<Money> leading_amount(std::string_view text);

// The strict reading: the whole text, blanks before and after it aside, must be a number.
// Nothing when it is not, or when the amount is outside the Money range.
std::optional<Money> strict_amount(std::string_view text);

// One text read in more than one of the ways above, looked at once: most texts are short
// decimals, and every reading of one comes from that look; the rest take the general readings.
class TextReadings {
  public:
    explicit TextReadings(std::string_view text);

    std::string_view text() const { return text_; }
    bool is_number() const { return decimal_ || corvandel::is_number(text_); }
    double leading_number() const;
    std::optional<Money> leading_amount() const {
        return amount_ ? amount_ : general_leading_amount();
    }
    std::optional<Money> strict_amount() const {
        return decimal_ && amount_ ? amount_ : general_strict_amount();
    }

  private:
    std::optional<Money> general_leading_amount() const;
    std::optional<Money> general_strict_amount() const;

    std::string_view text_;
    std::optional<ShortDecimal> decimal_;
    // The leading amount where the look at the text tells it: a short decimal of at most four
    // places, or none before a letter, as in the words for no amount. A run asks for it often.
    std::optional<Money> amount_;
};

// `value` times `scale` (at most 2^14), to the nearest whole number from the exact value held,
// an exact half going to the even neighbour. Nothing for infinities, NaN and results outside the
// signed 64-bit range. Defined here, with to_money, so that every caller inlines them: a checked
// result returned from a call costs more than the arithmetic.
inline std::optional<std::int64_t> to_nearest_whole(double value, std::int64_t scale) {
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    const auto [mantissa, exponent] = binary_parts(value);
    // |value| * scale is scaled * 2^exponent exactly.
    const Magnitude scaled = Magnitude{mantissa} * static_cast<Magnitude>(scale);  // below 2^67
    Magnitude count = 0;
    if (exponent >= 0) {
        if (exponent >= 64 || scaled > (~Magnitude{0} >> (exponent + 1))) {
            return std::nullopt;
        }
        count = scaled << exponent;
    } else if (-exponent < 100) {
        count = shift_rounded(scaled, -exponent);
    }
    return signed_count(value < 0, count);
}

// The nearest ten-thousandth to the exact value of `value`, an exact half going to the even
// neighbour. Nothing for infinities, NaN and values outside the Money range.
inline std::optional<Money> to_money(double value) {
    const auto count = to_nearest_whole(value, Money::per_dollar);
    if (!count) {
        return std::nullopt;
    }
    return Money::from_count(*count);
}

}  // namespace corvandel
