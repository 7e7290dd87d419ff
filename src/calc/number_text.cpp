#include "calc/number_text.h"

#include <algorithm>
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

std::size_t digits_from(std::string_view text, std::size_t pos) {
    std::size_t end = pos;
    while (end < text.size() && is_digit(text[end])) {
        ++end;
    }
    return end;
}

// A number text as significant digits times a power of ten.
struct Decimal {
    bool negative = false;
    std::string digits;  // no leading zeros; empty for zero
    std::int64_t exponent = 0;
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
    std::int64_t fraction_digits = 0;
    bool in_fraction = false;
    for (; pos < number.size() && (is_digit(number[pos]) || number[pos] == '.'); ++pos) {
        if (number[pos] == '.') {
            in_fraction = true;
            continue;
        }
        if (in_fraction) {
            ++fraction_digits;
        }
        if (!decimal.digits.empty() || number[pos] != '0') {
            decimal.digits.push_back(number[pos]);
        }
    }
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

bool is_blank(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

std::string without_blanks(std::string_view text) {
    std::string kept;
    kept.reserve(text.size());
    std::copy_if(text.begin(), text.end(), std::back_inserter(kept),
                 [](char c) { return !is_blank(c); });
    return kept;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && is_blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && is_blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::size_t number_prefix_length(std::string_view text) {
    std::size_t pos = 0;
    if (pos < text.size() && is_sign(text[pos])) {
        ++pos;
    }
    const std::size_t whole_end = digits_from(text, pos);
    std::size_t end = whole_end;
    if (end < text.size() && text[end] == '.') {
        end = digits_from(text, end + 1);
    }
    const std::size_t digit_count = end - pos - (end > whole_end ? 1 : 0);
    if (digit_count == 0) {
        return 0;
    }
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        std::size_t exponent = end + 1;
        if (exponent < text.size() && is_sign(text[exponent])) {
            ++exponent;
        }
        const std::size_t exponent_end = digits_from(text, exponent);
        if (exponent_end > exponent) {
            end = exponent_end;
        }
    }
    return end;
}

bool is_number(std::string_view text) {
    const std::string_view core = trimmed(text);
    return !core.empty() && number_prefix_length(core) == core.size();
}

std::optional<std::int64_t> scaled_value(std::string_view number, int places, Tie tie) {
    const Decimal decimal = decompose(number);
    if (decimal.digits.empty()) {
        return 0;
    }
    // Twenty significant digits already exceed every 64-bit count.
    constexpr std::int64_t widest = 20;
    const auto length = static_cast<std::int64_t>(decimal.digits.size());
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
        whole = whole * 10 + static_cast<unsigned>(decimal.digits[i] - '0');
    }
    for (std::int64_t i = length; i < kept; ++i) {
        whole *= 10;
    }
    if (kept < length) {
        const int first_dropped = decimal.digits[kept] - '0';
        const bool more_after =
            decimal.digits.find_first_not_of('0', kept + 1) != std::string::npos;
        whole = round_by_digit(whole, first_dropped, more_after, tie);
    }
    return signed_count(decimal.negative, whole);
}

double double_value(std::string_view number) {
    if (!number.empty() && number.front() == '+') {
        number.remove_prefix(1);  // from_chars takes no plus sign
    }
    double value = 0;
    const auto read = std::from_chars(number.data(), number.data() + number.size(), value);
    assert(read.ptr == number.data() + number.size());
    if (read.ec == std::errc::result_out_of_range) {
        const Decimal decimal = decompose(number);
        const bool huge = static_cast<std::int64_t>(decimal.digits.size()) + decimal.exponent > 0;
        value = huge ? std::numeric_limits<double>::infinity() : 0.0;
        if (!number.empty() && number.front() == '-') {
            value = -value;
        }
    }
    return value;
}

}  // namespace corvandel
