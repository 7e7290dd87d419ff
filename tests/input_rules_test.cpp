#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calculation.h"
#include "input/option_interlocks.h"
#include "input/price_fields.h"
#include "input/start_up_values.h"

namespace corvandel {
namespace {

using C = Control;

const char* const every_field_accepts[] = {"1e3",   ".5",   "5.",    "-0",   "0",    "-5",
                                           "0.001", " 12 ", "12.50", "1e20", "\t7\n"};
const char* const every_field_rejects[] = {"12abc", "1.2.3", "$",  "1,000", "$5",  " ",
                                           "1 2",   "abc",   "1e", "e5",    "0x10"};

TEST(PriceFieldTest, NumbersPassAndOtherTextFailsInEveryField) {
    for (const PriceField& rule : price_field_rules) {
        for (const char* text : every_field_accepts) {
            EXPECT_TRUE(is_accepted(rule, text)) << name(rule.field) << " '" << text << "'";
        }
        for (const char* text : every_field_rejects) {
            EXPECT_FALSE(is_accepted(rule, text)) << name(rule.field) << " '" << text << "'";
        }
    }
}

struct KeywordCase {
    Control field;
    const char* text;
    bool accepted;
};

TEST(PriceFieldTest, EachFieldTakesItsOwnKeywordInAnyCaseAndNothingElse) {
    const KeywordCase cases[] = {
        {C::txt_bin, "none", true},          {C::txt_bin, "NONE", true},
        {C::txt_bin, "None", true},          {C::txt_bin, "nOnE", true},
        {C::txt_item_cost, "Free", true},    {C::txt_item_cost, "FREE", true},
        {C::txt_item_cost, "None", false},   {C::txt_ship_cost, "Free", false},
        {C::txt_end_price, " None", false},  {C::txt_end_price, "None ", false},
        {C::txt_start_price, "None", false}, {C::txt_start_price, "none", false},
        {C::txt_start_price, "", false},     {C::txt_reserve, "", true},
        {C::txt_item_cost, "", true},        {C::txt_other_costs, "none", true},
        {C::txt_ship_charged, "NONE", true}, {C::txt_reserve, "Nonesuch", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(is_accepted(*price_field_rule(c.field), c.text), c.accepted)
            << name(c.field) << " '" << c.text << "'";
    }
}

struct LeavingCase {
    Control field;
    const char* typed;
    const char* left_with;
    std::vector<FormEvent> events;
};

FormEvent incorrect_price(const char* message) {
    return FormEvent::warning("Incorrect Price Entered", message);
}

TEST(PriceFieldTest, LeavingAFieldWarnsPutsTheFocusBackAndFillsAnEmptyField) {
    const LeavingCase cases[] = {
        {C::txt_bin, "NONE", "NONE", {}},
        {C::txt_bin, "12.5", "12.5", {}},
        {C::txt_ship_charged, "", "None", {}},
        {C::txt_item_cost, "", "Free", {}},
        {C::txt_reserve, "", "None", {}},
        {C::txt_item_cost,
         "None",
         "None",
         {incorrect_price("Please enter a valid price. You can also enter Free or 0 for no cost."),
          FormEvent::focus(C::txt_item_cost)}},
        {C::txt_end_price,
         "12abc",
         "12abc",
         {incorrect_price("Please enter a valid price. You can None or 0 for no ending price."),
          FormEvent::focus(C::txt_end_price)}},
        {C::txt_reserve,
         "$",
         "$",
         {incorrect_price(
              "Please enter a valid amount. You can also enter none or 0 for no reserve"),
          FormEvent::focus(C::txt_reserve)}},
        {C::txt_start_price,
         "",
         "None",
         {incorrect_price(
              "Please enter a valid price. You must enter a number greater 0.01 or higher."),
          FormEvent::focus(C::txt_start_price)}},
        {C::txt_start_price,
         "None",
         "None",
         {incorrect_price(
              "Please enter a valid price. You must enter a number greater 0.01 or higher."),
          FormEvent::focus(C::txt_start_price)}},
        {C::txt_start_price, "0", "0", {}},
    };
    for (const auto& c : cases) {
        ObservedForm form;
        form.set_text(c.field, c.typed);
        const bool rejected = price_field_LostFocus(form, c.field);
        EXPECT_EQ(rejected, !c.events.empty()) << name(c.field) << " '" << c.typed << "'";
        EXPECT_EQ(form.text(c.field), c.left_with) << name(c.field) << " '" << c.typed << "'";
        EXPECT_EQ(form.events(), c.events) << name(c.field) << " '" << c.typed << "'";
    }
}

TEST(PriceFieldTest, AnEmptiedStartingPriceGetsNoneSelectedForTypingOver) {
    ObservedForm form;
    price_field_LostFocus(form, C::txt_start_price);
    EXPECT_EQ(form.text(C::txt_start_price), "None");
    EXPECT_TRUE(form.is_all_selected(C::txt_start_price));
}

TEST(PriceFieldTest, EnteringAFieldSelectsAllOfIt) {
    ObservedForm form;
    form.set_text(C::txt_item_cost, "Free");
    price_field_GotFocus(form, C::txt_item_cost);
    EXPECT_TRUE(form.is_all_selected(C::txt_item_cost));
}

// A form whose tick boxes raise their click rules on every change, as the window's do.
class Options : public testing::Test {
  protected:
    Options() {
        form.when_tick_changes([this](Control box) { tick_box_Click(form, box); });
    }
    ObservedForm form;
};

TEST_F(Options, GalleryAndGalleryFeaturedExcludeEachOther) {
    form.set_tick(C::chk_gallery, 1);
    EXPECT_FALSE(form.is_enabled(C::chk_gfeatured));
    EXPECT_EQ(form.tick(C::chk_gfeatured), 0);
    form.set_tick(C::chk_gallery, 0);
    EXPECT_TRUE(form.is_enabled(C::chk_gfeatured));
    EXPECT_EQ(form.tick(C::chk_gfeatured), 0);

    form.set_tick(C::chk_gfeatured, 1);
    EXPECT_FALSE(form.is_enabled(C::chk_gallery));
    form.set_tick(C::chk_gfeatured, 0);
    EXPECT_TRUE(form.is_enabled(C::chk_gallery));
}

TEST_F(Options, PicturePackClearsShowAndSupersizeAndDoesNotRestoreThem) {
    form.set_tick(C::chk_pic_show, 1);
    form.set_tick(C::chk_supersize, 1);
    form.set_tick(C::chk_pic_pack, 1);
    for (Control box : {C::chk_pic_show, C::chk_supersize}) {
        EXPECT_FALSE(form.is_enabled(box)) << name(box);
        EXPECT_EQ(form.tick(box), 0) << name(box);
    }
    form.set_tick(C::chk_pic_pack, 0);
    for (Control box : {C::chk_pic_show, C::chk_supersize}) {
        EXPECT_TRUE(form.is_enabled(box)) << name(box);
        EXPECT_EQ(form.tick(box), 0) << name(box);
    }
}

TEST_F(Options, OtherBoxesGreyNothing) {
    form.set_tick(C::chk_paypal, 1);
    for (Control box : option_boxes) {
        if (box != C::chk_gallery && box != C::chk_gfeatured && box != C::chk_pic_pack) {
            form.set_tick(box, 1);
        }
    }
    for (Control box : option_boxes) {
        EXPECT_TRUE(form.is_enabled(box)) << name(box);
    }
}

void expect_cleared(const ObservedForm& form) {
    EXPECT_EQ(form.text(C::lbl_help), "");
    EXPECT_EQ(form.text(C::txt_item_cost), "Free");
    EXPECT_EQ(form.text(C::txt_start_price), "0.99");
    for (Control field : {C::txt_bin, C::txt_reserve, C::txt_end_price, C::txt_ship_charged,
                          C::txt_ship_cost, C::txt_other_costs}) {
        EXPECT_EQ(form.text(field), "None") << name(field);
    }
    for (Control field : result_fields) {
        EXPECT_EQ(form.text(field), "") << name(field);
    }
    EXPECT_EQ(form.text(C::combo_num_pics), "1");
    EXPECT_EQ(form.entries(C::combo_num_pics).size(), 12u);
    for (Control box : option_boxes) {
        EXPECT_EQ(form.tick(box), 0) << name(box);
        EXPECT_TRUE(form.is_enabled(box)) << name(box);
    }
    EXPECT_EQ(form.tick(C::chk_paypal), 1);
    ASSERT_FALSE(form.events().empty());
    EXPECT_EQ(form.events().back(), FormEvent::focus(C::txt_item_cost));
}

class ClearCommand : public testing::Test {
  protected:
    ClearCommand() {
        window.form.when_tick_changes([this](Control box) { tick_box_Click(window.form, box); });
    }
    Calculation window;
};

TEST_F(ClearCommand, ResetsEverythingAfterACalculationWithEveryKindOfTick) {
    window.type(C::txt_item_cost, "5").type(C::txt_start_price, "20").type(C::txt_bin, "30");
    window.type(C::txt_reserve, "40").type(C::txt_end_price, "45").type(C::txt_ship_cost, "2");
    window.type(C::txt_ship_charged, "3").type(C::txt_other_costs, "1").type(C::lbl_help, "help");
    window.type(C::combo_num_pics, "7");
    // Every option that is still open to a tick by then, so the interlocks leave some greyed.
    for (Control box : option_boxes) {
        if (window.form.is_enabled(box)) {
            window.tick(box);
        }
    }
    window.tick(C::chk_paypal, 0).calculate();
    ASSERT_FALSE(window.form.is_enabled(C::chk_gfeatured));
    ASSERT_FALSE(window.form.is_enabled(C::chk_supersize));

    cmd_clear_Click(window.form);
    expect_cleared(window.form);
}

TEST_F(ClearCommand, EnablesGalleryWhenGalleryFeaturedWasTicked) {
    window.tick(C::chk_gfeatured);
    ASSERT_FALSE(window.form.is_enabled(C::chk_gallery));
    cmd_clear_Click(window.form);
    expect_cleared(window.form);
}

TEST_F(ClearCommand, TwiceGivesTheSameStateAndKeepsTheTwelvePictures) {
    window.tick(C::chk_pic_pack);
    cmd_clear_Click(window.form);
    cmd_clear_Click(window.form);
    expect_cleared(window.form);
    const std::vector<std::string> twelve{"1", "2", "3", "4",  "5",  "6",
                                          "7", "8", "9", "10", "11", "12"};
    EXPECT_EQ(window.form.entries(C::combo_num_pics), twelve);
}

}  // namespace
}  // namespace corvandel
