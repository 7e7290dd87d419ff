#include <QLabel>
#include <QMenuBar>
#include <QPoint>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

#include <string>

#include "font_check.h"
#include "shown_main_window.h"

namespace corvandel {
namespace {

// Where on a widget the pointer goes, in the widget's own coordinates.
enum class Spot { centre, left_edge };

QPoint spot_on(const QWidget* widget, Spot spot) {
    return spot == Spot::centre ? widget->rect().center() : QPoint(3, widget->height() / 2);
}

class QuickHelp : public testing::Test {
  protected:
    ShownMainWindow shown;

    QWidget* top_level() const { return shown.control(Control::lbl_help)->window(); }
    QString help_line() const {
        return qobject_cast<QLabel*>(shown.control(Control::lbl_help))->text();
    }

    // A move as the platform delivers it: to the top-level window, at a point inside it.
    void move_to_window_point(QPoint in_window) const {
        QTest::mouseMove(top_level()->windowHandle(), in_window);
    }
    void point_at(Control control, Spot spot = Spot::centre) const {
        const QWidget* widget = shown.control(control);
        move_to_window_point(widget->mapTo(top_level(), spot_on(widget, spot)));
    }
    // Empty background between the quick help frame's left edge and the window's.
    void point_at_background() const { move_to_window_point(QPoint(2, 40)); }
};

TEST_F(QuickHelp, EachPriceFieldAndOptionShowsItsSentenceAsWritten) {
    const struct {
        Control control;
        const char* sentence;
    } cases[] = {
        {Control::txt_item_cost, "Enter the cost of your item."},
        {Control::txt_start_price, "Enter the starting price for your item."},
        {Control::txt_bin, "Enter the buy-it-now price for your item (optional)."},
        {Control::txt_reserve,
         "Enter the reserve price for your item, enter 0 or None for no reserve."},
        {Control::txt_end_price,
         "Enter your estimated end price for your item. Used to calculate final value fees e.t.c"},
        {Control::txt_ship_charged, "Enter the amount you will charge for shipping."},
        {Control::txt_ship_cost, "Enter the cost to ship your item."},
        {Control::txt_other_costs,
         "Enter other costs associated with your sale (e.g handling, 3rd party fees e.t.c)."},
        {Control::chk_pic_show,
         "Picture show displays your pictures at the top of your listing, Cost is 25 cents."},
        {Control::chk_supersize, "Supersizes your pictures, cost is 75 cents."},
        {Control::chk_pic_pack,
         "Picture pack includes Picture show and Supersize, cost is $1 for up to 6 pictures and "
         "$1.50 for up to 12."},
        {Control::chk_gallery,
         "Gallery displays a picture next to your listing, cost is 35 cents."},
        {Control::chk_bold, "Displays your listing in bold type, cost is $1."},
        {Control::chk_10day, "Extends your listing to 10 days, cost is 40 cents."},
        {Control::chk_border,
         "Surrounds your listing with a border to improve visibility, cost is $3."},
        {Control::chk_highlight, "Highlights your listing for improved visibility, cost is $5."},
        {Control::chk_gift, "Displays the gift service icon, cost is 25 cents."},
        {Control::chk_doublecat,
         "Updates the cost if you plan to list in 2 catergories. All listing costs are doubled."},
        {Control::chk_gfeatured,
         "Features your item in the gallery featured section. Cost is $19.95"},
        {Control::chk_fplus, "Features your item in the featured section, cost is $19.95"},
        {Control::chk_hfeatured, "Features your item on the eBaY hompepage, cost is $39.95"},
        {Control::chk_paypal,
         "Uncheck to not count paypal fees as part of your cost. Useful if you receive payment in "
         "Cash or Check"},
    };
    EXPECT_EQ(help_line(), "");
    for (const auto& test : cases) {
        SCOPED_TRACE(name(test.control));
        point_at_background();
        point_at(test.control);
        EXPECT_EQ(help_line(), test.sentence);
    }
}

// The frames' own parts, the background, and whatever hands the move to a frame: a disabled
// control or a line.
TEST_F(QuickHelp, FramesTheBackgroundDisabledControlsAndLinesEmptyTheLine) {
    shown.control(Control::chk_gfeatured)->setEnabled(false);
    const struct {
        const char* what;
        Control control;
        Spot spot;
    } cases[] = {
        {"quick help frame", Control::quick_help, Spot::left_edge},
        {"item cost frame", Control::fr_cost, Spot::left_edge},
        {"starting price frame", Control::fr_start_price, Spot::left_edge},
        {"buy-it-now frame", Control::Frame2, Spot::left_edge},
        {"reserve frame", Control::Frame1, Spot::left_edge},
        {"ending price frame", Control::fr_end_price, Spot::left_edge},
        {"shipping charged frame", Control::fr_ship_charged, Spot::left_edge},
        {"shipping cost frame", Control::fr_ship_cost, Spot::left_edge},
        {"other costs frame", Control::fr_other_costs, Spot::left_edge},
        {"picture options frame", Control::fr_pic_options, Spot::left_edge},
        {"listing options frame", Control::fr_options, Spot::left_edge},
        {"results frame", Control::fr_costs, Spot::left_edge},
        {"listing fee result", Control::txt_list_fee, Spot::centre},
        {"final value fee result", Control::txt_fvf, Spot::centre},
        {"eBay fees result", Control::Txt_ebay_fees, Spot::centre},
        {"PayPal fee result", Control::txt_paypal_fee, Spot::centre},
        {"total fees result", Control::txt_total_fee, Spot::centre},
        {"total received result", Control::txt_total_recv, Spot::centre},
        {"total spent result", Control::txt_total_spent, Spot::centre},
        {"profit result", Control::txt_profit, Spot::centre},
        {"profit margin result", Control::txt_profit_margin, Spot::centre},
        {"disabled Gallery Featured", Control::chk_gfeatured, Spot::centre},
        {"line in the listing options", Control::Line1, Spot::centre},
        {"line in the results", Control::Line3, Spot::centre},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.what);
        point_at(Control::txt_item_cost);
        ASSERT_EQ(help_line(), "Enter the cost of your item.");
        point_at(test.control, test.spot);
        EXPECT_EQ(help_line(), "");
    }
    point_at(Control::txt_item_cost);
    point_at_background();
    EXPECT_EQ(help_line(), "");
}

TEST_F(QuickHelp, LabelsButtonsSubTitleThePicturesBoxAndTheMenuBarLeaveTheLine) {
    const struct {
        const char* what;
        Control control;
    } cases[] = {
        {"the help line itself", Control::lbl_help},
        {"Number of Pictures label", Control::Label1},
        {"pictures box", Control::combo_num_pics},
        {"Sub Title", Control::chk_sub},
        {"listing fee label", Control::lbl_list_fee},
        {"PayPal fee label", Control::Label8},
        {"profit margin label", Control::Label2},
        {"Calculate", Control::cmd_calc},
        {"Clear", Control::cmd_clear},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.what);
        point_at(Control::txt_bin);
        point_at(test.control);
        EXPECT_EQ(help_line(), "Enter the buy-it-now price for your item (optional).");
    }
    point_at(Control::txt_bin);
    const QWidget* menu_bar = qobject_cast<QMainWindow*>(top_level())->menuBar();
    move_to_window_point(menu_bar->geometry().center());
    EXPECT_EQ(help_line(), "Enter the buy-it-now price for your item (optional).");
}

