#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <functional>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "font_check.h"
#include "shown_main_window.h"
#include "ui/drawn/line_widget.h"
#include "ui/window/layout.h"
#include "ui/window/qt_values.h"

namespace corvandel {
namespace {

using C = Control;

// The layout table is the window's one description of its controls. These tests check that the
// window is built from it, and what a seller would notice were the table wrong: a control outside
// its frame or the window, a control over another or over its frame's caption, a caption cut
// short.

// The client area the window must have: 11910 by 7815 twips.
constexpr QSize client_area_size(794, 521);

// The control's kind as the layout names it, read from the widget.
std::optional<ControlKind> kind_of(const QWidget* widget) {
    if (qobject_cast<const QGroupBox*>(widget) != nullptr) {
        return ControlKind::frame;
    }
    if (const auto* edit = qobject_cast<const QLineEdit*>(widget)) {
        return edit->isEnabled() ? ControlKind::text_box : ControlKind::result_field;
    }
    if (qobject_cast<const QCheckBox*>(widget) != nullptr) {
        return ControlKind::tick_box;
    }
    if (const auto* box = qobject_cast<const QComboBox*>(widget); box && box->isEditable()) {
        return ControlKind::drop_down;
    }
    if (qobject_cast<const QLabel*>(widget) != nullptr) {
        return ControlKind::label;
    }
    if (qobject_cast<const QPushButton*>(widget) != nullptr) {
        return ControlKind::push_button;
    }
    if (qobject_cast<const LineWidget*>(widget) != nullptr) {
        return ControlKind::line;
    }
    return std::nullopt;
}

// The caption a frame, label, tick box or button shows.
QString caption_of(const QWidget* widget) {
    if (const auto* frame = qobject_cast<const QGroupBox*>(widget)) {
        return frame->title();
    }
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        return label->text();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        return button->text();
    }
    return {};
}

// Where the caption's text ends, as the label draws it, wrapped within its rectangle.
QRect text_of_label(const QLabel* label) {
    return label->fontMetrics().boundingRect(
        label->contentsRect(), int(label->alignment()) | Qt::TextWordWrap, label->text());
}

// Whether the caption is the one that names the field.
bool names(const QWidget* caption, const QWidget* field) {
    return caption != nullptr &&
           std::any_of(std::begin(captions_that_name), std::end(captions_that_name),
                       [&](const NamedBy& pair) {
                           return to_qstring(name(pair.caption)) == caption->objectName() &&
                                  to_qstring(name(pair.field)) == field->objectName();
                       });
}

// Where a frame draws its caption, along its top edge.
QRect caption_of_frame(const QGroupBox* frame) {
    QStyleOptionGroupBox option;
    option.initFrom(frame);
    option.text = frame->title();
    option.textAlignment = frame->alignment();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    return frame->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel,
                                          frame);
}

// The room a tick box leaves its caption beside the box.
QRect caption_room(const QCheckBox* box) {
    QStyleOptionButton option;
    option.initFrom(box);
    option.text = box->text();
    return box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
}

// A window fresh from its constructor, its load event run.
class Layout : public testing::Test {
  protected:
    MainWindow window{[](QWidget*, const QString&, const QString&) {}};

    // Where the controls are placed: inside the scroll area that holds the window's client area.
    QWidget* client_area() const {
        return qobject_cast<QScrollArea*>(window.centralWidget())->widget();
    }
    QWidget* named(std::string_view name) const {
        return window.findChild<QWidget*>(to_qstring(name));
    }
    // The widgets the window names, leaving out the parts that Qt's own widgets are made of.
    std::vector<QWidget*> controls() const {
        std::vector<QWidget*> named_widgets;
        for (QWidget* widget : client_area()->findChildren<QWidget*>()) {
            if (!widget->objectName().isEmpty() && !widget->objectName().startsWith("qt_")) {
                named_widgets.push_back(widget);
            }
        }
        return named_widgets;
    }
};

