#include "first_frame.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>

namespace corvandel {

namespace {

// A frame is painted in one pass, the window and every child that needs it, and handed to the
// window system at the end of that pass. Which widget is painted first depends on which ones
// are opaque, so the first paint event of any widget marks the pass; a zero timer started
// there runs once the pass, flush included, is over.
class QuitAfterFirstFrame final : public QObject {
  public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !quitting_) {
            quitting_ = true;
            QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    bool quitting_ = false;
};

}  // namespace

int show_until_first_frame(QWidget& window) {
    QuitAfterFirstFrame quit_after_first_frame;
    QCoreApplication::instance()->installEventFilter(&quit_after_first_frame);
    window.show();
    return QCoreApplication::exec();
}

}  // namespace corvandel
