#include <QAccessible>
#include <QAccessibleInterface>
#include <QComboBox>
#include <QLineEdit>

#include <gtest/gtest.h>

#include "menu_commands.h"
#include "shown_main_window.h"
#include "ui/drawn/line_widget.h"
#include "ui/window/layout.h"

namespace corvandel {
namespace {

using C = Control;

struct SpokenName {
    Control control;
    const char* name;
};

// What a screen reader says for each control that takes input or shows a result.
const SpokenName spoken_names[] = {
    {C::txt_item_cost, "Item Cost"},
    {C::txt_start_price, "Starting Price"},
    {C::txt_bin, "Buy-It-Now Price"},
    {C::txt_reserve, "Reserve"},
    {C::txt_end_price, "Ending Price"},
    {C::txt_ship_charged, "Shipping Charged"},
    {C::txt_ship_cost, "Shipping Cost"},
    {C::txt_other_costs, "Other Costs"},
    {C::combo_num_pics, "Number of Pictures"},
    {C::txt_list_fee, "Listing Fees ($)"},
    {C::txt_fvf, "Final Value Fees ($)"},
    {C::Txt_ebay_fees, "Total eBaY Fees ($)"},
    {C::txt_paypal_fee, "Paypal Fees ($)"},
    {C::txt_total_fee, "Total Fees ($)"},
    {C::txt_total_recv, "Total Received ($)"},
    {C::txt_total_spent, "Total Spent ($)"},
    {C::txt_profit, "Profit ($)"},
    {C::txt_profit_margin, "Profit Margin %"},
    {C::chk_pic_show, "Picture Show"},
    {C::chk_supersize, "Supersize Pictures"},
    {C::chk_pic_pack, "Picture Pack"},
    {C::chk_gallery, "Gallery"},
    {C::chk_bold, "Bold"},
    {C::chk_10day, "10 Day Listing"},
    {C::chk_border, "Border"},
    {C::chk_sub, "Sub Title"},
    {C::chk_highlight, "Highlight"},
    {C::chk_gift, "Gift Services"},
    {C::chk_doublecat, "Double Catergory"},
    {C::chk_gfeatured, "Gallery Featured"},
    {C::chk_fplus, "Featured Plus"},
    {C::chk_hfeatured, "Homepage Featured"},
    {C::chk_paypal, "Count Paypal fees"},
};

// A result is read-only text, never said to be editable.
TEST(Accessibility, EveryFieldAndTickBoxHasTheNameOfItsCaption) {
    ShownMainWindow shown;
    for (const SpokenName& expected : spoken_names) {
        QAccessibleInterface* spoken =
            QAccessible::queryAccessibleInterface(shown.control(expected.control));
        ASSERT_NE(spoken, nullptr) << name(expected.control);
        EXPECT_EQ(spoken->text(QAccessible::Name), expected.name) << name(expected.control);
        const bool result = placement(expected.control).kind == ControlKind::result_field;
        EXPECT_EQ(spoken->state().readOnly, result) << name(expected.control);
        EXPECT_FALSE(result && spoken->state().editable) << name(expected.control);
    }
}

// The pictures box, named above by its caption, shows its number as its value and is typed into
// through its text box, which carries the same name.
TEST(Accessibility, PicturesBoxShowsItsNumberAsItsValueAndItsTextBoxHasItsName) {
    ShownMainWindow shown;
    QAccessibleInterface* box = QAccessible::queryAccessibleInterface(shown.pictures());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->role(), QAccessible::ComboBox);
    EXPECT_EQ(box->text(QAccessible::Value), "1");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(shown.pictures()->lineEdit())
                  ->text(QAccessible::Name),
              "Number of Pictures");
}

// Lines only divide: they say nothing, in either window. The About picture says what it shows.
TEST(Accessibility, LinesSayNothingAndTheAboutPictureSaysWhatItShows) {
    ShownMainWindow shown;
    QWidget* window = shown.control(C::txt_item_cost)->window();
    choose(*qobject_cast<MainWindow*>(window), "About");
    const std::vector<QWidget*> dialogs = about_dialogs();
    ASSERT_EQ(dialogs.size(), 1u);
    std::size_t lines = 0;
    for (const QWidget* top : {window, dialogs.front()}) {
        for (LineWidget* line : top->findChildren<LineWidget*>()) {
            SCOPED_TRACE(line->objectName().toStdString());
            QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(line);
            ASSERT_NE(spoken, nullptr);
            EXPECT_EQ(spoken->role(), QAccessible::Separator);
            EXPECT_EQ(spoken->text(QAccessible::Name), "");
            ++lines;
        }
    }
    EXPECT_EQ(lines, 4u + 3u);
    QAccessibleInterface* picture = QAccessible::queryAccessibleInterface(
        dialogs.front()->findChild<QWidget*>(QStringLiteral("picIcon")));
    ASSERT_NE(picture, nullptr);
    EXPECT_TRUE(picture->text(QAccessible::Name).contains(QStringLiteral("calculator")));
    dialogs.front()->close();
    let_closed_windows_go();
}

// The sentence of the quick help, also for those who never point at the control.
TEST(Accessibility, ControlsWithQuickHelpDescribeThemselvesWithIt) {
    ShownMainWindow shown;
    const struct {
        Control control;
        const char* description;
    } described[] = {
        {C::txt_item_cost, "Enter the cost of your item."},
        {C::txt_reserve, "Enter the reserve price for your item, enter 0 or None for no reserve."},
        {C::chk_gfeatured, "Features your item in the gallery featured section. Cost is $19.95"},
        {C::chk_paypal,
         "Uncheck to not count paypal fees as part of your cost. Useful if you receive payment in "
         "Cash or Check"},
        {C::chk_sub, ""},
        {C::txt_profit, ""},
    };
    for (const auto& expected : described) {
        QAccessibleInterface* spoken =
            QAccessible::queryAccessibleInterface(shown.control(expected.control));
        ASSERT_NE(spoken, nullptr) << name(expected.control);
        EXPECT_EQ(spoken->text(QAccessible::Description), expected.description)
            << name(expected.control);
    }
}

}  // namespace
}  // namespace corvandel
