#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "input/price_fields.h"
#include "message_box_closer.h"
#include "shown_main_window.h"

namespace corvandel {
namespace {

using C = Control;

QString message_of(Control field) {
    const std::string_view message = price_field_rule(field)->message;
    return QString::fromUtf8(message.data(), static_cast<qsizetype>(message.size()));
}

// The title and text of each warning shown, in order.
std::vector<std::pair<QString, QString>> warnings_seen(const ShownMainWindow& shown) {
    std::vector<std::pair<QString, QString>> seen;
    for (const ShownWarning& warning : shown.warnings()) {
        seen.emplace_back(warning.title, warning.message);
    }
    return seen;
}

std::vector<std::pair<QString, QString>> one_warning_for(Control field) {
    return {{"Incorrect Price Entered", message_of(field)}};
}

struct LeavingCase {
    Control field;
    const char* typed;
    bool rejected;
    const char* left_with;  // the text once the focus has left, or come back
};

void PrintTo(const LeavingCase& c, std::ostream* out) {
    *out << name(c.field) << " left with '" << c.typed << "'";
}

class LeavingByTab : public testing::TestWithParam<LeavingCase> {
  protected:
    ShownMainWindow shown;
};

TEST_P(LeavingByTab, AcceptsOrWarnsAndBringsTheFocusBack) {
    const LeavingCase& c = GetParam();
    shown.type_into(c.field, c.typed);
    shown.press(Qt::Key_Tab);

    EXPECT_EQ(shown.text(c.field), c.left_with);
    if (c.rejected) {
        EXPECT_EQ(warnings_seen(shown), one_warning_for(c.field));
        EXPECT_EQ(focused_control(), control_name(c.field));
        EXPECT_EQ(shown.field(c.field)->selectedText(), c.left_with);
    } else {
        EXPECT_TRUE(shown.warnings().empty());
        EXPECT_NE(focused_control(), control_name(c.field));
    }
}

const LeavingCase keywords[] = {
    {C::txt_bin, "none", false, "none"},        {C::txt_bin, "NONE", false, "NONE"},
    {C::txt_bin, "None", false, "None"},        {C::txt_item_cost, "FrEe", false, "FrEe"},
    {C::txt_item_cost, "None", true, "None"},   {C::txt_ship_cost, "Free", true, "Free"},
    {C::txt_end_price, " None", true, " None"}, {C::txt_reserve, "none ", true, "none "},
    {C::txt_start_price, "None", true, "None"}, {C::txt_start_price, "none", true, "none"},
};
INSTANTIATE_TEST_SUITE_P(Keywords, LeavingByTab, testing::ValuesIn(keywords));

const LeavingCase numbers[] = {
    {C::txt_end_price, " 12 ", false, " 12 "},
    {C::txt_item_cost, "1e3", false, "1e3"},
    {C::txt_bin, ".5", false, ".5"},
    {C::txt_reserve, "5.", false, "5."},
    {C::txt_other_costs, "-0", false, "-0"},
    {C::txt_start_price, "0", false, "0"},
    {C::txt_start_price, "-5", false, "-5"},
    {C::txt_ship_charged, "1e20", false, "1e20"},
    {C::txt_ship_cost, "12abc", true, "12abc"},
    {C::txt_start_price, "1.2.3", true, "1.2.3"},
    {C::txt_other_costs, "$", true, "$"},
    {C::txt_item_cost, "1,000", true, "1,000"},
};
INSTANTIATE_TEST_SUITE_P(Numbers, LeavingByTab, testing::ValuesIn(numbers));

const LeavingCase emptied[] = {
    {C::txt_item_cost, "", false, "Free"},    {C::txt_bin, "", false, "None"},
    {C::txt_reserve, "", false, "None"},      {C::txt_end_price, "", false, "None"},
    {C::txt_ship_charged, "", false, "None"}, {C::txt_ship_cost, "", false, "None"},
    {C::txt_other_costs, "", false, "None"},  {C::txt_start_price, "", true, "None"},
};
INSTANTIATE_TEST_SUITE_P(Emptied, LeavingByTab, testing::ValuesIn(emptied));

class PriceFields : public testing::Test {
  protected:
    ShownMainWindow shown;
};

TEST_F(PriceFields, TheWindowOpensWithFreeSelected) {
    EXPECT_EQ(shown.field(C::txt_item_cost)->selectedText(), "Free");
}

TEST_F(PriceFields, EnteringByTabBacktabOrMouseSelectsTheWholeText) {
    shown.press(Qt::Key_Tab);
    EXPECT_EQ(shown.field(C::txt_start_price)->selectedText(), "0.99");
    shown.press(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(shown.field(C::txt_item_cost)->selectedText(), "Free");
    QTest::mouseClick(shown.field(C::txt_reserve), Qt::LeftButton, {}, QPoint(10, 8));
    EXPECT_EQ(focused_control(), "txt_reserve");
    EXPECT_EQ(shown.field(C::txt_reserve)->selectedText(), "None");
}

TEST_F(PriceFields, TypingReplacesTheSelectedKeyword) {
    shown.press(Qt::Key_Backtab, Qt::ShiftModifier);
    shown.press(Qt::Key_Tab);
    QTest::keyClicks(QApplication::focusWidget(), "5");
    EXPECT_EQ(shown.text(C::txt_item_cost), "5");
}

// The field that was about to take the focus does not keep it, and its own leaving rule raises
// nothing for the same departure, even when its text would not pass.
TEST_F(PriceFields, AFieldThatGetsTheFocusBackCausesOneWarningOnly) {
    shown.field(C::txt_start_price)->setText("rubbish");
    shown.type_into(C::txt_item_cost, "abc");
    shown.press(Qt::Key_Tab);
    EXPECT_EQ(warnings_seen(shown), one_warning_for(C::txt_item_cost));
    EXPECT_EQ(focused_control(), "txt_item_cost");
}

TEST_F(PriceFields, TwoRejectedFieldsInARowWarnOncePerDeparture) {
    shown.type_into(C::txt_bin, "abc");
    QTest::mouseClick(shown.field(C::txt_ship_cost), Qt::LeftButton);
    EXPECT_EQ(focused_control(), "txt_bin");
    QTest::keyClicks(QApplication::focusWidget(), "5");
    shown.press(Qt::Key_Tab);
    shown.type_into(C::txt_reserve, "xyz");
    QTest::mouseClick(shown.field(C::txt_bin), Qt::LeftButton);

    auto expected = one_warning_for(C::txt_bin);
    expected.push_back(one_warning_for(C::txt_reserve).front());
    EXPECT_EQ(warnings_seen(shown), expected);
    EXPECT_EQ(focused_control(), "txt_reserve");
    EXPECT_EQ(shown.text(C::txt_bin), "5");
    EXPECT_EQ(shown.text(C::txt_reserve), "xyz");
}

TEST_F(PriceFields, ClickingATickBoxAwayWarnsOnceAndLeavesItsTick) {
    shown.type_into(C::txt_end_price, "12abc");
    QCheckBox* bold = shown.tick_box(C::chk_bold);
    QTest::mouseClick(bold, Qt::LeftButton, {}, QPoint(8, bold->height() / 2));
    EXPECT_EQ(warnings_seen(shown), one_warning_for(C::txt_end_price));
    EXPECT_FALSE(bold->isChecked());
    EXPECT_EQ(focused_control(), "txt_end_price");
    EXPECT_EQ(shown.text(C::txt_end_price), "12abc");
}

// Going to another window is no departure from the field: nothing is tested and what was
// typed, selection included, is there on the way back.
// Opening a menu, or the About dialog from it, is no departure from the field either.
TEST_F(PriceFields, TheMenusAndTheAboutDialogTakeTheFocusWithoutATest) {
    shown.type_into(C::txt_reserve, "12abc");
    QWidget* window = shown.control(C::txt_reserve)->window();
    auto* menu_bar = window->findChild<QMenuBar*>();
    auto* file = window->findChild<QMenu*>("file");
    menu_bar->setActiveAction(file->menuAction());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(file));
    QTest::keyClick(file, Qt::Key_Escape);
    QTest::keyClick(menu_bar, Qt::Key_Escape);

    window->findChild<QAction*>("About")->trigger();
    const QWidgetList windows = QApplication::topLevelWidgets();
    const auto about = std::find_if(windows.begin(), windows.end(), [](const QWidget* widget) {
        return widget->objectName() == "frmAbout";
    });
    ASSERT_NE(about, windows.end());
    ASSERT_TRUE(QTest::qWaitForWindowActive(*about));
    QTest::keyClick(*about, Qt::Key_Escape);
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));

