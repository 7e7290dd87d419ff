#pragma once

#include <bit>
#include <cstdint>
#include <limits>
#include <optional>
#include <type_traits>

namespace corvandel {

// 128-bit magnitudes hold every exact intermediate of the amount arithmetic: a product of two
// 64-bit counts, or a 20-digit decimal, with room to spare.
__extension__ using Magnitude = unsigned __int128;

// Every rounding here takes an exact half to the even neighbour.

// numerator / divisor to the nearest whole number, in 64 bits where the numbers fit them, as
// dividing there is much cheaper, or in 128.
template <typename Unsigned>
constexpr Unsigned divide_rounded(Unsigned numerator, std::type_identity_t<Unsigned> divisor) {
    const Unsigned whole = numerator / divisor;
    const Unsigned twice_rest = (numerator % divisor) * 2;
    return twice_rest > divisor || (twice_rest == divisor && whole % 2 == 1) ? whole + 1 : whole;
}

// The magnitude of a signed count, through the unsigned type, so that the most negative count
// has one too.
constexpr std::uint64_t magnitude_of(std::int64_t count) {
    return count < 0 ? 0 - static_cast<std::uint64_t>(count) : static_cast<std::uint64_t>(count);
}

// Rounds a whole number plus a fraction described by its first dropped digit and whether any
// non-zero digit follows it.
Magnitude round_by_digit(Magnitude whole, int first_dropped_digit, bool more_after);

// A finite double's magnitude as mantissa * 2^exponent exactly, the mantissa whole and below 2^53.
struct BinaryParts {
    std::uint64_t mantissa;
    int exponent;
};

inline BinaryParts binary_parts(double value) {
    constexpr int fraction_bits = 52;
    constexpr std::uint64_t fraction_mask = (std::uint64_t{1} << fraction_bits) - 1;
    constexpr int exponent_bias = 1023 + fraction_bits;
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const auto biased_exponent = static_cast<int>((bits >> fraction_bits) & 0x7ff);
    if (biased_exponent == 0) {
        return {bits & fraction_mask, 1 - exponent_bias};  // zero and the subnormal numbers
    }
    return {(bits & fraction_mask) | (fraction_mask + 1), biased_exponent - exponent_bias};
}

// numerator / 2^shift (shift from 1 to 127) to the nearest whole number.
inline Magnitude shift_rounded(Magnitude numerator, int shift) {
    // The bits shifted out are the rest, compared with half the divisor.
    const Magnitude half = Magnitude{1} << (shift - 1);
    const Magnitude rest = numerator & ((half << 1) - 1);
    const Magnitude whole = numerator >> shift;
    return rest > half || (rest == half && whole % 2 == 1) ? whole + 1 : whole;
}

// The signed 64-bit count with this sign and magnitude, or nothing when it does not fit.
inline std::optional<std::int64_t> signed_count(bool negative, Magnitude magnitude) {
    constexpr auto largest = static_cast<Magnitude>(std::numeric_limits<std::int64_t>::max());
    if (magnitude > (negative ? largest + 1 : largest)) {
        return std::nullopt;
    }
    // Through the unsigned type, so that the most negative count is negated too.
    const auto low = static_cast<std::uint64_t>(magnitude);
    return static_cast<std::int64_t>(negative ? 0 - low : low);
}

}  // namespace corvandel
