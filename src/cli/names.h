#pragma once

#include <array>
#include <string>
#include <string_view>

#include "form/control.h"

namespace corvandel::cli {

// The letters A to Z made lower case, whatever the user's regional settings.
std::string lower_case(std::string_view text);

struct InputName {
    Control control;
    std::string_view option;  // --ten-day
    std::string_view column;  // ten_day
};

// Every input by its option and its column: the price fields and the pictures box, whose texts
// are typed, then the boxes that are ticked. The PayPal box starts ticked: its option clears it,
// its column says whether it stays ticked.
inline constexpr std::array<InputName, 24> input_names{{
    {Control::txt_item_cost, "item-cost", "item_cost"},
    {Control::txt_start_price, "start", "start_price"},
    {Control::txt_bin, "buy-it-now", "buy_it_now"},
    {Control::txt_reserve, "reserve", "reserve"},
    {Control::txt_end_price, "end", "end_price"},
    {Control::txt_ship_charged, "shipping-charged", "shipping_charged"},
    {Control::txt_ship_cost, "shipping-cost", "shipping_cost"},
    {Control::txt_other_costs, "other-costs", "other_costs"},
    {Control::combo_num_pics, "pictures", "pictures"},
    {Control::chk_sub, "subtitle", "subtitle"},
    {Control::chk_pic_show, "picture-show", "picture_show"},
    {Control::chk_supersize, "supersize", "supersize"},
    {Control::chk_pic_pack, "picture-pack", "picture_pack"},
    {Control::chk_gallery, "gallery", "gallery"},
    {Control::chk_bold, "bold", "bold"},
    {Control::chk_10day, "ten-day", "ten_day"},
    {Control::chk_border, "border", "border"},
    {Control::chk_highlight, "highlight", "highlight"},
    {Control::chk_gift, "gift", "gift"},
    {Control::chk_doublecat, "double-category", "double_category"},
    {Control::chk_gfeatured, "gallery-featured", "gallery_featured"},
    {Control::chk_fplus, "featured-plus", "featured_plus"},
    {Control::chk_hfeatured, "homepage-featured", "homepage_featured"},
    {Control::chk_paypal, "no-paypal", "count_paypal"},
}};
inline constexpr std::size_t text_inputs = price_fields.size() + 1;
inline constexpr std::size_t tick_inputs = input_names.size() - text_inputs;

// A control's place among input_names.
constexpr std::size_t input_of(Control control) {
    std::size_t input = 0;
    while (input_names[input].control != control) {
        ++input;
    }
    return input;
}

// The inputs follow the price fields and the option boxes of form/control.h.
static_assert([] {
    for (std::size_t i = 0; i < input_names.size(); ++i) {
        const Control control = i < price_fields.size()      ? price_fields[i]
                                : i < text_inputs            ? Control::combo_num_pics
                                : i + 1 < input_names.size() ? option_boxes[i - text_inputs]
                                                             : Control::chk_paypal;
        if (input_names[i].control != control) {
            return false;
        }
    }
    return true;
}());

// What a calculation writes, as columns and JSON keys: the nine results in the window's reading
// order, then the solved ending price, the warnings and the error.
inline constexpr std::array<std::string_view, result_fields.size() + 3> result_columns{
    "listing_fees",  "final_value_fees", "total_ebay_fees", "paypal_fees",
    "total_fees",    "total_received",   "total_spent",     "profit",
    "profit_margin", "solved_end_price", "warnings",        "error"};
inline constexpr std::size_t solved_slot = result_fields.size();

// A header cell as it is compared: in lower case, and with each run of characters other than
// letters and digits made one underscore, none at either end ("Buy-It-Now Price" is
// buy_it_now_price, "Item Cost ($)" and "Item Cost:" are item_cost).
std::string normalised_name(std::string_view name);

// Whether a name someone typed is a slip of a letter or two from a known one (one added, dropped
// or changed for a short name, two for a longer one), and not the name itself.
bool is_near(std::string_view typed, std::string_view name);

}  // namespace corvandel::cli
