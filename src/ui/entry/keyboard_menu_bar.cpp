#include "ui/entry/keyboard_menu_bar.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QFont>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPainter>
#include <QProxyStyle>
#include <QShortcut>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>

namespace corvandel {

namespace {

// Qt's menu bar takes the keyboard on Alt, keeps it for the arrows and opens a menu on Enter
// only where its style says so.
class AltKeyStyle final : public QProxyStyle {
  public:
    using QProxyStyle::QProxyStyle;

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returned) const override {
        return hint == SH_MenuBar_AltKeyNavigation
                   ? 1
                   : QProxyStyle::styleHint(hint, option, widget, returned);
    }
};

}  // namespace

KeyboardMenuBar::KeyboardMenuBar(QWidget* window) : QMenuBar(window) {
    // The window's controls keep their fixed font; the menu bar, like its menus and the message
    // boxes, takes the desktop's, whole, and not the window's.
    QFont desktop_font = QApplication::font(this);
    desktop_font.setResolveMask(QFont::AllPropertiesResolved);
    setFont(desktop_font);
    // A style of the same kind as the application's, which the proxy owns: the application's
    // own is not the proxy's to take.
    if (style()->styleHint(QStyle::SH_MenuBar_AltKeyNavigation, nullptr, this) == 0) {
        if (QStyle* same = QStyleFactory::create(style()->name())) {
            style_with_alt_key_ = std::make_unique<AltKeyStyle>(same);
            setStyle(style_with_alt_key_.get());
        }
    }
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), window);
    connect(f10, &QShortcut::activated, this, &KeyboardMenuBar::take_keyboard);
    // The style may draw a highlight a pixel beyond its title's rectangle, which is all Qt
    // repaints when the highlight moves on.
    connect(this, &QMenuBar::hovered, this, qOverload<>(&QWidget::update));
}

// The widget still refers to its style while it goes, after this class's members.
KeyboardMenuBar::~KeyboardMenuBar() {
    setStyle(nullptr);
}

// Qt gives the menu bar the keyboard, remembering which control had it, when Alt is pressed and
// released alone; the menu bar watches its window for that. F10 is handed to that watch as such
// an Alt, so that both keys behave alike, F10 on the menu bar giving the keyboard back as Alt
// does.
void KeyboardMenuBar::take_keyboard() {
    // A key event of Alt itself reports Alt among its modifiers when made without it.
    QKeyEvent alt_pressed(QEvent::ShortcutOverride, Qt::Key_Alt, Qt::NoModifier);
    QCoreApplication::sendEvent(window(), &alt_pressed);
    QKeyEvent alt_released(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
    QCoreApplication::sendEvent(window(), &alt_released);
}

// The desktop style highlights a title only while its menu is open; a title that has the
// keyboard is drawn over in that same state.
void KeyboardMenuBar::paintEvent(QPaintEvent* event) {
    QMenuBar::paintEvent(event);
    QAction* current = activeAction();
    if (!hasFocus() || current == nullptr) {
        return;
    }
    QPainter painter(this);
    QStyleOptionMenuItem title;
    initStyleOption(&title, current);
    title.rect = actionGeometry(current);
    title.state |= QStyle::State_Selected | QStyle::State_Sunken;
    style()->drawControl(QStyle::CE_MenuBarItem, &title, &painter, this);
}

}  // namespace corvandel
