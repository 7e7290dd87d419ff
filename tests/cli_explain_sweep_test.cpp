#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "calc/amount_text.h"
#include "calc/readings.h"
#include "cli/explain.h"
#include "cli/sweep.h"
#include "random_listing.h"
#include "run_program.h"

namespace corvandel {
namespace {

constexpr std::size_t ending_price = 4;  // among the listing's texts

// The whole cents a sum shows once rounded as the explanation says.
std::int64_t rounded(Money sum, cli::Rounding rounding) {
    const std::int64_t count = sum.count();
    if (rounding == cli::Rounding::away_from_zero) {
        return (count + (count < 0 ? -50 : 50)) / 100;
    }
    return sum.cents();
}

// The items of each result add up to the result as the window shows it, and every result the
// window shows is explained; for listings drawn at random over every option and ending prices
// across the bands of the final value fee, below zero too.
TEST(Explanation, ItemsAddUpToEachResultShown) {
    std::mt19937_64 random(20261209);
    for (int drawn = 0; drawn < 400; ++drawn) {
        cli::Listing listing = random_listing(random);
        const std::int64_t cents = static_cast<std::int64_t>(random() % 150'000) - 1'000;
        listing.texts[ending_price] = two_decimal_text(cents);
        cli::ListingRunner runner;
        const cli::Outcome outcome = runner.run(listing);
        if (outcome.refused()) {
            continue;
        }
        const cli::Explanation explanation = cli::explain(runner.window(), outcome.results);
        std::size_t shown = 0;
        for (const std::string& result : outcome.results) {
            shown += result.empty() ? 0 : 1;
        }
        EXPECT_EQ(explanation.results.size(), shown) << "listing " << drawn;
        for (const cli::ExplainedResult& result : explanation.results) {
            Money sum;
            for (const cli::ExplainedItem& item : explanation.items) {
                EXPECT_EQ(strict_amount(item.amount_text), item.amount) << item.name;
                sum = item.part_of == result.field ? *sum.plus(item.amount) : sum;
            }
            if (result.rounding != cli::Rounding::ratio) {
                EXPECT_EQ(rounded(sum, result.rounding), strict_amount(result.shown)->cents())
                    << "listing " << drawn << ", " << cli::result_columns[result.field];
                EXPECT_EQ(result.note.find("rounded once") != std::string::npos,
                          sum.count() % 100 != 0)
                    << result.note;
            }
        }
    }
}

// The items that say how the schedule's rules apply, worked by hand.
struct ItemCase {
    const char* name;
    std::vector<std::string> arguments;
    const char* part_of;
    std::vector<std::string> amounts;
};

const ItemCase item_cases[] = {
    {"FirstBandOnly", {"--end", "12"}, "final_value_fees", {"0.63"}},
    {"FixedPartAndSecondBand", {"--end", "45"}, "final_value_fees", {"1.31", "0.60"}},
    {"AtTheFirstEdge", {"--end", "25"}, "final_value_fees", {"1.3125"}},
    {"ThirdBand", {"--end", "1000.01"}, "final_value_fees", {"30.56", "0.0002"}},
    {"ReserveShareAndItsInsertionTier",
     {"--start", "100", "--reserve", "250.55"},
     "listing_fees",
     {"2.5055", "3.60"}},
    {"PicturesAndBothDiscountsDoubled",
     {"--pictures", "3", "--gallery", "--subtitle", "--double-category"},
     "listing_fees",
     {"0.50", "0.35", "-0.20", "0.20", "0.30", "1.15"}},
    {"PaymentFeeNotCounted",
     {"--end", "45", "--shipping-charged", "5", "--no-paypal"},
     "total_fees",
     {"0.20", "1.91", "0.00"}},
};

class ExplainedItems : public testing::TestWithParam<ItemCase> {};

TEST_P(ExplainedItems, AreThoseOfTheSchedule) {
    std::vector<std::string> arguments = GetParam().arguments;
    arguments.insert(arguments.end(), {"--explain", "--json"});
    const ProgramRun run = run_program(CORVANDEL_CALC, arguments);
    ASSERT_EQ(run.status, 0) << run.err;
    std::vector<std::string> amounts;
    const std::string part_of = "\"part_of\": \"" + std::string(GetParam().part_of) + "\"";
    for (std::size_t at = run.out.find(part_of); at != std::string::npos;
         at = run.out.find(part_of, at + 1)) {
        const std::size_t amount = run.out.rfind("\"amount\": \"", at) + 11;
        amounts.push_back(run.out.substr(amount, run.out.find('"', amount) - amount));
    }
    EXPECT_EQ(amounts, GetParam().amounts) << run.out;
}

INSTANTIATE_TEST_SUITE_P(Schedule, ExplainedItems, testing::ValuesIn(item_cases),
                         [](const auto& test) { return std::string(test.param.name); });

std::vector<std::string> listing_arguments(const cli::Listing& listing) {
    std::vector<std::string> arguments;
    for (std::size_t i = 0; i < cli::text_inputs; ++i) {
        if (listing.texts[i] && i != ending_price) {
            arguments.push_back("--" + std::string(cli::input_names[i].option) + "=" +
                                *listing.texts[i]);
        }
    }
    for (std::size_t i = 0; i < cli::tick_inputs; ++i) {
        const auto& name = cli::input_names[cli::text_inputs + i];
        if (listing.ticks[i] && *listing.ticks[i] != (name.control == Control::chk_paypal)) {
            arguments.push_back("--" + std::string(name.option));
        }
    }
    return arguments;
}

// Every row of a sweep is what the listing gives with that ending price, for listings drawn at
// random over every option, ranges across the band edges and below zero, and steps of any cents.
TEST(Sweep, EveryRowIsTheOneListingAnswer) {
    std::mt19937_64 random(20261210);
    for (int drawn = 0; drawn < 40; ++drawn) {
        const cli::Listing listing = random_listing(random);
        const std::int64_t from = static_cast<std::int64_t>(random() % 110'000) - 500;
        const std::int64_t step = 1 + static_cast<std::int64_t>(random() % 3'000);
        const std::int64_t to = from + step * static_cast<std::int64_t>(random() % 80);
        std::vector<std::string> arguments = listing_arguments(listing);
        arguments.push_back("--sweep=" + two_decimal_text(from) + ":" + two_decimal_text(to) + ":" +
                            two_decimal_text(step));
        const ProgramRun run = run_program(CORVANDEL_CALC, arguments);
        const auto rows = csv_rows(run.out);
        cli::ListingRunner runner;
        cli::Listing priced = listing;
        for (std::int64_t cents = from, row = 1; cents <= to; cents += step, ++row) {
            priced.texts[ending_price] = two_decimal_text(cents);
            const cli::Outcome outcome = runner.run(priced);
            if (outcome.refused()) {
                EXPECT_EQ(run.status, 1) << "listing " << drawn;
                break;
            }
            ASSERT_LT(static_cast<std::size_t>(row), rows.size()) << "listing " << drawn;
            std::vector<std::string> expected{two_decimal_text(cents)};
            expected.insert(expected.end(), outcome.results.begin(), outcome.results.end());
            EXPECT_EQ(rows[row], expected) << "listing " << drawn;
        }
    }
}

// A sweep's row, and the row a target marks, are what one listing gives at that price.
TEST(Sweep, RowAndMarkAgreeWithTheOneListingProgram) {
    const std::vector<std::string> listing{"--item-cost=12.50", "--shipping-charged=5",
                                           "--shipping-cost=4.20"};
    auto arguments = listing;
    arguments.insert(arguments.end(), {"--sweep=13:14:0.01", "--break-even"});
    const auto rows = csv_rows(run_program(CORVANDEL_CALC, arguments).out);
    auto solve = listing;
    solve.push_back("--break-even");
    const std::string break_even = run_program(CORVANDEL_CALC, solve).out;
    ASSERT_EQ(rows.size(), 102u);
    for (const auto& row : rows) {
        EXPECT_EQ(row.back() == "lowest", row.front() + "\n" == break_even) << row.front();
    }
    auto one = listing;
    one.insert(one.end(), {"--end=13.37", "--json"});
    const std::string json = run_program(CORVANDEL_CALC, one).out;
    for (std::size_t i = 0; i < result_fields.size(); ++i) {
        EXPECT_NE(json.find("\"" + std::string(cli::result_columns[i]) + "\": \"" +
                            rows[38][i + 1] + "\""),
                  std::string::npos)
            << json;
    }
}

struct RangeCase {
    const char* name;
    const char* words;
    std::int64_t rows;  // 0: refused
};

const RangeCase range_cases[] = {
    {"StepOfADollarUnlessGiven", "0:10", 11},
    {"AMillionRows", "0.01:10000:0.01", 1'000'000},
    {"OneRowMore", "0:10000:0.01", 0},
    {"FractionOfACent", "0:10.005", 0},
    {"NotAnAmount", "0:ten", 0},
    {"ZeroStep", "0:10:0", 0},
    {"Backwards", "10:0", 0},
    {"OnePriceAlone", "-5:-5", 1},
    {"NoTo", "5", 0},
};

class SweepRange : public testing::TestWithParam<RangeCase> {};

TEST_P(SweepRange, IsReadOrRefused) {
    std::string why;
    const auto range = cli::sweep_range_from(GetParam().words, why);
    EXPECT_EQ(range ? range->rows() : 0, GetParam().rows) << why;
    EXPECT_EQ(why.empty(), range.has_value());
    if (!range) {
        const ProgramRun run = run_program(CORVANDEL_CALC, {"--sweep", GetParam().words});
        EXPECT_EQ(run.status, 2) << run.err;
        EXPECT_EQ(run.out, "");
    }
}

INSTANTIATE_TEST_SUITE_P(Words, SweepRange, testing::ValuesIn(range_cases),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace corvandel
