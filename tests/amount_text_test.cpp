#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

#include "calc/amount_text.h"
#include "calc/readings.h"

namespace corvandel {
namespace {

using namespace money_literals;

Money count(std::int64_t ten_thousandths) {
    return Money::from_count(ten_thousandths);
}

struct AmountTextCase {
    Money amount;
    const char* two_decimals;
    const char* plain;
};

TEST(AmountText, RoundsToTheEvenCentAndWritesBothForms) {
    const AmountTextCase cases[] = {
        {2.125_usd, "2.12", "2.12"},
        {2.135_usd, "2.14", "2.14"},
        {count(-21250), "-2.12", "-2.12"},
        {0.005_usd, "0.00", "0"},
        {0.015_usd, "0.02", "0.02"},
        {1234.5_usd, "1234.50", "1234.5"},
        {count(-34000), "-3.40", "-3.4"},
        {Money{}, "0.00", "0"},
        {0.105_usd, "0.10", "0.1"},
        {1.40_usd, "1.40", "1.4"},
        {30.56_usd, "30.56", "30.56"},
        {31_usd, "31.00", "31"},
        {count(-5250), "-0.52", "-0.52"},
        {count(-50), "0.00", "0"},
        {count(-49), "0.00", "0"},
        {1000000_usd, "1000000.00", "1000000"},
        {count(std::numeric_limits<std::int64_t>::min()), "-922337203685477.58",
         "-922337203685477.58"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(amount_text(c.amount), c.two_decimals) << c.amount.count();
        EXPECT_EQ(plain_amount_text(c.amount), c.plain) << c.amount.count();
    }
}

struct DoubleTextCase {
    double value;
    const char* text;
};

TEST(AmountText, DoublesRoundDirectlyToTwoDecimalsWithHalvesToEven) {
    const DoubleTextCase cases[] = {
        {45.045045045045, "45.05"},
        {0.125, "0.12"},
        {0.375, "0.38"},
        {-0.125, "-0.12"},
        {85.4, "85.40"},
        {-414.6, "-414.60"},
        {72.8125, "72.81"},
        {-0.001, "0.00"},
        {-0.0, "0.00"},
        {1e16, "10000000000000000.00"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(two_decimal_text_of(c.value), c.text) << c.value;
    }
}

struct FifteenDigitsCase {
    double value;
    std::int64_t cents;
};

TEST(AmountText, FifteenSignificantDigitsThenHalvesAwayFromZero) {
    const FifteenDigitsCase cases[] = {
        {0.2 + 0.1 + 0.005, 31},
        {0.305, 31},  // held just below 0.305, but 15 digits make it a
                      // half
        {-0.305, -31},
        {0.125, 13},
        {1.46, 146},
        {0.35 + 0.59 + 0.52, 146},
        {0.3049999, 30},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cents_from_15_digits(c.value), c.cents) << c.value;
    }
}

TEST(AmountTextProperty, TwoDecimalTextAgreesWithPrintfOnWholeCents) {
    std::mt19937_64 random(17);
    for (int i = 0; i < 100000; ++i) {
        const auto cents = std::uniform_int_distribution<std::int64_t>(-92233720368547758,
                                                                       92233720368547758)(random) >>
                           (random() % 60);
        char expected[40];
        std::snprintf(expected, sizeof expected, "%s%" PRId64 ".%02" PRId64, cents < 0 ? "-" : "",
                      (cents < 0 ? -cents : cents) / 100, (cents < 0 ? -cents : cents) % 100);
        ASSERT_EQ(two_decimal_text(cents), expected);
    }
}

// Past 2^53 cents the two-decimal text is read, below it the cents are divided.
TEST(AmountTextProperty, NumberOfCentsIsWhatItsTextReadsAs) {
    std::mt19937_64 random(29);
    auto all_cents =
        std::uniform_int_distribution<std::int64_t>(-92233720368547758, 92233720368547758);
    for (int i = 0; i < 200000; ++i) {
        const std::int64_t cents = all_cents(random) >> (random() % 60);
        ASSERT_EQ(number_of_cents(cents), leading_number(two_decimal_text(cents))) << cents;
    }
}

}  // namespace
}  // namespace corvandel