    EXPECT_TRUE(shown.warnings().empty());
    EXPECT_EQ(focused_control(), "txt_reserve");
    EXPECT_EQ(shown.text(C::txt_reserve), "12abc");
}

TEST_F(PriceFields, AnotherWindowTakesTheFocusWithoutATest) {
    shown.type_into(C::txt_end_price, "12ab");
    shown.field(C::txt_end_price)->setSelection(1, 2);
    {
        QWidget other;
        other.show();
        other.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    }
    shown.control(C::txt_end_price)->window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(shown.control(C::txt_end_price)->window()));
    EXPECT_TRUE(shown.warnings().empty());
    EXPECT_EQ(focused_control(), "txt_end_price");
    EXPECT_EQ(shown.text(C::txt_end_price), "12ab");
    EXPECT_EQ(shown.field(C::txt_end_price)->selectedText(), "2a");
}

const std::vector<Control> results_after_the_listing_fee{
    C::txt_paypal_fee, C::txt_fvf,         C::Txt_ebay_fees, C::txt_total_fee,
    C::txt_total_recv, C::txt_total_spent, C::txt_profit,    C::txt_profit_margin,
};

// Clicking Calculate leaves the field first; a rejected entry brings its warning, and the click
// does nothing more: one click, one warning, and the button is not left pressed.
TEST_F(PriceFields, ClickingCalculateAwayFromARejectedEntryOnlyWarns) {
    shown.type_into(C::txt_end_price, "12abc");
    QTest::mouseClick(shown.button(C::cmd_calc), Qt::LeftButton);

    EXPECT_EQ(warnings_seen(shown), one_warning_for(C::txt_end_price));
    EXPECT_EQ(shown.text(C::txt_end_price), "12abc");
    EXPECT_EQ(focused_control(), "txt_end_price");
    EXPECT_FALSE(shown.button(C::cmd_calc)->isDown());
    for (Control result : result_fields) {
        EXPECT_EQ(shown.text(result), "") << name(result);
    }

    QTest::keyClicks(QApplication::focusWidget(), "12");
    QTest::mouseClick(shown.button(C::cmd_calc), Qt::LeftButton);
    EXPECT_EQ(shown.warnings().size(), 1U);
    EXPECT_EQ(shown.text(C::txt_paypal_fee), "0.65");
}

