#pragma once

#include <QPalette>
#include <QWidget>

namespace corvandel {

// A straight line drawn on its container, as wide or as high as the widget. It takes no part
// in the mouse's doings: the pointer over it counts as over whatever lies beneath.
class LineWidget final : public QWidget {
    Q_OBJECT

  public:
    LineWidget(QPalette::ColorRole colour, QWidget* parent);
};

}  // namespace corvandel
