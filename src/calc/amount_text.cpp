#include "calc/amount_text.h"

#include <array>
#include <bit>
#include <cassert>
#include <charconv>
#include <cmath>
#include <string_view>

#include "calc/number_text.h"
#include "calc/readings.h"

namespace corvandel {

namespace {

// "00" to "99", so that the digits are written two at a time.
constexpr auto digit_pairs = [] {
    std::array<char, 200> pairs{};
    for (std::size_t i = 0; i < 100; ++i) {
        pairs[2 * i] = static_cast<char>('0' + i / 10);
        pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
    }
    return pairs;
}();

// 10^0 to 10^19, every power of ten a 64-bit count holds.
constexpr auto powers_of_ten = [] {
    std::array<std::uint64_t, 20> powers{};
    powers[0] = 1;
    for (std::size_t i = 1; i < powers.size(); ++i) {
        powers[i] = powers[i - 1] * 10;
    }
    return powers;
}();

char* write_pair(char* at, std::uint64_t two_digits) {
    at[0] = digit_pairs[2 * two_digits];
    at[1] = digit_pairs[2 * two_digits + 1];
    return at;
}

}  // namespace

CentsText::CentsText(std::int64_t cents) {
    const bool negative = cents < 0;
    std::uint64_t magnitude = magnitude_of(cents);
    // Written from the right: the decimals, the point, the whole digits and the sign.
    char* start = write_pair(chars_.data() + chars_.size() - 2, magnitude % 100);
    *--start = '.';
    magnitude /= 100;
    while (magnitude >= 100) {
        start = write_pair(start - 2, magnitude % 100);
        magnitude /= 100;
    }
    if (magnitude >= 10) {
        start = write_pair(start - 2, magnitude);
    } else {
        *--start = static_cast<char>('0' + magnitude);
    }
    if (negative) {
        *--start = '-';
    }
    start_ = static_cast<std::size_t>(start - chars_.data());
}

std::string_view CentsText::plain() const {
    std::string_view text = two_decimals();
    while (text.back() == '0') {
        text.remove_suffix(1);
    }
    if (text.back() == '.') {
        text.remove_suffix(1);
    }
    return text;
}

std::string two_decimal_text(std::int64_t cents) {
    return std::string(CentsText(cents).two_decimals());
}

std::string amount_text(Money amount) {
    return two_decimal_text(amount.cents());
}

std::string plain_amount_text(Money amount) {
    return std::string(CentsText(amount.cents()).plain());
}

double number_of_large_cents(std::int64_t cents) {
    return double_value(CentsText(cents).two_decimals());
}

std::string two_decimal_text_of(double value) {
    // Most values are whole cents that fit a count once rounded, and are written as such: the
    // same rounding as the fixed notation below, with no sign left on zero.
    constexpr std::int64_t cents_per_dollar = 100;
    if (const auto cents = to_nearest_whole(value, cents_per_dollar)) {
        return two_decimal_text(*cents);
    }
    return two_decimal_text_in_full(value);
}

std::string two_decimal_text_in_full(double value) {
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

std::int64_t cents_from_15_digits(double value) {
    // Worked in whole numbers on the exact binary value. Below 2^-16 the value is far from half a
    // cent, whatever its 15 digits; the rest is below 2^50, so the exponent is negative.
    const double magnitude = std::fabs(value);
    assert(magnitude < 1e15);
    if (magnitude < 0x1p-16) {
        return 0;
    }
    const auto [mantissa, exponent] = binary_parts(value);
    // With 2^top_bit <= |value|, the first digit of |value| stands at 10^lead, lead one of
    // floor(top_bit * log10(2)) and the next; 78913 / 2^18 is log10(2) within 10^-6. The 15
    // digits from there are |value| * 10^places to the nearest whole number (a half to the even
    // one), with places from 0 to 19.
    const int top_bit = exponent + std::bit_width(mantissa) - 1;
    const int lead = (top_bit * 78913) >> 18;
    constexpr std::uint64_t fifteen_digits = powers_of_ten[15];
    int places = 14 - lead;
    const auto scaled_by = [](std::uint64_t whole, int scale) {
        return Magnitude{whole} * powers_of_ten[static_cast<std::size_t>(scale)];
    };
    if ((scaled_by(mantissa, places) >> -exponent) >= fifteen_digits) {
        --places;
    }
    const auto digits =
        static_cast<std::uint64_t>(shift_rounded(scaled_by(mantissa, places), -exponent));
    // Then to cents, a half away from zero.
    std::uint64_t cents = 0;
    if (places >= 2) {
        const std::uint64_t per_cent = powers_of_ten[static_cast<std::size_t>(places - 2)];
        const std::uint64_t rest = digits % per_cent;
        cents = digits / per_cent + (rest * 2 >= per_cent ? 1 : 0);
    } else {
        cents = digits * powers_of_ten[static_cast<std::size_t>(2 - places)];
    }
    const auto whole_cents = static_cast<std::int64_t>(cents);
    return value < 0 ? -whole_cents : whole_cents;
}

}  // namespace corvandel
