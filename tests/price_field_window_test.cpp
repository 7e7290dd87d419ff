#include <QAction>
#include <QClipboard>
#include <QDropEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QTimer>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "form/control.h"
#include "message_box_closer.h"
#include "shown_main_window.h"
#include "ui/entry/typed_text.h"
#include "ui/window/qt_values.h"

namespace corvandel {
namespace {

using C = Control;

// Each field's warning, as the seller reads it.
QString message_of(Control field) {
    static const std::map<Control, const char*> messages = {
        {C::txt_item_cost, "Please enter a valid price. You can also enter Free or 0 for no cost."},
        {C::txt_start_price,
         "Please enter a valid price. You must enter a number greater 0.01 or higher."},
        {C::txt_bin,
         "Please enter a valid price. You can enter 0 or None for no buy-it-now price."},
        {C::txt_reserve,
         "Please enter a valid amount. You can also enter none or 0 for no reserve"},
        {C::txt_end_price, "Please enter a valid price. You can None or 0 for no ending price."},
        {C::txt_ship_charged,
         "Please enter a valid price. You can enter None or 0 for no shipping charges."},
        {C::txt_ship_cost,
         "Please enter a valid price. You can enter None or 0 for no shipping costs."},
        {C::txt_other_costs, "Please enter a valid price. You can enter None or 0 for no costs."},
    };
    return messages.at(field);
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

// Enter tests the entry being typed as leaving the field would, and calculates only from what
// the window accepts; the focus stays in the field either way.
struct EnterCase {
    Control field;
    const char* typed;
    bool refused;
    const char* then_holds;
    bool calculates;
};

void PrintTo(const EnterCase& c, std::ostream* out) {
    *out << "Enter in " << name(c.field) << " holding '" << c.typed << "'";
}

class EnterInAPriceField : public testing::TestWithParam<EnterCase> {
  protected:
    ShownMainWindow shown;
};

TEST_P(EnterInAPriceField, TestsTheEntryFirstAndCalculatesOnlyFromAnAcceptedOne) {
    const EnterCase& c = GetParam();
    shown.type_into(c.field, c.typed);
    shown.press(Qt::Key_Return);

    const auto expected_warnings =
        c.refused ? one_warning_for(c.field) : std::vector<std::pair<QString, QString>>{};
    EXPECT_EQ(warnings_seen(shown), expected_warnings);
    EXPECT_EQ(focused_control(), control_name(c.field));
    EXPECT_EQ(shown.text(c.field), c.then_holds);
    if (c.refused) {
        EXPECT_EQ(shown.field(c.field)->selectedText(), c.then_holds);
    }
    EXPECT_EQ(shown.text(C::txt_list_fee), c.calculates ? "0.20" : "");
}

const EnterCase enter_cases[] = {
    {C::txt_item_cost, "1,000", true, "1,000", false},
    {C::txt_end_price, "12,50", true, "12,50", false},
    {C::txt_end_price, "", false, "None", true},
    {C::txt_end_price, "12", false, "12", true},
    {C::txt_start_price, "", true, "None", false},
};
INSTANTIATE_TEST_SUITE_P(MainWindow, EnterInAPriceField, testing::ValuesIn(enter_cases));

// Leaving the field by Tab and testing it by Enter bring the same real box, and after it the
// field has the focus with its text selected for mending.
class RealPriceWarning : public testing::TestWithParam<Qt::Key> {};

TEST_P(RealPriceWarning, IsAModalWarningBoxAndTheFocusComesBackAfterIt) {
    MainWindow window;
    ShownMainWindow::show_and_activate(window);
    auto* bin = qobject_cast<QLineEdit*>(window.control(C::txt_bin));
    bin->setFocus(Qt::MouseFocusReason);
    bin->setText("abc");

    MessageBoxCloser closer(5000);
    QTest::keyClick(bin, GetParam());

    ASSERT_EQ(closer.seen().size(), 1U);
    const SeenBox& box = closer.seen().front();
    EXPECT_EQ(box.title, "Incorrect Price Entered");
    EXPECT_EQ(box.text, message_of(C::txt_bin));
    EXPECT_EQ(box.icon, QMessageBox::Warning);
    EXPECT_EQ(box.buttons, 1);
    EXPECT_TRUE(box.has_ok);
    EXPECT_TRUE(box.modal);
    EXPECT_EQ(box.accessible_name, "Incorrect Price Entered: Buy-It-Now Price");
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.focusWidget() == bin; }, 5000));
    EXPECT_EQ(bin->text(), "abc");
    EXPECT_EQ(bin->selectedText(), "abc");
    EXPECT_EQ(qobject_cast<QLineEdit*>(window.control(C::txt_list_fee))->text(), "");
}

