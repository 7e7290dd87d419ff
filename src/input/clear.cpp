#include "input/clear.h"

namespace corvandel {

void cmd_clear_Click(Form& form) {
    form.set_text(Control::lbl_help, "");
    form.set_text(Control::txt_item_cost, "Free");
    form.set_text(Control::txt_start_price, "0.99");
    for (Control field :
         {Control::txt_bin, Control::txt_reserve, Control::txt_end_price, Control::txt_ship_charged,
          Control::txt_ship_cost, Control::txt_other_costs}) {
        form.set_text(field, "None");
    }
    form.set_text(Control::Txt_ebay_fees, "");
    form.set_text(Control::combo_num_pics, "1");
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

}  // namespace corvandel
