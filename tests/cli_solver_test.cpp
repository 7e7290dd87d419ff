#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "calc/amount_text.h"
#include "calc/readings.h"
#include "calculation.h"
#include "cli/solver.h"
#include "run_program.h"

namespace corvandel {
namespace {

using C = Control;
using cli::Target;

struct SolverCase {
    const char* name;
    std::vector<Entry> typed;
    Target::Of of;
    std::int64_t target_from_cents;  // the target is what the window shows at this price
};

void PrintTo(const SolverCase& c, std::ostream* out) {
    *out << c.name;
}

// The profit or margin the window shows at an ending price, calculated afresh.
std::optional<Money> shown_at(const std::vector<Entry>& typed, std::int64_t cents, Target::Of of) {
    Calculation window;
    window.type(typed).type(C::txt_end_price, two_decimal_text(cents)).calculate();
    if (window.calculator.refusal()) {
        return std::nullopt;
    }
    return strict_amount(
        window.shows(of == Target::Of::profit ? C::txt_profit : C::txt_profit_margin));
}

cli::Listing listing_of(const std::vector<Entry>& typed, std::vector<std::string>& texts) {
    cli::Listing listing;
    texts.reserve(typed.size());
    for (const Entry& entry : typed) {
        texts.emplace_back(entry.text);
        for (std::size_t i = 0; i < price_fields.size(); ++i) {
            if (price_fields[i] == entry.field) {
                listing.prices[i] = texts.back();
            }
        }
    }
    return listing;
}

class LowestEndPrice : public testing::TestWithParam<SolverCase> {};

// The answer reaches the target and no cent below it does, checked a dollar down, well beyond
// where the rounding of the fees could let a lower price reach it.
TEST_P(LowestEndPrice, ReachesTheTargetAndNoLowerCentDoes) {
    const SolverCase& c = GetParam();
    const auto target_amount = shown_at(c.typed, c.target_from_cents, c.of);
    ASSERT_TRUE(target_amount);
    const Target target{c.of, *target_amount};

    std::vector<std::string> texts;
    cli::ListingRunner runner;
    cli::Outcome outcome;
    ASSERT_TRUE(runner.enter(listing_of(c.typed, texts), outcome)) << outcome.error;
    const cli::Solution solution = cli::lowest_end_price(runner, target);
    ASSERT_EQ(solution.kind, cli::Solution::Kind::found);

    EXPECT_LE(solution.cents, c.target_from_cents);
    EXPECT_GE(*shown_at(c.typed, solution.cents, c.of), target.at_least);
    for (std::int64_t cents = std::max<std::int64_t>(1, solution.cents - 100);
         cents < solution.cents; ++cents) {
        EXPECT_LT(*shown_at(c.typed, cents, c.of), target.at_least)
            << two_decimal_text(cents) << " reaches the target below "
            << two_decimal_text(solution.cents);
    }
}

const std::vector<Entry> cheap_item{
    {C::txt_item_cost, "10"}, {C::txt_ship_charged, "4.50"}, {C::txt_ship_cost, "3.95"}};
const std::vector<Entry> dear_item{{C::txt_item_cost, "940"}, {C::txt_start_price, "250"}};

// Targets at and around the band edges of the final value fee, 25.00 and 1000.00, where the
// fee changes its rate.
const SolverCase solver_cases[] = {
    {"ProfitJustBelow25", cheap_item, Target::Of::profit, 2499},
    {"ProfitAt25", cheap_item, Target::Of::profit, 2500},
    {"ProfitJustAbove25", cheap_item, Target::Of::profit, 2501},
    {"ProfitJustBelow1000", cheap_item, Target::Of::profit, 99999},
    {"ProfitAt1000", cheap_item, Target::Of::profit, 100000},
    {"ProfitJustAbove1000", cheap_item, Target::Of::profit, 100001},
    {"BreakEvenNear1000", dear_item, Target::Of::profit, 100000},
    {"MarginAt25", cheap_item, Target::Of::margin, 2500},
    {"MarginJustAbove25", cheap_item, Target::Of::margin, 2501},
    {"MarginAt1000", dear_item, Target::Of::margin, 100000},
    {"MarginJustAbove1000", dear_item, Target::Of::margin, 100001},
};

INSTANTIATE_TEST_SUITE_P(BandEdges, LowestEndPrice, testing::ValuesIn(solver_cases),
                         [](const auto& test) { return std::string(test.param.name); });

// Break-even for a listing whose costs put it just around each edge: an item cost that the
// price at the edge only just covers, or just misses.
TEST(BreakEven, AroundTheBandEdges) {
    for (const char* item_cost : {"21.37", "21.38", "21.39", "935.81", "935.82", "935.83"}) {
        const std::vector<Entry> typed{{C::txt_item_cost, item_cost}};
        std::vector<std::string> texts;
        cli::ListingRunner runner;
        cli::Outcome outcome;
        ASSERT_TRUE(runner.enter(listing_of(typed, texts), outcome));
        const auto solution = cli::lowest_end_price(runner, *cli::target_from("break-even"));
        ASSERT_EQ(solution.kind, cli::Solution::Kind::found) << item_cost;
        EXPECT_GE(*shown_at(typed, solution.cents, Target::Of::profit), Money{}) << item_cost;
        EXPECT_LT(*shown_at(typed, solution.cents - 1, Target::Of::profit), Money{}) << item_cost;
    }
}

// Where a cent more makes the fees round up twice, the shown profit falls by a cent; a target
// met just before such a dip is met again a few cents later, and the search must not stop there.
TEST(LowestEndPrice, IsNotFooledByTheDipsOfRounding) {
    std::vector<std::string> texts;
    cli::ListingRunner runner;
    cli::Outcome outcome;
    ASSERT_TRUE(runner.enter(listing_of(cheap_item, texts), outcome));
    int dips = 0;
    std::optional<Money> before = shown_at(cheap_item, 1, Target::Of::profit);
    for (std::int64_t cents = 2; cents <= 110'000; ++cents) {
        const std::optional<Money> now = shown_at(cheap_item, cents, Target::Of::profit);
        if (*now < *before) {
            ++dips;
            const auto solution = cli::lowest_end_price(runner, {Target::Of::profit, *before});
            ASSERT_EQ(solution.kind, cli::Solution::Kind::found);
            EXPECT_LE(solution.cents, cents - 1) << "the profit " << amount_text(*before);
        }
        before = now;
    }
    EXPECT_GT(dips, 0);
}

// The program prints the same answer, "unreachable" with status 3 when there is none, and the
// batch puts both in their rows.
TEST(SolvingFromTheCommandLine, AgreesWithTheSearchInMemory) {
    std::vector<std::string> texts;
    cli::ListingRunner runner;
    cli::Outcome outcome;
    ASSERT_TRUE(runner.enter(listing_of(cheap_item, texts), outcome));
    const auto solution =
        cli::lowest_end_price(runner, *cli::target_from(Target::Of::profit, "12.34"));
    ASSERT_EQ(solution.kind, cli::Solution::Kind::found);
    const std::string answer = two_decimal_text(solution.cents);

    const std::vector<std::string> listing{"--item-cost=10", "--shipping-charged=4.50",
                                           "--shipping-cost=3.95"};
    auto arguments = listing;
    arguments.emplace_back("--target-profit=12.34");
    const ProgramRun found = run_program(CORVANDEL_CALC, arguments);
    EXPECT_EQ(found.status, 0) << found.err;
    EXPECT_EQ(found.out, answer + "\n");

    arguments = listing;
    arguments.emplace_back("--target-margin=99");
    const ProgramRun unreachable = run_program(CORVANDEL_CALC, arguments);
    EXPECT_EQ(unreachable.status, 3) << unreachable.err;
    EXPECT_EQ(unreachable.out, "unreachable\n");

    const ProgramRun batch =
        run_program(CORVANDEL_CALC, {"--batch", "-", "--solve", "profit=12.34"},
                    "item_cost,shipping_charged,shipping_cost\n10,4.50,3.95\n1e15,,\n");
    EXPECT_EQ(batch.status, 0) << batch.err;
    EXPECT_NE(batch.out.find("," + answer + ",,\n"), std::string::npos) << batch.out;
    EXPECT_NE(batch.out.find(",unreachable: "), std::string::npos) << batch.out;
}

}  // namespace
}  // namespace corvandel
