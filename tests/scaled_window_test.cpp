// Run twice, at 100 % and at 200 % scaling, on the offscreen platform's 800 by 600 screen: at
// 200 % the screen has 400 by 300 logical pixels, smaller than the main window.

#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QPalette>
#include <QPixmap>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include "menu_commands.h"
#include "shown_main_window.h"

namespace corvandel {
namespace {

// Centred on the available area along each side the window fits; along a side it does not fit,
// its frame starts where the area starts, never before.
TEST(FirstPositionAtEachScale, FrameIsCentredWhereItFitsAndNeverStartsOffTheAvailableArea) {
    MainWindow window([](QWidget*, const QString&, const QString&) {});
    ShownMainWindow::show_and_activate(window);
    const QRect frame = window.frameGeometry();
    const QRect available = window.screen()->availableGeometry();
    const struct {
        const char* side;
        int frame_start, frame_length, frame_centre, area_start, area_length, area_centre;
    } sides[] = {
        {"across", frame.left(), frame.width(), frame.center().x(), available.left(),
         available.width(), available.center().x()},
        {"down", frame.top(), frame.height(), frame.center().y(), available.top(),
         available.height(), available.center().y()},
    };
    for (const auto& side : sides) {
        SCOPED_TRACE(side.side);
        if (side.frame_length <= side.area_length) {
            EXPECT_LE(std::abs(side.frame_centre - side.area_centre), 1);
        } else {
            EXPECT_EQ(side.frame_start, side.area_start);
        }
    }
    EXPECT_EQ(QApplication::primaryScreen()->devicePixelRatio() > 1, !available.contains(frame))
        << "at 200 % the window is larger than the screen, at 100 % it fits";
}

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
