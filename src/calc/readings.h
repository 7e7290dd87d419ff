#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "calc/money.h"

namespace corvandel {

// How a field's text becomes a number. A number text is an optional sign, digits with at most one
// decimal point (always a point) and at least one digit, then optionally the letter E in either
// case, an optional sign and digits: no thousands separators, currency signs or parentheses.
// Amounts are taken from their exact decimal value (a typed 1.00015 is exactly halfway and
// becomes 1.0002), a computed double from the exact binary value it holds.

inline bool is_blank(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

// The text without the blanks before and after it.
std::string_view trimmed(std::string_view text);

// Whether the whole text, blanks before and after it aside, is a number.
bool is_number(std::string_view text);

enum class Tie { to_even, away_from_zero };

// The exact value of a number text times 10^places, rounded to a whole number; nothing when that
// is outside the signed 64-bit range.
std::optional<std::int64_t> scaled_value(std::string_view number, int places,
                                         Tie tie = Tie::to_even);

// The nearest double to a number text, 0 for an empty one; plus or minus infinity beyond the
// range of doubles.
double double_value(std::string_view number);

// The leading-number reading: blanks anywhere are skipped, then the longest number at the start
// is read and the rest ignored. Never fails: text with no number reads as 0 ("None", "", "abc"),
// 12abc as 12, 1,000 as 1, $5 as 0.
double leading_number(std::string_view text);

// The longest number at the start of the text once its blanks are skipped; empty where none.
std::string leading_number_text(std::string_view text);

// A number text as Money, from its exact decimal value; 0 for an empty text. Nothing when the
// amount is outside the Money range.
std::optional<Money> amount_of(std::string_view number);

// The leading-number reading made Money; nothing outside the Money range.
std::optional<Money> leading_amount(std::string_view text);

// The strict reading: the whole text, blanks before and after it aside, must be a number.
// Nothing when it is not, or when the amount is outside the Money range.
std::optional<Money> strict_amount(std::string_view text);

// `value` to `places` decimals, as a whole count of the last place, from the exact binary value
// it holds with an exact half going to the even neighbour. Nothing for infinities, NaN and counts
// outside the signed 64-bit range.
std::optional<std::int64_t> to_nearest_whole(double value, int places);

// The nearest ten-thousandth to the exact value of `value`, an exact half going to the even
// neighbour. Nothing for infinities, NaN and values outside the Money range.
std::optional<Money> to_money(double value);

// Whether the text is the lower-case word in any letter case.
inline bool is_word_in_any_case(std::string_view text, std::string_view lower_case_word) {
    return std::equal(
        text.begin(), text.end(), lower_case_word.begin(), lower_case_word.end(),
        [](char c, char w) { return (c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c) == w; });
}

}  // namespace corvandel