TEST_F(PriceFields, CalculateByEnterRunsOnTheTextAsTypedAndWarnsOnce) {
    shown.type_into(C::txt_end_price, "12abc");
    shown.press(Qt::Key_Return);

    ASSERT_EQ(shown.warnings().size(), 1U);
    EXPECT_EQ(shown.warnings().front().title, "Error");
    EXPECT_EQ(focused_control(), "txt_end_price");
    EXPECT_EQ(shown.text(C::txt_list_fee), "0.20");
    for (Control later :
         {C::txt_paypal_fee, C::txt_fvf, C::Txt_ebay_fees, C::txt_total_fee, C::txt_total_recv,
          C::txt_total_spent, C::txt_profit, C::txt_profit_margin}) {
        EXPECT_EQ(shown.text(later), "") << name(later);
    }
}

TEST(RealPriceWarning, IsAModalWarningBoxAndTheFocusComesBackAfterIt) {
    MainWindow window;
    ShownMainWindow::show_and_activate(window);
    auto* bin = qobject_cast<QLineEdit*>(window.control(C::txt_bin));
    bin->setFocus(Qt::MouseFocusReason);
    bin->setText("abc");

    MessageBoxCloser closer(5000);
    QTest::keyClick(bin, Qt::Key_Tab);

    ASSERT_EQ(closer.seen().size(), 1U);
    const SeenBox& box = closer.seen().front();
    EXPECT_EQ(box.title, "Incorrect Price Entered");
    EXPECT_EQ(box.text, message_of(C::txt_bin));
    EXPECT_EQ(box.icon, QMessageBox::Warning);
    EXPECT_EQ(box.buttons, 1);
    EXPECT_TRUE(box.has_ok);
    EXPECT_TRUE(box.modal);
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return window.focusWidget() == window.control(C::txt_bin); }, 5000));
    EXPECT_EQ(bin->text(), "abc");
    EXPECT_EQ(bin->selectedText(), "abc");
}

}  // namespace
}  // namespace corvandel
