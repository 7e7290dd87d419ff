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

cli::Solution solve(const std::vector<Entry>& typed, const Target& target) {
    cli::ListingRunner runner;
    cli::Outcome outcome;
    EXPECT_TRUE(runner.enter(listing_of(typed), outcome)) << outcome.error;
    return cli::lowest_end_price(runner, target);
}

// What the window shows at every ending price from 0.01 up to a little over 1000.00, one cent
// after another: the oracle the search is held to.
struct Sweep {
    static constexpr std::int64_t last_cent = 110'000;
    std::vector<Money> profit = std::vector<Money>(1);  // by cents; nothing shown at 0
    std::vector<Money> margin = std::vector<Money>(1);

    explicit Sweep(const std::vector<Entry>& typed) {
        Calculation window;
        window.type(typed);
        for (std::int64_t cents = 1; cents <= last_cent; ++cents) {
            window.type(C::txt_end_price, two_decimal_text(cents)).calculate();
            profit.push_back(*strict_amount(window.shows(C::txt_profit)));
            margin.push_back(*strict_amount(window.shows(C::txt_profit_margin)));
        }
    }

    const std::vector<Money>& of(Target::Of what) const {
        return what == Target::Of::profit ? profit : margin;
    }

    // The lowest cent that shows at least the target, or nothing up to the last one swept.
    std::optional<std::int64_t> lowest(const Target& target) const {
        const auto& shown = of(target.of);
        for (std::int64_t cents = 1; cents <= last_cent; ++cents) {
            if (shown[static_cast<std::size_t>(cents)] >= target.at_least) {
                return cents;
            }
        }
        return std::nullopt;
    }
};

struct SolverCase {
    const char* name;
    std::vector<Entry> typed;
    std::vector<const char*> margins;  // besides those shown at the band edges and dips
};

void PrintTo(const SolverCase& c, std::ostream* out) {
    *out << c.name;
}

class LowestEndPrice : public testing::TestWithParam<SolverCase> {};

// For targets shown at and around the band edges of the final value fee (25.00 and 1000.00,
// where the fee changes its rate), just before each dip of the shown profit and margin (where
// a cent more makes the fees round up twice), and margins up to and past the rate the fees
// leave, the answer is the lowest cent of the sweep.
TEST_P(LowestEndPrice, IsTheLowestCentOfTheSweep) {
    const SolverCase& c = GetParam();
    const Sweep sweep(c.typed);
    std::vector<Target> targets;
    for (const Target::Of of : {Target::Of::profit, Target::Of::margin}) {
        const auto& shown = sweep.of(of);
        for (const std::int64_t cents : {1, 2, 2499, 2500, 2501, 99'999, 100'000, 100'001}) {
            targets.push_back({of, shown[static_cast<std::size_t>(cents)]});
        }
        for (std::size_t cents = 2; cents < shown.size(); cents += 1) {
            if (shown[cents] < shown[cents - 1] && targets.size() < 400) {
                targets.push_back({of, shown[cents - 1]});
            }
        }
    }
    for (const char* margin : c.margins) {
        targets.push_back(*cli::target_from(Target::Of::margin, margin));
    }
    for (const Target& target : targets) {
        const auto expected = sweep.lowest(target);
        const auto solution = solve(c.typed, target);
        const std::string which = (target.of == Target::Of::profit ? "profit " : "margin ") +
                                  amount_text(target.at_least);
        if (expected) {
            ASSERT_EQ(solution.kind, cli::Solution::Kind::found) << which;
            EXPECT_EQ(solution.cents, *expected) << which;
        } else {
            EXPECT_TRUE(solution.kind != cli::Solution::Kind::found ||
                        solution.cents > Sweep::last_cent)
                << which << " reached at " << two_decimal_text(solution.cents);
        }
    }
}

const SolverCase solver_cases[] = {
    {"CheapItem",
     {{C::txt_item_cost, "10"}, {C::txt_ship_charged, "4.50"}, {C::txt_ship_cost, "3.95"}},
     {"91.84", "91.85", "91.86", "93", "94.1", "95.59", "95.61"}},
    {"DearItem", {{C::txt_item_cost, "940"}, {C::txt_start_price, "250"}}, {"50", "91.84"}},
    {"CostsInFractionsOfACent",
     {{C::txt_item_cost, "10.005"}, {C::txt_ship_charged, "4.505"}, {C::txt_other_costs, "0.125"}},
     {"91.84", "94"}},
    {"ShippingChargedBelowZero",
     {{C::txt_item_cost, "1"}, {C::txt_ship_charged, "-5"}},
     {"-100", "0", "50", "150"}},
};

INSTANTIATE_TEST_SUITE_P(Listings, LowestEndPrice, testing::ValuesIn(solver_cases),
                         [](const auto& test) { return std::string(test.param.name); });

// Break-even for a listing whose costs put it just around each edge: an item cost that the
// price at the edge only just covers, or just misses.
TEST(BreakEven, AroundTheBandEdges) {
    for (const char* item_cost : {"21.37", "21.38", "21.39", "935.81", "935.82", "935.83"}) {
        const std::vector<Entry> typed{{C::txt_item_cost, item_cost}};
        const auto solution = solve(typed, *cli::target_from("break-even"));
        ASSERT_EQ(solution.kind, cli::Solution::Kind::found) << item_cost;
        for (const std::int64_t cents : {solution.cents - 1, solution.cents}) {
            Calculation window;
            window.type(typed).type(C::txt_end_price, two_decimal_text(cents)).calculate();
            EXPECT_EQ(*strict_amount(window.shows(C::txt_profit)) >= Money{},
                      cents == solution.cents)
                << item_cost << " at " << two_decimal_text(cents);
        }
    }
}

// The program prints the same answer, "unreachable" with status 3 when there is none, and the
// batch puts both in their rows, where an unreachable target leaves the row refused.
TEST(SolvingFromTheCommandLine, AgreesWithTheSearchInMemory) {
    const std::vector<Entry> cheap_item{
        {C::txt_item_cost, "10"}, {C::txt_ship_charged, "4.50"}, {C::txt_ship_cost, "3.95"}};
    const auto solution = solve(cheap_item, *cli::target_from(Target::Of::profit, "12.34"));
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

    const std::string inventory = "item_cost,shipping_charged,shipping_cost\n10,4.50,3.95\n";
    const ProgramRun batch = run_program(
        CORVANDEL_CALC, {"--batch", "-", "--solve", "profit=12.34"}, inventory + "1e15,,\n");
    EXPECT_EQ(batch.status, 1) << batch.err;
    EXPECT_NE(batch.out.find("," + answer + ",,\n"), std::string::npos) << batch.out;
    EXPECT_NE(batch.out.find(",The Item Cost is too large to calculate with"), std::string::npos)
        << batch.out;

    const ProgramRun none =
        run_program(CORVANDEL_CALC, {"--batch", "-", "--solve", "margin=99"}, inventory);
    EXPECT_EQ(none.status, 1) << none.err;
    EXPECT_NE(none.out.find(",unreachable: no ending price reaches the target\n"),
              std::string::npos)
        << none.out;
    EXPECT_NE(none.err.find("<stdin>:2: error: 1 of 1 rows refused"), std::string::npos)
        << none.err;
}

}  // namespace
}  // namespace corvandel
