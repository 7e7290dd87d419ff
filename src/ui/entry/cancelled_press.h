#pragma once

#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QWidget>

namespace corvandel {

// A click that tried to leave a refused entry brings its warning and nothing else. The press
// that moved the focus is delivered right after that move, within the same event, and so is
// the context menu a right button opens; both, and the release that ends the click, are kept
// from the control they were aimed at.
class CancelledPress final : public QObject {
  public:
    using QObject::QObject;

    // Swallows the presses aimed at `target` or at anything inside it, and the release that ends
    // the click.
    void cancel_press_into(QWidget* target);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void stop();

    QPointer<QWidget> target_;
    // Until the event loop turns, a press is the one that moved the focus.
    bool awaiting_press_ = false;
};

}  // namespace corvandel
