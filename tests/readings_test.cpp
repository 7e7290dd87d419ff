#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>
#include <random>
#include <string>

#include "calc/readings.h"

namespace corvandel {
namespace {

using namespace money_literals;

constexpr double infinity = std::numeric_limits<double>::infinity();

struct LeadingCase {
    const char* text;
    double number;
};

TEST(LeadingNumber, ReadsTheNumberAtTheStartAndIgnoresTheRest) {
    const LeadingCase cases[] = {
        {"None", 0},
        {"none", 0},
        {"Free", 0},
        {"", 0},
        {"abc", 0},
        {"12abc", 12},
        {"1,000", 1},
        {"$5", 0},
        {"1 2.5", 12.5},
        {"3.7.1", 3.7},
        {"1e2", 100},
        {"1E-2", 0.01},
        {"1e", 1},
        {"1e+", 1},
        {"2e3x", 2000},
        {".5", 0.5},
        {"5.", 5},
        {"-.5", -0.5},
        {"+7", 7},
        {"-", 0},
        {".", 0},
        {"e5", 0},
        {" \t\n4\t5 ", 45},
        {"- 3", -3},
        {"1e 2", 100},
        {"0x10", 0},
        {"inf", 0},
        {"nan", 0},
        {"1e999", infinity},
        {"-1e999", -infinity},
        {"1e-999", 0},
        {"12,5", 12},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(leading_number(c.text), c.number) << '"' << c.text << '"';
    }
}

struct StrictCase {
    const char* text;
    std::optional<Money> amount;
};

TEST(StrictAmount, ReadsOnlyAWholeNumber) {
    const StrictCase cases[] = {
        {"12", 12_usd},
        {" 12 ", 12_usd},
        {"\t-0.5\n", Money::from_count(-5000)},
        {"1e3", 1000_usd},
        {".5", 0.5_usd},
        {"5.", 5_usd},
        {"-0", Money{}},
        {"+3", 3_usd},
        {"212.50", 212.50_usd},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"12abc", std::nullopt},
        {"1.2.3", std::nullopt},
        {"$", std::nullopt},
        {"None", std::nullopt},
        {"1 2", std::nullopt},
        {"1e", std::nullopt},
        {"1,000", std::nullopt},
        {".", std::nullopt},
        {"-", std::nullopt},
        {"1e20", std::nullopt},
        {"1e999", std::nullopt},
        {"0e999999999999999999", Money{}},
        {"922337203685477.5807", Money::from_count(std::numeric_limits<std::int64_t>::max())},
        {"922337203685477.5808", std::nullopt},
        {"-922337203685477.5808", Money::from_count(std::numeric_limits<std::int64_t>::min())},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(strict_amount(c.text), c.amount) << '"' << c.text << '"';
    }
}

struct ExactCase {
    const char* text;
    std::int64_t count;  // from the exact decimal value
    std::int64_t count_from_nearest_double;
};

// Amounts come from the exact decimal text, never from the double nearest to it. These are the
// places where the two differ.
TEST(Readings, AmountsComeFromTheExactDecimalText) {
    const ExactCase cases[] = {
        {"0.00015", 2, 1},
        {"1.00025", 10002, 10003},
        {"5.00055", 50006, 50005},
        {"0.00005", 0, 1},
        {"123456789012.3457", 1234567890123457, 1234567890123457},
        {"98765432109876.5432", 987654321098765432, 987654321098765469},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(strict_amount(c.text), Money::from_count(c.count)) << c.text;
        EXPECT_EQ(leading_amount(c.text), Money::from_count(c.count)) << c.text;
        EXPECT_EQ(to_money(leading_number(c.text)), Money::from_count(c.count_from_nearest_double))
            << c.text;
    }
}

struct ToMoneyCase {
    double value;
    std::optional<Money> amount;
};

TEST(ToMoney, TakesTheNearestTenThousandthOfTheValueHeld) {
    const ToMoneyCase cases[] = {
        {2.00005, 2_usd},  // the double lies just below the half
        {9.99995, 10_usd},
        {0.5, 0.5_usd},
        {0.03125, 0.0312_usd},  // exact halves in binary go to the even neighbour
        {-0.09375, Money::from_count(-938)},
        {1.5 * 0.15, 0.225_usd},
        {45 * 0.029 + 0.30, 1.605_usd},
        {-2.5, Money::from_count(-25000)},
        {0.00005, Money::from_count(1)},
        {0.000049, Money{}},
        {9.2e14, 920000000000000_usd},
        {9.3e14, std::nullopt},
        {-9.3e14, std::nullopt},
        {1e300, std::nullopt},
        {infinity, std::nullopt},
        {std::nan(""), std::nullopt},
        {5e-324, Money{}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(to_money(c.value), c.amount) << c.value;
    }
}

// Texts of digits, signs, points, exponent letters, blanks and letters that cannot start any
// other form the C library knows (no x, p, i, n, a, f).
std::string random_text(std::mt19937_64& random) {
    static constexpr std::string_view alphabet = "0123456789012345678901234567890+-..eE \t\nbcgzq";
    const int length = std::uniform_int_distribution<int>(0, 14)(random);
    std::string text;
    for (int i = 0; i < length; ++i) {
        text += alphabet[random() % alphabet.size()];
    }
    return text;
}

std::string strip_blanks(const std::string& text) {
    std::string kept;
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\n') {
            kept += c;
        }
    }
    return kept;
}

