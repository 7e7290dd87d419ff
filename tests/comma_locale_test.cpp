#include <clocale>
#include <string>

#include <gtest/gtest.h>

#include "calc/readings.h"
#include "calculation.h"
#include "input/price_fields.h"
#include "shown_main_window.h"

namespace corvandel {
namespace {

using C = Control;

// The process runs in a locale whose decimal separator is a comma, as the application object
// takes it from the environment. The program's own numbers must not follow it.
class CommaLocale : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_STREQ(std::localeconv()->decimal_point, ",")
            << "runs with LC_ALL=de_DE.UTF-8, as CTest starts it; ./scripts/test generates the "
               "locale when it is missing";
    }
};

TEST_F(CommaLocale, ReadingsTakeAPointAndOnlyAPoint) {
    EXPECT_EQ(leading_number("12.5"), 12.5);
    EXPECT_EQ(leading_number("12,5"), 12);
    EXPECT_EQ(strict_amount("12.5"), Money::from_count(125000));
    EXPECT_FALSE(strict_amount("12,5"));
}

TEST_F(CommaLocale, TheCalculationWritesPoints) {
    Calculation window;
    window.type(C::txt_end_price, "45").type(C::txt_ship_charged, "3.00");
    window.type(C::txt_item_cost, "6.00").type(C::txt_ship_cost, "2.00");
    window.type(C::txt_other_costs, "1.25").calculate();
    EXPECT_EQ(window.shows(C::txt_total_fee), "5.05");
    EXPECT_EQ(window.shows(C::txt_profit), "34.95");
    EXPECT_EQ(window.shows(C::txt_profit_margin), "72.81");
    EXPECT_EQ(window.shows(C::txt_fvf), "1.91");
}

TEST_F(CommaLocale, TheWindowTakesAndShowsPoints) {
    ShownMainWindow shown;
    shown.type_into(C::txt_start_price, "20");
    shown.type_into(C::txt_end_price, "45.50");
    shown.press(Qt::Key_Return);
    EXPECT_EQ(shown.text(C::txt_paypal_fee), "1.62");
    EXPECT_EQ(shown.text(C::txt_fvf), "1.92");
    EXPECT_EQ(shown.text(C::txt_total_recv), "45.50");
}

// A refused entry that the desktop's language reads as a number gets, after the field's own
// message, the same number as the window reads it; anything else gets the message alone.
TEST_F(CommaLocale, ARefusedCommaNumberIsShownWithAPoint) {
    const struct {
        const char* typed;
        const char* hint;
    } entries[] = {
        {"2,50", " Type a point as the decimal separator: 2.50."},
        {" 1.000,5 ", " Type a point as the decimal separator: 1000.5."},
        {"1,2,3", ""},
        {"abc", ""},
    };
    ShownMainWindow shown;
    for (const auto& entry : entries) {
        SCOPED_TRACE(entry.typed);
        shown.type_into(C::txt_ship_cost, entry.typed);
        shown.press(Qt::Key_Tab);
        ASSERT_FALSE(shown.warnings().empty());
        EXPECT_EQ(shown.warnings().back().title, "Incorrect Price Entered");
        EXPECT_EQ(shown.warnings().back().message,
                  QString::fromUtf8(price_field_rule(C::txt_ship_cost)->message) + entry.hint);
    }
}

}  // namespace
}  // namespace corvandel
