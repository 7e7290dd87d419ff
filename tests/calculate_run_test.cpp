#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calculation.h"

namespace corvandel {
namespace {

using C = Control;

// The texts of the nine result fields, in the order the window lists them.
using Results = std::vector<std::string>;

Results results_of(const Calculation& window) {
    Results texts;
    for (Control field : result_fields) {
        texts.push_back(window.shows(field));
    }
    return texts;
}

struct RunCase {
    const char* what;
    std::vector<Entry> entries;
    std::vector<Control> ticked;
    // list fee, final value fee, eBay fees, PayPal fee, total fees, received, spent, profit, margin
    Results results;
};

void PrintTo(const RunCase& c, std::ostream* out) {
    *out << c.what;
}

class WholeRun : public testing::TestWithParam<RunCase> {};

TEST_P(WholeRun, FillsEveryResultFromTheFieldsBeforeIt) {
    const RunCase& c = GetParam();
    Calculation window;
    window.type(c.entries);
    window.tick(C::chk_paypal, 0);
    window.tick(c.ticked);
    window.calculate();
    EXPECT_EQ(results_of(window), c.results);
    EXPECT_TRUE(window.form.events().empty());
}

const RunCase whole_runs[] = {
    {"start 20, end 45, Gallery, with the PayPal fee",
     {{C::txt_start_price, "20"}, {C::txt_end_price, "45"}},
     {C::chk_gallery, C::chk_paypal},
     {"0.95", "1.91", "2.86", "1.60", "4.46", "45.00", "4.46", "40.54", "90.09"}},
    {"start 1.00, end 10, with the PayPal fee",
     {{C::txt_start_price, "1.00"}, {C::txt_end_price, "10"}},
     {C::chk_paypal},
     {"0.35", "0.52", "0.88", "0.59", "1.46", "10.00", "1.46", "8.54", "85.40"}},
    {"start 1.00, end 10, without the PayPal fee",
     {{C::txt_start_price, "1.00"}, {C::txt_end_price, "10"}},
     {},
     {"0.35", "0.52", "0.88", "0.59", "0.87", "10.00", "0.87", "9.13", "91.30"}},
    {"an item cost of 50 on an ending price of 10 makes a loss",
     {{C::txt_start_price, "1.00"}, {C::txt_end_price, "10"}, {C::txt_item_cost, "50"}},
     {C::chk_paypal},
     {"0.35", "0.52", "0.88", "0.59", "1.46", "10.00", "51.46", "-41.46", "-414.60"}},
    {"shipping both ways and other costs on an ending price of 45, with the PayPal fee",
     {{C::txt_end_price, "45"},
      {C::txt_ship_charged, "3.00"},
      {C::txt_item_cost, "6.00"},
      {C::txt_ship_cost, "2.00"},
      {C::txt_other_costs, "1.25"}},
     {C::chk_paypal},
     {"0.20", "1.91", "2.11", "1.69", "5.05", "48.00", "13.05", "34.95", "72.81"}},
    {"shipping both ways and other costs on an ending price of 45, without the PayPal fee",
     {{C::txt_end_price, "45"},
      {C::txt_ship_charged, "3.00"},
      {C::txt_item_cost, "6.00"},
      {C::txt_ship_cost, "2.00"},
      {C::txt_other_costs, "1.25"}},
     {},
     {"0.20", "1.91", "2.11", "1.69", "3.36", "48.00", "11.36", "36.64", "76.33"}},
    {"total fees of 0.305 show 0.31",
     {{C::txt_end_price, "2"}, {C::txt_other_costs, "0.005"}},
     {},
     {"0.20", "0.1", "0.30", "0.36", "0.31", "2.00", "0.31", "1.69", "84.50"}},
    {"the margin is rounded once",
     {{C::txt_end_price, "1.11"}, {C::txt_item_cost, "0.02"}},
     {C::chk_paypal},
     {"0.20", "0.06", "0.26", "0.33", "0.59", "1.11", "0.61", "0.50", "45.05"}},
    {"nothing received gives a margin of 0.00",
     {{C::txt_end_price, "-5"}, {C::txt_ship_charged, "5"}},
     {C::chk_paypal},
     {"0.20", "-0.26", "-0.06", "0.30", "0.24", "0.00", "0.24", "-0.24", "0.00"}},
    {"a hundred-thousandth passes the gate but reads as 0",
     {{C::txt_end_price, "0.00001"}},
     {C::chk_paypal},
     {"0.20", "0", "0.20", "0.30", "0.50", "0.00", "0.50", "-0.50", "0.00"}},
    {"a zero profit on a negative receipt has no minus sign",
     {{C::txt_end_price, "-5"}, {C::txt_item_cost, "-5.10"}},
     {C::chk_paypal},
     {"0.20", "-0.26", "-0.06", "0.16", "0.10", "-5.00", "-5.00", "0.00", "0.00"}},
    {"keywords in any case and empty cost fields count as 0",
     {{C::txt_end_price, "10"},
      {C::txt_item_cost, "free"},
      {C::txt_ship_cost, ""},
      {C::txt_other_costs, "none"},
      {C::txt_ship_charged, "NONE"}},
     {C::chk_paypal},
     {"0.20", "0.52", "0.72", "0.59", "1.31", "10.00", "1.31", "8.69", "86.90"}},
};
INSTANTIATE_TEST_SUITE_P(Listings, WholeRun, testing::ValuesIn(whole_runs));

// A run that finds no ending price writes the listing fee and leaves everything else alone.
TEST(EndingPriceGate, WithoutAnEndingPriceOnlyTheListingFeeChanges) {
    const char* no_ending_price[] = {"None", "none", "", "abc", "0", "0.00", "-0", "1e-999"};
    for (const char* ending_price : no_ending_price) {
        Calculation window;
        for (Control field : result_fields) {
            window.type(field, "earlier");
        }
        window.type(C::txt_end_price, ending_price).calculate();
        Results expected(result_fields.size(), "earlier");
        expected[0] = "0.20";
        EXPECT_EQ(results_of(window), expected) << '"' << ending_price << '"';
    }
}

TEST(EndingPriceGate, ANegativeEndingPriceRunsEveryStep) {
    Calculation window;
    window.type(C::txt_end_price, "-5").calculate();
    for (Control field : result_fields) {
        EXPECT_FALSE(window.shows(field).empty()) << name(field);
    }
}

TEST(EndingPriceGate, AnInvalidStartPriceStillProducesEveryResult) {
    Calculation window;
    window.type(C::txt_start_price, "None").type(C::txt_end_price, "45").calculate();
    EXPECT_EQ(results_of(window),
              (Results{"0.00", "1.91", "1.91", "1.60", "3.51", "45.00", "3.51", "41.49", "92.20"}));
    EXPECT_EQ(window.form.events(),
              (std::vector{start_price_warning, FormEvent::focus(C::txt_start_price)}));
}

}  // namespace
}  // namespace corvandel
