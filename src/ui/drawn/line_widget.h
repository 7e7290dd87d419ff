#pragma once

#include <QColor>
#include <QPalette>
#include <QWidget>

namespace corvandel {

// A straight line drawn on its container, as wide or as high as the widget. It takes no part
// in the mouse's doings: the pointer over it counts as over whatever lies beneath.
class LineWidget final : public QWidget {
    Q_OBJECT

  public:
    LineWidget(QPalette::ColorRole colour, QWidget* parent);
    // In a fixed colour rather than one of the desktop's.
    LineWidget(const QColor& colour, QWidget* parent);
};

}  // namespace corvandel
