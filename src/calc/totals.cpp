#include <cmath>

#include "calc/amount_text.h"
#include "calc/calculator.h"
#include "calc/readings.h"
#include "calc/refusal.h"

namespace corvandel {

void Calculator::calc_total_fee() {
    double total = number_in(Control::txt_list_fee);
    if (is_chosen(Control::chk_paypal)) {
        total += number_in(Control::txt_paypal_fee);
    }
    total += number_in(Control::txt_fvf);
    total += number_in(Control::txt_other_costs);
    // The other costs are the only part of the sum that grows with what is typed.
    within_range(to_money(total), Control::txt_other_costs);
    const auto cents = cents_from_15_digits(total);
    form_.set_text(Control::txt_total_fee, two_decimal_text(*cents));
}

void Calculator::calc_total_recv() {
    write_amount(
        Control::txt_total_recv,
        sum_within_range({{amount_in(Control::txt_end_price), Control::txt_end_price},
                          {amount_in(Control::txt_ship_charged), Control::txt_ship_charged}}));
}

void Calculator::calc_total_spent() {
    write_amount(Control::txt_total_spent,
                 sum_within_range({{amount_in(Control::txt_item_cost), Control::txt_item_cost},
                                   {amount_in(Control::txt_total_fee), Control::txt_other_costs},
                                   {amount_in(Control::txt_ship_cost), Control::txt_ship_cost}}));
}

void Calculator::calc_profit() {
    const double received = number_in(Control::txt_total_recv);
    const double spent = number_in(Control::txt_total_spent);
    const double profit = received - spent;
    // Both totals are within range, so only a receipt and a spending of opposite signs, each
    // near the limit, can push the profit out; the larger of the two is to blame.
    within_range(to_money(profit), std::fabs(received) >= std::fabs(spent)
                                       ? Control::txt_end_price
                                       : Control::txt_item_cost);
    form_.set_text(Control::txt_profit, two_decimal_text_of(profit));
}

void Calculator::calc_profit_margin() {
    const double received = number_in(Control::txt_total_recv);
    if (received == 0) {
        form_.set_text(Control::txt_profit_margin, "0.00");
        return;
    }
    const double margin = number_in(Control::txt_profit) / received * 100;
    form_.set_text(Control::txt_profit_margin, two_decimal_text_of(margin));
}

}  // namespace corvandel