// Rows as the window's description writes them, in twips, each held to the widget built: one of
// each kind, in each frame and on the client area.
TEST_F(Layout, ControlsStandAsTheWindowIsDescribed) {
    const struct {
        const char* name;
        ControlKind kind;
        const char* frame;  // empty: the client area
        const char* caption;
        TwipsRect twips;
    } rows[] = {
        {"quick_help", ControlKind::frame, "", "Quick Help:", {120, 0, 11655, 855}},
        {"Frame1", ControlKind::frame, "", "Reserve:", {8880, 960, 2895, 855}},
        {"fr_costs", ControlKind::frame, "", "Costs and Profits:", {120, 5040, 11655, 1935}},
        {"cmd_clear", ControlKind::push_button, "", "Clear", {6960, 7200, 4815, 495}},
        {"lbl_help", ControlKind::label, "quick_help", "", {120, 360, 11295, 375}},
        {"txt_reserve", ControlKind::text_box, "Frame1", "", {120, 360, 2655, 375}},
        {"combo_num_pics", ControlKind::drop_down, "fr_pic_options", "", {2280, 360, 975, 315}},
        {"chk_doublecat",
         ControlKind::tick_box,
         "fr_options",
         "Double Catergory",
         {2400, 1440, 2055, 375}},
        {"chk_paypal", ControlKind::tick_box, "fr_costs", "", {7560, 480, 495, 255}},
        {"Label9", ControlKind::label, "fr_costs", "Total eBaY Fees ($) :", {120, 1320, 2175, 375}},
        {"txt_profit_margin", ControlKind::result_field, "fr_costs", "", {10080, 1320, 1335, 375}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QWidget* widget = named(row.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(kind_of(widget), row.kind);
        EXPECT_EQ(widget->parentWidget(), *row.frame ? named(row.frame) : client_area());
        EXPECT_EQ(caption_of(widget), row.caption);
        EXPECT_EQ(widget->geometry(), to_pixels(row.twips));
        EXPECT_TRUE(widget->isVisibleTo(&window));
    }
}

// The load event has put the start-up texts into the fields by now.
TEST_F(Layout, FieldsShowTheirStartUpTexts) {
    const std::pair<Control, const char*> fields[] = {
        {C::txt_item_cost, "Free"}, {C::txt_start_price, "0.99"}, {C::txt_bin, "None"},
        {C::txt_reserve, "None"},   {C::txt_end_price, "None"},   {C::txt_ship_charged, "None"},
        {C::txt_ship_cost, "None"}, {C::txt_other_costs, "None"},
    };
    for (const auto& [field, text] : fields) {
        EXPECT_EQ(qobject_cast<QLineEdit*>(window.control(field))->text(), text) << name(field);
    }
    EXPECT_EQ(qobject_cast<QComboBox*>(window.control(C::combo_num_pics))->currentText(), "1");
}

TEST_F(Layout, TheWindowHoldsNoOtherNamedControls) {
    EXPECT_EQ(controls().size(), control_count);
}

TEST_F(Layout, EveryControlLiesInsideTheWindowAndInsideItsFrameClearOfItsCaption) {
    const QRect window_room(QPoint(0, 0), client_area_size);
    for (const QWidget* widget : controls()) {
        SCOPED_TRACE(widget->objectName().toStdString());
        const QWidget* container = widget->parentWidget();
        const QRect in_client_area(widget->mapTo(client_area(), QPoint(0, 0)), widget->size());
        EXPECT_TRUE(window_room.contains(in_client_area));
        if (container != client_area()) {
            EXPECT_TRUE(container->rect().contains(widget->geometry()));
            const auto* frame = qobject_cast<const QGroupBox*>(container);
            ASSERT_NE(frame, nullptr);
            EXPECT_FALSE(widget->geometry().intersects(caption_of_frame(frame)));
        }
    }
}

// Controls may touch, sharing a pixel's edge as the rows of tick boxes do; only a field may lie
// over the caption that names it, drawn over the end of the caption's rectangle and clear of its
// text: the pictures box over "Number of Pictures:", the PayPal fee over "Paypal Fees ($):".
TEST_F(Layout, NoTwoControlsOverlapButAFieldOverTheEndOfItsCaption) {
    const std::vector<QWidget*> all = controls();
    for (std::size_t one = 0; one < all.size(); ++one) {
        for (std::size_t other = one + 1; other < all.size(); ++other) {
            const QRect shared = all[one]->geometry() & all[other]->geometry();
            if (all[one]->parentWidget() != all[other]->parentWidget() ||
                std::min(shared.width(), shared.height()) <= 1) {
                continue;
            }
            SCOPED_TRACE(all[one]->objectName().toStdString() + " and " +
                         all[other]->objectName().toStdString());
            const bool one_is_the_field = names(all[other], all[one]);
            const QWidget* field = one_is_the_field ? all[one] : all[other];
            const auto* label =
                qobject_cast<const QLabel*>(one_is_the_field ? all[other] : all[one]);
            ASSERT_TRUE(names(label, field));
            const QWidget* hit = field->parentWidget()->childAt(shared.center());
            EXPECT_TRUE(hit == field || field->isAncestorOf(hit));
            EXPECT_LT(label->geometry().left() + text_of_label(label).right(),
                      field->geometry().left());
        }
    }
}

// Each caption whole in the room the style gives it, in the window's fonts.
TEST_F(Layout, NoCaptionIsCutShort) {
    for (const QWidget* widget : controls()) {
        SCOPED_TRACE(widget->objectName().toStdString());
        if (const auto* label = qobject_cast<const QLabel*>(widget)) {
            EXPECT_TRUE(label->contentsRect().contains(text_of_label(label)));
        } else if (const auto* box = qobject_cast<const QCheckBox*>(widget)) {
            EXPECT_LE(box->fontMetrics().horizontalAdvance(box->text()), caption_room(box).width());
        } else if (qobject_cast<const QPushButton*>(widget) != nullptr) {
            EXPECT_LE(widget->sizeHint().width(), widget->width());
            EXPECT_LE(widget->sizeHint().height(), widget->height());
        } else if (const auto* frame = qobject_cast<const QGroupBox*>(widget)) {
            EXPECT_TRUE(frame->rect().contains(caption_of_frame(frame)));
            EXPECT_LE(frame->fontMetrics().horizontalAdvance(frame->title()),
                      caption_of_frame(frame).width());
        }
    }
}

TEST_F(Layout, FontsAreVerdanaExceptThePicturesBoxAndABoldProfit) {
    const std::map<QString, std::pair<QString, double>> exceptions{
        {"combo_num_pics", {"MS Sans Serif", 8.25}},
    };
    for (const QWidget* widget : controls()) {
        const QString name = widget->objectName();
        SCOPED_TRACE(name.toStdString());
        const QFont font = widget->font();
        const auto exception = exceptions.find(name);
        const auto [family, size] = exception == exceptions.end()
                                        ? std::pair<QString, double>{"Verdana", 9.75}
                                        : exception->second;
        EXPECT_TRUE(draws_as(font, family));
        EXPECT_DOUBLE_EQ(font.pointSizeF(), size);
        EXPECT_EQ(font.bold(), name == "txt_profit");
    }
}

TEST_F(Layout, ResultFieldsAreDisabledAndEverythingElseEnabled) {
    for (const QWidget* widget : controls()) {
        SCOPED_TRACE(widget->objectName().toStdString());
        const bool result_field = std::any_of(
            result_fields.begin(), result_fields.end(),
            [&](Control field) { return to_qstring(name(field)) == widget->objectName(); });
        EXPECT_EQ(widget->isEnabled(), !result_field);
        if (result_field) {
            EXPECT_EQ(widget->focusPolicy(), Qt::NoFocus);
        }
    }
}

TEST_F(Layout, WindowIsNamedCaptionedAndHasItsIcon) {
    EXPECT_EQ(window.objectName(), "Zelvo_main");
    EXPECT_EQ(window.windowTitle(), "Corvandel.");
    EXPECT_TRUE(draws_as(window.font(), "Verdana"));
    EXPECT_DOUBLE_EQ(window.font().pointSizeF(), 9.75);
    const QList<QSize> sizes = window.windowIcon().availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(16, 16)));
    EXPECT_TRUE(sizes.contains(QSize(32, 32)));
}

