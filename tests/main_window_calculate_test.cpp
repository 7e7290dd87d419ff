
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "calc/refusal.h"
#include "message_box_closer.h"
#include "shown_main_window.h"

namespace corvandel {
namespace {

enum class Trigger { mouse_click, enter_key };

void PrintTo(Trigger trigger, std::ostream* out) {
    *out << (trigger == Trigger::mouse_click ? "mouse click" : "Enter key");
}

void press_calculate(ShownMainWindow& shown, Trigger trigger) {
    if (trigger == Trigger::mouse_click) {
        QTest::mouseClick(shown.button(Control::cmd_calc), Qt::LeftButton);
    } else {
        shown.press(Qt::Key_Return);
    }
}

class GalleryListing : public testing::TestWithParam<Trigger> {
  protected:
    ShownMainWindow shown;
};

// The seller prices an item at 20 to start, expects 45, and adds a gallery picture.
TEST_P(GalleryListing, FillsEveryResultFieldAsTheSellerReadsIt) {
    shown.type_into(Control::txt_start_price, "20");
    shown.press(Qt::Key_Tab);
    shown.type_into(Control::txt_end_price, "45");
    QCheckBox* gallery = shown.tick_box(Control::chk_gallery);
    QTest::mouseClick(gallery, Qt::LeftButton, {}, QPoint(8, gallery->height() / 2));
    ASSERT_TRUE(gallery->isChecked());
    shown.control(Control::txt_end_price)->setFocus(Qt::MouseFocusReason);

    press_calculate(shown, GetParam());

    const struct {
        Control field;
        const char* shows;
    } results[] = {
        {Control::txt_list_fee, "0.95"},
        {Control::txt_paypal_fee, "1.60"},
        {Control::txt_fvf, "1.91"},
        {Control::Txt_ebay_fees, "2.86"},
        {Control::txt_total_fee, "4.46"},
        {Control::txt_total_recv, "45.00"},
        {Control::txt_total_spent, "4.46"},
        {Control::txt_profit, "40.54"},
        {Control::txt_profit_margin, "90.09"},
    };
    for (const auto& result : results) {
        SCOPED_TRACE(name(result.field));
        EXPECT_EQ(shown.text(result.field), result.shows);
    }
    EXPECT_TRUE(shown.warnings().empty());
    if (GetParam() == Trigger::enter_key) {
        EXPECT_EQ(focused_control(), "txt_end_price");
    }
}

INSTANTIATE_TEST_SUITE_P(MainWindow, GalleryListing,
                         testing::Values(Trigger::mouse_click, Trigger::enter_key),
                         [](const testing::TestParamInfo<Trigger>& test) {
                             return test.param == Trigger::mouse_click ? "MouseClick" : "EnterKey";
                         });

// Prices that make the run warn, the warnings in order with where the focus was as each one
// appeared, and where the focus ends.
struct WarningCase {
    const char* what;
    const char* start_price;
    const char* reserve;
    std::vector<ShownWarning> warnings;
    const char* focus_after;
};

void PrintTo(const WarningCase& test, std::ostream* out) {
    *out << "start price " << test.start_price << ", reserve " << test.reserve;
}

const QString reserve_too_low = "Reserve Price must be higher than the starting price";
const QString invalid_start = "Invalid Start price entered";

class RunWarnings : public testing::TestWithParam<WarningCase> {
  protected:
    ShownMainWindow shown;
};

TEST_P(RunWarnings, AreShownInOrderAndMoveTheFocusToTheFieldConcerned) {
    const WarningCase& test = GetParam();
    shown.type_into(Control::txt_start_price, test.start_price);
    shown.type_into(Control::txt_reserve, test.reserve);
    press_calculate(shown, Trigger::enter_key);
    EXPECT_EQ(shown.warnings(), test.warnings);
    EXPECT_EQ(focused_control(), test.focus_after);
}

INSTANTIATE_TEST_SUITE_P(
    MainWindow, RunWarnings,
    testing::Values(WarningCase{"BothListingFeeWarnings",
                                "0",
                                "0",
                                {{"Error", reserve_too_low, "txt_reserve"},
                                 {"Error", invalid_start, "txt_reserve"}},
                                "txt_start_price"},
                    WarningCase{"ReserveBelowStart",
                                "0.99",
                                "0.50",
                                {{"Error", reserve_too_low, "txt_reserve"}},
                                "txt_reserve"},
                    WarningCase{"StartPriceInNoTier",
                                "0",
                                "None",
                                {{"Error", invalid_start, "txt_reserve"}},
                                "txt_start_price"},
                    WarningCase{"ReserveNotANumber",
                                "0.99",
                                "abc",
                                {{"Incorrect Price Entered",
                                  "Please enter a valid amount. You can also enter none or 0 for "
                                  "no reserve",
                                  "txt_reserve"}},
                                "txt_reserve"}),
    [](const testing::TestParamInfo<WarningCase>& test) { return test.param.what; });

// Entries typed one after another, then Calculate: at most one price-field warning, and every
// box of the run leaves the focus in the field it names, its whole text selected.
struct Entry {
    Control field;
    const char* text;
};

struct SequenceCase {
    const char* what;
    std::vector<Entry> entries;  // each typed, then left by Tab except the last
    std::vector<std::pair<QString, QString>> warnings;
    Control focus_after;
    bool calculates;
};

void PrintTo(const SequenceCase& test, std::ostream* out) {
    *out << test.what;
}

class Sequence : public testing::TestWithParam<std::tuple<SequenceCase, Trigger>> {
  protected:
    ShownMainWindow shown;
};

TEST_P(Sequence, ShowsOnePriceWarningAtMostAndEndsInTheFieldNamed) {
    const auto& [test, trigger] = GetParam();
    for (std::size_t entry = 0; entry < test.entries.size(); ++entry) {
        shown.type_into(test.entries[entry].field, test.entries[entry].text);
        if (entry + 1 < test.entries.size()) {
            shown.press(Qt::Key_Tab);
        }
    }
    press_calculate(shown, trigger);

    std::vector<std::pair<QString, QString>> seen;
    for (const ShownWarning& warning : shown.warnings()) {
        seen.emplace_back(warning.title, warning.message);
    }
    EXPECT_EQ(seen, test.warnings);
    EXPECT_EQ(focused_control(), control_name(test.focus_after));
    QLineEdit* named = shown.field(test.focus_after);
    EXPECT_EQ(named->selectedText(), named->text());
    EXPECT_EQ(shown.text(Control::txt_list_fee).isEmpty(), !test.calculates);
}

const QString incorrect_price = "Incorrect Price Entered";

INSTANTIATE_TEST_SUITE_P(
    MainWindow, Sequence,
    testing::Combine(
        testing::Values(
            SequenceCase{"NegativeReserveThenEndingPriceWithLetters",
                         {{Control::txt_reserve, "-1"}, {Control::txt_end_price, "5abc"}},
                         {{incorrect_price,
                           "Please enter a valid price. You can None or 0 for no ending price."}},
                         Control::txt_end_price,
                         false},
            SequenceCase{"HugeStartingPriceThenItemCostInLetters",
                         {{Control::txt_start_price, "1e20"}, {Control::txt_item_cost, "abc"}},
                         {{incorrect_price,
                           "Please enter a valid price. You can also enter Free or 0 for no "
                           "cost."}},
                         Control::txt_item_cost,
                         false},
            SequenceCase{"NegativeReserveThenEndingPrice",
                         {{Control::txt_reserve, "-1"}, {Control::txt_end_price, "5"}},
                         {{"Error", reserve_too_low}, {"Error", invalid_start}},
                         Control::txt_start_price,
                         true},
            SequenceCase{"EndingPriceTooLarge",
                         {{Control::txt_end_price, "1e20"}},
                         {{"Error", QString::fromStdString(refusal_message({Control::txt_end_price,
                                                                            Problem::too_large}))}},
                         Control::txt_end_price,
                         true}),
        testing::Values(Trigger::mouse_click, Trigger::enter_key)),
    [](const testing::TestParamInfo<std::tuple<SequenceCase, Trigger>>& test) {
        return std::string(std::get<0>(test.param).what) +
               (std::get<1>(test.param) == Trigger::mouse_click ? "ByMouse" : "ByEnter");
    });

TEST(RealWarningBoxes, BothListingFeeWarningsAreModalBoxesInOrder) {
    MainWindow window;
    ShownMainWindow::show_and_activate(window);
    auto* start_price = qobject_cast<QLineEdit*>(window.control(Control::txt_start_price));
    auto* reserve = qobject_cast<QLineEdit*>(window.control(Control::txt_reserve));
    start_price->setText("0");
    reserve->setText("0");

    MessageBoxCloser closer(5000);
    QTest::mouseClick(qobject_cast<QPushButton*>(window.control(Control::cmd_calc)),
                      Qt::LeftButton);

    const std::vector<SeenBox>& boxes = closer.seen();
    ASSERT_EQ(boxes.size(), 2U);
    const QString texts[] = {reserve_too_low, invalid_start};
    const QString focus_while_shown[] = {"cmd_calc", "txt_reserve"};
    for (std::size_t shown = 0; shown < boxes.size(); ++shown) {
        SCOPED_TRACE(shown);
        EXPECT_EQ(boxes[shown].title, "Error");
        EXPECT_EQ(boxes[shown].text, texts[shown]);
        EXPECT_EQ(boxes[shown].icon, QMessageBox::Warning);
        EXPECT_EQ(boxes[shown].buttons, 1);
        EXPECT_TRUE(boxes[shown].has_ok);
        EXPECT_TRUE(boxes[shown].modal);
        EXPECT_EQ(boxes[shown].focus, focus_while_shown[shown]);
    }
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return window.focusWidget() == window.control(Control::txt_start_price); }, 5000));
    EXPECT_EQ(window.focusWidget(), window.control(Control::txt_start_price));
}

class ResultFields : public testing::Test {
  protected:
    ResultFields() { press_calculate(shown, Trigger::enter_key); }
    ShownMainWindow shown;
};

// After a calculation, no mouse or key action of the seller focuses, selects or edits a result.
TEST_F(ResultFields, CannotBeFocusedSelectedOrEditedByTheSeller) {
    for (Control result : result_fields) {
        SCOPED_TRACE(name(result));
        QLineEdit* field = shown.field(result);
        const QString before = field->text();
        QTest::mouseClick(field, Qt::LeftButton);
        QTest::mouseDClick(field, Qt::LeftButton);
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(field, "99");
        QTest::keyClick(field, Qt::Key_Backspace);
        EXPECT_EQ(field->text(), before);
        EXPECT_FALSE(field->hasSelectedText());
        EXPECT_FALSE(field->hasFocus());
        EXPECT_FALSE(field->isEnabled());
    }
    EXPECT_EQ(shown.text(Control::txt_list_fee), "0.20");
}

}  // namespace
}  // namespace corvandel
