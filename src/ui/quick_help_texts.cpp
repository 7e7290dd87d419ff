#include "ui/quick_help_texts.h"

#include <algorithm>
#include <array>

namespace corvandel {

namespace {

using C = Control;

struct QuickHelpText {
    Control control;
    std::string_view text;
};

constexpr std::array<QuickHelpText, 22> quick_help_texts{{
    {C::txt_item_cost, "Enter the cost of your item."},
    {C::txt_start_price, "Enter the starting price for your item."},
    {C::txt_bin, "Enter the buy-it-now price for your item (optional)."},
    {C::txt_reserve, "Enter the reserve price for your item, enter 0 or None for no reserve."},
    {C::txt_end_price,
     "Enter your estimated end price for your item. Used to calculate final value fees e.t.c"},
    {C::txt_ship_charged, "Enter the amount you will charge for shipping."},
    {C::txt_ship_cost, "Enter the cost to ship your item."},
    {C::txt_other_costs,
     "Enter other costs associated with your sale (e.g handling, 3rd party fees e.t.c)."},
    {C::chk_pic_show,
     "Picture show displays your pictures at the top of your listing, Cost is 25 cents."},
    {C::chk_supersize, "Supersizes your pictures, cost is 75 cents."},
    {C::chk_pic_pack,
     "Picture pack includes Picture show and Supersize, cost is $1 for up to 6 pictures and "
     "$1.50 for up to 12."},
    {C::chk_gallery, "Gallery displays a picture next to your listing, cost is 35 cents."},
    {C::chk_bold, "Displays your listing in bold type, cost is $1."},
    {C::chk_10day, "Extends your listing to 10 days, cost is 40 cents."},
    {C::chk_border, "Surrounds your listing with a border to improve visibility, cost is $3."},
    {C::chk_highlight, "Highlights your listing for improved visibility, cost is $5."},
    {C::chk_gift, "Displays the gift service icon, cost is 25 cents."},
    {C::chk_doublecat,
     "Updates the cost if you plan to list in 2 catergories. All listing costs are doubled."},
    {C::chk_gfeatured, "Features your item in the gallery featured section. Cost is $19.95"},
    {C::chk_fplus, "Features your item in the featured section, cost is $19.95"},
    {C::chk_hfeatured, "Features your item on the eBaY hompepage, cost is $39.95"},
    {C::chk_paypal,
     "Uncheck to not count paypal fees as part of your cost. Useful if you receive payment in "
     "Cash or Check"},
}};

}  // namespace

std::optional<std::string_view> quick_help_text(Control control) {
    const auto row =
        std::find_if(quick_help_texts.begin(), quick_help_texts.end(),
                     [control](const QuickHelpText& text) { return text.control == control; });
    if (row == quick_help_texts.end()) {
        return std::nullopt;
    }
    return row->text;
}

}  // namespace corvandel
