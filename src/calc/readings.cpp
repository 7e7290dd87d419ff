#include "calc/readings.h"

#include <algorithm>
#include <charconv>
#include <cmath>
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
constexpr int money_places = 4;

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

// The length of the longest number at the start of `text`, 0 when it does not start with one.
// An exponent without digits is not part of the number ("1e" is the number 1 and a letter).
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

}  // namespace

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\n");
    return first == npos ? std::string_view()
                         : text.substr(first, text.find_last_not_of(" \t\n") + 1 - first);
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
    // The value is the mantissa's significant digits, from the first that is not 0, times
    // 10^exponent.
    std::int64_t exponent = places;
    std::int64_t digits = 0;
    std::size_t first = 0;
    std::size_t end = 0;
    bool after_point = false;
    for (; end < number.size() && number[end] != 'e' && number[end] != 'E'; ++end) {
        if (number[end] == '.') {
            after_point = true;
            continue;
        }
        exponent -= after_point ? 1 : 0;
        if (digits > 0 || number[end] != '0') {
            first = digits == 0 ? end : first;
            ++digits;
        }
    }
    if (end < number.size()) {
        exponent += written_exponent(number.substr(end + 1));
    }
    // Below a tenth of a unit the value never reaches a half; too many whole digits overflow.
    const std::int64_t whole_digits = digits + exponent;
    if (digits == 0 || whole_digits < 0) {
        return 0;
    }
    std::uint64_t whole = 0;
    const auto append_digit = [&whole](int digit) {
        return !__builtin_mul_overflow(whole, 10, &whole) &&
               !__builtin_add_overflow(whole, digit, &whole);
    };
    int first_dropped = 0;
    bool more_dropped = false;
    std::int64_t seen = 0;
    for (const char c : number.substr(first, end - first)) {
        if (c == '.') {
            continue;
        }
        if (seen < whole_digits && !append_digit(c - '0')) {
            return std::nullopt;
        }
        first_dropped = seen == whole_digits ? c - '0' : first_dropped;
        more_dropped = more_dropped || (seen > whole_digits && c != '0');
        ++seen;
    }
    for (; seen < whole_digits; ++seen) {
        if (!append_digit(0)) {
            return std::nullopt;
        }
    }
    if (first_dropped > 5 ||
        (first_dropped == 5 && (more_dropped || tie == Tie::away_from_zero || whole % 2 == 1))) {
        if (__builtin_add_overflow(whole, 1, &whole)) {
            return std::nullopt;
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
    if (number.empty()) {
        return 0;
    }
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

std::optional<Money> amount_of(std::string_view number) {
    const auto count = scaled_value(number, money_places);
    if (!count) {
        return std::nullopt;
    }
    return Money::from_count(*count);
}

std::string leading_number_text(std::string_view text) {
    std::string number;
    for (const char c : text) {
        if ((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.' || c == 'e' || c == 'E') {
            number += c;
        } else if (!is_blank(c)) {
            break;  // nothing after it continues the number
        }
    }
    number.resize(number_prefix_length(number));
    return number;
}

double leading_number(std::string_view text) {
    return double_value(leading_number_text(text));
}

std::optional<Money> leading_amount(std::string_view text) {
    return amount_of(leading_number_text(text));
}

std::optional<Money> strict_amount(std::string_view text) {
    if (!is_number(text)) {
        return std::nullopt;
    }
    return amount_of(trimmed(text));
}

std::optional<std::int64_t> to_nearest_whole(double value, int places) {
    if (!std::isfinite(value) || std::fabs(value) >= 1e19) {
        return std::nullopt;
    }
    // |value| is a whole mantissa of 53 bits times 2^exponent exactly; times 10^places it is
    // still exact in 128 bits, and below 2^100.
    int exponent = 0;
    const double fraction = std::frexp(std::fabs(value), &exponent);
    __extension__ using Wide = __int128;
    Wide scaled = static_cast<Wide>(std::ldexp(fraction, 53));
    exponent -= 53;
    for (int place = 0; place < places; ++place) {
        scaled *= 10;
    }
    if (exponent >= 0) {
        scaled <<= exponent;
    } else if (exponent > -120) {
        // Halved -exponent times, to the nearest whole number: the bits shifted out are the rest.
        const Wide half = Wide{1} << (-exponent - 1);
        const Wide rest = scaled & (2 * half - 1);
        scaled >>= -exponent;
        scaled += rest > half || (rest == half && scaled % 2 == 1) ? 1 : 0;
    } else {
        scaled = 0;
    }
    if (scaled > std::numeric_limits<std::int64_t>::max() + Wide{value < 0 ? 1 : 0}) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(value < 0 ? -scaled : scaled);
}

std::optional<Money> to_money(double value) {
    const auto count = to_nearest_whole(value, money_places);
    if (!count) {
        return std::nullopt;
    }
    return Money::from_count(*count);
}

}  // namespace corvandel