INSTANTIATE_TEST_SUITE_P(MainWindow, RealPriceWarning, testing::Values(Qt::Key_Tab, Qt::Key_Return),
                         [](const testing::TestParamInfo<Qt::Key>& row) {
                             return row.param == Qt::Key_Tab ? "Tab" : "Enter";
                         });

// Where the platform would deliver pointer and drag events: to the window, at a point in it.
QPoint centre_in_window(const QWidget* widget) {
    return widget->mapTo(widget->window(), widget->rect().center());
}

// One notch towards the seller, straight to the widget: a test cannot send a wheel event
// through the window as the platform does, so the focus a wheel may give is not tried here.
void turn_wheel_over(QWidget* widget) {
    const QPointF at = widget->rect().center();
    QWheelEvent wheel(at, widget->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &wheel);
}

// Returns whether the target accepted the drag.
bool drop_text_on(QWidget* widget, const QString& text) {
    QWindow* window = widget->window()->windowHandle();
    const QPointF at = centre_in_window(widget);
    QMimeData data;
    data.setText(text);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &enter);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &drop);
    return enter.isAccepted() || drop.isAccepted();
}

struct WheelCase {
    const char* what;
    Control focus;
    const char* typed;  // into the focused price field, or nothing
    const char* pictures_after;
};

class WheelOverThePicturesBox : public testing::TestWithParam<WheelCase> {
  protected:
    ShownMainWindow shown;
};

// Only the pictures box answers the wheel, and only while it has the focus.
TEST_P(WheelOverThePicturesBox, TurnsItOnlyWhileItHasTheFocus) {
    const WheelCase& c = GetParam();
    if (c.typed != nullptr) {
        shown.type_into(c.focus, c.typed);
    } else {
        shown.control(c.focus)->setFocus(Qt::TabFocusReason);
    }
    turn_wheel_over(shown.pictures());

    EXPECT_EQ(shown.pictures()->currentText(), c.pictures_after);
    EXPECT_EQ(focused_control(), control_name(c.focus));
    EXPECT_TRUE(shown.warnings().empty());
}

INSTANTIATE_TEST_SUITE_P(
    MainWindow, WheelOverThePicturesBox,
    testing::Values(WheelCase{"FocusInAnAcceptedField", C::txt_item_cost, nullptr, "1"},
                    WheelCase{"FocusInARefusedEntry", C::txt_end_price, "abc", "1"},
                    WheelCase{"FocusInThePicturesBox", C::combo_num_pics, nullptr, "2"}),
    [](const testing::TestParamInfo<WheelCase>& row) { return row.param.what; });

// Counts the mouse presses, releases and context menus that reach a widget.
class MouseEventsSeen final : public QObject {
  public:
    int count = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        const QEvent::Type type = event->type();
        count += type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
                 type == QEvent::MouseButtonDblClick || type == QEvent::ContextMenu;
        return false;
    }
};

struct ClickAway {
    const char* what;
    Qt::MouseButton button;
    QTest::MouseAction action;  // a press is held while the event loop turns, then released
    Control clicked;
    std::size_t warnings;  // one for each press that leaves the entry
};

void PrintTo(const ClickAway& c, std::ostream* out) {
    *out << c.what;
}

class ClickAwayFromARefusedEntry : public testing::TestWithParam<ClickAway> {
  protected:
    ShownMainWindow shown;
};

