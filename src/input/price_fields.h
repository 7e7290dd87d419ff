#pragma once

#include <cstddef>
#include <iterator>
#include <string_view>

#include "form/form.h"

namespace corvandel {

// What a price field holds when the window opens and after Clear, what it accepts besides a
// number, what it is given when left empty, and what its warning box says when it is left with
// anything else.
struct PriceField {
    Control field;
    std::string_view start_up_text;
    std::string_view keyword;  // accepted in any letter case, as the whole text; empty: none
    bool empty_accepted;       // leaving it empty is no error
    std::string_view empty_text;
    std::string_view message;
};

inline constexpr std::string_view incorrect_price_title = "Incorrect Price Entered";

inline constexpr PriceField price_field_rules[] = {
    {Control::txt_item_cost, "Free", "free", true, "Free",
     "Please enter a valid price. You can also enter Free or 0 for no cost."},
    {Control::txt_start_price, "0.99", "", false, "None",
     "Please enter a valid price. You must enter a number greater 0.01 or higher."},
    {Control::txt_bin, "None", "none", true, "None",
     "Please enter a valid price. You can enter 0 or None for no buy-it-now price."},
    {Control::txt_reserve, "None", "none", true, "None",
     "Please enter a valid amount. You can also enter none or 0 for no reserve"},
    {Control::txt_end_price, "None", "none", true, "None",
     "Please enter a valid price. You can None or 0 for no ending price."},
    {Control::txt_ship_charged, "None", "none", true, "None",
     "Please enter a valid price. You can enter None or 0 for no shipping charges."},
    {Control::txt_ship_cost, "None", "none", true, "None",
     "Please enter a valid price. You can enter None or 0 for no shipping costs."},
    {Control::txt_other_costs, "None", "none", true, "None",
     "Please enter a valid price. You can enter None or 0 for no costs."},
};

// The rules stand in the order of the price fields, so that a field's place finds its rule.
static_assert([] {
    for (std::size_t i = 0; i < price_fields.size(); ++i) {
        if (price_field_rules[i].field != price_fields[i]) {
            return false;
        }
    }
    return std::size(price_field_rules) == price_fields.size();
}());

// The rule of a price field, or nothing for any other control.
constexpr const PriceField* price_field_rule(Control control) {
    for (const PriceField& rule : price_field_rules) {
        if (rule.field == control) {
            return &rule;
        }
    }
    return nullptr;
}

// Whether a field may be left with this text: a number as the calculation reads it strictly,
// the field's keyword, or, where allowed, nothing at all.
bool is_accepted(const PriceField& rule, std::string_view text);

// Entering a price field selects its whole text, so that typing replaces it.
void price_field_GotFocus(Form& form, Control field);

// Leaving a price field tests its text. A rejected entry keeps its text, is explained in the
// field's warning box and gets the focus back; an empty field is given its keyword. Returns
// whether the entry was rejected.
bool price_field_LostFocus(Form& form, Control field);

}  // namespace corvandel
