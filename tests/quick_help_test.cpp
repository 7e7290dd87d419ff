#include <QLabel>
#include <QMenuBar>
#include <QPoint>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <regex>
#include <string>
#include <utility>
#include <vector>

#include "calc/amount_text.h"
#include "calc/fee_schedule.h"
#include "calc/readings.h"
#include "font_check.h"
#include "shown_main_window.h"
#include "ui/help/quick_help.h"
#include "ui/window/layout.h"

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

// Each price field and option shows its own sentence, not a neighbour's.
TEST_F(QuickHelp, EachPriceFieldAndOptionShowsItsOwnSentence) {
    EXPECT_EQ(help_line(), "");
    int sentences = 0;
    for (const Placement& row : main_window_layout) {
        if (const auto sentence = quick_help_text(row.control)) {
            SCOPED_TRACE(name(row.control));
            point_at_background();
            point_at(row.control);
            EXPECT_EQ(help_line(), QString::fromUtf8(sentence->data(), sentence->size()));
            ++sentences;
        }
    }
    EXPECT_EQ(sentences, 22);
}

// The prices a sentence names, read back from its words ("25 cents", "$1", "$1.50") and written
// as amounts.
std::vector<std::string> prices_named_in(const std::string& sentence) {
    static const std::regex price_words(R"(\$([0-9]+(?:\.[0-9]+)?)|([0-9]+) cents)");
    std::vector<std::string> prices;
    for (auto match = std::sregex_iterator(sentence.begin(), sentence.end(), price_words);
         match != std::sregex_iterator(); ++match) {
        prices.push_back(amount_text((*match)[1].matched
                                         ? *strict_amount((*match)[1].str())
                                         : *strict_amount((*match)[2].str() + "e-2")));
    }
    return prices;
}

TEST(QuickHelpPrices, EachSentenceNamesWhatTheFeeScheduleCharges) {
    namespace schedule = fee_schedule;
    std::vector<std::pair<Control, std::vector<Money>>> priced = {
        {Control::chk_pic_show, {schedule::picture_show}},
        {Control::chk_supersize, {schedule::supersize_pictures}},
        {Control::chk_pic_pack,
         {schedule::picture_pack_up_to_six, schedule::picture_pack_over_six}},
    };
    for (const auto& upgrade : schedule::listing_upgrades) {
        if (upgrade.box != Control::chk_sub) {  // Sub Title has no sentence
            priced.push_back({upgrade.box, {upgrade.price}});
        }
    }
    for (const auto& [box, prices] : priced) {
        const std::string sentence(quick_help_text(box).value_or("(none)"));
        std::vector<std::string> charged;
        std::transform(prices.begin(), prices.end(), std::back_inserter(charged), amount_text);
        EXPECT_EQ(prices_named_in(sentence), charged) << sentence;
    }
}

TEST(QuickHelpPrices, PricesReadAsTheSentencesAlwaysHave) {
    const std::pair<Control, const char*> cases[] = {
        {Control::chk_pic_show,
         "Picture show displays your pictures at the top of your listing, Cost is 25 cents."},
        {Control::chk_pic_pack,
         "Picture pack includes Picture show and Supersize, cost is $1 for up to 6 pictures and "
         "$1.50 for up to 12."},
        {Control::chk_gfeatured,
         "Features your item in the gallery featured section. Cost is $19.95"},
        {Control::chk_border,
         "Surrounds your listing with a border to improve visibility, cost is $3."},
    };
    for (const auto& [box, sentence] : cases) {
        EXPECT_EQ(quick_help_text(box), sentence);
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
