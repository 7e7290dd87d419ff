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
    std::string_view also;    // other headers sellers give it, normalised, separated by blanks
};

// Every input by its option and its column: the price fields and the pictures box, whose texts
// are typed, then the boxes that are ticked. The PayPal box starts ticked: its option clears it,
// its column says whether it stays ticked.
inline constexpr std::array<InputName, 24> input_names{{
    {Control::txt_item_cost, "item-cost", "item_cost", "unit_cost cost_of_item purchase_price"},
    {Control::txt_start_price, "start", "start_price", "start starting_bid start_bid opening_bid"},
    {Control::txt_bin, "buy-it-now", "buy_it_now", "bin bin_price buy_now_price"},
    {Control::txt_reserve, "reserve", "reserve", "reserve_price"},
    {Control::txt_end_price, "end", "end_price",
     "end sold_price sale_price selling_price final_price"},
    {Control::txt_ship_charged, "shipping-charged", "shipping_charged",
     "shipping_charge postage_charged postage_charge"},
    {Control::txt_ship_cost, "shipping-cost", "shipping_cost",
     "shipping_costs postage_cost postage_costs"},
    {Control::txt_other_costs, "other-costs", "other_costs", "other_cost"},
    {Control::combo_num_pics, "pictures", "pictures", "photos pics number_of_photos picture_count"},
    {Control::chk_sub, "subtitle", "subtitle", ""},
    {Control::chk_pic_show, "picture-show", "picture_show", ""},
    {Control::chk_supersize, "supersize", "supersize", ""},
    {Control::chk_pic_pack, "picture-pack", "picture_pack", ""},
    {Control::chk_gallery, "gallery", "gallery", ""},
    {Control::chk_bold, "bold", "bold", ""},
    {Control::chk_10day, "ten-day", "ten_day", "10_day ten_day_listing"},
    {Control::chk_border, "border", "border", ""},
    {Control::chk_highlight, "highlight", "highlight", ""},
    {Control::chk_gift, "gift", "gift", ""},
    {Control::chk_doublecat, "double-category", "double_category", ""},
    {Control::chk_gfeatured, "gallery-featured", "gallery_featured", ""},
    {Control::chk_fplus, "featured-plus", "featured_plus", ""},
    {Control::chk_hfeatured, "homepage-featured", "homepage_featured", ""},
    {Control::chk_paypal, "no-paypal", "count_paypal", "paypal"},
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
// ASCII letters and digits made one underscore, none at either end: units, dashes and spaces of
// any script are gaps ("Buy-It-Now Price" is buy_it_now_price, "Item Cost (€)" and
// "Item Cost:" are item_cost).
std::string normalised_name(std::string_view name);

// Whether two normalised names hold a word alike, the one maybe the other's plural.
bool shares_a_word(std::string_view one, std::string_view other);

// Whether a normalised header names an amount of money by one of its words (cost, price, fee,
// shipping, postage, charge, reserve, PayPal, ...), singular or plural.
bool reads_as_money(std::string_view name);

// Whether a name someone typed is a slip of a letter or two from a known one (one added, dropped
// or changed for a short name, two for a longer one), and not the name itself.
bool is_near(std::string_view typed, std::string_view name);

}  // namespace corvandel::cli
