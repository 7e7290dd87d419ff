#include "input/clear.h"

#include <array>

namespace corvandel {

namespace {

// Cleared in this order; the interlocks run as each changes, so that every box ends enabled.
constexpr std::array option_boxes{
    Control::chk_sub,       Control::chk_pic_show,  Control::chk_supersize, Control::chk_pic_pack,
    Control::chk_gallery,   Control::chk_bold,      Control::chk_10day,     Control::chk_border,
    Control::chk_highlight, Control::chk_gift,      Control::chk_doublecat, Control::chk_gfeatured,
    Control::chk_fplus,     Control::chk_hfeatured,
};

constexpr std::array results_emptied_last{
    Control::txt_list_fee,  Control::txt_paypal_fee,    Control::txt_fvf,
    Control::txt_total_fee, Control::txt_total_recv,    Control::txt_total_spent,
    Control::txt_profit,    Control::txt_profit_margin,
};

}  // namespace

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
    for (Control field : results_emptied_last) {
        form.set_text(field, "");
    }
    form.focus(Control::txt_item_cost);
}

}  // namespace corvandel
