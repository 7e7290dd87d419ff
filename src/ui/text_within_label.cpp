#include "ui/text_within_label.h"

#include <QFont>

namespace corvandel {

namespace {

// Below this a sentence is no easier to read than one cut at the label's edge.
constexpr double smallest_point_size = 7.0;
constexpr double point_size_step = 0.25;

bool fits(const QLabel* label) {
    return label->heightForWidth(label->width()) <= label->height();
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
