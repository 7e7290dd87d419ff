#pragma once

#include <array>
#include <string_view>

#include "form/control.h"

namespace corvandel::cli {

// The names the command line and the inventory's columns give the window's inputs and results.
// Each table follows its list in form/control.h, which the asserts below hold it to.

struct PriceName {
    Control control;
    std::string_view option;  // --item-cost
    std::string_view column;  // item_cost
};

inline constexpr std::array<PriceName, price_fields.size()> price_names{{
    {Control::txt_item_cost, "item-cost", "item_cost"},
    {Control::txt_start_price, "start", "start_price"},
    {Control::txt_bin, "buy-it-now", "buy_it_now"},
    {Control::txt_reserve, "reserve", "reserve"},
    {Control::txt_end_price, "end", "end_price"},
    {Control::txt_ship_charged, "shipping-charged", "shipping_charged"},
    {Control::txt_ship_cost, "shipping-cost", "shipping_cost"},
    {Control::txt_other_costs, "other-costs", "other_costs"},
}};

constexpr std::size_t price_index(Control field) {
    std::size_t i = 0;
    while (i < price_names.size() && price_names[i].control != field) {
        ++i;
    }
    return i;
}

inline constexpr std::string_view pictures_option = "pictures";
inline constexpr std::string_view pictures_column = "pictures";

// An option box's option ticks it; its column is the option's name with underscores.
struct OptionName {
    Control control;
    std::string_view option;  // --ten-day
    std::string_view column;  // ten_day
};

inline constexpr std::array<OptionName, option_boxes.size()> option_names{{
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
}};

// The PayPal box starts ticked: its option clears it, its column says whether it stays ticked.
inline constexpr std::string_view no_paypal_option = "no-paypal";
inline constexpr std::string_view count_paypal_column = "count_paypal";

struct ResultName {
    Control control;
    std::string_view key;  // the column and the JSON key
};

inline constexpr std::array<ResultName, result_fields.size()> result_names{{
    {Control::txt_list_fee, "listing_fees"},
    {Control::txt_fvf, "final_value_fees"},
    {Control::Txt_ebay_fees, "total_ebay_fees"},
    {Control::txt_paypal_fee, "paypal_fees"},
    {Control::txt_total_fee, "total_fees"},
    {Control::txt_total_recv, "total_received"},
    {Control::txt_total_spent, "total_spent"},
    {Control::txt_profit, "profit"},
    {Control::txt_profit_margin, "profit_margin"},
}};

template <typename Names, typename Controls>
constexpr bool follows(const Names& names, const Controls& controls) {
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (names[i].control != controls[i]) {
            return false;
        }
    }
    return true;
}
static_assert(follows(price_names, price_fields));
static_assert(follows(option_names, option_boxes));
static_assert(follows(result_names, result_fields));

}  // namespace corvandel::cli
