#include "calc/amount_text.h"

#include <array>
#include <cassert>
#include <charconv>
#include <cmath>

#include "calc/readings.h"

namespace corvandel {

namespace {

// A double in the given notation and precision, as the C library writes it in its own locale.
std::string text_of(double value, std::chars_format format, int precision) {
    // Room for every finite double written out in full.
    std::array<char, 400> buffer{};
    const auto written =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, format, precision);
    return std::string(buffer.data(), written.ptr);
}

}  // namespace

std::string two_decimal_text(std::int64_t cents) {
    // Through the unsigned type, so that the most negative count has a magnitude too.
    const std::uint64_t magnitude =
        cents < 0 ? 0 - static_cast<std::uint64_t>(cents) : static_cast<std::uint64_t>(cents);
    std::array<char, 24> text{'-'};
    char* end =
        std::to_chars(text.data() + (cents < 0 ? 1 : 0), text.data() + text.size(), magnitude / 100)
            .ptr;
    *end++ = '.';
    *end++ = static_cast<char>('0' + magnitude % 100 / 10);
    *end++ = static_cast<char>('0' + magnitude % 10);
    return std::string(text.data(), end);
}

std::string amount_text(Money amount) {
    return two_decimal_text(amount.cents());
}

std::string plain_amount_text(Money amount) {
    std::string text = amount_text(amount);
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') {
        text.pop_back();
    }
    return text;
}

double number_of_cents(std::int64_t cents) {
    // Up to 2^53 the cents and 100 are exact doubles, and dividing them gives the double nearest
    // their quotient, as reading the text does.
    constexpr std::int64_t exact = std::int64_t{1} << 53;
    if (cents >= -exact && cents <= exact) {
        return static_cast<double>(cents) / 100;
    }
    return double_value(two_decimal_text(cents));
}

std::string two_decimal_text_of(double value) {
    std::string text = text_of(value, std::chars_format::fixed, 2);
    if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos) {
        text.erase(0, 1);
    }
    return text;
}

std::int64_t cents_from_15_digits(double value) {
    assert(std::fabs(value) < 1e15);
    return *scaled_value(text_of(value, std::chars_format::scientific, 14), 2, Tie::away_from_zero);
}

}  // namespace corvandel
