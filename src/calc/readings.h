#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "calc/money.h"

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

// `value` to `places` decimals, as a whole count of the last place, from the exact binary value
// it holds with an exact half going to the even neighbour. Nothing for infinities, NaN and counts
// outside the signed 64-bit range.
std::optional<std::int64_t> to_nearest_whole(double value, int places);

// The nearest ten-thousandth to the exact value of `value`, an exact half going to the even
// neighbour. Nothing for infinities, NaN and values outside the Money range.
std::optional<Money> to_money(double value);

}  // namespace corvandel