TEST_F(QuickHelp, FromAFieldOntoItsFrameCaptionTheLineEmpties) {
    point_at(Control::txt_bin);
    ASSERT_EQ(help_line(), "Enter the buy-it-now price for your item (optional).");
    const QWidget* frame = shown.control(Control::Frame2);
    move_to_window_point(frame->mapTo(top_level(), QPoint(frame->width() / 3, 6)));
    EXPECT_EQ(help_line(), "");
}

// Gallery Featured raises nothing while disabled, and its own sentence once enabled again.
TEST_F(QuickHelp, ADisabledOptionCountsAsItsFrameUntilEnabled) {
    QWidget* gallery_featured = shown.control(Control::chk_gfeatured);
    point_at(Control::chk_bold);
    gallery_featured->setEnabled(false);
    point_at(Control::chk_gfeatured);
    EXPECT_EQ(help_line(), "");

    gallery_featured->setEnabled(true);
    point_at(Control::chk_gfeatured, Spot::left_edge);
    EXPECT_EQ(help_line(), "Features your item in the gallery featured section. Cost is $19.95");
}

// Dragging from a label over a field and on to a frame: moves with a button held count too,
// and a move beyond the window's edge leaves the line alone.
TEST_F(QuickHelp, MovesWithAButtonHeldDownAreFollowed) {
    QWindow* window = top_level()->windowHandle();
    const QWidget* label = shown.control(Control::Label1);
    QTest::mousePress(window, Qt::LeftButton, {}, label->mapTo(top_level(), QPoint(4, 4)));
    point_at(Control::txt_ship_cost);
    EXPECT_EQ(help_line(), "Enter the cost to ship your item.");
    move_to_window_point(QPoint(40, -30));
    EXPECT_EQ(help_line(), "Enter the cost to ship your item.");
    point_at(Control::fr_ship_cost, Spot::left_edge);
    EXPECT_EQ(help_line(), "");
    QTest::mouseRelease(window, Qt::LeftButton, {}, QPoint(2, 40));
}

// Whatever font the desktop gives for Verdana, every sentence is read whole on the line.
TEST_F(QuickHelp, EverySentenceFitsTheHelpLine) {
    const auto* line = qobject_cast<QLabel*>(shown.control(Control::lbl_help));
    for (const Control control : {Control::chk_pic_pack, Control::chk_paypal, Control::chk_bold}) {
        SCOPED_TRACE(name(control));
        point_at_background();
        point_at(control);
        ASSERT_FALSE(help_line().isEmpty());
        EXPECT_LE(line->heightForWidth(line->width()), line->height());
        EXPECT_TRUE(draws_as(line->font(), "Verdana"));
    }
}

}  // namespace
}  // namespace corvandel
