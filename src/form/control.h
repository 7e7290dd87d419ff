#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace corvandel {

// Every control of the main window, by the name the rest of the program knows it by, with the
// caption it shows (a frame's title, a label's text, a tick box's or button's caption; empty for
// the rest). The list is written once and expands into the enumeration and the tables below.
// clang-format off
#define CORVANDEL_MAIN_WINDOW_CONTROLS(X)   \
    X(quick_help, "Quick Help:")            \
    X(lbl_help, "")                         \
    X(fr_cost, "Item Cost:")                \
    X(txt_item_cost, "")                    \
    X(fr_start_price, "Starting Price:")    \
    X(txt_start_price, "")                  \
    X(Frame2, "Buy-It-Now Price:")          \
    X(txt_bin, "")                          \
    X(Frame1, "Reserve:")                   \
    X(txt_reserve, "")                      \
    X(fr_end_price, "Ending Price:")        \
    X(txt_end_price, "")                    \
    X(fr_ship_charged, "Shipping Charged:") \
    X(txt_ship_charged, "")                 \
    X(fr_ship_cost, "Shipping Cost:")       \
    X(txt_ship_cost, "")                    \
    X(fr_other_costs, "Other Costs:")       \
    X(txt_other_costs, "")                  \
    X(fr_pic_options, "Picture Options:")   \
    X(Label1, "Number of Pictures:")        \
    X(combo_num_pics, "")                   \
    X(chk_pic_show, "Picture Show")         \
    X(chk_supersize, "Supersize Pictures")  \
    X(chk_pic_pack, "Picture Pack")         \
    X(fr_options, "Listing Options:")       \
    X(chk_gallery, "Gallery")               \
    X(chk_bold, "Bold")                     \
    X(chk_10day, "10 Day Listing")          \
    X(chk_border, "Border")                 \
    X(chk_sub, "Sub Title")                 \
    X(chk_highlight, "Highlight")           \
    X(chk_gift, "Gift Services")            \
    X(chk_doublecat, "Double Catergory")    \
    X(chk_gfeatured, "Gallery Featured")    \
    X(chk_fplus, "Featured Plus")           \
    X(chk_hfeatured, "Homepage Featured")   \
    X(Line1, "")                            \
    X(Line2, "")                            \
    X(fr_costs, "Costs and Profits:")       \
    X(lbl_list_fee, "Listing Fees ($):")    \
    X(txt_list_fee, "")                     \
    X(Label7, "Final Value Fees ($) :")     \
    X(txt_fvf, "")                          \
    X(Label9, "Total eBaY Fees ($) :")      \
    X(Txt_ebay_fees, "")                    \
    X(Line4, "")                            \
    X(Label8, "Paypal Fees ($):")           \
    X(txt_paypal_fee, "")                   \
    X(chk_paypal, "")                       \
    X(Label6, "Total Fees ($) :")           \
    X(txt_total_fee, "")                    \
    X(Label4, "Total Received ($):")        \
    X(txt_total_recv, "")                   \
    X(Line3, "")                            \
    X(Label5, "Total Spent ($):")           \
    X(txt_total_spent, "")                  \
    X(Label3, "Profit ($):")                \
    X(txt_profit, "")                       \
    X(Label2, "Profit Margin %")            \
    X(txt_profit_margin, "")                \
    X(cmd_calc, "Calculate")                \
    X(cmd_clear, "Clear")
// clang-format on

enum class Control {
#define CORVANDEL_ENUMERATOR(name, caption) name,
    CORVANDEL_MAIN_WINDOW_CONTROLS(CORVANDEL_ENUMERATOR)
#undef CORVANDEL_ENUMERATOR
};

inline constexpr std::array control_names{
#define CORVANDEL_NAME(name, caption) std::string_view{#name},
    CORVANDEL_MAIN_WINDOW_CONTROLS(CORVANDEL_NAME)
#undef CORVANDEL_NAME
};

inline constexpr std::array control_captions{
#define CORVANDEL_CAPTION(name, caption) std::string_view{caption},
    CORVANDEL_MAIN_WINDOW_CONTROLS(CORVANDEL_CAPTION)
#undef CORVANDEL_CAPTION
};