// Whatever the button, a click on another control only brings the warning: nothing of the click
// reaches that control, so no menu opens there, no selection is pasted into it and no button
// acts, whether the click is double or held.
TEST_P(ClickAwayFromARefusedEntry, ReachesNothingButTheWarning) {
    const ClickAway& c = GetParam();
    shown.type_into(C::txt_end_price, "abc");
    QWidget* clicked = shown.control(c.clicked);
    MouseEventsSeen seen;
    clicked->installEventFilter(&seen);
    for (QWidget* part : clicked->findChildren<QWidget*>()) {
        part->installEventFilter(&seen);
    }
    QWindow* window = clicked->window()->windowHandle();
    QTest::mouseEvent(c.action, window, c.button, {}, centre_in_window(clicked));
    if (c.action == QTest::MousePress) {
        QCoreApplication::processEvents();
        QTest::mouseRelease(window, c.button, {}, centre_in_window(clicked));
    }

    EXPECT_EQ(seen.count, 0);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    const std::vector expected(c.warnings, one_warning_for(C::txt_end_price).front());
    EXPECT_EQ(warnings_seen(shown), expected);
    EXPECT_EQ(focused_control(), "txt_end_price");
    EXPECT_EQ(shown.text(C::txt_bin), "None");
    EXPECT_EQ(shown.text(C::txt_list_fee), "");
}

INSTANTIATE_TEST_SUITE_P(
    MainWindow, ClickAwayFromARefusedEntry,
    testing::Values(
        ClickAway{"Left", Qt::LeftButton, QTest::MouseClick, C::txt_bin, 1},
        ClickAway{"Middle", Qt::MiddleButton, QTest::MouseClick, C::txt_bin, 1},
        ClickAway{"Right", Qt::RightButton, QTest::MouseClick, C::txt_bin, 1},
        ClickAway{"LeftInThePicturesBox", Qt::LeftButton, QTest::MouseClick, C::combo_num_pics, 1},
        ClickAway{"DoubleOnCalculate", Qt::LeftButton, QTest::MouseDClick, C::cmd_calc, 2},
        ClickAway{"HeldOnCalculate", Qt::LeftButton, QTest::MousePress, C::cmd_calc, 1},
        ClickAway{"HeldMiddle", Qt::MiddleButton, QTest::MousePress, C::txt_bin, 1}),
    [](const testing::TestParamInfo<ClickAway>& row) { return row.param.what; });

// Where a click acts: near the left edge of a tick box, where its indicator is; on the arrow of
// the pictures box, which opens its list; in the middle of anything else.
QPoint acting_point_in_window(const QWidget* control) {
    QPoint in_control = control->rect().center();
    if (qobject_cast<const QCheckBox*>(control) != nullptr) {
        in_control.setX(8);
    } else if (qobject_cast<const QComboBox*>(control) != nullptr) {
        in_control.setX(control->width() - 4);
    }
    return control->mapTo(control->window(), in_control);
}

struct ThroughTheMenuBar {
    const char* what;
    const char* typed;  // into the item cost
    Qt::Key key;
    Control clicked;
    bool refused;
};

class ClickAfterTheMenuBar : public testing::TestWithParam<ThroughTheMenuBar> {
  protected:
    ShownMainWindow shown;
};

// The menu bar takes the keyboard with no test of the field it takes it from; the click that
// then moves the focus to another control leaves the field as a click straight from it would:
// a refused entry brings its warning and the click does nothing more; an emptied field gets its
// word and the click acts.
TEST_P(ClickAfterTheMenuBar, LeavesTheFieldAsAClickStraightFromItWould) {
    const ThroughTheMenuBar& c = GetParam();
    shown.type_into(C::txt_item_cost, c.typed);
    QWidget* window = shown.control(C::txt_item_cost)->window();
    QTest::keyClick(window->windowHandle(), c.key);
    ASSERT_TRUE(window->findChild<QMenuBar*>()->hasFocus());
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                      acting_point_in_window(shown.control(c.clicked)));

    QWidget* list = QApplication::activePopupWidget();
    const bool acted = !shown.text(C::txt_list_fee).isEmpty() ||
                       shown.tick_box(C::chk_bold)->isChecked() || list != nullptr;
    if (list != nullptr) {
        list->close();
    }
    EXPECT_EQ(acted, !c.refused);
    const auto no_warning = std::vector<std::pair<QString, QString>>();
    EXPECT_EQ(warnings_seen(shown), c.refused ? one_warning_for(C::txt_item_cost) : no_warning);
    EXPECT_EQ(focused_control(), c.refused ? "txt_item_cost" : control_name(c.clicked));
    EXPECT_EQ(shown.text(C::txt_item_cost), c.refused ? c.typed : "Free");
}

