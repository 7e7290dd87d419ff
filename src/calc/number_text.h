#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "calc/rounding.h"

namespace corvandel {

// The number texts both readings understand: an optional sign, digits with at most one decimal
// point (always a point, whatever the user's regional settings) and at least one digit, then
// optionally the letter E in either case, an optional sign and digits. Nothing else is a
// number: no thousands separators, currency signs, parentheses or radix prefixes.

// Spaces, tabs and line feeds.
inline bool is_blank(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

std::string without_blanks(std::string_view text);

// The text without the blanks before and after it; asked of every cell of a batch.
inline std::string_view trimmed(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && is_blank(text[begin])) {
        ++begin;
    }
    while (end > begin && is_blank(text[end - 1])) {
        --end;
    }
    return text.substr(begin, end - begin);
}

// The length of the longest number at the start of `text`, 0 when it does not start with one.
// An exponent without digits is not part of the number ("1e" is the number 1 and a letter).
std::size_t number_prefix_length(std::string_view text);

// Whether the whole text, blanks before and after it aside, is a number.
bool is_number(std::string_view text);

// The exact value of a number text times 10^places, rounded to a whole number with an exact
// half going to the even one; nothing when that is outside the signed 64-bit range.
std::optional<std::int64_t> scaled_value(std::string_view number, int places);

// A number text that is only an optional sign and at most 15 digits with at most one decimal
// point, as most amounts are: its digits as a whole number and how many of them follow the point.
struct ShortDecimal {
    static constexpr int most_digits = 15;

    bool negative = false;
    std::int64_t digits = 0;
    int places = 0;

    // The nearest double to the number.
    double value() const;
};

// The whole text as a short decimal, or nothing when it is anything else (blanks included).
// Defined here, so that every caller inlines it: it reads every amount of every run.
inline std::optional<ShortDecimal> short_decimal(std::string_view text) {
    // One pass, one test for most characters.
    ShortDecimal decimal;
    const char* c = text.data();
    const char* const end = c + text.size();
    if (c != end && (*c == '+' || *c == '-')) {
        decimal.negative = *c == '-';
        ++c;
    }
    const char* const first = c;
    const char* point = nullptr;
    std::uint64_t digits = 0;  // past 15 digits it may wrap; it is not used then
    for (; c != end; ++c) {
        const unsigned digit = static_cast<unsigned char>(*c) - unsigned{'0'};
        if (digit < 10) {
            digits = digits * 10 + digit;
        } else if (*c == '.' && point == nullptr) {
            point = c;
        } else {
            return std::nullopt;
        }
    }
    const std::ptrdiff_t digit_count = (end - first) - (point == nullptr ? 0 : 1);
    if (digit_count == 0 || digit_count > ShortDecimal::most_digits) {
        return std::nullopt;
    }
    decimal.digits = static_cast<std::int64_t>(digits);
    decimal.places = point == nullptr ? 0 : static_cast<int>(end - point - 1);
    return decimal;
}

// The nearest double to a number text; plus or minus infinity beyond the range of doubles.
double double_value(std::string_view number);

}  // namespace corvandel
