#include "calc/calculator.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <span>

#include "calc/amount_text.h"
#include "calc/fee_schedule.h"
#include "calc/readings.h"
#include "calc/tiers.h"

namespace corvandel {

namespace {

constexpr int cents_places = 2;

// A result this run has shown, as the reading of its text as Money gives it.
Money amount_of_cents(std::int64_t cents, Control field) {
    return within_range(Money::from_cents(cents), field);
}

}  // namespace

// The run: the listing fee always, the fees after a sale only once there is an ending price. A
// step that cannot use a field stops the run there.
void Calculator::cmd_calc_Click() {
    fields_read_.fill(std::nullopt);
    refusal_.reset();
    results_shown_ = 0;
    shown_ = {};
    try {
        calc_list_fee();
        if (ending_price_given()) {
            calc_paypal_fee();
            calc_fvf();
            calc_total_fee();
            calc_total_recv();
            calc_total_spent();
            calc_profit();
            calc_profit_margin();
        }
    } catch (const Refusal& refusal) {
        refuse_run(refusal);
    }
}

// The second half of the run needs an ending price that reads as a number other than 0.
bool Calculator::ending_price_given() {
    return text_read(Control::txt_end_price) != "None" && number_in(Control::txt_end_price) != 0;
}

// The results this run did not reach are emptied, so that nothing from an earlier run passes
// for this run's answer, and the seller is told which field to mend.
void Calculator::refuse_run(const Refusal& refusal) {
    for (Control field : std::span(results_in_run_order).subspan(results_shown_)) {
        form_.set_text(field, "");
    }
    refusal_ = refusal;
    form_.warn(calculation_warning_title, refusal_message(refusal));
    form_.focus(refusal.field);
}

void Calculator::calc_list_fee() {
    namespace schedule = fee_schedule;
    Money upgrades;
    // Only the reserve fee and the pictures grow with what is typed; the upgrades, discounts
    // and fixed fees come to a few dollars, and are checked all the same.
    const auto add = [&upgrades](Money amount, Control blamed) {
        upgrades = within_range(upgrades.plus(amount), blamed);
    };
    Money insertion_fee;
    Money cost_bin;
    Money cost_reserve;
    Money fee_basis = amount_in(Control::txt_start_price);

    for (const auto& upgrade : schedule::listing_upgrades) {
        if (is_chosen(upgrade.box)) {
            add(upgrade.price, Control::combo_num_pics);
        }
    }
    for (const auto& combination : schedule::combination_discounts) {
        if (std::all_of(combination.all_of.begin(), combination.all_of.end(),
                        [this](Control box) { return is_chosen(box); })) {
            upgrades = within_range(upgrades.minus(combination.discount), Control::combo_num_pics);
        }
    }

    if (text_read(Control::txt_bin) != "None") {
        const Tier* tier = find_tier(schedule::buy_it_now_fees, amount_in(Control::txt_bin));
        if (tier != nullptr) {
            cost_bin = tier->charge.fixed;
        }
        add(cost_bin, Control::txt_bin);
    }

    if (!is_word_in_any_case(text_read(Control::txt_reserve), "none")) {
        if (number_in(Control::txt_reserve) <= number_in(Control::txt_start_price)) {
            form_.warn(calculation_warning_title,
                       "Reserve Price must be higher than the starting price");
            form_.focus(Control::txt_reserve);
        }
        const Money reserve = strict_amount_in(Control::txt_reserve);
        fee_basis = reserve;
        if (reserve == Money{}) {
            fee_basis = amount_in(Control::txt_start_price);
        } else if (const Tier* tier = find_tier(schedule::reserve_fees, reserve)) {
            const Charge& charge = tier->charge;
            cost_reserve = charge.rate == 0
                               ? charge.fixed
                               : within_range(to_money(reserve.to_double() * charge.rate),
                                              Control::txt_reserve);
        }
        add(cost_reserve, Control::txt_reserve);
    }

    if (const Tier* tier = find_tier(schedule::insertion_fees, fee_basis)) {
        insertion_fee = tier->charge.fixed;
    } else {
        form_.warn(calculation_warning_title, "Invalid Start price entered");
        form_.focus(Control::txt_start_price);
    }

    const double pictures = number_in(Control::combo_num_pics);
    const double extra_pictures = pictures - 1;
    if (is_chosen(Control::chk_pic_show)) {
        add(schedule::picture_show, Control::combo_num_pics);
    }
    if (is_chosen(Control::chk_supersize)) {
        add(schedule::supersize_pictures, Control::combo_num_pics);
    }
    if (is_chosen(Control::chk_pic_pack)) {
        add(pictures > schedule::picture_pack_small_limit ? schedule::picture_pack_over_six
                                                          : schedule::picture_pack_up_to_six,
            Control::combo_num_pics);
    } else if (extra_pictures > 0) {
        upgrades = within_range(
            to_money(extra_pictures * schedule::each_extra_picture + upgrades.to_double()),
            Control::combo_num_pics);
    }

    Money listing_fee = within_range(insertion_fee.plus(upgrades), Control::combo_num_pics);
    if (is_chosen(Control::chk_doublecat)) {
        listing_fee = within_range(listing_fee.times(2), Control::combo_num_pics);
    }
    shown_.list_fee = show_amount(Control::txt_list_fee, listing_fee);
}

void Calculator::calc_paypal_fee() {
    const Money ending_price = strict_amount_in(Control::txt_end_price);
    const Money shipping_charged = amount_in(Control::txt_ship_charged);
    const Money paid = sum_within_range(
        {{ending_price, Control::txt_end_price}, {shipping_charged, Control::txt_ship_charged}});
    const double fee = paid.to_double() * fee_schedule::payment_rate + fee_schedule::payment_fixed;
    shown_.paypal_fee =
        show_amount(Control::txt_paypal_fee, within_range(to_money(fee), Control::txt_end_price));
}

void Calculator::calc_fvf() {
    const Money ending_price = amount_in(Control::txt_end_price);
    Money fvf;
    for (const auto& band : fee_schedule::final_value_bands) {
        if (meets_upper_bound(ending_price, band.up_to)) {
            const Money balance =
                within_range(ending_price.minus(band.balance_above), Control::txt_end_price);
            fvf = within_range(within_range(balance.times(band.rate), Control::txt_end_price)
                                   .plus(band.fixed_part),
                               Control::txt_end_price);
            break;
        }
    }
    // The eBay fees add the final value fee to all four decimals, not as shown.
    const Money listing_fee = amount_of_cents(shown_.list_fee, Control::txt_list_fee);
    const Money ebay_fees = within_range(fvf.plus(listing_fee), Control::txt_end_price);
    shown_.fvf = fvf.cents();
    show_result(Control::txt_fvf, plain_amount_text(fvf));
    show_amount(Control::Txt_ebay_fees, ebay_fees);
}

void Calculator::calc_total_fee() {
    double total = number_of_cents(shown_.list_fee);
    if (is_chosen(Control::chk_paypal)) {
        total += number_of_cents(shown_.paypal_fee);
    }
    total += number_of_cents(shown_.fvf);
    total += number_in(Control::txt_other_costs);
    // The other costs are the only part of the sum that grows with what is typed. Within the
    // range, the sum's cents fit a count.
    within_range(to_money(total), Control::txt_other_costs);
    shown_.total_fee = show_cents(Control::txt_total_fee, cents_from_15_digits(total));
}

void Calculator::calc_total_recv() {
    shown_.total_recv = show_amount(
        Control::txt_total_recv,
        sum_within_range({{amount_in(Control::txt_end_price), Control::txt_end_price},
                          {amount_in(Control::txt_ship_charged), Control::txt_ship_charged}}));
}

void Calculator::calc_total_spent() {
    shown_.total_spent = show_amount(
        Control::txt_total_spent,
        sum_within_range(
            {{amount_in(Control::txt_item_cost), Control::txt_item_cost},
             {amount_of_cents(shown_.total_fee, Control::txt_total_fee), Control::txt_other_costs},
             {amount_in(Control::txt_ship_cost), Control::txt_ship_cost}}));
}

void Calculator::calc_profit() {
    const double received = number_of_cents(shown_.total_recv);
    const double spent = number_of_cents(shown_.total_spent);
    const double profit = received - spent;
    // Both totals are within range, so only a receipt and a spending of opposite signs, each
    // near the limit, can push the profit out; the larger of the two is to blame.
    within_range(to_money(profit), std::fabs(received) >= std::fabs(spent)
                                       ? Control::txt_end_price
                                       : Control::txt_item_cost);
    shown_.profit = show_cents(Control::txt_profit, *to_nearest_whole(profit, cents_places));
}

void Calculator::calc_profit_margin() {
    const double received = number_of_cents(shown_.total_recv);
    const double margin = received == 0 ? 0 : number_of_cents(shown_.profit) / received * 100;
    show_result(Control::txt_profit_margin, two_decimal_text_of(margin));
}

const Calculator::FieldRead& Calculator::read(Control field) {
    std::optional<FieldRead>& read = fields_read_[index(field)];
    if (!read) {
        std::string text = form_.text(field);
        const std::string number = leading_number_text(text);
        read = FieldRead{std::move(text), double_value(number), amount_of(number)};
    }
    return *read;
}

Money Calculator::strict_amount_in(Control field) {
    const std::string& text = text_read(field);
    const auto amount = strict_amount(text);
    if (!amount) {
        throw Refusal{field, is_number(text) ? Problem::too_large : Problem::not_a_number};
    }
    return *amount;
}

void Calculator::show_result(Control field, std::string_view text) {
    assert(results_shown_ < results_in_run_order.size() &&
           results_in_run_order[results_shown_] == field);
    form_.set_text(field, text);
    ++results_shown_;
}

std::int64_t Calculator::show_cents(Control field, std::int64_t cents) {
    show_result(field, two_decimal_text(cents));
    return cents;
}

}  // namespace corvandel
