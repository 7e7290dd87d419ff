#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvandel {

// The number texts both readings understand: an optional sign, digits with at most one decimal
// point (always a point, whatever the user's regional settings) and at least one digit, then
// optionally the letter E in either case, an optional sign and digits. Nothing else is a
// number: no thousands separators, currency signs, parentheses or radix prefixes.

// Spaces, tabs and line feeds.
inline bool is_blank(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

// The text without the blanks before and after it.
std::string_view trimmed(std::string_view text);

// The length of the longest number at the start of `text`, 0 when it does not start with one.
// An exponent without digits is not part of the number ("1e" is the number 1 and a letter).
std::size_t number_prefix_length(std::string_view text);

// Whether the whole text, blanks before and after it aside, is a number.
bool is_number(std::string_view text);

// Where an exact half goes when a number is rounded.
enum class Tie { to_even, away_from_zero };

// The exact value of a number text times 10^places, rounded to a whole number; nothing when that
// is outside the signed 64-bit range.
std::optional<std::int64_t> scaled_value(std::string_view number, int places,
                                         Tie tie = Tie::to_even);

// The nearest double to a number text; plus or minus infinity beyond the range of doubles.
double double_value(std::string_view number);

}  // namespace corvandel
