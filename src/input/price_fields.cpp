#include "input/price_fields.h"

#include <string>

#include "calc/readings.h"

namespace corvandel {

bool is_accepted(const PriceField& rule, std::string_view text) {
    if (text.empty()) {
        return rule.empty_accepted;
    }
    return is_number(text) || (!rule.keyword.empty() && is_word_in_any_case(text, rule.keyword));
}

void price_field_GotFocus(Form& form, Control field) {
    form.select_all(field);
}

bool price_field_LostFocus(Form& form, Control field) {
    const PriceField& rule = *price_field_rule(field);
    const std::string text = form.text(field);
    const bool rejected = !is_accepted(rule, text);
    const bool emptied = text.empty();
    if (rejected) {
        form.warn_about(field, incorrect_price_title, rule.message);
        form.focus(field);
    }
    if (emptied) {
        form.set_text(field, rule.empty_text);
        if (rejected) {
            form.select_all(field);  // ready to be typed over
        }
    }
    return rejected;
}

}  // namespace corvandel
