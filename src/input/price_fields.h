#pragma once

#include <string_view>

#include "form/form.h"

namespace corvandel {

// What a price field accepts besides a number, what it is given when left empty, and what its
// warning box says when it is left with anything else.
struct PriceField {
    Control field;
    std::string_view keyword;  // accepted in any letter case, as the whole text; empty: none
    bool empty_accepted;       // leaving it empty is no error
    std::string_view empty_text;
    std::string_view message;
};

inline constexpr std::string_view incorrect_price_title = "Incorrect Price Entered";

inline constexpr PriceField price_field_rules[] = {
    {Control::txt_item_cost, "free", true, "Free",
     "Please enter a valid price. You can also enter Free or 0 for no cost."},
    {Control::txt_start_price, "", false, "None",
     "Please enter a valid price. You must enter a number greater 0.01 or higher."},
    {Control::txt_bin, "none", true, "None",
     "Please enter a valid price. You can enter 0 or None for no buy-it-now price."},
    {Control::txt_reserve, "none", true, "None",
     "Please enter a valid amount. You can also enter none or 0 for no reserve"},
    {Control::txt_end_price, "none", true, "None",
     "Please enter a valid price. You can None or 0 for no ending price."},
    {Control::txt_ship_charged, "none", true, "None",
     "Please enter a valid price. You can enter None or 0 for no shipping charges."},
    {Control::txt_ship_cost, "none", true, "None",
     "Please enter a valid price. You can enter None or 0 for no shipping costs."},
    {Control::txt_other_costs, "none", true, "None",
     "Please enter a valid price. You can enter None or 0 for no costs."},
};

// The rule of a price field, or nothing for any other control.
const PriceField* price_field_rule(Control control);

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
