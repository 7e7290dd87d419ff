#pragma once

#include <QLabel>
#include <QPaintEvent>
#include <QWidget>

namespace corvandel {

// A picture in a sunken border that takes the focus, by Tab or a click, and shows that it has
// it: a ring of the desktop's highlight colour just inside the border, over the picture's edge,
// since the box is sized to the picture and has no room of its own for a mark around it.
class PictureBox final : public QLabel {
    Q_OBJECT

  public:
    explicit PictureBox(QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace corvandel
