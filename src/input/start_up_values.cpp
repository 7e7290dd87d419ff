#include "input/start_up_values.h"

#include <string>

#include "input/price_fields.h"

namespace corvandel {

namespace {

void put_start_up_text(Form& form, Control field) {
    form.set_text(field, price_field_rule(field)->start_up_text);
}

}  // namespace

void set_defaults(Form& form) {
    for (Control field : {Control::txt_item_cost, Control::txt_end_price, Control::txt_ship_cost,
                          Control::txt_ship_charged, Control::txt_other_costs, Control::txt_bin,
                          Control::txt_start_price}) {
        put_start_up_text(form, field);
    }
    form.set_tick(Control::chk_paypal, 1);
    for (int pictures = 1; pictures <= pictures_offered; ++pictures) {
        form.append_entry(Control::combo_num_pics, std::to_string(pictures));
    }
}

void cmd_clear_Click(Form& form) {
    form.set_text(Control::lbl_help, "");
    for (Control field : price_fields) {
        put_start_up_text(form, field);
    }
    form.set_text(Control::Txt_ebay_fees, "");
    form.set_text(Control::combo_num_pics, pictures_at_start_up);
    for (Control box : option_boxes) {
        form.set_tick(box, 0);
    }
    form.set_tick(Control::chk_paypal, 1);
    // The eBay fees were emptied with the prices.
    for (Control field : results_in_run_order) {
        if (field != Control::Txt_ebay_fees) {
            form.set_text(field, "");
        }
    }
    form.focus(Control::txt_item_cost);
}

void open_as_at_start_up(MemoryForm& form) {
    // The two inputs the window is created holding; start-up leaves them as they are.
    put_start_up_text(form, Control::txt_reserve);
    form.set_text(Control::combo_num_pics, pictures_at_start_up);
    set_defaults(form);
}

}  // namespace corvandel
