#include <QApplication>
#include <QByteArray>
#include <QDialog>
#include <QFile>
#include <QFont>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOptionButton>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <utility>

#include "font_check.h"
#include "menu_commands.h"
#include "shown_main_window.h"
#include "ui/drawn/contrast.h"

namespace corvandel {
namespace {

class AboutDialog : public testing::Test {
  protected:
    AboutDialog() { ShownMainWindow::show_and_activate(window); }
    ~AboutDialog() override { let_closed_windows_go(); }

    // Chooses About and returns the one dialog there is, active.
    QDialog* open_about() const {
        choose(window, "About");
        const std::vector<QWidget*> dialogs = about_dialogs();
        require(dialogs.size() == 1, "About did not show exactly one dialog");
        auto* dialog = qobject_cast<QDialog*>(dialogs.front());
        require(dialog != nullptr, "the About window is not a dialog");
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
        return dialog;
    }

    MainWindow window{[](QWidget*, const QString&, const QString&) {}};
};

template <typename Widget = QWidget>
Widget* part(const QDialog* dialog, const char* name) {
    return dialog->findChild<Widget*>(QString::fromUtf8(name));
}

// What a fresh dialog shows: every named part's place and text, and where the focus is.
struct Appearance {
    std::map<QString, std::pair<QRect, QString>> parts;
    QString focus;
    QSize size;

