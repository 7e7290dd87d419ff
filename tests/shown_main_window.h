#pragma once

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRect>
#include <QString>
#include <QTest>
#include <QWidget>

#include <ostream>
#include <stdexcept>
#include <vector>

#include <gtest/gtest.h>

#include "form/control.h"
#include "ui/window/main_window.h"

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QRect& rect, std::ostream* out) {
    *out << "QRect(" << rect.x() << ", " << rect.y() << ", " << rect.width() << 'x' << rect.height()
         << ')';
}

namespace corvandel {

// A warning the window asked to show, and where the focus was at that moment.
struct ShownWarning {
    QString title;
    QString message;
    QString focus;

    friend bool operator==(const ShownWarning&, const ShownWarning&) = default;
};

inline std::ostream& operator<<(std::ostream& out, const ShownWarning& warning) {
    return out << '"' << warning.title.toStdString() << "\": \"" << warning.message.toStdString()
               << "\" (focus in " << warning.focus.toStdString() << ')';
}

// Stops the test, failed, when a condition that every later step depends on does not hold;
// usable where ASSERT_* is not (constructors, functions that return a value). GoogleTest reports
// the exception with its text as the failure.
inline void require(bool condition, const char* what) {
    if (!condition) {
        throw std::runtime_error(what);
    }
}

inline QString focused_control() {
    const QWidget* focus = QApplication::focusWidget();
    return focus == nullptr ? QString() : focus->objectName();
}

inline QString control_name(Control control) {
    return QString::fromUtf8(name(control).data(), static_cast<qsizetype>(name(control).size()));
}

// The main window shown and active, its warnings recorded instead of shown in message boxes.
class ShownMainWindow {
  public:
    ShownMainWindow()
        : window_([this](QWidget*, const QString& title, const QString& message) {
              warnings_.push_back({title, message, focused_control()});
          }) {
        show_and_activate(window_);
    }

    // Every later step depends on the window being shown and active: without it the test stops
    // here, failed.
    static void show_and_activate(MainWindow& window) {
        window.show();
        require(QTest::qWaitForWindowExposed(&window), "the main window was not shown");
        window.activateWindow();
        require(QTest::qWaitForWindowActive(&window), "the main window did not become active");
    }

    const std::vector<ShownWarning>& warnings() const { return warnings_; }

    QWidget* control(Control control) const { return window_.control(control); }
    QLineEdit* field(Control control) const {
        return qobject_cast<QLineEdit*>(this->control(control));
    }
    QCheckBox* tick_box(Control control) const {
        return qobject_cast<QCheckBox*>(this->control(control));
    }
    QPushButton* button(Control control) const {
        return qobject_cast<QPushButton*>(this->control(control));
    }
    QComboBox* pictures() const {
        return qobject_cast<QComboBox*>(control(Control::combo_num_pics));
    }
    QString text(Control control) const { return field(control)->text(); }

    // Gives the control the focus and replaces its text by typing, as a seller would.
    void type_into(Control control, const QString& text) const {
        this->control(control)->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
        QTest::keyClicks(QApplication::focusWidget(), text);
    }

    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }

  private:
    std::vector<ShownWarning> warnings_;
    MainWindow window_;
};

}  // namespace corvandel
