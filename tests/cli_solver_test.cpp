#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "calc/amount_text.h"
#include "calc/readings.h"
#include "calculation.h"
#include "cli/listing.h"
#include "cli/solver.h"
#include "input/option_interlocks.h"
#include "random_listing.h"
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

cli::Listing listing_of(const std::vector<Entry>& typed) {
    cli::Listing listing;
    for (const Entry& entry : typed) {
        for (std::size_t i = 0; i < price_fields.size(); ++i) {
            if (price_fields[i] == entry.field) {
                listing.texts[i] = entry.text;
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

    cli::ListingRunner runner;
    ASSERT_FALSE(runner.run(listing_of(c.typed)).refused());
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
        cli::ListingRunner runner;
        ASSERT_FALSE(runner.run(listing_of(typed)).refused());
        const auto solution = cli::lowest_end_price(runner, *cli::target_from("break-even"));
        ASSERT_EQ(solution.kind, cli::Solution::Kind::found) << item_cost;
        EXPECT_GE(*shown_at(typed, solution.cents, Target::Of::profit), Money{}) << item_cost;
        EXPECT_LT(*shown_at(typed, solution.cents - 1, Target::Of::profit), Money{}) << item_cost;
    }
}

// Where a cent more makes the fees round up twice, the shown profit falls by a cent; a target
// met just before such a dip is met again a few cents later, and the search must not stop there.
TEST(LowestEndPrice, IsNotFooledByTheDipsOfRounding) {
    cli::ListingRunner runner;
    ASSERT_FALSE(runner.run(listing_of(cheap_item)).refused());
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

// Margins up to and past the share of a further dollar that the fees leave, where the profit
// gains least on the target, for costs in whole cents and in fractions of a cent, and for a
// shipping charge below zero: the answer is the lowest cent of a sweep from 0.01 up.
TEST(LowestEndPrice, IsTheLowestCentOfASweepForHighMargins) {
    const std::vector<std::vector<Entry>> listings{
        cheap_item,
        {{C::txt_item_cost, "10.005"},
         {C::txt_ship_charged, "4.505"},
         {C::txt_other_costs, "0.125"}},
        {{C::txt_item_cost, "1"}, {C::txt_ship_charged, "-5"}}};
    for (const std::vector<Entry>& typed : listings) {
        Calculation window;
        window.type(typed);
        std::vector<Money> margins(1);  // by cents, to a little over 1000.00
        for (std::int64_t cents = 1; cents <= 110'000; ++cents) {
            window.type(C::txt_end_price, two_decimal_text(cents)).calculate();
            margins.push_back(*strict_amount(window.shows(C::txt_profit_margin)));
        }
        cli::ListingRunner runner;
        ASSERT_FALSE(runner.run(listing_of(typed)).refused());
        for (const char* percent : {"-100", "50", "91.84", "91.86", "93", "94.1", "95.59", "150"}) {
            const Target target = *cli::target_from("margin=" + std::string(percent));
            const auto lowest = std::find_if(margins.begin() + 1, margins.end(), [&](Money margin) {
                return margin >= target.at_least;
            });
            const auto solution = cli::lowest_end_price(runner, target);
            if (lowest != margins.end()) {
                EXPECT_EQ(solution.cents, lowest - margins.begin())
                    << typed[0].text << " " << percent;
            } else {
                EXPECT_TRUE(solution.kind != cli::Solution::Kind::found || solution.cents > 110'000)
                    << typed[0].text << " " << percent;
            }
        }
    }
}

// The program prints the same answer, "unreachable" with status 3 when there is none, and the
// batch puts both in their rows.
TEST(SolvingFromTheCommandLine, AgreesWithTheSearchInMemory) {
    cli::ListingRunner runner;
    ASSERT_FALSE(runner.run(listing_of(cheap_item)).refused());
    const auto solution = cli::lowest_end_price(runner, *cli::target_from("profit=12.34"));
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

    const std::string inventory =
        "item_cost,shipping_charged,shipping_cost,end_price\n10,4.50,3.95,45\n1e15,,,\n9e14,,,\n";
    const ProgramRun batch =
        run_program(CORVANDEL_CALC, {"--batch", "-", "--solve", "profit=12.34"}, inventory);
    EXPECT_EQ(batch.status, 1) << batch.err;
    EXPECT_NE(batch.out.find("," + answer + ",,\n"), std::string::npos) << batch.out;
    EXPECT_NE(batch.out.find(",The Item Cost is too large"), std::string::npos) << batch.out;
    EXPECT_NE(batch.out.find(",,unreachable: "), std::string::npos) << batch.out;
    // The row's own results stand beside the price found, as a batch without a target gives them.
    const auto solved = csv_rows(batch.out);
    const auto plain = csv_rows(run_program(CORVANDEL_CALC, {"--batch", "-"}, inventory).out);
    ASSERT_EQ(solved.size(), 4u);
    ASSERT_EQ(plain.size(), 4u);
    EXPECT_EQ(std::vector(solved[1].begin(), solved[1].end() - 3),
              std::vector(plain[1].begin(), plain[1].end() - 2));
}

// Whether a result's text ("-123.45", of any length) shows at least the target, compared as
// decimal texts: a margin can lie far beyond the range of amounts.
bool shows_at_least(std::string_view shown, Money target) {
    const std::int64_t count = target.count();
    const std::string least = two_decimal_text(count < 0 ? count / 100 : (count + 99) / 100);
    const bool negative = shown.starts_with('-');
    if (negative != least.starts_with('-')) {
        return !negative;
    }
    const std::string_view a = shown.substr(negative), b = std::string_view(least).substr(negative);
    const bool larger = a.size() != b.size() ? a.size() > b.size() : a > b;
    return a == b || larger != negative;
}

// The search against a sweep cent by cent from 0.01, for listings drawn at random and targets
// of every kind: break-even, profits and margins taken from what a listing shows at a price
// (so that most are reached below it, and the sweep can stop there), margins up to 99.99 and
// targets below zero. A target no cent of the sweep reaches is reached only above it, or not at
// all at a handful of prices up to billions of dollars.
TEST(LowestEndPrice, IsTheLowestCentOfASweepForRandomListings) {
    // The sanitizers look for faults of memory, which fewer listings show as well.
#if defined(__SANITIZE_ADDRESS__)
    constexpr int listings = 40;
#else
    constexpr int listings = 300;
#endif
    std::mt19937_64 random(20261208);
    for (int drawn_so_far = 0; drawn_so_far < listings; ++drawn_so_far) {
        const cli::Listing listing = random_listing(random);
        cli::ListingRunner runner;
        ASSERT_FALSE(runner.run(listing).refused());
        // Past the fee's first band edge; one listing in twelve past its second.
        const std::int64_t swept = drawn_so_far % 12 == 0 ? 101'000 : 100 + random() % 3'000;
        // The texts of the profit and the margin the window shows at an ending price.
        cli::ListingRunner sweeper;
        cli::Listing priced = listing;
        const auto sweep_at = [&](std::int64_t cents) {
            priced.texts[4] = two_decimal_text(cents);
            const cli::Outcome outcome = sweeper.run(priced);
            return outcome.refused()
                       ? std::nullopt
                       : std::optional(std::pair{outcome.results[7], outcome.results[8]});
        };
        std::vector<std::pair<std::string, std::string>> shown(1);
        for (std::int64_t cents = 1; cents <= swept; ++cents) {
            shown.push_back(*sweep_at(cents));
        }
        const auto& [profit_at, margin_at] = shown[1 + random() % swept];
        const std::int64_t offset = static_cast<std::int64_t>(random() % 20'001) - 10'000;
        const auto near = [offset](const std::string& text, std::int64_t step) {
            return Money::from_count(strict_amount(text).value_or(Money{}).count() +
                                     offset / step * step);
        };
        const Target targets[] = {
            {Target::Of::profit, Money{}},
            {Target::Of::profit, near(profit_at, 1)},
            {Target::Of::profit,
             Money::from_count(-static_cast<std::int64_t>(random() % 2'000'000))},
            {Target::Of::margin, near(margin_at, 10)},
            {Target::Of::margin,
             *Money::from_cents(9'000 + static_cast<std::int64_t>(random() % 1'000))},
        };
        for (const Target& target : targets) {
            const auto reaches = [&target](const std::pair<std::string, std::string>& at) {
                return shows_at_least(target.of == Target::Of::profit ? at.first : at.second,
                                      target.at_least);
            };
            const auto lowest = std::find_if(shown.begin() + 1, shown.end(), reaches);
            const cli::Solution solution = cli::lowest_end_price(runner, target);
            const std::string context = "listing " + std::to_string(drawn_so_far) + ", target " +
                                        amount_text(target.at_least) +
                                        (target.of == Target::Of::margin ? " %" : "");
            if (lowest != shown.end()) {
                ASSERT_EQ(solution.kind, cli::Solution::Kind::found) << context;
                EXPECT_EQ(two_decimal_text(solution.cents),
                          two_decimal_text(lowest - shown.begin()))
                    << context;
            } else if (solution.kind == cli::Solution::Kind::found) {
                EXPECT_GT(solution.cents, swept) << context;
                EXPECT_TRUE(reaches(*sweep_at(solution.cents))) << context;
            } else {
                ASSERT_EQ(solution.kind, cli::Solution::Kind::unreachable) << context;
                for (const std::int64_t dollars : {10'000LL, 1'000'000LL, 1'000'000'000LL}) {
                    const auto at = sweep_at(dollars * 100);
                    EXPECT_TRUE(!at || !reaches(*at)) << context << " at " << dollars;
                }
            }
        }
    }
}
}  // namespace
}  // namespace corvandel
