#include <QAction>
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

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "font_check.h"
#include "shown_main_window.h"
#include "ui/line_widget.h"

namespace corvandel {
namespace {

// The window's controls as the layout tables give them, in twips, relative to the client area
// or to the frame's own rectangle.
struct ExpectedControl {
    const char* name;
    const char* kind;
    const char* frame;  // empty: the client area
    const char* text;
    int left, top, width, height;
};

const ExpectedControl expected_controls[] = {
    {"quick_help", "frame", "", "Quick Help:", 120, 0, 11655, 855},
    {"fr_cost", "frame", "", "Item Cost:", 120, 960, 2895, 855},
    {"fr_start_price", "frame", "", "Starting Price:", 3120, 960, 2775, 855},
    {"Frame2", "frame", "", "Buy-It-Now Price:", 6000, 960, 2775, 855},
    {"Frame1", "frame", "", "Reserve:", 8880, 960, 2895, 855},
    {"fr_end_price", "frame", "", "Ending Price:", 120, 1920, 2895, 855},
    {"fr_ship_charged", "frame", "", "Shipping Charged:", 3120, 1920, 2775, 855},
    {"fr_ship_cost", "frame", "", "Shipping Cost:", 6000, 1920, 2775, 855},
    {"fr_other_costs", "frame", "", "Other Costs:", 8880, 1920, 2895, 855},
    {"fr_pic_options", "frame", "", "Picture Options:", 120, 2880, 3975, 2055},
    {"fr_options", "frame", "", "Listing Options:", 4200, 2880, 7575, 2055},
    {"fr_costs", "frame", "", "Costs and Profits:", 120, 5040, 11655, 1935},
    {"cmd_calc", "push button", "", "Calculate", 120, 7200, 4815, 495},
    {"cmd_clear", "push button", "", "Clear", 6960, 7200, 4815, 495},

    {"lbl_help", "label", "quick_help", "", 120, 360, 11295, 375},

    {"txt_item_cost", "text box", "fr_cost", "", 120, 360, 2655, 375},
    {"txt_start_price", "text box", "fr_start_price", "", 120, 360, 2535, 375},
    {"txt_bin", "text box", "Frame2", "", 120, 360, 2535, 375},
    {"txt_reserve", "text box", "Frame1", "None", 120, 360, 2655, 375},
    {"txt_end_price", "text box", "fr_end_price", "", 120, 360, 2655, 375},
    {"txt_ship_charged", "text box", "fr_ship_charged", "", 120, 360, 2535, 375},
    {"txt_ship_cost", "text box", "fr_ship_cost", "", 120, 360, 2535, 375},
    {"txt_other_costs", "text box", "fr_other_costs", "", 120, 360, 2655, 375},

    {"Label1", "label", "fr_pic_options", "Number of Pictures:", 240, 360, 2415, 375},
    {"combo_num_pics", "drop-down box", "fr_pic_options", "1", 2280, 360, 975, 315},
    {"chk_pic_show", "tick box", "fr_pic_options", "Picture Show", 240, 840, 1935, 375},
    {"chk_supersize", "tick box", "fr_pic_options", "Supersize Pictures", 240, 1200, 2175, 375},
    {"chk_pic_pack", "tick box", "fr_pic_options", "Picture Pack", 240, 1560, 1935, 375},

    {"chk_gallery", "tick box", "fr_options", "Gallery", 240, 360, 1215, 375},
    {"chk_bold", "tick box", "fr_options", "Bold", 240, 720, 1215, 375},
    {"chk_10day", "tick box", "fr_options", "10 Day Listing", 240, 1080, 1815, 375},
    {"chk_border", "tick box", "fr_options", "Border", 240, 1440, 1215, 375},
    {"chk_sub", "tick box", "fr_options", "Sub Title", 2400, 360, 1215, 375},
    {"chk_highlight", "tick box", "fr_options", "Highlight", 2400, 720, 1215, 375},
    {"chk_gift", "tick box", "fr_options", "Gift Services", 2400, 1080, 1815, 375},
    {"chk_doublecat", "tick box", "fr_options", "Double Catergory", 2400, 1440, 2055, 375},
    {"chk_gfeatured", "tick box", "fr_options", "Gallery Featured", 4800, 360, 2055, 375},
    {"chk_fplus", "tick box", "fr_options", "Featured Plus", 4800, 720, 2055, 375},
    {"chk_hfeatured", "tick box", "fr_options", "Homepage Featured", 4800, 1080, 2415, 375},

    {"lbl_list_fee", "label", "fr_costs", "Listing Fees ($):", 120, 360, 2175, 375},
    {"txt_list_fee", "result field", "fr_costs", "", 2400, 360, 1335, 375},
    {"Label7", "label", "fr_costs", "Final Value Fees ($) :", 120, 840, 2175, 375},
    {"txt_fvf", "result field", "fr_costs", "", 2400, 840, 1335, 375},
    {"Label9", "label", "fr_costs", "Total eBaY Fees ($) :", 120, 1320, 2175, 375},
    {"Txt_ebay_fees", "result field", "fr_costs", "", 2400, 1320, 1335, 375},
    {"Label8", "label", "fr_costs", "Paypal Fees ($):", 4080, 360, 2175, 375},
    {"txt_paypal_fee", "result field", "fr_costs", "", 6120, 360, 1335, 375},
    {"chk_paypal", "tick box", "fr_costs", "", 7560, 480, 495, 255},
    {"Label6", "label", "fr_costs", "Total Fees ($) :", 4080, 840, 2055, 375},
    {"txt_total_fee", "result field", "fr_costs", "", 6120, 840, 1335, 375},
    {"Label4", "label", "fr_costs", "Total Received ($):", 4080, 1320, 2055, 375},
    {"txt_total_recv", "result field", "fr_costs", "", 6120, 1320, 1335, 375},
    {"Label5", "label", "fr_costs", "Total Spent ($):", 8400, 360, 1695, 375},
    {"txt_total_spent", "result field", "fr_costs", "", 10080, 360, 1335, 375},
    {"Label3", "label", "fr_costs", "Profit ($):", 8400, 840, 1695, 375},
    {"txt_profit", "result field", "fr_costs", "", 10080, 840, 1335, 375},
    {"Label2", "label", "fr_costs", "Profit Margin %", 8400, 1320, 1695, 375},
    {"txt_profit_margin", "result field", "fr_costs", "", 10080, 1320, 1335, 375},
};

// Vertical lines, from (x, top) to (x, bottom) in twips.
struct ExpectedLine {
    const char* name;
    const char* frame;
    int x, top, bottom;
};

const ExpectedLine expected_lines[] = {
    {"Line1", "fr_options", 2160, 360, 1920},
    {"Line2", "fr_options", 4560, 360, 1920},
    {"Line4", "fr_costs", 3960, 240, 1800},
    {"Line3", "fr_costs", 8280, 240, 1800},
};

QRect pixels(int left, int top, int width, int height) {
    return {left / 15, top / 15, width / 15, height / 15};
}

QString qstring(const char* text) {
    return QString::fromUtf8(text);
}

// The control's kind as the layout names it, and what it shows, read from the widget.
struct Seen {
    std::string kind;
    QString text;
};

Seen seen(const QWidget* widget) {
    if (const auto* frame = qobject_cast<const QGroupBox*>(widget)) {
        return {"frame", frame->title()};
    }
    if (const auto* edit = qobject_cast<const QLineEdit*>(widget)) {
        return {edit->isEnabled() ? "text box" : "result field", edit->text()};
    }
    if (const auto* box = qobject_cast<const QCheckBox*>(widget)) {
        return {"tick box", box->text()};
    }
    if (const auto* box = qobject_cast<const QComboBox*>(widget)) {
        return {box->isEditable() ? "drop-down box" : "fixed list", box->currentText()};
    }
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        return {"label", label->text()};
    }
    if (const auto* button = qobject_cast<const QPushButton*>(widget)) {
        return {"push button", button->text()};
    }
    if (qobject_cast<const LineWidget*>(widget) != nullptr) {
        return {"line", {}};
    }
    return {"unknown", {}};
}

// A window fresh from its constructor, before the load event's defaults would show.
class Layout : public testing::Test {
  protected:
    MainWindow window{[](QWidget*, const QString&, const QString&) {}};

