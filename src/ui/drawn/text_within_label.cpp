#include "ui/drawn/text_within_label.h"

#include <QFont>
#include <QFontMetrics>
#include <QRect>
#include <QSize>

namespace corvandel {

namespace {

// Below this a sentence is no easier to read than one cut at the label's edge.
constexpr double smallest_point_size = 7.0;
constexpr double point_size_step = 0.25;

// Wrapped as the label wraps it; a word longer than the label's width spills over its side.
bool fits(const QLabel* label) {
    const QRect room = label->contentsRect();
    const QRect needed = label->fontMetrics().boundingRect(
        QRect(room.topLeft(), QSize(room.width(), QWIDGETSIZE_MAX)),
        Qt::TextWordWrap | label->alignment(), label->text());
    return needed.width() <= room.width() && needed.height() <= room.height();
}

}  // namespace

void show_text_within_label(QLabel* label, const QString& text) {
    label->setText(text);
    // An empty font resolves nothing of its own: the label goes back to the one it inherits.
    label->setFont(QFont());
    QFont font = label->font();
    while (!fits(label) && font.pointSizeF() - point_size_step >= smallest_point_size) {
        font.setPointSizeF(font.pointSizeF() - point_size_step);
        label->setFont(font);
    }
}

}  // namespace corvandel
