#include "calc/readings.h"

#include <algorithm>
#include <array>
#include <string>

#include "calc/number_text.h"
#include "calc/rounding.h"

namespace corvandel {

namespace {

constexpr int money_places = 4;

bool is_letter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// A short decimal of at most four places is a whole count of ten-thousandths as it stands;
// nothing when it needs rounding or a wider count.
std::optional<Money> exact_amount_of(const ShortDecimal& decimal) {
    static constexpr std::array<std::int64_t, money_places + 1> scale{10'000, 1'000, 100, 10, 1};
    std::int64_t count = 0;
    if (decimal.places > money_places ||
        __builtin_mul_overflow(decimal.digits, scale[decimal.places], &count)) {
        return std::nullopt;
    }
    return Money::from_count(decimal.negative ? -count : count);
}

std::optional<Money> amount_of(std::string_view number) {
    const auto count = scaled_value(number, money_places);
    if (!count) {
        return std::nullopt;
    }
    return Money::from_count(*count);
}

bool starts_with_letter(std::string_view text) {
    return !text.empty() && is_letter(text.front());
}

// The number at the start of the text once its blanks are skipped: none where a letter comes
// first, as in the words for no amount. The blanks are taken out, into `compact`, only when
// there are any.
std::string_view leading_number_text(std::string_view text, std::string& compact) {
    if (starts_with_letter(text)) {
        return {};
    }
    if (std::any_of(text.begin(), text.end(), is_blank)) {
        compact = without_blanks(text);
        text = compact;
    }
    return text.substr(0, number_prefix_length(text));
}

}  // namespace

TextReadings::TextReadings(std::string_view text) : text_(text), decimal_(short_decimal(text)) {
    if (decimal_) {
        amount_ = exact_amount_of(*decimal_);
    } else if (starts_with_letter(text)) {
        amount_ = Money{};
    }
}

double TextReadings::leading_number() const {
    if (decimal_) {
        return decimal_->value();
    }
    std::string compact;
    const std::string_view number = leading_number_text(text_, compact);
    return number.empty() ? 0.0 : double_value(number);
}

std::optional<Money> TextReadings::general_leading_amount() const {
    std::string compact;
    const std::string_view number = leading_number_text(text_, compact);
    return number.empty() ? Money{} : amount_of(number);
}

std::optional<Money> TextReadings::general_strict_amount() const {
    if (!is_number()) {
        return std::nullopt;
    }
    return amount_of(trimmed(text_));
}

double leading_number(std::string_view text) {
    return TextReadings(text).leading_number();
}

std::optional<Money> leading_amount(std::string_view text) {
    return TextReadings(text).leading_amount();
}

std::optional<Money> strict_amount(std::string_view text) {
    return TextReadings(text).strict_amount();
}

}  // namespace corvandel
