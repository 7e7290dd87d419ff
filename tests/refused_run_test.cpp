#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calculation.h"

namespace corvandel {
namespace {

using C = Control;

FormEvent not_a_number(const char* field) {
    return FormEvent::warning("Error", std::string("The ") + field +
                                           " is not a number the calculation can use; enter a "
                                           "number such as 12.50, or None.");
}

FormEvent too_large(const char* field) {
    return FormEvent::warning(
        "Error",
        std::string("The ") + field + " is too large to calculate with; enter a smaller amount.");
}

struct RefusedCase {
    const char* what;
    std::vector<Entry> entries;
    Control first_emptied;
    std::vector<FormEvent> events;
};

void PrintTo(const RefusedCase& c, std::ostream* out) {
    *out << c.what;
}

class RefusedRun : public testing::TestWithParam<RefusedCase> {};

// A step that cannot use a field stops the run: its results and all later ones are emptied, so
// that no earlier run's numbers pass for this one's, and the seller is told which field to mend.
TEST_P(RefusedRun, StopsAtTheStepAndEmptiesWhatItCouldNotProduce) {
    const RefusedCase& c = GetParam();
    Calculation window;
    for (Control field : result_fields) {
        window.type(field, "earlier");
    }
    window.type(C::txt_end_price, "45");
    window.type(c.entries);
    window.calculate();

    bool emptied = false;
    for (Control field : results_in_run_order) {
        emptied = emptied || field == c.first_emptied;
        if (emptied) {
            EXPECT_EQ(window.shows(field), "") << name(field);
        } else {
            EXPECT_NE(window.shows(field), "earlier") << name(field);
            EXPECT_NE(window.shows(field), "") << name(field);
        }
    }
    EXPECT_EQ(window.form.events(), c.events);
    ASSERT_TRUE(window.calculator.refusal().has_value());
    EXPECT_EQ(window.calculator.refusal()->field, c.events.back().control);
}

const auto focus = FormEvent::focus;

const RefusedCase refused_runs[] = {
    {"an empty reserve, after the reserve warning",
     {{C::txt_reserve, ""}},
     C::txt_list_fee,
     {reserve_warning, focus(C::txt_reserve), not_a_number("Reserve"), focus(C::txt_reserve)}},
    {"a reserve with letters after it",
     {{C::txt_reserve, "12abc"}},
     C::txt_list_fee,
     {not_a_number("Reserve"), focus(C::txt_reserve)}},
    {"an ending price with letters after it passes the gate",
     {{C::txt_end_price, "12abc"}},
     C::txt_paypal_fee,
     {not_a_number("Ending Price"), focus(C::txt_end_price)}},
    {"a starting price beyond every amount",
     {{C::txt_start_price, "1e20"}},
     C::txt_list_fee,
     {too_large("Starting Price"), focus(C::txt_start_price)}},
    {"a starting price beyond every double",
     {{C::txt_start_price, "1e999"}},
     C::txt_list_fee,
     {too_large("Starting Price"), focus(C::txt_start_price)}},
    {"a Buy-It-Now price beyond every amount",
     {{C::txt_bin, "-1e20"}},
     C::txt_list_fee,
     {too_large("Buy-It-Now Price"), focus(C::txt_bin)}},
    {"a reserve beyond every amount",
     {{C::txt_reserve, "1e20"}},
     C::txt_list_fee,
     {too_large("Reserve"), focus(C::txt_reserve)}},
    {"so many pictures that their cost overflows",
     {{C::combo_num_pics, "1e20"}},
     C::txt_list_fee,
     {too_large("Number of Pictures"), focus(C::combo_num_pics)}},
    {"an ending price beyond every amount",
     {{C::txt_end_price, "1e15"}},
     C::txt_paypal_fee,
     {too_large("Ending Price"), focus(C::txt_end_price)}},
    {"an ending price and shipping whose sum overflows, the larger blamed",
     {{C::txt_end_price, "9e14"}, {C::txt_ship_charged, "9.1e14"}},
     C::txt_paypal_fee,
     {too_large("Shipping Charged"), focus(C::txt_ship_charged)}},
    {"other costs beyond every amount",
     {{C::txt_other_costs, "1e20"}},
     C::txt_total_fee,
     {too_large("Other Costs"), focus(C::txt_other_costs)}},
    {"other costs beyond every double",
     {{C::txt_other_costs, "-1e999"}},
     C::txt_total_fee,
     {too_large("Other Costs"), focus(C::txt_other_costs)}},
    {"an item cost beyond every amount",
     {{C::txt_item_cost, "1e16"}},
     C::txt_total_spent,
     {too_large("Item Cost"), focus(C::txt_item_cost)}},
    {"costs whose sum overflows, the larger blamed",
     {{C::txt_item_cost, "9e14"}, {C::txt_ship_cost, "9.2e14"}},
     C::txt_total_spent,
     {too_large("Shipping Cost"), focus(C::txt_ship_cost)}},
    {"a profit beyond every amount",
     {{C::txt_end_price, "9e14"}, {C::txt_item_cost, "-9e14"}},
     C::txt_profit,
     {too_large("Ending Price"), focus(C::txt_end_price)}},
};
INSTANTIATE_TEST_SUITE_P(Decided, RefusedRun, testing::ValuesIn(refused_runs));

TEST(RefusedRunThenMended, TheNextRunProducesEveryResult) {
    Calculation window;
    window.type(C::txt_end_price, "12abc").calculate();
    window.type(C::txt_end_price, "45").calculate();
    for (Control field : result_fields) {
        EXPECT_NE(window.shows(field), "") << name(field);
    }
}

}  // namespace
}  // namespace corvandel
