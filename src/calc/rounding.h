#pragma once

#include <cstdint>
#include <optional>

namespace corvandel {

// 128-bit magnitudes hold every exact intermediate of the amount arithmetic: a product of two
// 64-bit counts, or a 20-digit decimal, with room to spare.
__extension__ using Magnitude = unsigned __int128;

enum class Tie { to_even, away_from_zero };

// numerator / divisor to the nearest whole number; an exact half goes as `tie` says.
Magnitude divide_rounded(Magnitude numerator, Magnitude divisor, Tie tie);

// Rounds a whole number plus a fraction described by its first dropped digit and whether any
// non-zero digit follows it.
Magnitude round_by_digit(Magnitude whole, int first_dropped_digit, bool more_after, Tie tie);

// The signed 64-bit count with this sign and magnitude, or nothing when it does not fit.
std::optional<std::int64_t> signed_count(bool negative, Magnitude magnitude);

}  // namespace corvandel
