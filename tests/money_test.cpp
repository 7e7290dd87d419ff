#include <gtest/gtest.h>

#include "calc/money.h"

namespace corvandel {
namespace {

using namespace money_literals;

TEST(Money, ConstantsAreExactTenThousandths) {
    EXPECT_EQ((0.20_usd).count(), 2000);
    EXPECT_EQ((0.0525_usd).count(), 525);
    EXPECT_EQ((39.95_usd).count(), 399500);
}

}  // namespace
}  // namespace corvandel
