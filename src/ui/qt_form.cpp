#include "ui/qt_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <utility>

#include "ui/qt_values.h"

namespace corvandel {

QtForm::QtForm(const ControlWidgets& widgets, QWidget* window, WarningBox warning_box)
    : widgets_(widgets), window_(window), warning_box_(std::move(warning_box)) {}

std::string QtForm::text(Control control) const {
    QWidget* target = widget(control);
    if (auto* edit = qobject_cast<QLineEdit*>(target)) {
        return edit->text().toStdString();
    }
    if (auto* box = qobject_cast<QComboBox*>(target)) {
        return box->currentText().toStdString();
    }
    if (auto* label = qobject_cast<QLabel*>(target)) {
        return label->text().toStdString();
    }
    return {};
}

void QtForm::set_text(Control control, std::string_view text) {
    QWidget* target = widget(control);
    if (auto* edit = qobject_cast<QLineEdit*>(target)) {
        edit->setText(to_qstring(text));
    } else if (auto* box = qobject_cast<QComboBox*>(target)) {
        box->setEditText(to_qstring(text));
    } else if (auto* label = qobject_cast<QLabel*>(target)) {
        label->setText(to_qstring(text));
    }
}

int QtForm::tick(Control control) const {
    auto* box = qobject_cast<QCheckBox*>(widget(control));
    return box != nullptr && box->isChecked() ? 1 : 0;
}

void QtForm::set_tick(Control control, int value) {
    if (auto* box = qobject_cast<QCheckBox*>(widget(control))) {
        box->setChecked(value == 1);
    }
}

void QtForm::set_enabled(Control control, bool enabled) {
    widget(control)->setEnabled(enabled);
}

// Moving the focus into a field enters it, which selects its text. A field that has the focus
// already is entered again, so that a warning about it always leaves its text selected for
// mending, as a warning about a field just left does.
void QtForm::focus(Control control) {
    QWidget* target = widget(control);
    if (target->hasFocus()) {
        select_all(control);
    } else {
        target->setFocus(Qt::OtherFocusReason);
    }
}

void QtForm::select_all(Control control) {
    if (auto* edit = qobject_cast<QLineEdit*>(widget(control))) {
        edit->selectAll();
    }
}

void QtForm::append_entry(Control control, std::string_view entry) {
    if (auto* box = qobject_cast<QComboBox*>(widget(control))) {
        box->addItem(to_qstring(entry));
    }
}

void QtForm::warn(std::string_view title, std::string_view message) {
    warning_box_(window_, to_qstring(title), to_qstring(message));
}

}  // namespace corvandel