    QWidget* named(const char* name) const { return window.findChild<QWidget*>(qstring(name)); }
    // The widgets the window names, leaving out the parts that Qt's own widgets are made of.
    std::vector<QWidget*> controls() const {
        std::vector<QWidget*> named_widgets;
        for (QWidget* widget : window.centralWidget()->findChildren<QWidget*>()) {
            if (!widget->objectName().isEmpty() && !widget->objectName().startsWith("qt_")) {
                named_widgets.push_back(widget);
            }
        }
        return named_widgets;
    }
    QString container_of(const QWidget* widget) const {
        return widget->parentWidget() == window.centralWidget()
                   ? QString()
                   : widget->parentWidget()->objectName();
    }
};

TEST_F(Layout, EveryControlHasItsKindFrameCaptionAndRectangle) {
    // The load event has put the start-up texts into these fields by now.
    const std::map<std::string, QString> start_up_texts{
        {"txt_item_cost", "Free"},   {"txt_start_price", "0.99"},  {"txt_bin", "None"},
        {"txt_end_price", "None"},   {"txt_ship_charged", "None"}, {"txt_ship_cost", "None"},
        {"txt_other_costs", "None"},
    };
    for (const ExpectedControl& expected : expected_controls) {
        SCOPED_TRACE(expected.name);
        const QWidget* widget = named(expected.name);
        ASSERT_NE(widget, nullptr);
        const Seen actual = seen(widget);
        EXPECT_EQ(actual.kind, expected.kind);
        EXPECT_EQ(container_of(widget), qstring(expected.frame));
        const auto start_up = start_up_texts.find(expected.name);
        EXPECT_EQ(actual.text,
                  start_up == start_up_texts.end() ? qstring(expected.text) : start_up->second);
        EXPECT_EQ(widget->geometry(),
                  pixels(expected.left, expected.top, expected.width, expected.height));
        EXPECT_TRUE(widget->isVisibleTo(&window));
    }
}

TEST_F(Layout, LinesAreOnePixelWideFromTheirStartToTheirEndPoint) {
    for (const ExpectedLine& expected : expected_lines) {
        SCOPED_TRACE(expected.name);
        const QWidget* widget = named(expected.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(seen(widget).kind, "line");
        EXPECT_EQ(container_of(widget), qstring(expected.frame));
        EXPECT_EQ(widget->geometry(), QRect(expected.x / 15, expected.top / 15, 1,
                                            (expected.bottom - expected.top) / 15));
    }
}

TEST_F(Layout, TheWindowHoldsNoOtherNamedControls) {
    EXPECT_EQ(controls().size(), std::size(expected_controls) + std::size(expected_lines));
}

TEST_F(Layout, NothingIsPlacedOutsideItsContainer) {
    for (const QWidget* widget : controls()) {
        SCOPED_TRACE(widget->objectName().toStdString());
        const QWidget* container = widget->parentWidget();
        const QRect room = container == window.centralWidget()
                               ? QRect(QPoint(0, 0), QSize(794, 521))
                               : container->rect();
        EXPECT_TRUE(room.contains(widget->geometry()));
    }
}

// The drop-down box covers the end of its label, and the PayPal fee field the end of its.
TEST_F(Layout, OverlappingControlsAreDrawnOverTheirLabels) {
    const struct {
        const char* frame;
        const char* underneath;
        const char* on_top;
    } overlaps[] = {
        {"fr_pic_options", "Label1", "combo_num_pics"},
        {"fr_costs", "Label8", "txt_paypal_fee"},
    };
    for (const auto& overlap : overlaps) {
        SCOPED_TRACE(overlap.on_top);
        const QRect shared =
            named(overlap.underneath)->geometry() & named(overlap.on_top)->geometry();
        ASSERT_FALSE(shared.isEmpty());
        const QWidget* hit = named(overlap.frame)->childAt(shared.center());
        EXPECT_TRUE(hit == named(overlap.on_top) || named(overlap.on_top)->isAncestorOf(hit));
    }
}

TEST_F(Layout, FontsAreVerdanaExceptThePicturesBoxAndABoldProfit) {
    const std::map<QString, std::pair<QString, double>> exceptions{
        {"combo_num_pics", {"MS Sans Serif", 8.25}},
    };
    for (const ExpectedControl& expected : expected_controls) {
        SCOPED_TRACE(expected.name);
        const QFont font = named(expected.name)->font();
        const QString name = qstring(expected.name);
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
    for (const ExpectedControl& expected : expected_controls) {
        SCOPED_TRACE(expected.name);
        const bool result_field = std::string(expected.kind) == "result field";
        const QWidget* widget = named(expected.name);
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
    EXPECT_EQ(window.centralWidget()->size(), QSize(794, 521));
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
        EXPECT_TRUE(item->shortcut().isEmpty());
        EXPECT_FALSE(item->isCheckable());
        EXPECT_TRUE(item->isEnabled());
        EXPECT_TRUE(item->isVisible());
    }
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

    for (const ExpectedLine& line : expected_lines) {
        SCOPED_TRACE(line.name);
        const QPoint on_line = named(line.frame)->geometry().topLeft() +
                               QPoint(line.x / 15, (line.top + line.bottom) / 30);
        const QColor drawn = client.pixelColor(on_line);
        EXPECT_NE(drawn, client.pixelColor(on_line + QPoint(1, 0)));
        EXPECT_EQ(client.pixelColor(on_line - QPoint(1, 0)),
                  client.pixelColor(on_line + QPoint(1, 0)));
    }
}

}  // namespace
}  // namespace corvandel
