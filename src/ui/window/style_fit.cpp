#include "ui/window/style_fit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QRect>
#include <QSize>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>

#include <algorithm>

namespace corvandel {

namespace {

// A caption beside the indicator, in the room the style leaves it, and the indicator whole.
QSize needed_by(const QCheckBox* box) {
    QStyleOptionButton option;
    option.initFrom(box);
    option.text = box->text();
    const QStyle* style = box->style();
    const QRect caption_room = style->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
    const int caption = box->fontMetrics().horizontalAdvance(box->text());
    return {box->width() + std::max(0, caption - caption_room.width()),
            std::max(box->height(), style->pixelMetric(QStyle::PM_IndicatorHeight, &option, box))};
}

// The style's size for a drop-down box that shows a line of its font as wide as its widest entry.
QSize needed_by(const QComboBox* box) {
    QStyleOptionComboBox option;
    option.initFrom(box);
    option.editable = box->isEditable();
    option.frame = box->hasFrame();
    option.currentText = box->currentText();
    const QFontMetrics metrics = box->fontMetrics();
    int widest = metrics.horizontalAdvance(box->currentText());
    for (int entry = 0; entry < box->count(); ++entry) {
        widest = std::max(widest, metrics.horizontalAdvance(box->itemText(entry)));
    }
    return box->style()
        ->sizeFromContents(QStyle::CT_ComboBox, &option, QSize(widest, metrics.height()), box)
        .expandedTo(box->size());
}

// The control at `placed` grown to `needed`, then kept within the room and clear of the
// neighbours it does not overlap as placed.
QRect grown(const QWidget* control, const QRect& placed, QSize needed) {
    const QWidget* container = control->parentWidget();
    // Below a frame's caption, inside its border.
    const QRect room = container->contentsRect();
    const int extra_height = needed.height() - placed.height();
    QRect rect(placed.left(), placed.top() - extra_height / 2, needed.width(), needed.height());
    if (rect.top() < room.top()) {
        rect.moveTop(std::min(room.top(), placed.top()));
    } else if (rect.bottom() > room.bottom()) {
        rect.moveBottom(std::max(room.bottom(), placed.bottom()));
    }
    rect.setRight(std::min(rect.right(), std::max(room.right(), placed.right())));
    rect.setBottom(std::min(rect.bottom(), std::max(room.bottom(), placed.bottom())));
    for (const QObject* child : container->children()) {
        const auto* neighbour = qobject_cast<const QWidget*>(child);
        if (neighbour == nullptr || neighbour == control || neighbour->isHidden()) {
            continue;
        }
        const QRect other = neighbour->geometry();
        if (other.intersects(placed) || !other.intersects(rect)) {
            continue;
        }
        if (other.left() > placed.right()) {
            rect.setRight(other.left() - 1);
        } else if (other.top() > placed.bottom()) {
            rect.setBottom(other.top() - 1);
        } else if (other.bottom() < placed.top()) {
            rect.setTop(other.bottom() + 1);
        }
    }
    return rect;
}

void fit(QWidget* control, QSize needed) {
    const QRect placed = control->geometry();
    if (needed.width() <= placed.width() && needed.height() <= placed.height()) {
        return;
    }
    control->setGeometry(grown(control, placed, needed.expandedTo(placed.size())));
}

}  // namespace

void fit_to_style(const ControlWidgets& widgets) {
    for (QWidget* widget : widgets) {
        if (const auto* tick_box = qobject_cast<const QCheckBox*>(widget)) {
            fit(widget, needed_by(tick_box));
        } else if (const auto* drop_down = qobject_cast<const QComboBox*>(widget)) {
            fit(widget, needed_by(drop_down));
        }
    }
}

}  // namespace corvandel