    friend bool operator==(const Appearance&, const Appearance&) = default;
};

Appearance appearance(const QDialog* dialog) {
    Appearance seen{{}, focused_control(), dialog->size()};
    for (const QWidget* widget : dialog->findChildren<QWidget*>()) {
        const auto* label = qobject_cast<const QLabel*>(widget);
        const auto* button = qobject_cast<const QPushButton*>(widget);
        seen.parts[widget->objectName()] = {widget->geometry(), label    ? label->text()
                                                                : button ? button->text()
                                                                         : QString()};
    }
    return seen;
}

TEST_F(AboutDialog, AboutTwiceShowsTheOneDialogWithoutOwnerOrModality) {
    QDialog* first = open_about();
    QDialog* second = open_about();
    EXPECT_EQ(first, second);
    EXPECT_TRUE(second->isVisible());
    EXPECT_FALSE(second->isModal());
    EXPECT_EQ(second->parentWidget(), nullptr);
    EXPECT_EQ(second->windowHandle()->transientParent(), nullptr);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(AboutDialog, EveryWayOfClosingDiscardsItAndAboutBuildsItAfresh) {
    const auto press = [](Qt::Key key) {
        return [key](QDialog*) { QTest::keyClick(QApplication::focusWidget(), key); };
    };
    const struct {
        const char* how;
        std::function<void(QDialog*)> close;
    } ways[] = {
        {"OK clicked", [](QDialog* dialog) { part<QPushButton>(dialog, "cmdOK")->click(); }},
        {"Enter", press(Qt::Key_Return)},
        {"Escape", press(Qt::Key_Escape)},
        {"Enter with the picture focused",
         [](QDialog*) {
             QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
             QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
         }},
        {"Escape with the picture focused",
         [](QDialog*) {
             QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
             QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
         }},
        {"close box", [](QDialog* dialog) { dialog->close(); }},
    };
    const Appearance first_seen = appearance(open_about());
    for (const auto& way : ways) {
        SCOPED_TRACE(way.how);
        const QPointer<QDialog> dialog = open_about();
        way.close(dialog);
        EXPECT_FALSE(dialog->isVisible());
        let_closed_windows_go();
        EXPECT_TRUE(dialog.isNull());
        EXPECT_TRUE(about_dialogs().empty());

        const QPointer<QDialog> reopened = open_about();
        EXPECT_EQ(appearance(reopened), first_seen);
        reopened->close();
        let_closed_windows_go();
    }
}

// What a seller would notice were a part misplaced: one cut off by the dialog's edge, or two
// drawn over each other. Parts may share a pixel's edge.
TEST_F(AboutDialog, EveryPartLiesInsideTheDialogAndNoTwoOverlap) {
    const QDialog* dialog = open_about();
    const QList<QWidget*> parts = dialog->findChildren<QWidget*>(QRegularExpression("^[A-Za-z]"));
    EXPECT_EQ(parts.size(), 9);
    for (const QWidget* one : parts) {
        SCOPED_TRACE(one->objectName().toStdString());
        EXPECT_EQ(one->parentWidget(), dialog);
        EXPECT_TRUE(dialog->rect().contains(one->geometry()));
        for (const QWidget* other : parts) {
            const QRect shared = one->geometry() & other->geometry();
            EXPECT_TRUE(one == other || std::min(shared.width(), shared.height()) <= 1)
                << "over " << other->objectName().toStdString();
        }
    }
}

TEST_F(AboutDialog, NoticesAreWrittenInTheirFontsAndFitTheirRectangles) {
    const struct {
        const char* name;
        bool bold;
        const char* ends_with;
    } notices[] = {
        {"lblTitle", true, "Corvandel Demo Version 1.3"},
        {"Label1", false, "https://corvandel.example.com/"},
        {"Label2", false, "."},
        {"Label3", true, "https://corvandel.example.com/"},
    };
    const QDialog* dialog = open_about();
    for (const auto& notice : notices) {
        SCOPED_TRACE(notice.name);
        const auto* label = part<QLabel>(dialog, notice.name);
        ASSERT_NE(label, nullptr);
        EXPECT_TRUE(label->text().endsWith(QString::fromUtf8(notice.ends_with)));
        EXPECT_TRUE(draws_as(label->font(), "Verdana"));
        EXPECT_DOUBLE_EQ(label->font().pointSizeF(), 9.75);
        EXPECT_EQ(label->font().bold(), notice.bold);
        EXPECT_TRUE(label->wordWrap());
        EXPECT_LE(label->heightForWidth(label->width()), label->height());
    }
    EXPECT_EQ(part<QLabel>(dialog, "lblTitle")->text(), "Corvandel Demo Version 1.3");
    EXPECT_EQ(part<QLabel>(dialog, "lblTitle")->palette().color(QPalette::WindowText),
              QColor(Qt::black));
    const auto* ok = part<QPushButton>(dialog, "cmdOK");
    EXPECT_EQ(ok->text(), "OK");
    EXPECT_EQ(ok->font(), QApplication::font());
    QStyleOptionButton option;
    option.initFrom(ok);
    option.text = ok->text();
    const QRect caption_room =
        ok->style()->subElementRect(QStyle::SE_PushButtonContents, &option, ok);
    EXPECT_LE(ok->fontMetrics().horizontalAdvance(ok->text()), caption_room.width());
    EXPECT_LE(ok->fontMetrics().height(), caption_room.height());
}

// The title is black where black reads against the dialog, as under Fusion, and in the desktop's
// own text colour where it would not, as on Adwaita-Dark's #353535.
TEST(AboutTitle, IsBlackWhereThatReadsAndLegibleOnADarkDesktop) {
    for (const char* style : {"Fusion", "Adwaita-Dark"}) {
        SCOPED_TRACE(style);
        QApplication::setStyle(QStyleFactory::create(style));
        MainWindow window{[](QWidget*, const QString&, const QString&) {}};
        choose(window, "About");
        const auto* dialog = qobject_cast<QDialog*>(about_dialogs().front());
        const QColor title = part<QLabel>(dialog, "lblTitle")
                                 ->palette()
                                 .color(QPalette::Active, QPalette::WindowText);
        EXPECT_GE(contrast(title, dialog->palette().color(QPalette::Active, QPalette::Window)),
                  4.5);
        EXPECT_EQ(title == QColor(Qt::black), QString(style) == "Fusion");
    }
    QApplication::setStyle(QStyleFactory::create("Fusion"));
}

// What the desktop is told about the window: a tool window, which has no taskbar button of its
// own, with a title bar and a close box only; and a size it does not let anyone change.
TEST_F(AboutDialog, IsAFixedToolWindowWithOnlyACloseBoxCentredOnTheScreen) {
    QDialog* dialog = open_about();
    EXPECT_EQ(dialog->windowTitle(), "About MyApp");
    EXPECT_EQ(dialog->size(), QSize(418, 331));
    dialog->resize(600, 500);
    EXPECT_EQ(dialog->size(), QSize(418, 331));
    const Qt::WindowFlags flags = dialog->windowHandle()->flags();
    EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Tool);
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowContextHelpButtonHint));
    const QPoint centre_offset =
        dialog->geometry().center() - dialog->screen()->availableGeometry().center();
    EXPECT_LE(centre_offset.manhattanLength(), 2);
}