TEST_F(Layout, ShownWindowHasItsClientAreaCentredOnTheScreen) {
    ShownMainWindow::show_and_activate(window);
    EXPECT_EQ(window.centralWidget()->size(), client_area_size);
    const QPoint window_centre = window.geometry().center();
    const QPoint screen_centre = window.screen()->availableGeometry().center();
    EXPECT_LE((window_centre - screen_centre).manhattanLength(), 2);
}

TEST_F(Layout, ResizingOrMaximisingMovesAndScalesNothing) {
    ShownMainWindow::show_and_activate(window);
    std::map<QString, QRect> before;
    for (const QWidget* widget : controls()) {
        before[widget->objectName()] = widget->geometry();
    }
    const auto resize = [this](QSize size) { window.resize(size); };
    const auto maximise = [this](QSize) { window.showMaximized(); };
    const struct {
        const char* what;
        std::function<void(QSize)> change;
        QSize size;
    } changes[] = {
        {"larger", resize, QSize(1200, 900)},
        {"smaller", resize, QSize(300, 200)},
        {"maximised", maximise, QSize()},
    };
    for (const auto& change : changes) {
        SCOPED_TRACE(change.what);
        change.change(change.size);
        QApplication::processEvents();
        for (const QWidget* widget : controls()) {
            EXPECT_EQ(widget->geometry(), before[widget->objectName()])
                << widget->objectName().toStdString();
        }
    }
}

