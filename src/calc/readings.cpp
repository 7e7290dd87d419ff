#include "calc/readings.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string>

#include "calc/number_text.h"
#include "calc/rounding.h"

namespace corvandel {

namespace {

constexpr int money_places = 4;

std::optional<Money> amount_of(std::string_view number) {
    const auto count = scaled_value(number, money_places, Tie::to_even);
    if (!count) {
        return std::nullopt;
    }
    return Money::from_count(*count);
}

std::string_view leading_number_text(const std::string& compact) {
    return std::string_view(compact).substr(0, number_prefix_length(compact));
}

}  // namespace

double leading_number(std::string_view text) {
    const std::string compact = without_blanks(text);
    const std::string_view number = leading_number_text(compact);
    return number.empty() ? 0.0 : double_value(number);
}

std::optional<Money> leading_amount(std::string_view text) {
    const std::string compact = without_blanks(text);
    const std::string_view number = leading_number_text(compact);
    return number.empty() ? Money{} : amount_of(number);
}

std::optional<Money> strict_amount(std::string_view text) {
    if (!is_number(text)) {
        return std::nullopt;
    }
    return amount_of(trimmed(text));
}

std::optional<Money> to_money(double value) {
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    // The exact binary value rounded to four decimals, an exact half to the even neighbour;
    // room for every finite double written out in full.
    std::array<char, 400> buffer{};
    const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                       std::chars_format::fixed, money_places);
    return amount_of(std::string_view(buffer.data(), written.ptr));
}

}  // namespace corvandel