TEST_F(AboutDialog, OkHasTheFocusAndTabGoesBetweenItAndThePictureOnly) {
    open_about();
    EXPECT_EQ(focused_control(), "cmdOK");
    const struct {
        Qt::Key key;
        const char* lands_on;
    } presses[] = {
        {Qt::Key_Tab, "picIcon"},
        {Qt::Key_Tab, "cmdOK"},
        {Qt::Key_Backtab, "picIcon"},
        {Qt::Key_Backtab, "cmdOK"},
    };
    for (const auto& press : presses) {
        QTest::keyClick(QApplication::focusWidget(), press.key,
                        press.key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
        EXPECT_EQ(focused_control(), press.lands_on);
    }
}

TEST_F(AboutDialog, PictureIsTheProgramsOwnColourJpegInASunkenBorder) {
    QFile file(QStringLiteral(":/corvandel/about_picture.jpg"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray jpeg = file.readAll();
    ASSERT_GT(jpeg.size(), 20);
    EXPECT_TRUE(jpeg.startsWith(QByteArray("\xFF\xD8\xFF\xE0", 4)));
    EXPECT_EQ(jpeg.mid(6, 5), QByteArray("JFIF\0", 5));
    EXPECT_EQ(jpeg.mid(11, 7), QByteArray("\x01\x01\x01\x00\x48\x00\x48", 7))
        << "JFIF 1.01 at 72 dots per inch";

    const auto* picture = part<QLabel>(open_about(), "picIcon");
    const QImage shown = picture->pixmap().toImage();
    EXPECT_EQ(shown.size(), QSize(100, 100));
    EXPECT_EQ(picture->contentsRect().size(), shown.size()) << "the picture shows whole";
    EXPECT_FALSE(shown.isGrayscale());
    EXPECT_EQ(picture->frameShadow(), QFrame::Sunken);
    EXPECT_EQ(picture->frameWidth(), 2);
}

// Grey lines a pixel high under the title block and round the freedom notice, a white one two
// pixels high above OK.
TEST_F(AboutDialog, LinesAreDrawnInTheirColoursAndThickness) {
    const QImage drawn = open_about()->grab().toImage();
    const QColor grey(128, 128, 128);
    const struct {
        int y;
        QColor colour;
    } rows[] = {
        {127, drawn.pixelColor(200, 127)},
        {128, grey},
        {129, drawn.pixelColor(200, 127)},
        {160, grey},
        {264, Qt::white},
        {265, Qt::white},
        {266, drawn.pixelColor(200, 127)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.y);
        EXPECT_EQ(drawn.pixelColor(200, row.y), row.colour);
    }
    EXPECT_NE(drawn.pixelColor(200, 127), grey);
    EXPECT_NE(drawn.pixelColor(200, 127), QColor(Qt::white));
}

// Typing into the main window's own window while the dialog is open reaches the price field,
// and Enter runs Calculate; then Escape to the dialog's window closes it.
TEST_F(AboutDialog, BothWindowsTakeInputWhileTheDialogIsOpen) {
    const QPointer<QDialog> dialog = open_about();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    window.control(Control::txt_start_price)->setFocus(Qt::MouseFocusReason);

    QWindow* main_window = window.windowHandle();
    QTest::keyClick(main_window, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(main_window, '2');
    QTest::keyClick(main_window, '0');
    QTest::keyClick(main_window, Qt::Key_Return);
    EXPECT_EQ(qobject_cast<QLineEdit*>(window.control(Control::txt_start_price))->text(), "20");
    EXPECT_EQ(qobject_cast<QLineEdit*>(window.control(Control::txt_list_fee))->text(), "0.60");
    EXPECT_TRUE(dialog->isVisible());

    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    QTest::keyClick(dialog->windowHandle(), Qt::Key_Escape);
    let_closed_windows_go();
    EXPECT_TRUE(dialog.isNull());
    EXPECT_TRUE(window.isVisible());
}

// From the keyboard alone, as the desktop opens menus: Alt alone puts the focus on the menu bar,
// the arrows move between and into the menus, Enter chooses.
TEST_F(AboutDialog, TheHelpMenuOpensAboutFromTheKeyboardAlone) {
    auto* menu_bar = window.findChild<QMenuBar*>();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Alt);
    ASSERT_NE(menu_bar->activeAction(), nullptr);
    EXPECT_EQ(menu_bar->activeAction()->text(), "File");
    QTest::keyClick(menu_bar, Qt::Key_Right);
    EXPECT_EQ(menu_bar->activeAction()->text(), "Help");
    QTest::keyClick(menu_bar, Qt::Key_Down);
    auto* help = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->objectName(), "Help");
    QTest::keyClick(help, Qt::Key_Return);

    const std::vector<QWidget*> dialogs = about_dialogs();
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_TRUE(dialogs.front()->isVisible());
    QTest::keyClick(dialogs.front(), Qt::Key_Escape);
    let_closed_windows_go();
    EXPECT_TRUE(about_dialogs().empty());
}

}  // namespace
}  // namespace corvandel
