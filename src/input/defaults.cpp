#include "input/defaults.h"

#include <string>

namespace corvandel {

void set_defaults(Form& form) {
    form.set_text(Control::txt_item_cost, "Free");
    form.set_text(Control::txt_end_price, "None");
    form.set_text(Control::txt_ship_cost, "None");
    form.set_text(Control::txt_ship_charged, "None");
    form.set_text(Control::txt_other_costs, "None");
    form.set_text(Control::txt_bin, "None");
    form.set_text(Control::txt_start_price, "0.99");
    form.set_tick(Control::chk_paypal, 1);
    constexpr int pictures_offered = 12;
    for (int pictures = 1; pictures <= pictures_offered; ++pictures) {
        form.append_entry(Control::combo_num_pics, std::to_string(pictures));
    }
}

}  // namespace corvandel
