#include <algorithm>
#include <string>

#include "calc/calculator.h"
#include "calc/fee_schedule.h"
#include "calc/letter_case.h"
#include "calc/readings.h"
#include "calc/refusal.h"

namespace corvandel {

void Calculator::calc_list_fee() {
    namespace schedule = fee_schedule;
    // The upgrades, discounts and fixed fees come to a few dollars and cannot leave the Money
    // range; only the reserve fee and the pictures grow with what is typed, and those are checked.

    Money upgrades;
    Money insertion_fee;
    cost_bin = Money{};
    cost_reserve = Money{};
    Money fee_basis = amount_in(Control::txt_start_price);

    for (const auto& upgrade : schedule::listing_upgrades) {
        if (is_chosen(upgrade.box)) {
            upgrades = *upgrades.plus(upgrade.price);
        }
    }
    for (const auto& combination : schedule::combination_discounts) {
        if (std::all_of(combination.all_of.begin(), combination.all_of.end(),
                        [this](Control box) { return is_chosen(box); })) {
            upgrades = *upgrades.minus(combination.discount);
        }
    }

    if (text_of(Control::txt_bin) != "None") {
        const Tier* tier = find_tier(schedule::buy_it_now_fees, amount_in(Control::txt_bin));
        if (tier != nullptr) {
            cost_bin = tier->charge.fixed;
        }
        upgrades = *upgrades.plus(cost_bin);
    }

    if (lower_case(text_of(Control::txt_reserve)) != "none") {
        if (number_in(Control::txt_reserve) <= number_in(Control::txt_start_price)) {
            form_.warn("Error", "Reserve Price must be higher than the starting price");
            form_.focus(Control::txt_reserve);
        }
        const Money reserve = strict_amount_in(Control::txt_reserve);
        fee_basis = reserve;
        if (reserve == Money{}) {
            cost_reserve = Money{};
            fee_basis = amount_in(Control::txt_start_price);
        } else if (const Tier* tier = find_tier(schedule::reserve_fees, reserve)) {
            const Charge& charge = tier->charge;
            cost_reserve = charge.rate == 0
                               ? charge.fixed
                               : within_range(to_money(reserve.to_double() * charge.rate),
                                              Control::txt_reserve);
        }
        upgrades = within_range(upgrades.plus(cost_reserve), Control::txt_reserve);
    }

    if (const Tier* tier = find_tier(schedule::insertion_fees, fee_basis)) {
        insertion_fee = tier->charge.fixed;
    } else {
        form_.warn("Error", "Invalid Start price entered");
        form_.focus(Control::txt_start_price);
    }

    const double pictures = number_in(Control::combo_num_pics);
    const double extra_pictures = pictures - 1;
    if (is_chosen(Control::chk_pic_show)) {
        upgrades = *upgrades.plus(schedule::picture_show);
    }
    if (is_chosen(Control::chk_supersize)) {
        upgrades = *upgrades.plus(schedule::supersize_pictures);
    }
    if (is_chosen(Control::chk_pic_pack)) {
        upgrades = *upgrades.plus(pictures > schedule::picture_pack_small_limit
                                      ? schedule::picture_pack_over_six
                                      : schedule::picture_pack_up_to_six);
    } else if (extra_pictures > 0) {
        upgrades = within_range(
            to_money(extra_pictures * schedule::each_extra_picture + upgrades.to_double()),
            Control::combo_num_pics);
    }

    Money listing_fee = within_range(insertion_fee.plus(upgrades), Control::combo_num_pics);
    if (is_chosen(Control::chk_doublecat)) {
        listing_fee = within_range(listing_fee.times(2), Control::combo_num_pics);
    }
    write_amount(Control::txt_list_fee, listing_fee);
}

}  // namespace corvandel
