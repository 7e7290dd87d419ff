#include "calc/readings.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "calc/number_text.h"
#include "calc/rounding.h"

namespace corvandel {

namespace {

constexpr int money_places = 4;

std::optional<Money> amount_of(std::string_view number) {
    const auto count = scaled_value(number, money_places, Tie::to_even);
    if (!count) {
        return std::nullopt;
    }
    return Money::from_count(*count);
}

// The number at the start of the text once its blanks are skipped. The blanks are taken out,
// into `compact`, only when there are any.
std::string_view leading_number_text(std::string_view text, std::string& compact) {
    if (std::any_of(text.begin(), text.end(), is_blank)) {
        compact = without_blanks(text);
        text = compact;
    }
    return text.substr(0, number_prefix_length(text));
}

}  // namespace

double leading_number(std::string_view text) {
    std::string compact;
    const std::string_view number = leading_number_text(text, compact);
    return number.empty() ? 0.0 : double_value(number);
}

std::optional<Money> leading_amount(std::string_view text) {
    std::string compact;
    const std::string_view number = leading_number_text(text, compact);
    return number.empty() ? Money{} : amount_of(number);
}

std::optional<Money> strict_amount(std::string_view text) {
    if (!is_number(text)) {
        return std::nullopt;
    }
    return amount_of(trimmed(text));
}

std::optional<std::int64_t> to_nearest_whole(double value, std::int64_t scale) {
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    if (value == 0) {
        return 0;
    }
    // value = mantissa * 2^exponent exactly, with a whole mantissa of at most 53 bits.
    constexpr int mantissa_bits = 53;
    int exponent = 0;
    const double fraction = std::frexp(std::fabs(value), &exponent);
    const auto mantissa = static_cast<Magnitude>(std::ldexp(fraction, mantissa_bits));
    const Magnitude scaled = mantissa * static_cast<Magnitude>(scale);  // below 2^67
    const int shift = exponent - mantissa_bits;
    Magnitude count = 0;
    if (shift >= 0) {
        if (shift >= 64) {
            return std::nullopt;
        }
        if (scaled > (~Magnitude{0} >> (shift + 1))) {
            return std::nullopt;
        }
        count = scaled << shift;
    } else if (-shift < 100) {
        count = divide_rounded(scaled, Magnitude{1} << -shift, Tie::to_even);
    }
    return signed_count(value < 0, count);
}

std::optional<Money> to_money(double value) {
    const auto count = to_nearest_whole(value, Money::per_dollar);
    if (!count) {
        return std::nullopt;
    }
    return Money::from_count(*count);
}

}  // namespace corvandel
