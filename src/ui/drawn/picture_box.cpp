#include "ui/drawn/picture_box.h"

#include <QPainter>
#include <QPalette>
#include <QPen>
#include <QRectF>

namespace corvandel {

namespace {

// As wide as the border, so that the mark is seen at a glance at any scale.
constexpr int focus_mark_pixels = 2;

}  // namespace

PictureBox::PictureBox(QWidget* parent) : QLabel(parent) {
    setFocusPolicy(Qt::StrongFocus);
}

void PictureBox::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!hasFocus()) {
        return;
    }
    QPainter painter(this);
    QPen ring(palette().color(QPalette::Highlight), focus_mark_pixels);
    ring.setJoinStyle(Qt::MiterJoin);
    painter.setPen(ring);
    // The pen is centred on the path: half its width in, the ring covers the picture's outer
    // pixels exactly.
    const qreal half = focus_mark_pixels / 2.0;
    painter.drawRect(QRectF(contentsRect()).adjusted(half, half, -half, -half));
}

}  // namespace corvandel
