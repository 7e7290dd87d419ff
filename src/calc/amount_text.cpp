#include "calc/amount_text.h"

#include <array>
#include <charconv>
#include <string_view>

#include "calc/number_text.h"
#include "calc/readings.h"

namespace corvandel {

std::string two_decimal_text(std::int64_t cents) {
    // Through the unsigned type, so that the most negative count has a magnitude too.
    const bool negative = cents < 0;
    const std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(cents) : static_cast<std::uint64_t>(cents);
    // A sign, up to 17 whole digits, the point and two decimals.
    std::array<char, 24> buffer{};
    char* end = buffer.data();
    if (negative) {
        *end++ = '-';
    }
    end = std::to_chars(end, buffer.data() + buffer.size(), magnitude / 100).ptr;
    const std::uint64_t rest = magnitude % 100;
    *end++ = '.';
    *end++ = static_cast<char>('0' + rest / 10);
    *end++ = static_cast<char>('0' + rest % 10);
    return std::string(buffer.data(), end);
}

std::string amount_text(Money amount) {
    return two_decimal_text(amount.cents());
}

std::string plain_amount_text(Money amount) {
    std::string text = amount_text(amount);
    while (text.back() == '0') {
        text.pop_back();
    }
    if (text.back() == '.') {
        text.pop_back();
    }
    return text;
}

double number_of_cents(std::int64_t cents) {
    // Up to 2^53 both the cents and 100 are exact doubles, and one division rounds their quotient
    // to the nearest. Beyond, the cents are rounded on the way in, so the text is read instead.
    constexpr std::int64_t exact_limit = std::int64_t{1} << 53;
    if (cents >= -exact_limit && cents <= exact_limit) {
        return static_cast<double>(cents) / 100;
    }
    return double_value(two_decimal_text(cents));
}

std::string two_decimal_text_of(double value) {
    // Most values are whole cents that fit a count once rounded, and are written as such: the
    // same rounding as the fixed notation below, with no sign left on zero.
    constexpr std::int64_t cents_per_dollar = 100;
    if (const auto cents = to_nearest_whole(value, cents_per_dollar)) {
        return two_decimal_text(*cents);
    }
    // Room for every finite double written out in full.
    std::array<char, 400> buffer{};
    const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                       std::chars_format::fixed, 2);
    std::string_view text(buffer.data(), static_cast<std::size_t>(written.ptr - buffer.data()));
    if (text.front() == '-' && text.find_first_not_of("-0.") == std::string_view::npos) {
        text.remove_prefix(1);
    }
    return std::string(text);
}

std::optional<std::int64_t> cents_from_15_digits(double value) {
    std::array<char, 40> buffer{};
    const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                       std::chars_format::scientific, 14);
    const std::string_view digits(buffer.data(),
                                  static_cast<std::size_t>(written.ptr - buffer.data()));
    return scaled_value(digits, 2, Tie::away_from_zero);
}

}  // namespace corvandel
