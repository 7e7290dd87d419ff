#include "calc/number_text.h"

#include <algorithm>
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

// Exponents beyond this are all alike: no amount survives them other than zero.
constexpr std::int64_t exponent_limit = 1'000'000'000'000;
constexpr auto npos = std::string_view::npos;

// The exponent written after the letter E, held within the limit.
std::int64_t written_exponent(std::string_view text) {
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && is_sign(text.front())) {
        text.remove_prefix(1);
    }
    std::int64_t exponent = 0;
    for (const char digit : text) {
        exponent = std::min(exponent * 10 + (digit - '0'), exponent_limit);
    }
    return negative ? -exponent : exponent;
}

}  // namespace

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
    std::size_t at = 0;
    const auto skip_digits = [&] {
        const std::size_t from = at;
        while (at < text.size() && is_digit(text[at])) {
            ++at;
        }
        return at != from;
    };
    if (at < text.size() && is_sign(text[at])) {
        ++at;
    }
    bool has_digits = skip_digits();
    if (at < text.size() && text[at] == '.') {
        ++at;
        has_digits = skip_digits() || has_digits;
    }
    if (!has_digits) {
        return 0;
    }
    const std::size_t number_end = at;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        if (at < text.size() && is_sign(text[at])) {
            ++at;
        }
        if (skip_digits()) {
            return at;
        }
    }
    return number_end;
}

bool is_number(std::string_view text) {
    const std::string_view core = trimmed(text);
    return !core.empty() && number_prefix_length(core) == core.size();
}

std::optional<std::int64_t> scaled_value(std::string_view number, int places, Tie tie) {
    const bool negative = !number.empty() && number.front() == '-';
    if (!number.empty() && is_sign(number.front())) {
        number.remove_prefix(1);
    }
    const std::size_t letter_e = std::min(number.find_first_of("eE"), number.size());
    // The value is `digits` times 10^exponent; the digits start at the first that is not 0.
    std::int64_t exponent = places;
    if (letter_e < number.size()) {
        exponent += written_exponent(number.substr(letter_e + 1));
    }
    std::string digits;
    bool after_point = false;
    for (const char c : number.substr(0, letter_e)) {
        if (c == '.') {
            after_point = true;
            continue;
        }
        exponent -= after_point ? 1 : 0;
        if (!digits.empty() || c != '0') {
            digits += c;
        }
    }
    // Twenty whole digits already exceed every 64-bit count; below a tenth of a unit the value
    // never reaches a half.
    const auto whole_digits = static_cast<std::int64_t>(digits.size()) + exponent;
    if (digits.empty() || whole_digits < 0) {
        return 0;
    }
    if (whole_digits > 20) {
        return std::nullopt;
    }
    if (exponent > 0) {
        digits.append(static_cast<std::size_t>(exponent), '0');
    }
    const std::string_view whole_text = std::string_view(digits).substr(0, whole_digits);
    const std::string_view dropped = std::string_view(digits).substr(whole_text.size());
    std::uint64_t whole = 0;
    if (std::from_chars(whole_text.data(), whole_text.data() + whole_text.size(), whole).ec ==
        std::errc::result_out_of_range) {
        return std::nullopt;
    }
    if (!dropped.empty() && dropped.front() >= '5') {
        const bool half = dropped.front() == '5' && dropped.find_first_not_of('0', 1) == npos;
        if (!half || tie == Tie::away_from_zero || whole % 2 == 1) {
            if (whole == std::numeric_limits<std::uint64_t>::max()) {
                return std::nullopt;
            }
            ++whole;
        }
    }
    // Through the unsigned type, so that the most negative count has a magnitude too.
    constexpr auto largest = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    if (whole > (negative ? largest + 1 : largest)) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(negative ? 0 - whole : whole);
}

double double_value(std::string_view number) {
    if (!number.empty() && number.front() == '+') {
        number.remove_prefix(1);  // from_chars takes no plus sign
    }
    double value = 0;
    const auto read = std::from_chars(number.data(), number.data() + number.size(), value);
    if (read.ec == std::errc::result_out_of_range) {
        // Beyond the doubles: a number of a whole unit or more is infinite, a smaller one 0.
        const bool huge = scaled_value(number, 0) != 0;
        value = huge ? std::numeric_limits<double>::infinity() : 0.0;
        value = !number.empty() && number.front() == '-' ? -value : value;
    }
    return value;
}

}  // namespace corvandel
