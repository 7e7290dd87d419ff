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

// Exponents beyond this are all alike: no amount survives them other than zero.
constexpr std::int64_t exponent_limit = 1'000'000'000'000;

// The number at the start of a text: how long it is, and its value as significant digits times
// a power of ten. An exponent without digits is not part of the number ("1e" is the number 1
// and a letter).
struct ScannedNumber {
    std::size_t length = 0;  // 0 when the text does not start with a number
    bool negative = false;
    std::string digits;  // no leading zeros; empty for zero
    std::int64_t exponent = 0;
};

ScannedNumber scan_number(std::string_view text) {
    ScannedNumber number;
    std::size_t pos = 0;
    if (pos < text.size() && is_sign(text[pos])) {
        number.negative = text[pos] == '-';
        ++pos;
    }
    bool has_digits = false;
    bool in_fraction = false;
    std::int64_t fraction_digits = 0;
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c == '.' && !in_fraction) {
            in_fraction = true;
            continue;
        }
        if (!is_digit(c)) {
            break;
        }
        has_digits = true;
        if (in_fraction) {
            ++fraction_digits;
        }
        if (!number.digits.empty() || c != '0') {
            number.digits.push_back(c);
        }
    }
    if (!has_digits) {
        return {};
    }
    number.length = pos;
    std::int64_t written_exponent = 0;
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        std::size_t exponent_start = pos + 1;
        const bool exponent_negative = exponent_start < text.size() && text[exponent_start] == '-';
        if (exponent_start < text.size() && is_sign(text[exponent_start])) {
            ++exponent_start;
        }
        for (pos = exponent_start; pos < text.size() && is_digit(text[pos]); ++pos) {
            written_exponent = std::min(written_exponent * 10 + (text[pos] - '0'), exponent_limit);
        }
        if (pos > exponent_start) {
            number.length = pos;
        }
        if (exponent_negative) {
            written_exponent = -written_exponent;
        }
    }
    number.exponent = written_exponent - fraction_digits;
    return number;
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
    return scan_number(text).length;
}

bool is_number(std::string_view text) {
    const std::string_view core = trimmed(text);
    return !core.empty() && number_prefix_length(core) == core.size();
}

std::optional<std::int64_t> scaled_value(std::string_view number, int places, Tie tie) {
    const ScannedNumber scanned = scan_number(number);
    if (scanned.digits.empty()) {
        return 0;
    }
    // Twenty significant digits already exceed every 64-bit count.
    constexpr std::int64_t widest = 20;
    const auto length = static_cast<std::int64_t>(scanned.digits.size());
    const std::int64_t shift = scanned.exponent + places;
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
        whole = whole * 10 + static_cast<unsigned>(scanned.digits[i] - '0');
    }
    for (std::int64_t i = length; i < kept; ++i) {
        whole *= 10;
    }
    if (kept < length) {
        const int first_dropped = scanned.digits[kept] - '0';
        const bool more_after =
            scanned.digits.find_first_not_of('0', kept + 1) != std::string::npos;
        whole = round_by_digit(whole, first_dropped, more_after, tie);
    }
    return signed_count(scanned.negative, whole);
}

double double_value(std::string_view number) {
    if (!number.empty() && number.front() == '+') {
        number.remove_prefix(1);  // from_chars takes no plus sign
    }
    double value = 0;
    const auto read = std::from_chars(number.data(), number.data() + number.size(), value);
    assert(read.ptr == number.data() + number.size());
    if (read.ec == std::errc::result_out_of_range) {
        const ScannedNumber scanned = scan_number(number);
        const bool huge = static_cast<std::int64_t>(scanned.digits.size()) + scanned.exponent > 0;
        value = huge ? std::numeric_limits<double>::infinity() : 0.0;
        if (!number.empty() && number.front() == '-') {
            value = -value;
        }
    }
    return value;
}

}  // namespace corvandel
