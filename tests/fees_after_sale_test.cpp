#include <gtest/gtest.h>

#include "calc/readings.h"
#include "calculation.h"

namespace corvandel {
namespace {

using C = Control;

struct FinalValueCase {
    const char* ending_price;
    const char* fvf;
    const char* ebay_fees;
};

TEST(FinalValueFee, FollowsTheBandsAndShowsThePlainForm) {
    // The listing fee is 0.20 throughout.
    const FinalValueCase cases[] = {
        {"25.00", "1.31", "1.51"},     {"25.01", "1.31", "1.51"},     {"25.50", "1.32", "1.52"},
        {"2", "0.1", "0.30"},          {"28", "1.4", "1.60"},         {"50", "2.06", "2.26"},
        {"100", "3.56", "3.76"},       {"200", "6.56", "6.76"},       {"1000.00", "30.56", "30.76"},
        {"1000.01", "30.56", "30.76"}, {"1001.67", "30.58", "30.78"}, {"1192", "33.44", "33.64"},
        {"2000", "45.56", "45.76"},    {"3000", "60.56", "60.76"},    {"-10", "-0.52", "-0.32"},
        {"0.00001", "0", "0.20"},      {"-0.001", "0", "0.20"},
    };
    for (const auto& c : cases) {
        Calculation window;
        window.type(C::txt_end_price, c.ending_price).calculate();
        EXPECT_EQ(window.shows(C::txt_fvf), c.fvf) << c.ending_price;
        EXPECT_EQ(window.shows(C::Txt_ebay_fees), c.ebay_fees) << c.ending_price;
    }
}

TEST(FinalValueFee, TheEbayFeesAddTheUnroundedFee) {
    Calculation window;
    window.type(C::txt_start_price, "1.00").type(C::txt_end_price, "10").calculate();
    EXPECT_EQ(window.shows(C::txt_list_fee), "0.35");
    EXPECT_EQ(window.shows(C::txt_fvf), "0.52");
    EXPECT_EQ(window.shows(C::Txt_ebay_fees), "0.88");
}

TEST(FinalValueFee, IsRisingThroughEveryBandBoundary) {
    const char* prices[] = {"24.99", "25", "25.01", "999.99", "1000", "1000.01", "1000.02"};
    double previous = -1;
    for (const char* price : prices) {
        Calculation window;
        window.type(C::txt_end_price, price).calculate();
        const double fee = leading_number(window.shows(C::txt_fvf));
        EXPECT_GE(fee, previous) << price;
        previous = fee;
    }
}

struct PaymentCase {
    const char* ending_price;
    const char* shipping_charged;
    const char* fee;
};

TEST(PaymentFee, IsRoundedTwiceToTheEvenCent) {
    const PaymentCase cases[] = {
        {"45", "None", "1.60"},    {"5", "None", "0.44"},     {"15", "None", "0.74"},
        {"25", "None", "1.02"},    {"35", "None", "1.32"},    {"50", "None", "1.75"},
        {"10", "None", "0.59"},    {"100", "None", "3.20"},   {"19.99", "None", "0.88"},
        {"1000", "None", "29.30"}, {"2000", "None", "58.30"}, {"45", "3.00", "1.69"},
        {"0.01", "None", "0.30"},  {"-5", "5", "0.30"},       {"45", "Free", "1.60"},
        {"45", "", "1.60"},        {"45", "abc", "1.60"},     {" 45 ", "3 dollars", "1.69"},
    };
    for (const auto& c : cases) {
        Calculation window;
        window.type(C::txt_end_price, c.ending_price)
            .type(C::txt_ship_charged, c.shipping_charged)
            .calculate();
        EXPECT_EQ(window.shows(C::txt_paypal_fee), c.fee)
            << c.ending_price << " + " << c.shipping_charged;
    }
}

}  // namespace
}  // namespace corvandel
