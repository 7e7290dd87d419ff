#include "ui/accessible_names.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QString>

#include "ui/layout.h"
#include "ui/qt_values.h"
#include "ui/quick_help_texts.h"

namespace corvandel {

namespace {

using C = Control;

// Each field and the caption beside or above it that says what it holds.
struct NamedBy {
    Control field;
    Control caption;
};

constexpr NamedBy captions_that_name[] = {
    {C::txt_item_cost, C::fr_cost},
    {C::txt_start_price, C::fr_start_price},
    {C::txt_bin, C::Frame2},
    {C::txt_reserve, C::Frame1},
    {C::txt_end_price, C::fr_end_price},
    {C::txt_ship_charged, C::fr_ship_charged},
    {C::txt_ship_cost, C::fr_ship_cost},
    {C::txt_other_costs, C::fr_other_costs},
    {C::combo_num_pics, C::Label1},
    {C::txt_list_fee, C::lbl_list_fee},
    {C::txt_fvf, C::Label7},
    {C::Txt_ebay_fees, C::Label9},
    {C::txt_paypal_fee, C::Label8},
    {C::txt_total_fee, C::Label6},
    {C::txt_total_recv, C::Label4},
    {C::txt_total_spent, C::Label5},
    {C::txt_profit, C::Label3},
    {C::txt_profit_margin, C::Label2},
};

// The PayPal tick box shows no caption; this says what ticking it does.
constexpr auto paypal_box_name = "Count Paypal fees";

QString caption_of(const QWidget* widget) {
    if (const auto* frame = qobject_cast<const QGroupBox*>(widget)) {
        return frame->title();
    }
    return qobject_cast<const QLabel*>(widget)->text();
}

QString without_colon(QString caption) {
    caption = caption.trimmed();
    if (caption.endsWith(u':')) {
        caption.chop(1);
    }
    return caption.trimmed();
}

}  // namespace

void give_accessible_names(const ControlWidgets& widgets) {
    for (const NamedBy& pair : captions_that_name) {
        QWidget* field = widgets[index(pair.field)];
        QWidget* caption = widgets[index(pair.caption)];
        const QString name = without_colon(caption_of(caption));
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
