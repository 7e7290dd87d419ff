#include "calc/calculator.h"
#include "calc/fee_schedule.h"
#include "calc/readings.h"
#include "calc/refusal.h"

namespace corvandel {

void Calculator::calc_paypal_fee() {
    const Money ending_price = strict_amount_in(Control::txt_end_price);
    const Money shipping_charged = amount_in(Control::txt_ship_charged);
    const Money paid = sum_within_range(
        {{ending_price, Control::txt_end_price}, {shipping_charged, Control::txt_ship_charged}});
    const double fee = paid.to_double() * fee_schedule::payment_rate + fee_schedule::payment_fixed;
    write_amount(Control::txt_paypal_fee, within_range(to_money(fee), Control::txt_end_price));
}

}  // namespace corvandel