INSTANTIATE_TEST_SUITE_P(
    MainWindow, ClickAfterTheMenuBar,
    testing::Values(ThroughTheMenuBar{"AltThenCalculate", ".", Qt::Key_Alt, C::cmd_calc, true},
                    ThroughTheMenuBar{"F10ThenCalculate", ".", Qt::Key_F10, C::cmd_calc, true},
                    ThroughTheMenuBar{"AltThenATickBox", "45x", Qt::Key_Alt, C::chk_bold, true},
                    ThroughTheMenuBar{"F10ThenThePicturesList", ".", Qt::Key_F10, C::combo_num_pics,
                                      true},
                    ThroughTheMenuBar{"EmptiedThenAlt", "", Qt::Key_Alt, C::cmd_calc, false}),
    [](const testing::TestParamInfo<ThroughTheMenuBar>& row) { return row.param.what; });

// A press cancelled for a refused entry whose release reaches no control, as when the button
// comes up away from it after the warning box has taken the click from the window, is forgotten:
// once the entry is mended, the next click on that control acts.
TEST(CancelledPress, ReleasedAwayIsForgottenBeforeTheNextClick) {
    MainWindow window;
    ShownMainWindow::show_and_activate(window);
    auto* cost = qobject_cast<QLineEdit*>(window.control(C::txt_item_cost));
    cost->setText("x");
    auto* paypal = qobject_cast<QCheckBox*>(window.control(C::chk_paypal));
    const QPoint on_paypal = acting_point_in_window(paypal);
    {
        const MessageBoxCloser closer(5000);
        QTest::mousePress(window.windowHandle(), Qt::LeftButton, {}, on_paypal);
        ASSERT_EQ(closer.seen().size(), 1U);
    }
    QTest::mouseRelease(window.windowHandle(), Qt::LeftButton, {},
                        centre_in_window(window.control(C::quick_help)));
    cost->setText("5");
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, on_paypal);
    EXPECT_FALSE(paypal->isChecked());
}

// Text dragged from another program would arrive without entering or leaving the field.
TEST_F(PriceFields, NoFieldAndNotThePicturesBoxTakesADrop) {
    shown.type_into(C::txt_end_price, "abc");
    std::vector<QWidget*> targets{shown.pictures()};
    for (Control field : price_fields) {
        targets.push_back(shown.control(field));
    }
    for (QWidget* target : targets) {
        SCOPED_TRACE(target->objectName().toStdString());
        const QString before = target == shown.pictures()
                                   ? shown.pictures()->currentText()
                                   : qobject_cast<QLineEdit*>(target)->text();
        EXPECT_FALSE(drop_text_on(target, "12"));
        const QString after = target == shown.pictures() ? shown.pictures()->currentText()
                                                         : qobject_cast<QLineEdit*>(target)->text();
        EXPECT_EQ(after, before);
    }
    EXPECT_TRUE(shown.warnings().empty());
}

// An exponent of 100 written with leading zeros to the given length, which reads as 1 when the
// text is cut anywhere inside them.
QString hundred_of_length(qsizetype length) {
    return "1e+" + QString(length - 4, '0') + "2";
}

class LongEntry : public testing::TestWithParam<qsizetype> {
  protected:
    ShownMainWindow shown;
};

