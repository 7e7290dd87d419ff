#include "ui/help/accessible_names.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QString>

#include "ui/help/quick_help.h"
#include "ui/window/layout.h"
#include "ui/window/qt_values.h"

namespace corvandel {

namespace {

// The PayPal tick box shows no caption; this says what ticking it does.
constexpr auto paypal_box_name = "Count Paypal fees";

}  // namespace

void give_accessible_names(const ControlWidgets& widgets) {
    for (const NamedBy& pair : captions_that_name) {
        QWidget* field = widgets[index(pair.field)];
        QWidget* caption = widgets[index(pair.caption)];
        const QString name = to_qstring(field_title(pair.field));
        field->setAccessibleName(name);
        if (auto* label = qobject_cast<QLabel*>(caption)) {
            label->setBuddy(field);
        }
        // The editable pictures box is typed into through its own text box, which is what has
        // the focus and what a screen reader speaks.
        if (auto* box = qobject_cast<QComboBox*>(field)) {
            box->lineEdit()->setAccessibleName(name);
        }
    }
    for (const Placement& row : main_window_layout) {
        if (const auto sentence = quick_help_text(row.control)) {
            widgets[index(row.control)]->setAccessibleDescription(to_qstring(*sentence));
        }
        if (row.kind == ControlKind::tick_box) {
            auto* box = qobject_cast<QCheckBox*>(widgets[index(row.control)]);
            box->setAccessibleName(box->text().isEmpty() ? QString::fromLatin1(paypal_box_name)
                                                         : box->text());
        }
    }
}

}  // namespace corvandel
