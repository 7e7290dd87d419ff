#include <gtest/gtest.h>

#include <vector>

#include "calculation.h"

namespace corvandel {
namespace {

using C = Control;

struct ListingCase {
    const char* what;
    std::vector<Entry> entries;
    std::vector<Control> ticked;
    const char* list_fee;
    std::vector<FormEvent> events;
};

void PrintTo(const ListingCase& c, std::ostream* out) {
    *out << c.what;
}

class ListingFee : public testing::TestWithParam<ListingCase> {};

TEST_P(ListingFee, IsWrittenWithItsWarningsInOrder) {
    const ListingCase& c = GetParam();
    Calculation window;
    window.type(c.entries);
    window.tick(c.ticked);
    window.calculate();
    EXPECT_EQ(window.shows(C::txt_list_fee), c.list_fee);
    EXPECT_EQ(window.form.events(), c.events);
}

const auto focus = FormEvent::focus;

const ListingCase insertion_tiers[] = {
    {"the fields as they start", {}, {}, "0.20", {}},
    {"start 0.99", {{C::txt_start_price, "0.99"}}, {}, "0.20", {}},
    {"start 1.00", {{C::txt_start_price, "1.00"}}, {}, "0.35", {}},
    {"start 9.99", {{C::txt_start_price, "9.99"}}, {}, "0.35", {}},
    {"start 10.00", {{C::txt_start_price, "10.00"}}, {}, "0.60", {}},
    {"start 24.99", {{C::txt_start_price, "24.99"}}, {}, "0.60", {}},
    {"start 25", {{C::txt_start_price, "25"}}, {}, "1.20", {}},
    {"start 49.99", {{C::txt_start_price, "49.99"}}, {}, "1.20", {}},
    {"start 50", {{C::txt_start_price, "50"}}, {}, "2.40", {}},
    {"start 199.99", {{C::txt_start_price, "199.99"}}, {}, "2.40", {}},
    {"start 200", {{C::txt_start_price, "200"}}, {}, "3.60", {}},
    {"start 499.99", {{C::txt_start_price, "499.99"}}, {}, "3.60", {}},
    {"start 500.00", {{C::txt_start_price, "500.00"}}, {}, "4.80", {}},
    {"start 10000", {{C::txt_start_price, "10000"}}, {}, "4.80", {}},
    {"start 20, read up to its letters", {{C::txt_start_price, "20 dollars"}}, {}, "0.60", {}},
    {"start between two tiers",
     {{C::txt_start_price, "0.995"}},
     {},
     "0.00",
     {start_price_warning, focus(C::txt_start_price)}},
    {"start None",
     {{C::txt_start_price, "None"}},
     {},
     "0.00",
     {start_price_warning, focus(C::txt_start_price)}},
    {"no insertion fee, the rest still counts",
     {{C::txt_start_price, "0"}},
     {C::chk_bold},
     "1.00",
     {start_price_warning, focus(C::txt_start_price)}},
};
INSTANTIATE_TEST_SUITE_P(InsertionTiers, ListingFee, testing::ValuesIn(insertion_tiers));

const ListingCase upgrades[] = {
    {"gallery and sub title together", {}, {C::chk_gallery, C::chk_sub}, "0.85", {}},
    {"the five visibility upgrades together",
     {},
     {C::chk_bold, C::chk_border, C::chk_gfeatured, C::chk_fplus, C::chk_highlight},
     "30.15",
     {}},
    {"four of the five get no discount",
     {},
     {C::chk_bold, C::chk_border, C::chk_gfeatured, C::chk_fplus},
     "44.10",
     {}},
    {"both discounts in one run",
     {},
     {C::chk_gallery, C::chk_sub, C::chk_bold, C::chk_border, C::chk_gfeatured, C::chk_fplus,
      C::chk_highlight},
     "30.80",
     {}},
    {"every upgrade",
     {},
     {C::chk_sub, C::chk_gallery, C::chk_bold, C::chk_10day, C::chk_border, C::chk_highlight,
      C::chk_gift, C::chk_gfeatured, C::chk_fplus, C::chk_hfeatured},
     "71.40",
     {}},
    {"double category doubles the whole",
     {{C::txt_start_price, "10"}},
     {C::chk_doublecat, C::chk_bold},
     "3.20",
     {}},
};
INSTANTIATE_TEST_SUITE_P(Upgrades, ListingFee, testing::ValuesIn(upgrades));

const ListingCase buy_it_now[] = {
    {"9.99 adds 0.05", {{C::txt_bin, "9.99"}}, {}, "0.25", {}},
    {"10.00 adds 0.10", {{C::txt_bin, "10.00"}}, {}, "0.30", {}},
    {"24.99 adds 0.10", {{C::txt_bin, "24.99"}}, {}, "0.30", {}},
    {"25 adds 0.20", {{C::txt_bin, "25"}}, {}, "0.40", {}},
    {"49.99 adds 0.20", {{C::txt_bin, "49.99"}}, {}, "0.40", {}},
    {"50.00 adds 0.25", {{C::txt_bin, "50.00"}}, {}, "0.45", {}},
    {"0 adds nothing", {{C::txt_bin, "0"}}, {}, "0.20", {}},
    {"none in lower case reads as 0", {{C::txt_bin, "none"}}, {}, "0.20", {}},
    {"between two tiers adds nothing", {{C::txt_bin, "9.995"}}, {}, "0.20", {}},
    {"a negative price adds nothing", {{C::txt_bin, "-5"}}, {}, "0.20", {}},
};
INSTANTIATE_TEST_SUITE_P(BuyItNow, ListingFee, testing::ValuesIn(buy_it_now));

const ListingCase reserves[] = {
    {"reserve 150 over start 100",
     {{C::txt_start_price, "100"}, {C::txt_reserve, "150"}},
     {},
     "4.40",
     {}},
    {"reserve 50 under start 100",
     {{C::txt_start_price, "100"}, {C::txt_reserve, "50"}},
     {},
     "4.40",
     {reserve_warning, focus(C::txt_reserve)}},
    {"reserve equal to the start",
     {{C::txt_start_price, "100"}, {C::txt_reserve, "100.00"}},
     {},
     "4.40",
     {reserve_warning, focus(C::txt_reserve)}},
    {"reserve 0 means none, after the warning",
     {{C::txt_reserve, "0"}},
     {},
     "0.20",
     {reserve_warning, focus(C::txt_reserve)}},
    {"reserve 49.99", {{C::txt_reserve, "49.99"}}, {}, "2.20", {}},
    {"reserve 200.00 pays 2.00",
     {{C::txt_start_price, "100"}, {C::txt_reserve, "200.00"}},
     {},
     "5.60",
     {}},
    {"reserve 250.00 pays one per cent",
     {{C::txt_start_price, "100"}, {C::txt_reserve, "250.00"}},
     {},
     "6.10",
     {}},
    {"reserve between two tiers is no fee and no insertion tier",
     {{C::txt_start_price, "100"}, {C::txt_reserve, "199.995"}},
     {},
     "0.00",
     {start_price_warning, focus(C::txt_start_price)}},
    {"reserve 212.50 rounds 5.725 to the even cent",
     {{C::txt_start_price, "100"}, {C::txt_reserve, "212.50"}},
     {},
     "5.72",
     {}},
    {"reserve -5 brings both warnings in order",
     {{C::txt_reserve, "-5"}},
     {},
     "0.00",
     {reserve_warning, focus(C::txt_reserve), start_price_warning, focus(C::txt_start_price)}},
    {"NONE in capitals is no reserve", {{C::txt_reserve, "NONE"}}, {}, "0.20", {}},
    {"blanks around the reserve are allowed",
     {{C::txt_start_price, "100"}, {C::txt_reserve, " 150 "}},
     {},
     "4.40",
     {}},
    {"doubling comes before rounding",
     {{C::txt_start_price, "100"}, {C::txt_reserve, "333.33"}},
     {C::chk_doublecat},
     "13.87",
     {}},
    {"the same listing without double category",
     {{C::txt_start_price, "100"}, {C::txt_reserve, "333.33"}},
     {},
     "6.93",
     {}},
};
INSTANTIATE_TEST_SUITE_P(Reserves, ListingFee, testing::ValuesIn(reserves));

const ListingCase pictures[] = {
    {"1 picture", {{C::combo_num_pics, "1"}}, {}, "0.20", {}},
    {"0 pictures", {{C::combo_num_pics, "0"}}, {}, "0.20", {}},
    {"no picture count", {{C::combo_num_pics, ""}}, {}, "0.20", {}},
    {"3 pictures", {{C::combo_num_pics, "3"}}, {}, "0.50", {}},
    {"12 pictures", {{C::combo_num_pics, "12"}}, {}, "1.85", {}},
    {"a typed 2.5 pictures", {{C::combo_num_pics, "2.5"}}, {}, "0.42", {}},
    {"6 with the pack", {{C::combo_num_pics, "6"}}, {C::chk_pic_pack}, "1.20", {}},
    {"7 with the pack", {{C::combo_num_pics, "7"}}, {C::chk_pic_pack}, "1.70", {}},
    {"show and supersize", {}, {C::chk_pic_show, C::chk_supersize}, "1.20", {}},
    {"whatever is ticked is added", {}, {C::chk_pic_show, C::chk_pic_pack}, "1.45", {}},
};
INSTANTIATE_TEST_SUITE_P(Pictures, ListingFee, testing::ValuesIn(pictures));

TEST(ListingFeeRuns, ABuyItNowFeeIsNotCarriedIntoTheNextRun) {
    Calculation window;
    window.type(C::txt_bin, "30").calculate();
    EXPECT_EQ(window.shows(C::txt_list_fee), "0.40");
    window.type(C::txt_bin, "0").calculate();
    EXPECT_EQ(window.shows(C::txt_list_fee), "0.20");
}

TEST(ListingFeeRuns, AReserveFeeIsNotCarriedIntoTheNextRun) {
    Calculation window;
    window.type(C::txt_start_price, "100").type(C::txt_reserve, "250").calculate();
    EXPECT_EQ(window.shows(C::txt_list_fee), "6.10");
    window.type(C::txt_reserve, "None").calculate();
    EXPECT_EQ(window.shows(C::txt_list_fee), "2.40");
}

TEST(ListingFeeRuns, OnlyATickOfExactlyOneCounts) {
    Calculation window;
    window.tick(C::chk_bold, 2).tick(C::chk_gallery, -1).calculate();
    EXPECT_EQ(window.shows(C::txt_list_fee), "0.20");
}

}  // namespace
}  // namespace corvandel