inline constexpr std::size_t control_count = control_names.size();

constexpr std::string_view name(Control control) {
    return control_names[static_cast<std::size_t>(control)];
}

constexpr std::size_t index(Control control) {
    return static_cast<std::size_t>(control);
}

constexpr std::string_view caption(Control control) {
    return control_captions[index(control)];
}

// The eight fields the seller types prices into, in tab order.
inline constexpr std::array<Control, 8> price_fields{
    Control::txt_item_cost, Control::txt_start_price, Control::txt_bin,
    Control::txt_reserve,   Control::txt_end_price,   Control::txt_ship_charged,
    Control::txt_ship_cost, Control::txt_other_costs,
};

// The nine read-only fields that only a calculation or Clear writes, in the window's reading
// order: down each of the three columns, left to right.
inline constexpr std::array<Control, 9> result_fields{
    Control::txt_list_fee,    Control::txt_fvf,       Control::Txt_ebay_fees,
    Control::txt_paypal_fee,  Control::txt_total_fee, Control::txt_total_recv,
    Control::txt_total_spent, Control::txt_profit,    Control::txt_profit_margin,
};

// The result fields in the order a Calculate run writes them; a step that fails empties its own
// results and every later one.
inline constexpr std::array<Control, 9> results_in_run_order{
    Control::txt_list_fee,    Control::txt_paypal_fee, Control::txt_fvf,
    Control::Txt_ebay_fees,   Control::txt_total_fee,  Control::txt_total_recv,
    Control::txt_total_spent, Control::txt_profit,     Control::txt_profit_margin,
};

// The fourteen listing and picture options, in the order Clear clears them; the interlocks run
// as each one changes, so that every box ends clear and enabled.
inline constexpr std::array<Control, 14> option_boxes{
    Control::chk_sub,       Control::chk_pic_show,  Control::chk_supersize, Control::chk_pic_pack,
    Control::chk_gallery,   Control::chk_bold,      Control::chk_10day,     Control::chk_border,
    Control::chk_highlight, Control::chk_gift,      Control::chk_doublecat, Control::chk_gfeatured,
    Control::chk_fplus,     Control::chk_hfeatured,
};

// The caption that says what a price field, the pictures box or a result field holds: its
// frame's title or the label beside it.
struct NamedBy {
    Control field;
    Control caption;
};

// clang-format off
inline constexpr NamedBy captions_that_name[] = {
    {Control::txt_item_cost,     Control::fr_cost},
    {Control::txt_start_price,   Control::fr_start_price},
    {Control::txt_bin,           Control::Frame2},
    {Control::txt_reserve,       Control::Frame1},
    {Control::txt_end_price,     Control::fr_end_price},
    {Control::txt_ship_charged,  Control::fr_ship_charged},
    {Control::txt_ship_cost,     Control::fr_ship_cost},
    {Control::txt_other_costs,   Control::fr_other_costs},
    {Control::combo_num_pics,    Control::Label1},
    {Control::txt_list_fee,      Control::lbl_list_fee},
    {Control::txt_fvf,           Control::Label7},
    {Control::Txt_ebay_fees,     Control::Label9},
    {Control::txt_paypal_fee,    Control::Label8},
    {Control::txt_total_fee,     Control::Label6},
    {Control::txt_total_recv,    Control::Label4},
    {Control::txt_total_spent,   Control::Label5},
    {Control::txt_profit,        Control::Label3},
    {Control::txt_profit_margin, Control::Label2},
};
// clang-format on

constexpr Control naming_caption(Control field) {
    for (const NamedBy& pair : captions_that_name) {
        if (pair.field == field) {
            return pair.caption;
        }
    }
    return field;
}

// The words that name a field, as its caption shows them without the colon: "Item Cost",
// "Final Value Fees ($)", "Number of Pictures".
constexpr std::string_view field_title(Control field) {
    std::string_view title = caption(naming_caption(field));
    while (!title.empty() && (title.back() == ':' || title.back() == ' ')) {
        title.remove_suffix(1);
    }
    return title;
}

}  // namespace corvandel