// Right to left, every control takes the mirror image of its place in its frame or the client
// area: each label on the right of the field it names, the PayPal tick on its field's left.
TEST(RightToLeftLayout, MirrorsEveryPlaceWithinItsFrame) {
    QGuiApplication::setLayoutDirection(Qt::RightToLeft);
    const MainWindow window([](QWidget*, const QString&, const QString&) {});
    QGuiApplication::setLayoutDirection(Qt::LeftToRight);
    for (const Placement& row : main_window_layout) {
        const TwipsRect room = row.frame ? placement(*row.frame).twips : window_client_area;
        const QRect now = window.control(row.control)->geometry();
        EXPECT_EQ(now.left(), to_pixels(room).width() - to_pixels(row.twips).left() - now.width())
            << name(row.control);
    }
}

// The menu bar takes the desktop's font, as its menus and the message boxes do.
TEST(DesktopFont, TheMenuBarTakesIt) {
    const QFont desktop_font = QApplication::font();
    QApplication::setFont(QFont(desktop_font.family(), 18));
    const MainWindow window([](QWidget*, const QString&, const QString&) {});
    QApplication::setFont(desktop_font);
    EXPECT_DOUBLE_EQ(window.menuBar()->font().pointSizeF(), 18);
}

TEST_F(Layout, MenuBarHasFileWithExitAndHelpWithAbout) {
    const QList<QAction*> menus = window.menuBar()->actions();
    ASSERT_EQ(menus.size(), 2);
    const struct {
        const char* menu_name;
        const char* menu_title;
        const char* item_name;
        const char* item_text;
    } expected[] = {
        {"file", "File", "Exit", "E&xit"},
        {"Help", "Help", "About", "About"},
    };
    for (int position = 0; position < 2; ++position) {
        SCOPED_TRACE(expected[position].menu_title);
        const QMenu* menu = menus[position]->menu();
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->objectName(), expected[position].menu_name);
        EXPECT_EQ(menu->title(), expected[position].menu_title);
        ASSERT_EQ(menu->actions().size(), 1);
        const QAction* item = menu->actions().front();
        EXPECT_EQ(item->objectName(), expected[position].item_name);
        EXPECT_EQ(item->text(), expected[position].item_text);
    }
}

// The File menu opened from the keyboard, x chooses Exit: the access key its caption underlines.
TEST_F(Layout, TheOpenFileMenuChoosesExitByItsAccessKey) {
    ShownMainWindow::show_and_activate(window);
    QSignalSpy exits(window.findChild<QAction*>(QStringLiteral("Exit")), &QAction::triggered);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Alt);
    QTest::keyClick(window.menuBar(), Qt::Key_Down);
    QWidget* open_menu = QApplication::activePopupWidget();
    ASSERT_NE(open_menu, nullptr);
    EXPECT_EQ(open_menu->objectName(), "file");
    QTest::keyClick(open_menu, Qt::Key_X);
    EXPECT_EQ(exits.count(), 1);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

// What reaches the screen: the results frame in a colour of its own, and lines one pixel wide
// in a colour that differs from what they are drawn on.
TEST_F(Layout, ResultsFrameIsFilledAndLinesAreDrawnOnePixelWide) {
    ShownMainWindow::show_and_activate(window);
    const QImage client = window.centralWidget()->grab().toImage();
    const QColor background = client.pixelColor(2, 2);
    const QWidget* costs = named("fr_costs");
    const QPoint inside_costs = costs->geometry().topLeft() + QPoint(3, 3);
    EXPECT_NE(client.pixelColor(inside_costs), background);

    for (const QWidget* line : controls()) {
        if (qobject_cast<const LineWidget*>(line) == nullptr) {
            continue;
        }
        SCOPED_TRACE(line->objectName().toStdString());
        const QPoint on_line = line->mapTo(window.centralWidget(), QPoint(0, line->height() / 2));
        const QColor drawn = client.pixelColor(on_line);
        EXPECT_NE(drawn, client.pixelColor(on_line + QPoint(1, 0)));
        EXPECT_EQ(client.pixelColor(on_line - QPoint(1, 0)),
                  client.pixelColor(on_line + QPoint(1, 0)));
    }
}

}  // namespace
}  // namespace corvandel
