#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <vector>

namespace corvandel {

// What a real message box showed, as the seller saw it.
struct SeenBox {
    QString title;
    QString text;
    QString accessible_name;
    QMessageBox::Icon icon;
    int buttons;
    bool has_ok;
    bool modal;
    QString focus;
};

// Closes every message box that the window opens with its OK button, noting what it showed,
// until the deadline, so that a box that never comes cannot hold the test forever.
class MessageBoxCloser {
  public:
    explicit MessageBoxCloser(int deadline_ms) : deadline_ms_(deadline_ms) {
        clock_.start();
        QObject::connect(&timer_, &QTimer::timeout, [this] { close_open_box(); });
        timer_.start(10);
    }
    const std::vector<SeenBox>& seen() const { return seen_; }

  private:
    void close_open_box() {
        if (clock_.elapsed() > deadline_ms_) {
            timer_.stop();
            return;
        }
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible() || box == last_closed_) {
            return;
        }
        QAbstractButton* ok = box->button(QMessageBox::Ok);
        seen_.push_back({box->windowTitle(), box->text(), box->accessibleName(), box->icon(),
                         static_cast<int>(box->buttons().size()), ok != nullptr, box->isModal(),
                         box->parentWidget() != nullptr && box->parentWidget()->focusWidget()
                             ? box->parentWidget()->focusWidget()->objectName()
                             : QString()});
        last_closed_ = box;
        if (ok != nullptr) {
            ok->click();
        }
    }

    int deadline_ms_;
    QElapsedTimer clock_;
    QTimer timer_;
    QPointer<QMessageBox> last_closed_;
    std::vector<SeenBox> seen_;
};

}  // namespace corvandel
