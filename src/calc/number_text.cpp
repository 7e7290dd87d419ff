#include "calc/number_text.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <charconv>
#include <limits>

namespace corvandel {

namespace {

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}
bool is_sign(char c) {
    return c == '+' || c == '-';
}

// A number text as significant digits times a power of ten. The digits are read where they
// stand in the text, from the first one that is not 0, stepping over the decimal point.
struct Decimal {
    static constexpr std::size_t nowhere = std::string_view::npos;

    bool negative = false;
    std::string_view written;     // the significant digits as written; empty for zero
    std::size_t point = nowhere;  // where the decimal point stands within `written`, if it does
    std::int64_t exponent = 0;

    std::size_t digit_count() const { return written.size() - (point == nowhere ? 0 : 1); }
    int digit(std::size_t i) const { return written[place_of(i)] - '0'; }
    // Whether any digit from the i-th on is not 0.
    bool any_non_zero_from(std::size_t i) const {
        return written.find_first_not_of("0.", place_of(i)) != nowhere;
    }

  private:
    std::size_t place_of(std::size_t i) const { return i < point ? i : i + 1; }
};

// Exponents beyond this are all alike: no amount survives them other than zero.
constexpr std::int64_t exponent_limit = 1'000'000'000'000;

Decimal decompose(std::string_view number) {
    Decimal decimal;
    std::size_t pos = 0;
    if (pos < number.size() && is_sign(number[pos])) {
        decimal.negative = number[pos] == '-';
        ++pos;
    }
    std::size_t point = Decimal::nowhere;
    std::size_t first_significant = Decimal::nowhere;
    for (; pos < number.size() && (is_digit(number[pos]) || number[pos] == '.'); ++pos) {
        if (number[pos] == '.') {
            point = pos;
        } else if (first_significant == Decimal::nowhere && number[pos] != '0') {
            first_significant = pos;
        }
    }
    const std::size_t digits_end = pos;
    if (first_significant != Decimal::nowhere) {
        decimal.written = number.substr(first_significant, digits_end - first_significant);
        if (point != Decimal::nowhere && point > first_significant) {
            decimal.point = point - first_significant;
        }
    }
    const auto fraction_digits =
        static_cast<std::int64_t>(point == Decimal::nowhere ? 0 : digits_end - point - 1);
    std::int64_t written_exponent = 0;
    if (pos < number.size()) {
        ++pos;  // the letter E
        bool exponent_negative = false;
        if (pos < number.size() && is_sign(number[pos])) {
            exponent_negative = number[pos] == '-';
            ++pos;
        }
        for (; pos < number.size(); ++pos) {
            written_exponent =
                std::min(written_exponent * 10 + (number[pos] - '0'), exponent_limit);
        }
        if (exponent_negative) {
            written_exponent = -written_exponent;
        }
    }
    decimal.exponent = written_exponent - fraction_digits;
    return decimal;
}

}  // namespace

std::string without_blanks(std::string_view text) {
    std::string kept;
    kept.reserve(text.size());
    std::copy_if(text.begin(), text.end(), std::back_inserter(kept),
                 [](char c) { return !is_blank(c); });
    return kept;
}

std::size_t number_prefix_length(std::string_view text) {
    const char* c = text.data();
    const char* const end = c + text.size();
    const auto skip_digits = [&c, end] {
        const char* const from = c;
        while (c != end && is_digit(*c)) {
            ++c;
        }
        return c != from;
    };
    if (c != end && is_sign(*c)) {
        ++c;
    }
    bool has_digits = skip_digits();
    if (c != end && *c == '.') {
        ++c;
        has_digits = skip_digits() || has_digits;
    }
    if (!has_digits) {
        return 0;
    }
    const char* number_end = c;
    // An exponent without digits is not part of the number.
    if (c != end && (*c == 'e' || *c == 'E')) {
        ++c;
        if (c != end && is_sign(*c)) {
            ++c;
        }
        if (skip_digits()) {
            number_end = c;
        }
    }
    return static_cast<std::size_t>(number_end - text.data());
}

bool is_number(std::string_view text) {
    const std::string_view core = trimmed(text);
    return !core.empty() && number_prefix_length(core) == core.size();
}

std::optional<std::int64_t> scaled_value(std::string_view number, int places) {
    const Decimal decimal = decompose(number);
    if (decimal.written.empty()) {
        return 0;
    }
    // Twenty significant digits already exceed every 64-bit count.
    constexpr std::int64_t widest = 20;
    const auto length = static_cast<std::int64_t>(decimal.digit_count());
    const std::int64_t shift = decimal.exponent + places;
    const std::int64_t kept = length + shift;  // digits left of the point after scaling
    if (kept > widest) {
        return std::nullopt;
    }
    if (kept < 0) {
        return 0;  // below a tenth of the last place: never reaches a half
    }
    Magnitude whole = 0;
    const auto whole_digits = std::min(kept, length);
    for (std::int64_t i = 0; i < whole_digits; ++i) {
        whole = whole * 10 + static_cast<unsigned>(decimal.digit(static_cast<std::size_t>(i)));
    }
    for (std::int64_t i = length; i < kept; ++i) {
        whole *= 10;
    }
    if (kept < length) {
        const auto first_dropped = static_cast<std::size_t>(kept);
        whole = round_by_digit(whole, decimal.digit(first_dropped),
                               decimal.any_non_zero_from(first_dropped + 1));
    }
    return signed_count(decimal.negative, whole);
}

// The digits make a whole number below 2^53 and the places a power of ten up to 10^15, both
// exact in a double, so one division rounds the value to the nearest double, as a longer reading
// would.
double ShortDecimal::value() const {
    static constexpr std::array<double, most_digits + 1> powers_of_ten{
        1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const double magnitude = static_cast<double>(digits) / powers_of_ten[places];
    return negative ? -magnitude : magnitude;
}

double double_value(std::string_view number) {
    if (const auto decimal = short_decimal(number)) {
        return decimal->value();
    }
    if (!number.empty() && number.front() == '+') {
        number.remove_prefix(1);  // from_chars takes no plus sign
    }
    double value = 0;
    const auto read = std::from_chars(number.data(), number.data() + number.size(), value);
    assert(read.ptr == number.data() + number.size());
    if (read.ec == std::errc::result_out_of_range) {
        const Decimal decimal = decompose(number);
        const bool huge = static_cast<std::int64_t>(decimal.digit_count()) + decimal.exponent > 0;
        value = huge ? std::numeric_limits<double>::infinity() : 0.0;
        if (!number.empty() && number.front() == '-') {
            value = -value;
        }
    }
    return value;
}

}  // namespace corvandel