// Kept whole up to the longest text a field takes, and refused whole, with a word, beyond it.
TEST_P(LongEntry, IsKeptAndReadWholeOrRefusedWhole) {
    const qsizetype length = GetParam();
    shown.type_into(C::txt_end_price, "");
    QApplication::clipboard()->setText(hundred_of_length(length));
    shown.press(Qt::Key_V, Qt::ControlModifier);
    if (length > longest_typed_text) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return !shown.warnings().empty(); }, 5000));
        EXPECT_EQ(shown.warnings().front().title, "Text Too Long");
        EXPECT_TRUE(shown.warnings().front().message.contains(QString::number(length)));
        EXPECT_EQ(shown.text(C::txt_end_price), "");
        return;
    }
    shown.press(Qt::Key_Tab);
    QTest::mouseClick(shown.button(C::cmd_calc), Qt::LeftButton);
    EXPECT_EQ(shown.text(C::txt_end_price).size(), length);
    EXPECT_TRUE(shown.warnings().empty());
    EXPECT_EQ(shown.text(C::txt_total_recv), "100.00");
}

INSTANTIATE_TEST_SUITE_P(MainWindow, LongEntry,
                         testing::Values(longest_typed_text, longest_typed_text + 1, 1'000'000));

// Alt with a letter types nothing, as the window's menus have no access keys; AltGr, which
// arrives as a group switch on X11 and as Control with Alt elsewhere, types its character.
TEST_F(PriceFields, AltWithALetterTypesNothingAndAltGrTypes) {
    const struct {
        Qt::KeyboardModifiers held;
        const char* left_with;
    } keys[] = {
        {Qt::AltModifier, "12"},
        {Qt::AltModifier | Qt::ShiftModifier, "12"},
        {Qt::GroupSwitchModifier, "12h"},
        {Qt::ControlModifier | Qt::AltModifier, "12h"},
    };
    for (const auto& key : keys) {
        shown.type_into(C::txt_bin, "12");
        QTest::keyClick(shown.field(C::txt_bin), 'h', key.held);
        EXPECT_EQ(shown.text(C::txt_bin), key.left_with);
    }
}

// A key the window system still delivers to the window while a warning box is open goes to the
// box: a held Enter, each repeat of which would run Calculate, opens one box at a time.
TEST(HeldEnter, OpensOneWarningBoxAtATime) {
    MainWindow window;
    ShownMainWindow::show_and_activate(window);
    auto* bin = qobject_cast<QLineEdit*>(window.control(C::txt_bin));
    bin->setFocus(Qt::MouseFocusReason);
    bin->setText("abc");

    std::size_t most_at_once = 0;
    int repeats = 0;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        std::vector<QMessageBox*> open;
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(top); box != nullptr && box->isVisible()) {
                open.push_back(box);
            }
        }
        most_at_once = std::max(most_at_once, open.size());
        if (open.size() == 1 && repeats < 3) {
            ++repeats;
            // As the window system delivers it to the window, which has the keyboard still.
            window.activateWindow();
            QTest::keyClick(window.windowHandle(), Qt::Key_Return);
        } else if (!open.empty()) {
            // Whatever went wrong, the test must not stay in a box.
            for (QMessageBox* box : open) {
                box->button(QMessageBox::Ok)->click();
            }
        }
    });
    watch.start(5);
    QTest::keyClick(bin, Qt::Key_Return);
    watch.stop();

    EXPECT_EQ(most_at_once, 1U);
    EXPECT_LT(repeats, 3) << "the repeats go to the box and close it";
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.focusWidget() == bin; }, 5000));
    EXPECT_EQ(bin->selectedText(), "abc");
}

// The window's helpers stop before what they use goes: closing and destroying the window with
// a refused entry in the focus tests nothing and touches nothing destroyed.
TEST(ClosingTheWindow, WithARefusedEntryInTheFocusTestsNothing) {
    for (const Control field : {C::txt_end_price, C::txt_start_price}) {
        SCOPED_TRACE(name(field));
        int warnings = 0;
        auto window = std::make_unique<MainWindow>(
            [&warnings](QWidget*, const QString&, const QString&) { ++warnings; });
        ShownMainWindow::show_and_activate(*window);
        auto* edit = qobject_cast<QLineEdit*>(window->control(field));
        edit->setFocus(Qt::MouseFocusReason);
        edit->setText(field == C::txt_start_price ? "" : "abc");
        window->close();
        window.reset();
        EXPECT_EQ(warnings, 0);
    }
}

}  // namespace
}  // namespace corvandel
