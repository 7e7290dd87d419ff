#include "ui/line_widget.h"

namespace corvandel {

LineWidget::LineWidget(QPalette::ColorRole colour, QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setBackgroundRole(colour);
    setAutoFillBackground(true);
}

}  // namespace corvandel
