#include "ui/window/qt_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>

#include <optional>
#include <utility>

#include "calc/readings.h"
#include "ui/window/qt_values.h"

namespace corvandel {

namespace {

// Where the desktop writes a decimal comma, a refused entry that its language reads as a number
// is most likely a price written the desktop's way: the seller is shown the same number as the
// window reads it, 12,50 as 12.50.
std::optional<QString> decimal_separator_hint(const QString& refused) {
    const QLocale desktop;
    const QString separator = desktop.decimalPoint();
    const QString entry = refused.trimmed();
    bool is_desktops_number = false;
    desktop.toDouble(entry, &is_desktops_number);
    if (separator == QLatin1String(".") || !entry.contains(separator) || !is_desktops_number) {
        return std::nullopt;
    }
    QString with_point = entry;
    with_point.remove(desktop.groupSeparator()).replace(separator, QLatin1String("."));
    if (!is_number(with_point.toStdString())) {
        return std::nullopt;
    }
    return QStringLiteral("Type a point as the decimal separator: %1.").arg(with_point);
}

}  // namespace

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
    show_warning(window_, to_qstring(title), to_qstring(message));
}

void QtForm::warn_about(Control field, std::string_view title, std::string_view message) {
    QString text = to_qstring(message);
    if (const std::optional<QString> hint = decimal_separator_hint(to_qstring(this->text(field)))) {
        text += QLatin1Char(' ') + *hint;
    }
    show_warning(widget(field), to_qstring(title), text);
}

void QtForm::show_warning(QWidget* subject, const QString& title, const QString& message) {
    warning_box_(subject, title, message);
}

}  // namespace corvandel
