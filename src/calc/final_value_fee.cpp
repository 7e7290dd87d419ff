#include "calc/amount_text.h"
#include "calc/calculator.h"
#include "calc/fee_schedule.h"
#include "calc/refusal.h"

namespace corvandel {

void Calculator::calc_fvf() {
    const Money ending_price = amount_in(Control::txt_end_price);
    Money fvf;
    for (const auto& band : fee_schedule::final_value_bands) {
        if (is_within(ending_price, band.up_to)) {
            const Money balance =
                within_range(ending_price.minus(band.balance_above), Control::txt_end_price);
            fvf = within_range(within_range(balance.times(band.rate), Control::txt_end_price)
                                   .plus(band.fixed_part),
                               Control::txt_end_price);
            break;
        }
    }
    form_.set_text(Control::txt_fvf, plain_amount_text(fvf));

    // The eBay fees add the final value fee to all four decimals, not as shown.
    const Money listing_fee = amount_in(Control::txt_list_fee);
    write_amount(Control::Txt_ebay_fees,
                 within_range(fvf.plus(listing_fee), Control::txt_end_price));
}

}  // namespace corvandel
