// The rules for ticking and for Clear are tested once, on the in-memory form
// (input_rules_test.cpp). Here only that the window runs them on its own controls as a seller
// clicks: once where the click is taken, once where it is refused.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>

#include <gtest/gtest.h>

#include <vector>

#include "input/price_fields.h"
#include "input/start_up_values.h"
#include "shown_main_window.h"
#include "ui/window/qt_values.h"

namespace corvandel {
namespace {

using C = Control;

class OptionsInTheWindow : public testing::Test {
  protected:
    // Clicks the box where a seller would, on its square.
    void click(Control box) {
        QCheckBox* tick_box = shown.tick_box(box);
        QTest::mouseClick(tick_box, Qt::LeftButton, {}, QPoint(8, tick_box->height() / 2));
    }
    bool ticked(Control box) const { return shown.tick_box(box)->isChecked(); }
    bool enabled(Control box) const { return shown.control(box)->isEnabled(); }

    ShownMainWindow shown;
};

// Each box with a rule, clicked: it is ticked, and what it excludes is cleared and greyed until
// it is clicked again.
TEST_F(OptionsInTheWindow, AClickTicksTheBoxAndItsRuleGreysWhatItExcludes) {
    const struct {
        Control clicked;
        std::vector<Control> excluded;
        std::vector<Control> ticked_before;
    } rules[] = {
        {C::chk_gallery, {C::chk_gfeatured}, {}},
        {C::chk_gfeatured, {C::chk_gallery}, {}},
        {C::chk_pic_pack, {C::chk_pic_show, C::chk_supersize}, {C::chk_pic_show, C::chk_supersize}},
    };
    for (const auto& rule : rules) {
        SCOPED_TRACE(name(rule.clicked));
        for (Control box : rule.ticked_before) {
            click(box);
        }
        click(rule.clicked);
        EXPECT_TRUE(ticked(rule.clicked));
        for (Control box : rule.excluded) {
            EXPECT_FALSE(ticked(box)) << name(box);
            EXPECT_FALSE(enabled(box)) << name(box);
        }
        click(rule.clicked);
        for (Control box : rule.excluded) {
            EXPECT_TRUE(enabled(box)) << name(box);
        }
    }
}

TEST_F(OptionsInTheWindow, AGreyedBoxTakesNoClick) {
    click(C::chk_gallery);
    click(C::chk_gfeatured);
    EXPECT_FALSE(ticked(C::chk_gfeatured));
    EXPECT_TRUE(ticked(C::chk_gallery));
}

class ClearInTheWindow : public OptionsInTheWindow {
  protected:
    void expect_cleared() const {
        EXPECT_EQ(qobject_cast<QLabel*>(shown.control(C::lbl_help))->text(), "");
        for (const PriceField& rule : price_field_rules) {
            EXPECT_EQ(shown.text(rule.field), to_qstring(rule.start_up_text)) << name(rule.field);
        }
        for (Control field : result_fields) {
            EXPECT_EQ(shown.text(field), "") << name(field);
        }
        EXPECT_EQ(shown.pictures()->currentText(), to_qstring(pictures_at_start_up));
        EXPECT_EQ(shown.pictures()->count(), 12);
        for (Control box : option_boxes) {
            EXPECT_FALSE(ticked(box)) << name(box);
            EXPECT_TRUE(enabled(box)) << name(box);
        }
        EXPECT_TRUE(ticked(C::chk_paypal));
        EXPECT_EQ(focused_control(), "txt_item_cost");
        EXPECT_EQ(shown.field(C::txt_item_cost)->selectedText(),
                  to_qstring(price_field_rule(C::txt_item_cost)->start_up_text));
    }
};

TEST_F(ClearInTheWindow, ResetsEveryKindOfInputAfterACalculation) {
    shown.type_into(C::txt_item_cost, "5");
    shown.type_into(C::txt_start_price, "20");
    shown.type_into(C::txt_end_price, "45");
    shown.type_into(C::txt_other_costs, "1.25");
    shown.type_into(C::combo_num_pics, "7");
    qobject_cast<QLabel*>(shown.control(C::lbl_help))->setText("a help line");
    // Every option that is still open to a click by then, so the interlocks leave some greyed.
    for (Control box : option_boxes) {
        if (enabled(box)) {
            click(box);
        }
    }
    click(C::chk_paypal);
    shown.press(Qt::Key_Return);
    ASSERT_EQ(shown.text(C::txt_profit).isEmpty(), false);

    QTest::mouseClick(shown.button(C::cmd_clear), Qt::LeftButton);
    expect_cleared();
    EXPECT_TRUE(shown.warnings().empty());
}

// Clear is a click away from the field like any other: a rejected entry is warned about once
// and stays to be mended, and Clear works once it is.
TEST_F(ClearInTheWindow, WaitsForARejectedEntryToBeMended) {
    shown.type_into(C::txt_reserve, "12abc");
    QTest::mouseClick(shown.button(C::cmd_clear), Qt::LeftButton);
    ASSERT_EQ(shown.warnings().size(), 1U);
    EXPECT_EQ(shown.warnings().front().title, "Incorrect Price Entered");
    EXPECT_EQ(shown.text(C::txt_reserve), "12abc");

    QTest::keyClicks(QApplication::focusWidget(), "12");
    QTest::mouseClick(shown.button(C::cmd_clear), Qt::LeftButton);
    EXPECT_EQ(shown.warnings().size(), 1U);
    expect_cleared();
}

}  // namespace
}  // namespace corvandel