TEST(ReadingsProperty, LeadingNumberAgreesWithTheCLibrary) {
    std::mt19937_64 random(7);
    for (int i = 0; i < 300000; ++i) {
        const std::string text = random_text(random);
        const std::string compact = strip_blanks(text);
        const double expected = std::strtod(compact.c_str(), nullptr);
        ASSERT_EQ(leading_number(text), expected) << '"' << text << '"';
    }
}

TEST(ReadingsProperty, StrictAmountReadsWhatTheCLibraryReadsWhole) {
    std::mt19937_64 random(11);
    for (int i = 0; i < 300000; ++i) {
        const std::string text = random_text(random);
        const std::string_view core = trimmed(text);
        const std::string whole(core);
        char* end = nullptr;
        const double expected = std::strtod(whole.c_str(), &end);
        const bool whole_is_number = !whole.empty() && end == whole.c_str() + whole.size();
        ASSERT_EQ(is_number(text), whole_is_number) << '"' << text << '"';

        const auto amount = strict_amount(text);
        if (!whole_is_number || std::fabs(expected) >= 9.3e14) {
            ASSERT_FALSE(amount) << '"' << text << '"';
            continue;
        }
        if (std::fabs(expected) > 9.2e14) {
            continue;  // the very edge of the range is in the table above
        }
        ASSERT_TRUE(amount) << '"' << text << '"';
        const double tolerance = 0.00005 + std::fabs(expected) * 1e-15;
        EXPECT_NEAR(static_cast<double>(amount->count()) / 10000, expected, tolerance)
            << '"' << text << '"';
        EXPECT_EQ(leading_amount(text), amount) << '"' << text << '"';
    }
}

// Values of every size, a third of them within a rounding error of half a ten-thousandth.
double random_value(std::mt19937_64& random) {
    if (random() % 3 == 0) {
        auto whole = std::uniform_int_distribution<std::int64_t>(-10'000'000, 10'000'000);
        return (static_cast<double>(whole(random)) + 0.5) / 10000;
    }
    const int magnitude = std::uniform_int_distribution<int>(-6, 14)(random);
    return std::uniform_real_distribution<double>(-1, 1)(random) * std::pow(10.0, magnitude);
}

TEST(ReadingsProperty, ToMoneyAgreesWithCorrectlyRoundedFixedText) {
    std::mt19937_64 random(13);
    for (int i = 0; i < 200000; ++i) {
        const double value = random_value(random);
        char buffer[64];
        const auto written =
            std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 4);
        std::string digits(buffer, written.ptr);
        digits.erase(digits.find('.'), 1);
        const auto amount = to_money(value);
        ASSERT_TRUE(amount) << value;
        EXPECT_EQ(amount->count(), std::stoll(digits)) << digits;
    }
}

}  // namespace
}  // namespace corvandel
