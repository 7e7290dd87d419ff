#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace corvandel {

// Every control of the main window, by the name the rest of the program knows it by.
// The list is written once and expands into the enumeration and the name table.
#define CORVANDEL_MAIN_WINDOW_CONTROLS(X) \
    X(quick_help)                         \
    X(lbl_help)                           \
    X(fr_cost)                            \
    X(txt_item_cost)                      \
    X(fr_start_price)                     \
    X(txt_start_price)                    \
    X(Frame2)                             \
    X(txt_bin)                            \
    X(Frame1)                             \
    X(txt_reserve)                        \
    X(fr_end_price)                       \
    X(txt_end_price)                      \
    X(fr_ship_charged)                    \
    X(txt_ship_charged)                   \
    X(fr_ship_cost)                       \
    X(txt_ship_cost)                      \
    X(fr_other_costs)                     \
    X(txt_other_costs)                    \
    X(fr_pic_options)                     \
    X(Label1)                             \
    X(combo_num_pics)                     \
    X(chk_pic_show)                       \
    X(chk_supersize)                      \
    X(chk_pic_pack)                       \
    X(fr_options)                         \
    X(chk_gallery)                        \
    X(chk_bold)                           \
    X(chk_10day)                          \
    X(chk_border)                         \
    X(chk_sub)                            \
    X(chk_highlight)                      \
    X(chk_gift)                           \
    X(chk_doublecat)                      \
    X(chk_gfeatured)                      \
    X(chk_fplus)                          \
    X(chk_hfeatured)                      \
    X(Line1)                              \
    X(Line2)                              \
    X(fr_costs)                           \
    X(lbl_list_fee)                       \
    X(txt_list_fee)                       \
    X(Label7)                             \
    X(txt_fvf)                            \
    X(Label9)                             \
    X(Txt_ebay_fees)                      \
    X(Line4)                              \
    X(Label8)                             \
    X(txt_paypal_fee)                     \
    X(chk_paypal)                         \
    X(Label6)                             \
    X(txt_total_fee)                      \
    X(Label4)                             \
    X(txt_total_recv)                     \
    X(Line3)                              \
    X(Label5)                             \
    X(txt_total_spent)                    \
    X(Label3)                             \
    X(txt_profit)                         \
    X(Label2)                             \
    X(txt_profit_margin)                  \
    X(cmd_calc)                           \
    X(cmd_clear)

enum class Control {
#define CORVANDEL_ENUMERATOR(name) name,
    CORVANDEL_MAIN_WINDOW_CONTROLS(CORVANDEL_ENUMERATOR)
#undef CORVANDEL_ENUMERATOR
};

inline constexpr std::array control_names{
#define CORVANDEL_NAME(name) std::string_view{#name},
    CORVANDEL_MAIN_WINDOW_CONTROLS(CORVANDEL_NAME)
#undef CORVANDEL_NAME
};

inline constexpr std::size_t control_count = control_names.size();

constexpr std::string_view name(Control control) {
    return control_names[static_cast<std::size_t>(control)];
}

constexpr std::size_t index(Control control) {
    return static_cast<std::size_t>(control);
}

// The eight fields the seller types prices into, in tab order.
inline constexpr std::array<Control, 8> price_fields{
    Control::txt_item_cost, Control::txt_start_price, Control::txt_bin,
    Control::txt_reserve,   Control::txt_end_price,   Control::txt_ship_charged,
    Control::txt_ship_cost, Control::txt_other_costs,
};

// The nine read-only fields that only a calculation or Clear writes.
inline constexpr std::array<Control, 9> result_fields{
    Control::txt_list_fee,    Control::txt_fvf,       Control::Txt_ebay_fees,
    Control::txt_paypal_fee,  Control::txt_total_fee, Control::txt_total_recv,
    Control::txt_total_spent, Control::txt_profit,    Control::txt_profit_margin,
};

}  // namespace corvandel
