#include "ui/keyboard_menu_bar.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPainter>
#include <QShortcut>
#include <QStyle>
#include <QStyleOptionMenuItem>

namespace corvandel {

KeyboardMenuBar::KeyboardMenuBar(QWidget* window) : QMenuBar(window) {
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), window);
    connect(f10, &QShortcut::activated, this, &KeyboardMenuBar::take_keyboard);
    // The style may draw a highlight a pixel beyond its title's rectangle, which is all Qt
    // repaints when the highlight moves on.
    connect(this, &QMenuBar::hovered, this, qOverload<>(&QWidget::update));
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
