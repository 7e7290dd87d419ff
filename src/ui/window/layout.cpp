#include "ui/window/layout.h"

#include "input/price_fields.h"
#include "input/start_up_values.h"

namespace corvandel {

namespace {

using C = Control;
using K = ControlKind;

constexpr FontStyle pictures_box_font{"MS Sans Serif", 8.25, false};
constexpr FontStyle profit_font{"Verdana", 9.75, true};

// Each price frame holds one text box inset by 120 twips on either side.
constexpr TwipsRect price_field_in(int frame_width) {
    return {120, 360, frame_width - 240, 375};
}

}  // namespace

// clang-format off
constexpr std::array<Placement, control_count> main_window_layout{{
    {C::quick_help, K::frame, {}, {120, 0, 11655, 855}},
    {C::lbl_help, K::label, C::quick_help, {120, 360, 11295, 375}},

    {C::fr_cost, K::frame, {}, {120, 960, 2895, 855}},
    {C::txt_item_cost, K::text_box, C::fr_cost, price_field_in(2895)},
    {C::fr_start_price, K::frame, {}, {3120, 960, 2775, 855}},
    {C::txt_start_price, K::text_box, C::fr_start_price, price_field_in(2775)},
    {C::Frame2, K::frame, {}, {6000, 960, 2775, 855}},
    {C::txt_bin, K::text_box, C::Frame2, price_field_in(2775)},
    {C::Frame1, K::frame, {}, {8880, 960, 2895, 855}},
    {C::txt_reserve, K::text_box, C::Frame1, price_field_in(2895), {}, {}, price_field_rule(C::txt_reserve)->start_up_text},
    {C::fr_end_price, K::frame, {}, {120, 1920, 2895, 855}},
    {C::txt_end_price, K::text_box, C::fr_end_price, price_field_in(2895)},
    {C::fr_ship_charged, K::frame, {}, {3120, 1920, 2775, 855}},
    {C::txt_ship_charged, K::text_box, C::fr_ship_charged, price_field_in(2775)},
    {C::fr_ship_cost, K::frame, {}, {6000, 1920, 2775, 855}},
    {C::txt_ship_cost, K::text_box, C::fr_ship_cost, price_field_in(2775)},
    {C::fr_other_costs, K::frame, {}, {8880, 1920, 2895, 855}},
    {C::txt_other_costs, K::text_box, C::fr_other_costs, price_field_in(2895)},

    {C::fr_pic_options, K::frame, {}, {120, 2880, 3975, 2055}},
    {C::Label1, K::label, C::fr_pic_options, {240, 360, 2415, 375}},
    {C::combo_num_pics, K::drop_down, C::fr_pic_options, {2280, 360, 975, 315}, pictures_box_font, {}, pictures_at_start_up},
    {C::chk_pic_show, K::tick_box, C::fr_pic_options, {240, 840, 1935, 375}},
    {C::chk_supersize, K::tick_box, C::fr_pic_options, {240, 1200, 2175, 375}},
    {C::chk_pic_pack, K::tick_box, C::fr_pic_options, {240, 1560, 1935, 375}},

    {C::fr_options, K::frame, {}, {4200, 2880, 7575, 2055}},
    {C::chk_gallery, K::tick_box, C::fr_options, {240, 360, 1215, 375}},
    {C::chk_bold, K::tick_box, C::fr_options, {240, 720, 1215, 375}},
    {C::chk_10day, K::tick_box, C::fr_options, {240, 1080, 1815, 375}},
    {C::chk_border, K::tick_box, C::fr_options, {240, 1440, 1215, 375}},
    {C::chk_sub, K::tick_box, C::fr_options, {2400, 360, 1215, 375}},
    {C::chk_highlight, K::tick_box, C::fr_options, {2400, 720, 1215, 375}},
    {C::chk_gift, K::tick_box, C::fr_options, {2400, 1080, 1815, 375}},
    {C::chk_doublecat, K::tick_box, C::fr_options, {2400, 1440, 2055, 375}},
    {C::chk_gfeatured, K::tick_box, C::fr_options, {4800, 360, 2055, 375}},
    {C::chk_fplus, K::tick_box, C::fr_options, {4800, 720, 2055, 375}},
    {C::chk_hfeatured, K::tick_box, C::fr_options, {4800, 1080, 2415, 375}},
    {C::Line1, K::line, C::fr_options, {2160, 360, 0, 1560}, {}, SystemColour::inactive_title_bar},
    {C::Line2, K::line, C::fr_options, {4560, 360, 0, 1560}, {}, SystemColour::inactive_title_bar},

    {C::fr_costs, K::frame, {}, {120, 5040, 11655, 1935}, {}, SystemColour::scroll_bar},
    {C::lbl_list_fee, K::label, C::fr_costs, {120, 360, 2175, 375}},
    {C::txt_list_fee, K::result_field, C::fr_costs, {2400, 360, 1335, 375}},
    {C::Label7, K::label, C::fr_costs, {120, 840, 2175, 375}},
    {C::txt_fvf, K::result_field, C::fr_costs, {2400, 840, 1335, 375}},
    {C::Label9, K::label, C::fr_costs, {120, 1320, 2175, 375}},
    {C::Txt_ebay_fees, K::result_field, C::fr_costs, {2400, 1320, 1335, 375}},
    {C::Line4, K::line, C::fr_costs, {3960, 240, 0, 1560}, {}, SystemColour::inactive_title_bar},
    {C::Label8, K::label, C::fr_costs, {4080, 360, 2175, 375}},
    {C::txt_paypal_fee, K::result_field, C::fr_costs, {6120, 360, 1335, 375}},
    {C::chk_paypal, K::tick_box, C::fr_costs, {7560, 480, 495, 255}},
    {C::Label6, K::label, C::fr_costs, {4080, 840, 2055, 375}},
    {C::txt_total_fee, K::result_field, C::fr_costs, {6120, 840, 1335, 375}},
    {C::Label4, K::label, C::fr_costs, {4080, 1320, 2055, 375}},
    {C::txt_total_recv, K::result_field, C::fr_costs, {6120, 1320, 1335, 375}},
    {C::Line3, K::line, C::fr_costs, {8280, 240, 0, 1560}, {}, SystemColour::inactive_title_bar},
    {C::Label5, K::label, C::fr_costs, {8400, 360, 1695, 375}},
    {C::txt_total_spent, K::result_field, C::fr_costs, {10080, 360, 1335, 375}},
    {C::Label3, K::label, C::fr_costs, {8400, 840, 1695, 375}},
    {C::txt_profit, K::result_field, C::fr_costs, {10080, 840, 1335, 375}, profit_font},
    {C::Label2, K::label, C::fr_costs, {8400, 1320, 1695, 375}},
    {C::txt_profit_margin, K::result_field, C::fr_costs, {10080, 1320, 1335, 375}},

    {C::cmd_calc, K::push_button, {}, {120, 7200, 4815, 495}},
    {C::cmd_clear, K::push_button, {}, {6960, 7200, 4815, 495}},
}};
// clang-format on

namespace {

constexpr bool rows_follow_control_list() {
    for (std::size_t row = 0; row < main_window_layout.size(); ++row) {
        if (index(main_window_layout[row].control) != row) {
            return false;
        }
    }
    return true;
}
static_assert(rows_follow_control_list(), "one row per control, in the order of the control list");

}  // namespace

const Placement& placement(Control control) {
    return main_window_layout[index(control)];
}

}  // namespace corvandel
