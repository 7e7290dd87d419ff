#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>

#include "calc/money.h"

namespace corvandel {
namespace {

using namespace money_literals;
__extension__ using Wide = __int128;

constexpr std::int64_t most = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t least = std::numeric_limits<std::int64_t>::min();

Money count(std::int64_t ten_thousandths) {
    return Money::from_count(ten_thousandths);
}

TEST(Money, ConstantsAreExactTenThousandths) {
    EXPECT_EQ((0.20_usd).count(), 2000);
    EXPECT_EQ((0.0525_usd).count(), 525);
    EXPECT_EQ((39.95_usd).count(), 399500);
    EXPECT_EQ((1000_usd).count(), 10000000);
}

TEST(Money, ArithmeticAtTheEdgesOfTheRangeIsRefusedNotWrapped) {
    EXPECT_EQ(count(most - 1).plus(count(1)), count(most));
    EXPECT_FALSE(count(most).plus(count(1)));
    EXPECT_EQ(count(least + 1).minus(count(1)), count(least));
    EXPECT_FALSE(count(least).minus(count(1)));
    EXPECT_FALSE(count(most / 2 + 1).times(2));
    EXPECT_FALSE(count(least).times(-1));
    EXPECT_FALSE(count(most).times(count(20000)));
    EXPECT_EQ(count(most).times(1.0000_usd), count(most));
    EXPECT_EQ(count(least).times(1.0000_usd), count(least));
}

struct ProductCase {
    Money a;
    Money b;
    Money product;
};

TEST(Money, ProductsRoundExactHalvesToTheEvenTenThousandth) {
    const ProductCase cases[] = {
        {0.01_usd, 0.015_usd, 0.0002_usd},                                           // 0.00015
        {1.67_usd, 0.015_usd, 0.0250_usd},                                           // 0.02505
        {0.03_usd, 0.015_usd, 0.0004_usd},                                           // 0.00045
        {0.07_usd, 0.0525_usd, 0.0037_usd},                                          // 0.003675
        {10_usd, 0.0525_usd, 0.525_usd},       {count(-100), 0.015_usd, count(-2)},  // -0.00015
        {count(-500), 0.0525_usd, count(-26)},                                       // -0.002625
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.a.times(c.b), c.product) << c.a.count() << " x " << c.b.count();
    }
}

struct CentsCase {
    Money amount;
    std::int64_t cents;
};

TEST(Money, CentsRoundExactHalvesToTheEvenCent) {
    const CentsCase cases[] = {
        {2.125_usd, 212},
        {2.135_usd, 214},
        {count(-21250), -212},
        {0.005_usd, 0},
        {0.015_usd, 2},
        {0.0149_usd, 1},
        {0.0051_usd, 1},
        {count(-50), 0},
        {count(most), 92233720368547758},
        {count(least), -92233720368547758},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.amount.cents(), c.cents) << c.amount.count();
    }
}

// Independent of the code: signed floor division, then the half compared on the remainder.
Wide rounded_to_even(Wide numerator, Wide divisor) {
    Wide quotient = numerator / divisor;
    Wide remainder = numerator % divisor;
    if (remainder < 0) {
        quotient -= 1;
        remainder += divisor;
    }
    if (2 * remainder > divisor || (2 * remainder == divisor && quotient % 2 != 0)) {
        quotient += 1;
    }
    return quotient;
}

// Counts of every size, and many that end in the digits where halves occur.
std::int64_t random_count(std::mt19937_64& random) {
    const int digits = std::uniform_int_distribution<int>(0, 18)(random);
    std::int64_t limit = 1;
    for (int i = 0; i < digits; ++i) {
        limit *= 10;
    }
    std::int64_t value = std::uniform_int_distribution<std::int64_t>(-limit, limit)(random);
    if (random() % 4 == 0) {
        value = value / 100 * 100 + 50;
    }
    return value;
}

TEST(MoneyProperty, ProductsAndCentsAgreeWithWideArithmetic) {
    std::mt19937_64 random(20261207);
    for (int i = 0; i < 200000; ++i) {
        const std::int64_t a = random_count(random);
        const std::int64_t b = random_count(random);
        const Wide expected = rounded_to_even(Wide{a} * b, Money::per_dollar);
        const auto product = count(a).times(count(b));
        if (expected > most || expected < least) {
            EXPECT_FALSE(product) << a << " x " << b;
        } else {
            ASSERT_TRUE(product) << a << " x " << b;
            EXPECT_EQ(product->count(), static_cast<std::int64_t>(expected)) << a << " x " << b;
        }
        EXPECT_EQ(count(a).cents(), static_cast<std::int64_t>(rounded_to_even(a, 100))) << a;
    }
}

}  // namespace
}  // namespace corvandel
