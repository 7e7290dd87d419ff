#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <nlohmann/json.hpp>

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
        const auto shown = std::count_if(outcome.results.begin(), outcome.results.end(),
                                         [](const std::string& result) { return !result.empty(); });
        EXPECT_EQ(std::ssize(explanation.results), shown) << "listing " << drawn;
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
    const auto json = nlohmann::json::parse(run.out);
    for (const auto& item : json.at("items")) {
        if (item.at("part_of").get<std::string>() == GetParam().part_of) {
            amounts.push_back(item.at("amount"));
        }
    }
    EXPECT_EQ(amounts, GetParam().amounts) << run.out;
}

INSTANTIATE_TEST_SUITE_P(Schedule, ExplainedItems, testing::ValuesIn(item_cases),
                         [](const auto& test) { return std::string(test.param.name); });

// Every row of a sweep is what the listing gives with that ending price, for listings drawn at
// random over every option, ranges across the band edges and below zero, and steps of any cents.
TEST(Sweep, EveryRowIsTheOneListingAnswer) {
    std::mt19937_64 random(20261210);
    for (int drawn = 0; drawn < 40; ++drawn) {
        const cli::Listing listing = random_listing(random);
        const std::int64_t from = static_cast<std::int64_t>(random() % 110'000) - 500;
        const std::int64_t step = 1 + static_cast<std::int64_t>(random() % 3'000);
        const std::int64_t to = from + step * static_cast<std::int64_t>(random() % 80);
        std::FILE* file = std::tmpfile();
        cli::Output out(dup(fileno(file)));
        const int status = out.close(
            cli::run_sweep({listing, {from, to, step}, std::nullopt, ""}, out, stderr), stderr);
        std::string csv;
        std::rewind(file);
        for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) {
            csv += static_cast<char>(c);
        }
        std::fclose(file);
        const auto rows = csv_rows(csv);
        cli::ListingRunner runner;
        cli::Listing priced = listing;
        for (std::int64_t cents = from, row = 1; cents <= to; cents += step, ++row) {
            priced.texts[ending_price] = two_decimal_text(cents);
            const cli::Outcome outcome = runner.run(priced);
            if (outcome.refused()) {
                EXPECT_EQ(status, 1) << "listing " << drawn;
                break;
            }
            ASSERT_LT(static_cast<std::size_t>(row), rows.size()) << "listing " << drawn;
            std::vector<std::string> expected{two_decimal_text(cents)};
            expected.insert(expected.end(), outcome.results.begin(), outcome.results.end());
            EXPECT_EQ(rows[row], expected) << "listing " << drawn;
        }
    }
}

// The row a target marks is the one of the price the program answers for the target.
TEST(Sweep, MarksTheRowOfTheLowestPriceReachingTheTarget) {
    std::vector<std::string> arguments{"--item-cost=12.50", "--shipping-charged=5",
                                       "--shipping-cost=4.20", "--break-even"};
    const std::string break_even = run_program(CORVANDEL_CALC, arguments).out;
    arguments.push_back("--sweep=13:14:0.01");
    const auto rows = csv_rows(run_program(CORVANDEL_CALC, arguments).out);
    ASSERT_EQ(rows.size(), 102u);
    for (const auto& row : rows) {
        EXPECT_EQ(row.back() == "lowest", row.front() + "\n" == break_even) << row.front();
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
