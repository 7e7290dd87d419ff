#include "ui/drawn/line_widget.h"

namespace corvandel {

LineWidget::LineWidget(QPalette::ColorRole colour, QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setBackgroundRole(colour);
    setAutoFillBackground(true);
}

LineWidget::LineWidget(const QColor& colour, QWidget* parent)
    : LineWidget(QPalette::Window, parent) {
    QPalette fixed = palette();
    fixed.setColor(QPalette::Window, colour);
    setPalette(fixed);
}

}  // namespace corvandel
