#include "calc/readings.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string>

#include "calc/number_text.h"

namespace corvandel {

namespace {

constexpr int money_places = 4;

std::optional<Money> amount_of(std::string_view number) {
    const auto count = scaled_value(number, money_places);
    if (!count) {
        return std::nullopt;
    }
    return Money::from_count(*count);
}

// The number at the start of the text once its blanks are skipped.
std::string leading_number_text(std::string_view text) {
    std::string compact(text);
    std::erase_if(compact, is_blank);
    compact.resize(number_prefix_length(compact));
    return compact;
}

}  // namespace

double leading_number(std::string_view text) {
    const std::string number = leading_number_text(text);
    return number.empty() ? 0.0 : double_value(number);
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
    // Beyond 10^19 no count is left, and the fixed notation of a double would run to hundreds of
    // digits.
    if (!std::isfinite(value) || std::fabs(value) >= 1e19) {
        return std::nullopt;
    }
    std::array<char, 48> text{};
    const auto written = std::to_chars(text.data(), text.data() + text.size(), value,
                                       std::chars_format::fixed, places);
    return scaled_value(std::string_view(text.data(), written.ptr - text.data()), places);
}

std::optional<Money> to_money(double value) {
    const auto count = to_nearest_whole(value, money_places);
    if (!count) {
        return std::nullopt;
    }
    return Money::from_count(*count);
}

}  // namespace corvandel
