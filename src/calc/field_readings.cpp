#include "calc/amount_text.h"
#include "calc/calculator.h"
#include "calc/number_text.h"
#include "calc/readings.h"
#include "calc/refusal.h"

namespace corvandel {

double Calculator::number_in(Control field) const {
    return leading_number(text_of(field));
}

Money Calculator::amount_in(Control field) const {
    const auto amount = leading_amount(text_of(field));
    if (!amount) {
        throw Refusal{field, Problem::too_large};
    }
    return *amount;
}

Money Calculator::strict_amount_in(Control field) const {
    const std::string text = text_of(field);
    const auto amount = strict_amount(text);
    if (!amount) {
        throw Refusal{field, is_number(text) ? Problem::too_large : Problem::not_a_number};
    }
    return *amount;
}

void Calculator::write_amount(Control field, Money amount) {
    form_.set_text(field, amount_text(amount));
}

}  // namespace corvandel
