#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QWindow>

#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <string>
#include <vector>

#include "shown_main_window.h"

namespace corvandel {
namespace {

// The Tab stops as the window's tab order lists them.
const std::array<const char*, 26> tab_stops{
    "txt_item_cost",    "txt_start_price", "txt_bin",         "txt_reserve",    "txt_end_price",
    "txt_ship_charged", "txt_ship_cost",   "txt_other_costs", "combo_num_pics", "chk_pic_show",
    "chk_supersize",    "chk_pic_pack",    "chk_gallery",     "chk_bold",       "chk_10day",
    "chk_border",       "chk_sub",         "chk_highlight",   "chk_gift",       "chk_doublecat",
    "chk_gfeatured",    "chk_fplus",       "chk_hfeatured",   "chk_paypal",     "cmd_calc",
    "cmd_clear",
};

class Keyboard : public testing::Test {
  protected:
    ShownMainWindow shown;
};

TEST_F(Keyboard, FocusStartsInTheItemCost) {
    EXPECT_EQ(focused_control(), "txt_item_cost");
}

TEST_F(Keyboard, TabVisitsEveryStopInOrderAndWraps) {
    std::vector<QString> visited{focused_control()};
    for (std::size_t press = 0; press < tab_stops.size(); ++press) {
        shown.press(Qt::Key_Tab);
        visited.push_back(focused_control());
    }
    std::vector<QString> expected(tab_stops.begin(), tab_stops.end());
    expected.push_back(tab_stops.front());
    EXPECT_EQ(visited, expected);
}

TEST_F(Keyboard, ShiftTabVisitsTheStopsInReverseAndWraps) {
    std::vector<QString> visited{focused_control()};
    for (std::size_t press = 0; press < tab_stops.size(); ++press) {
        shown.press(Qt::Key_Backtab, Qt::ShiftModifier);
        visited.push_back(focused_control());
    }
    std::vector<QString> expected{tab_stops.front()};
    expected.insert(expected.end(), tab_stops.rbegin(), tab_stops.rend());
    EXPECT_EQ(visited, expected);
}

TEST_F(Keyboard, DisabledTickBoxesAreSkipped) {
    const struct {
        std::vector<Control> disabled;
        Control from;
        Qt::Key key;
        const char* lands_on;
    } cases[] = {
        {{Control::chk_pic_show, Control::chk_supersize},
         Control::combo_num_pics,
         Qt::Key_Tab,
         "chk_pic_pack"},
        {{Control::chk_pic_show, Control::chk_supersize},
         Control::chk_pic_pack,
         Qt::Key_Backtab,
         "combo_num_pics"},
        {{Control::chk_gfeatured}, Control::chk_doublecat, Qt::Key_Tab, "chk_fplus"},
        {{Control::chk_gallery}, Control::chk_bold, Qt::Key_Backtab, "chk_pic_pack"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.lands_on);
        for (Control box : test.disabled) {
            shown.control(box)->setEnabled(false);
        }
        shown.control(test.from)->setFocus(Qt::OtherFocusReason);
        shown.press(test.key, test.key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
        EXPECT_EQ(focused_control(), test.lands_on);
        for (Control box : test.disabled) {
            shown.control(box)->setEnabled(true);
        }
    }
}

// A key pressed on a control that has the focus, and whether Calculate ran.
struct KeyOnControl {
    Control focus;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    bool calculates;
};

std::string key_name(const KeyOnControl& test) {
    switch (test.key) {
        case Qt::Key_Return:
            return "Return";
        case Qt::Key_Enter:
            return "KeypadEnter";
        case Qt::Key_Space:
            return "Space";
        default:
            return "Escape";
    }
}

void PrintTo(const KeyOnControl& test, std::ostream* out) {
    *out << key_name(test) << " on " << name(test.focus);
}

class KeyOnFocusedControl : public testing::TestWithParam<KeyOnControl> {
  protected:
    ShownMainWindow shown;
};

// Calculate on the start-up values writes the listing fee, and nothing more.
TEST_P(KeyOnFocusedControl, CalculatesOnlyWhereEnterBelongsToCalculateAndKeepsTheFocus) {
    const KeyOnControl& test = GetParam();
    shown.control(test.focus)->setFocus(Qt::OtherFocusReason);
    QSignalSpy clears(shown.button(Control::cmd_clear), &QPushButton::clicked);
    shown.press(test.key, test.modifiers);

    const bool cleared = test.focus == Control::cmd_clear && test.key != Qt::Key_Escape;
    EXPECT_EQ(shown.text(Control::txt_list_fee), test.calculates ? "0.20" : "");
    // Clear ends with the focus in the first price field.
    EXPECT_EQ(focused_control(), cleared ? "txt_item_cost" : control_name(test.focus));
    EXPECT_EQ(clears.count(), cleared ? 1 : 0);
    EXPECT_EQ(shown.tick_box(Control::chk_bold)->isChecked(), false);
    EXPECT_EQ(shown.pictures()->count(), 12);
    EXPECT_EQ(shown.pictures()->currentText(), "1");
    EXPECT_TRUE(shown.warnings().empty());
}

INSTANTIATE_TEST_SUITE_P(
    MainWindow, KeyOnFocusedControl,
    testing::Values(KeyOnControl{Control::txt_start_price, Qt::Key_Return, Qt::NoModifier, true},
                    KeyOnControl{Control::txt_start_price, Qt::Key_Enter, Qt::KeypadModifier, true},
                    KeyOnControl{Control::combo_num_pics, Qt::Key_Return, Qt::NoModifier, true},
                    KeyOnControl{Control::combo_num_pics, Qt::Key_Enter, Qt::KeypadModifier, true},
                    KeyOnControl{Control::chk_bold, Qt::Key_Return, Qt::NoModifier, true},
                    KeyOnControl{Control::cmd_calc, Qt::Key_Return, Qt::NoModifier, true},
                    KeyOnControl{Control::cmd_calc, Qt::Key_Enter, Qt::KeypadModifier, true},
                    KeyOnControl{Control::cmd_calc, Qt::Key_Space, Qt::NoModifier, true},
                    KeyOnControl{Control::cmd_clear, Qt::Key_Return, Qt::NoModifier, false},
                    KeyOnControl{Control::cmd_clear, Qt::Key_Enter, Qt::KeypadModifier, false},
                    KeyOnControl{Control::cmd_clear, Qt::Key_Space, Qt::NoModifier, false},
                    KeyOnControl{Control::txt_start_price, Qt::Key_Escape, Qt::NoModifier, false},
                    KeyOnControl{Control::cmd_calc, Qt::Key_Escape, Qt::NoModifier, false},
                    KeyOnControl{Control::cmd_clear, Qt::Key_Escape, Qt::NoModifier, false}),
    [](const testing::TestParamInfo<KeyOnControl>& row) {
        return key_name(row.param) + "On_" + std::string(name(row.param.focus));
    });

// Enter reads the field being edited as it stands, without leaving it.
TEST_F(Keyboard, EnterInAPriceFieldCalculatesWithTheTextBeingTyped) {
    shown.type_into(Control::txt_start_price, "20");
    shown.press(Qt::Key_Return);
    EXPECT_EQ(shown.text(Control::txt_list_fee), "0.60");
    EXPECT_EQ(focused_control(), "txt_start_price");
    EXPECT_EQ(shown.text(Control::txt_start_price), "20");
}

TEST_F(Keyboard, PicturesBoxTakesAnyTypedTextAndKeepsItsTwelveEntries) {
    for (const QString typed : {"7.5", "abc", "13"}) {
        SCOPED_TRACE(typed.toStdString());
        shown.type_into(Control::combo_num_pics, typed);
        shown.press(Qt::Key_Return);
        EXPECT_EQ(shown.pictures()->currentText(), typed);
        ASSERT_EQ(shown.pictures()->count(), 12);
    }
    for (int entry = 0; entry < 12; ++entry) {
        EXPECT_EQ(shown.pictures()->itemText(entry), QString::number(entry + 1));
    }
}

// Keys typed on the window, as the window system delivers them: to the open menu, if any.
void type_on(QWindow* window, std::initializer_list<Qt::Key> keys) {
    for (const Qt::Key key : keys) {
        QTest::keyClick(window, key);
    }
}

// Enter in the open pictures list chooses the entry, as in any list; Calculate waits for the
// seller's next Enter.
TEST_F(Keyboard, EnterInTheOpenPicturesListChoosesWithoutCalculating) {
    shown.pictures()->setFocus();
    shown.pictures()->showPopup();
    QWidget* list = QApplication::activePopupWidget();
    ASSERT_NE(list, nullptr);
    type_on(list->windowHandle(), {Qt::Key_Down, Qt::Key_Return});
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(shown.pictures()->currentText(), "2");
    EXPECT_EQ(shown.text(Control::txt_list_fee), "");
}

QString open_menu() {
    const QWidget* menu = QApplication::activePopupWidget();
    return menu == nullptr ? QString() : menu->objectName();
}

// Alt or F10 gives the menu bar the keyboard; there Enter, Space and the arrows work as in any
// menu, Calculate does not run, and Escape, once the menu is shut, gives the keyboard back to
// the field that had it, its selection kept, where Enter calculates again.
TEST_F(Keyboard, MenuBarTakesTheKeysAfterAltOrF10AndEscapeGivesThemBack) {
    const struct {
        const char* keys;
        std::initializer_list<Qt::Key> typed;
        const char* opens;
    } cases[] = {
        {"Alt, Enter", {Qt::Key_Alt, Qt::Key_Return}, "file"},
        {"Alt, keypad Enter", {Qt::Key_Alt, Qt::Key_Enter}, "file"},
        {"Alt, Space", {Qt::Key_Alt, Qt::Key_Space}, "file"},
        {"Alt, Right, Enter", {Qt::Key_Alt, Qt::Key_Right, Qt::Key_Return}, "Help"},
        {"Alt, Right, Down", {Qt::Key_Alt, Qt::Key_Right, Qt::Key_Down}, "Help"},
        {"F10, Enter", {Qt::Key_F10, Qt::Key_Return}, "file"},
        {"F10, Left, Enter", {Qt::Key_F10, Qt::Key_Left, Qt::Key_Return}, "Help"},
    };
    QWindow* window = shown.control(Control::txt_start_price)->window()->windowHandle();
    auto* menu_bar = shown.control(Control::txt_start_price)->window()->findChild<QMenuBar*>();
    for (const auto& test : cases) {
        SCOPED_TRACE(test.keys);
        shown.type_into(Control::txt_start_price, "20");
        shown.field(Control::txt_start_price)->setSelection(2, -1);
        type_on(window, test.typed);
        EXPECT_EQ(open_menu(), test.opens);
        EXPECT_EQ(shown.text(Control::txt_list_fee), "");

        type_on(window, {Qt::Key_Escape});
        EXPECT_EQ(open_menu(), "");
        EXPECT_TRUE(menu_bar->hasFocus());
        type_on(window, {Qt::Key_Escape});
        EXPECT_EQ(focused_control(), "txt_start_price");
        EXPECT_EQ(shown.text(Control::txt_start_price), "20");
        EXPECT_EQ(shown.field(Control::txt_start_price)->selectedText(), "0");
        EXPECT_EQ(shown.field(Control::txt_start_price)->cursorPosition(), 1);
        type_on(window, {Qt::Key_Return});
        EXPECT_EQ(shown.text(Control::txt_list_fee), "0.60");
        shown.button(Control::cmd_clear)->click();
    }
}

// While the menu bar has the keyboard its current title is drawn as an open menu's title is;
// before Alt, and after Escape, as every other title. A title's edge is left out: at a scaling
// such as 150 % the pixel it shares with its neighbour takes some of the neighbour's highlight.
TEST_F(Keyboard, MenuBarHighlightsTheTitleThatHasTheKeyboard) {
    QWindow* window = shown.control(Control::txt_item_cost)->window()->windowHandle();
    auto* menu_bar = shown.control(Control::txt_item_cost)->window()->findChild<QMenuBar*>();
    const auto title = [menu_bar](const char* name) {
        QAction* action = menu_bar->findChild<QMenu*>(QString::fromUtf8(name))->menuAction();
        return menu_bar->grab(menu_bar->actionGeometry(action).adjusted(1, 0, -1, 0)).toImage();
    };
    const QImage file_at_rest = title("file");
    const QImage help_at_rest = title("Help");

    type_on(window, {Qt::Key_Alt});
    EXPECT_NE(title("file"), file_at_rest);
    EXPECT_EQ(title("Help"), help_at_rest);
    type_on(window, {Qt::Key_Right});
    EXPECT_EQ(title("file"), file_at_rest);
    const QImage help_with_keyboard = title("Help");
    EXPECT_NE(help_with_keyboard, help_at_rest);
    type_on(window, {Qt::Key_Down});
    ASSERT_EQ(open_menu(), "Help");
    EXPECT_EQ(title("Help"), help_with_keyboard) << "drawn as the open menu's title";
    type_on(window, {Qt::Key_Escape, Qt::Key_Escape});
    EXPECT_EQ(title("file"), file_at_rest);
    EXPECT_EQ(title("Help"), help_at_rest);
}

}  // namespace
}  // namespace corvandel
