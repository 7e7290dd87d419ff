// The cases "AtEachScale" run twice, at 100 % and at 200 % scaling, on the offscreen platform's
// 800 by 600 screen: at 200 % the screen has 400 by 300 logical pixels, smaller than the main
// window. They run once more under a window manager (on_a_desktop.sh).

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QMenuBar>
#include <QPalette>
#include <QPixmap>
#include <QProxyStyle>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>

#include "desktop/desktop.h"
#include "menu_commands.h"
#include "shown_main_window.h"
#include "ui/drawn/result_field.h"
#include "ui/window/qt_values.h"

namespace corvandel {
namespace {

QScrollArea* scroller_of(const MainWindow& window) {
    return qobject_cast<QScrollArea*>(window.centralWidget());
}

// Where the screen's available area holds the window with its frame, the frame is centred on it
// (within the pixel a window manager's size steps may take), no scroll bar shows and the edge
// controls are whole in the view; where it does not, the window is maximised within the area
// and its client area scrolls. A window manager frames and places the window some time after it
// is shown. The control the focus goes to is scrolled into view whole.
TEST(FirstPositionAtEachScale, ScrollsOnlyWhereTheScreenIsTooSmallAndTheFocusIsInView) {
    MainWindow window([](QWidget*, const QString&, const QString&) {});
    ShownMainWindow::show_and_activate(window);
    const QRect area = window.screen()->availableGeometry();
    const QScrollArea* scroller = scroller_of(window);
    const QWidget* view = scroller->viewport();
    const auto shown_whole = [&](Control control) {
        const QWidget* widget = window.control(control);
        return view->rect().contains(QRect(widget->mapTo(view, QPoint(0, 0)), widget->size()));
    };
    // Without a window manager, nothing frames the window: it is placed as it is shown.
    const bool managed = desktop::windows_are_managed(window.windowHandle());
    const auto placed = [&] {
        const QRect frame = window.frameGeometry();
        return (frame != window.geometry() || !managed) && area.contains(frame);
    };
    ASSERT_TRUE(QTest::qWaitFor(placed, 5000))
        << testing::PrintToString(window.frameGeometry()) << " on " << testing::PrintToString(area);
    // The window manager has sized the window by now; the scroll area lays out its bars later.
    QCoreApplication::sendPostedEvents();
    const QSize content = to_pixels(window_client_area).size();
    const QSize around = window.frameGeometry().size() - window.geometry().size();
    const QSize needed = content + around + QSize(0, window.menuBar()->height());
    if (area.size().expandedTo(needed) == area.size()) {
        const auto centred = [&] {
            const QRect frame = window.frameGeometry();
            const int left = frame.left() - area.left(), right = area.right() - frame.right();
            const int top = frame.top() - area.top(), bottom = area.bottom() - frame.bottom();
            return std::abs(left - right) <= 2 && std::abs(top - bottom) <= 2;
        };
        EXPECT_TRUE(QTest::qWaitFor(centred, 5000))
            << testing::PrintToString(window.frameGeometry()) << " on "
            << testing::PrintToString(area);
        EXPECT_EQ(view->size().expandedTo(content), view->size());
        EXPECT_FALSE(scroller->horizontalScrollBar()->isVisible());
        EXPECT_FALSE(scroller->verticalScrollBar()->isVisible());
        for (const Control control : {Control::cmd_calc, Control::cmd_clear, Control::txt_reserve,
                                      Control::txt_other_costs, Control::txt_profit_margin}) {
            EXPECT_TRUE(shown_whole(control)) << name(control);
        }
    } else {
        // The window takes the whole area, maximised or, with nothing to manage it, by itself.
        const auto fills = [&] {
            const QSize frame = window.frameGeometry().size();
            return area.contains(window.frameGeometry()) && frame.width() >= area.width() - 2 &&
                   frame.height() >= area.height() - 2;
        };
        EXPECT_TRUE(QTest::qWaitFor(fills, 5000)) << testing::PrintToString(window.frameGeometry())
                                                  << " on " << testing::PrintToString(area);
    }
    // Tab to the reserve, at the right edge: the whole field scrolls into view, not only its
    // caret, as for every control the focus goes to.
    for (int stop = 0; stop < 3; ++stop) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    ASSERT_TRUE(window.control(Control::txt_reserve)->hasFocus());
    EXPECT_TRUE(shown_whole(Control::txt_reserve));
}

// The styles a Linux desktop draws with; Breeze only where it is installed.
const char* const desktop_styles[] = {
    "Fusion", "Windows", "Adwaita", "Adwaita-Dark", "Adwaita-HighContrast", "Breeze"};

// Tick indicators larger than any desktop's, so that the controls grown for them meet their
// neighbours and the edges of their frames.
class OversizedStyle final : public QProxyStyle {
  public:
    OversizedStyle() : QProxyStyle(QStyleFactory::create("Fusion")) {}
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        const int size = QProxyStyle::pixelMetric(metric, option, widget);
        return metric == PM_IndicatorHeight  ? 5 * size
               : metric == PM_IndicatorWidth ? 4 * size
                                             : size;
    }
};

// The whole program takes the style, and the window is made under it; Fusion comes back after.
class StyledWindow : public testing::TestWithParam<const char*> {
  protected:
    void SetUp() override {
        QStyle* style = oversized() ? new OversizedStyle : QStyleFactory::create(GetParam());
        if (style == nullptr && QString(GetParam()) == "Breeze") {
            GTEST_SKIP() << "Breeze is not installed";
        }
        ASSERT_NE(style, nullptr) << GetParam() << " is missing; ./scripts/setup installs it";
        QApplication::setStyle(style);
        shown = std::make_unique<ShownMainWindow>();
    }
    bool oversized() const { return GetParam() == std::string_view("Oversized"); }
    void TearDown() override {
        shown.reset();
        QApplication::setStyle(QStyleFactory::create("Fusion"));
    }
    std::unique_ptr<ShownMainWindow> shown;
};

// Every caption has the room the style gives it beside the indicator, the pictures box the size
// the style asks for, and no control covers one it did not cover as the layout places them. The
// results a seller meets, up to 9,999,999.99 and margins up to 999.99, keep the field's own
// size, the bold profit included.
TEST_P(StyledWindow, CaptionsThePicturesBoxAndRealisticResultsFit) {
    for (const Placement& row : main_window_layout) {
        QWidget* control = shown->control(row.control);
        SCOPED_TRACE(name(row.control));
        if (auto* box = qobject_cast<QCheckBox*>(control)) {
            QStyleOptionButton option;
            option.initFrom(box);
            // Where the style asks for more than the room there is, the caption is cut short.
            if (!oversized()) {
                EXPECT_LE(box->fontMetrics().horizontalAdvance(box->text()),
                          box->style()
                              ->subElementRect(QStyle::SE_CheckBoxContents, &option, box)
                              .width());
            }
            EXPECT_TRUE(box->parentWidget()->contentsRect().contains(box->geometry()));
        }
        for (const Placement& other : main_window_layout) {
            if (other.control != row.control && other.frame == row.frame &&
                !to_pixels(other.twips).intersects(to_pixels(row.twips))) {
                EXPECT_FALSE(
                    shown->control(other.control)->geometry().intersects(control->geometry()))
                    << name(other.control);
            }
        }
    }
    QComboBox* pictures = shown->pictures();
    QStyleOptionComboBox option;
    option.initFrom(pictures);
    option.editable = true;
    const QFontMetrics metrics = pictures->fontMetrics();
    EXPECT_GE(
        pictures->height(),
        pictures->style()
            ->sizeFromContents(QStyle::CT_ComboBox, &option,
                               QSize(metrics.horizontalAdvance("1"), metrics.height()), pictures)
            .height());
    EXPECT_TRUE(pictures->parentWidget()->contentsRect().contains(pictures->geometry()));

    for (const auto& [field, text] : {std::pair{Control::txt_profit, "9999999.99"},
                                      {Control::txt_profit, "-999999.99"},
                                      {Control::txt_total_spent, "-9999999.99"},
                                      {Control::txt_profit_margin, "-999.99"}}) {
        auto* result = static_cast<ResultField*>(shown->field(field));
        result->setText(text);
        EXPECT_EQ(result->shown_text(), text);
        EXPECT_EQ(result->shown_font().pointSizeF(), result->font().pointSizeF()) << text;
    }
}

INSTANTIATE_TEST_SUITE_P(Desktop, StyledWindow, testing::ValuesIn(desktop_styles),
                         [](const testing::TestParamInfo<const char*>& row) {
                             return QString(row.param).remove('-').toStdString();
                         });
INSTANTIATE_TEST_SUITE_P(Test, StyledWindow, testing::Values("Oversized"),
                         [](const auto& row) { return std::string(row.param); });

// The picture's outer pixels, just inside its border, at the middle of each side; in device
// pixels, the middle of the logical pixel.
std::vector<QColor> ring_of(QLabel* picture) {
    const QImage drawn = picture->grab().toImage();
    const qreal scale = drawn.devicePixelRatio();
    const QRect inside = picture->contentsRect();
    const auto at = [&](qreal x, qreal y) {
        return drawn.pixelColor(QPoint(int((x + 0.5) * scale), int((y + 0.5) * scale)));
    };
    const int middle_x = inside.center().x();
    const int middle_y = inside.center().y();
    std::vector<QColor> ring;
    for (int depth = 0; depth < 2; ++depth) {
        ring.push_back(at(middle_x, inside.top() + depth));
        ring.push_back(at(middle_x, inside.bottom() - depth));
        ring.push_back(at(inside.left() + depth, middle_y));
        ring.push_back(at(inside.right() - depth, middle_y));
    }
    return ring;
}

TEST(AboutPictureAtEachScale, DrawsAFocusMarkOnlyWhileItHasTheFocus) {
    MainWindow window([](QWidget*, const QString&, const QString&) {});
    ShownMainWindow::show_and_activate(window);
    choose(window, "About");
    const std::vector<QWidget*> dialogs = about_dialogs();
    ASSERT_EQ(dialogs.size(), 1u);
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialogs.front()));
    auto* picture = dialogs.front()->findChild<QLabel*>(QStringLiteral("picIcon"));
    const QColor mark = picture->palette().color(QPalette::Highlight);

    ASSERT_FALSE(picture->hasFocus());
    const std::vector<QColor> without_focus = ring_of(picture);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_TRUE(picture->hasFocus());
    for (const QColor& pixel : ring_of(picture)) {
        EXPECT_EQ(pixel, mark);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_FALSE(picture->hasFocus());
    EXPECT_EQ(ring_of(picture), without_focus);
    for (const QColor& pixel : without_focus) {
        EXPECT_NE(pixel, mark);
    }
    dialogs.front()->close();
    let_closed_windows_go();
}

}  // namespace
}  // namespace corvandel
