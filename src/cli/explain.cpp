#include "cli/explain.h"

#include <algorithm>
#include <charconv>
#include <nlohmann/json.hpp>

#include "calc/fee_schedule.h"
#include "calc/readings.h"
#include "calc/refusal.h"
#include "calc/tiers.h"
#include "cli/names.h"

namespace corvandel::cli {

std::string exact_amount_text(Money amount) {
    // Through the unsigned type, so that the most negative count has a size too.
    const auto count = static_cast<std::uint64_t>(amount.count());
    const std::uint64_t size = amount.count() < 0 ? 0 - count : count;
    const auto per_dollar = static_cast<std::uint64_t>(Money::per_dollar);
    std::string text = std::to_string(size / per_dollar) + "." +
                       std::to_string(per_dollar + size % per_dollar).substr(1);
    while (text.ends_with('0') && text.size() - text.find('.') > 3) {
        text.pop_back();
    }
    return (amount.count() < 0 ? "-" : "") + text;
}

namespace {

namespace schedule = fee_schedule;
using C = Control;

// A rate as a percentage with the digits it needs: 5.25, 3, 2.9.
std::string percent_text(double rate) {
    char digits[32];
    const auto end = std::to_chars(std::begin(digits), std::end(digits), rate * 100,
                                   std::chars_format::general, 6);
    return std::string(digits, end.ptr) + " %";
}

std::string percent_text(Money rate) {
    return percent_text(rate.to_double());
}

// A tier's reach in words: "1.00 to 9.99", "over 0.00 to 0.99", "500.00 and up".
std::string tier_text(const Tier& tier) {
    return (tier.from.inclusive ? "" : "over ") + exact_amount_text(tier.from.amount) +
           (tier.to.unlimited ? " and up" : " to " + exact_amount_text(tier.to.amount));
}

std::string title_of(Control field) {
    return std::string(field_title(field));
}

std::size_t place_of(Control result) {
    return static_cast<std::size_t>(std::find(result_fields.begin(), result_fields.end(), result) -
                                    result_fields.begin());
}

// Works out the items of each result from the texts the run read, step by step as the run
// does, from the same schedule.
class Explainer {
  public:
    Explainer(const Form& window, const ShownResults& shown) : window_(window), shown_(shown) {}

    Explanation explain() {
        listing_fees();
        if (shown(C::txt_fvf)) {
            payment_fee();
            final_value_fee();
            sums();
        }
        // Worked in the run's order, told in the window's reading order.
        std::stable_sort(explanation_.results.begin(), explanation_.results.end(),
                         [](const auto& a, const auto& b) { return a.field < b.field; });
        std::stable_sort(explanation_.items.begin(), explanation_.items.end(),
                         [](const auto& a, const auto& b) { return a.part_of < b.part_of; });
        return std::move(explanation_);
    }

  private:
    // An input's text as the run read it, or a result's as the run showed it.
    std::string text(Control field) const {
        const std::size_t place = place_of(field);
        return place < shown_.size() ? shown_[place] : window_.text(field);
    }
    bool ticked(Control box) const { return window_.tick(box) == 1; }
    bool shown(Control result) const { return !text(result).empty(); }
    Money amount(Control field) const { return within_range(leading_amount(text(field)), field); }
    Money shown_amount(Control result) const {
        return within_range(strict_amount(text(result)), result);
    }

    void item(Control result, std::string name, Money amount) {
        explanation_.items.push_back(
            {std::move(name), amount, exact_amount_text(amount), place_of(result)});
    }

    // The result as shown, with a note of the rounding where the items' exact sum has
    // fractions of a cent.
    void result(Control field, Rounding rounding, std::string note = {}) {
        const Money sum = item_sum(field);
        if (sum.count() % 100 != 0 && rounding != Rounding::ratio) {
            note = "the sum " + exact_amount_text(sum) + ", rounded once to the cent" +
                   (rounding == Rounding::away_from_zero ? ", a half away from zero" : "") +
                   (note.empty() ? "" : "; ") + note;
        } else if (rounding != Rounding::ratio) {
            rounding = Rounding::none;
        }
        explanation_.results.push_back({place_of(field), text(field), rounding, std::move(note)});
    }

    // The insertion fee on the starting price or the reserve, the upgrades and their discounts,
    // the Buy-It-Now and reserve fees and the picture options: worked to the ten-thousandth and
    // rounded once.
    void listing_fees() {
        constexpr Control fee = C::txt_list_fee;
        Money upgrades;
        const auto add = [&](std::string name, Money amount, Control blamed) {
            upgrades = within_range(upgrades.plus(amount), blamed);
            item(fee, std::move(name), amount);
        };
        for (const auto& upgrade : schedule::listing_upgrades) {
            if (ticked(upgrade.box)) {
                add(std::string(caption(upgrade.box)), upgrade.price, C::combo_num_pics);
            }
        }
        for (const auto& combination : schedule::combination_discounts) {
            if (std::all_of(combination.all_of.begin(), combination.all_of.end(),
                            [this](Control box) { return ticked(box); })) {
                std::string together;
                for (const Control box : combination.all_of) {
                    together += (together.empty() ? "" : ", ") + std::string(caption(box));
                }
                add("less for " + together + " together",
                    within_range(Money{}.minus(combination.discount), C::combo_num_pics),
                    C::combo_num_pics);
            }
        }

        if (text(C::txt_bin) != "None") {
            const Money price = amount(C::txt_bin);
            const Tier* tier = find_tier(schedule::buy_it_now_fees, price);
            add(title_of(C::txt_bin) + " fee: " + exact_amount_text(price) +
                    (tier ? ", in the tier " + tier_text(*tier) : ", in no tier"),
                tier ? tier->charge.fixed : Money{}, C::txt_bin);
        }

        Money fee_basis = amount(C::txt_start_price);
        Control basis = C::txt_start_price;
        if (!is_word_in_any_case(text(C::txt_reserve), "none")) {
            const Money reserve = within_range(strict_amount(text(C::txt_reserve)), C::txt_reserve);
            const Tier* tier =
                reserve == Money{} ? nullptr : find_tier(schedule::reserve_fees, reserve);
            Money charge;
            std::string rule = reserve == Money{} ? ", none" : ", in no tier";
            if (tier != nullptr) {
                const double rate = tier->charge.rate;
                charge = rate == 0
                             ? tier->charge.fixed
                             : within_range(to_money(reserve.to_double() * rate), C::txt_reserve);
                rule = (rate == 0 ? "" : ", " + percent_text(rate) + " of it") + ", in the tier " +
                       tier_text(*tier);
            }
            add(title_of(C::txt_reserve) + " fee: " + exact_amount_text(reserve) + rule, charge,
                C::txt_reserve);
            if (reserve != Money{}) {
                fee_basis = reserve;
                basis = C::txt_reserve;
            }
        }

        const Tier* insertion = find_tier(schedule::insertion_fees, fee_basis);
        item(fee,
             "Insertion fee: " + lower_case(title_of(basis)) + " " + exact_amount_text(fee_basis) +
                 (insertion ? ", in the tier " + tier_text(*insertion)
                            : ", in no tier (the window warns of it)"),
             insertion ? insertion->charge.fixed : Money{});
        const Money insertion_fee = insertion ? insertion->charge.fixed : Money{};

        const double pictures = leading_number(text(C::combo_num_pics));
        if (ticked(C::chk_pic_show)) {
            add(std::string(caption(C::chk_pic_show)), schedule::picture_show, C::combo_num_pics);
        }
        if (ticked(C::chk_supersize)) {
            add(std::string(caption(C::chk_supersize)), schedule::supersize_pictures,
                C::combo_num_pics);
        }
        const std::string count = text(C::combo_num_pics);
        if (ticked(C::chk_pic_pack)) {
            const bool over = pictures > schedule::picture_pack_small_limit;
            add(std::string(caption(C::chk_pic_pack)) + ", " + count + " pictures" +
                    (over ? ", more than " : ", up to ") +
                    std::to_string(static_cast<int>(schedule::picture_pack_small_limit)),
                over ? schedule::picture_pack_over_six : schedule::picture_pack_up_to_six,
                C::combo_num_pics);
        } else if (pictures - 1 > 0) {
            // Added in floating point to what the upgrades came to, and taken back to Money.
            const Money with_pictures = within_range(
                to_money((pictures - 1) * schedule::each_extra_picture + upgrades.to_double()),
                C::combo_num_pics);
            add(count + " pictures: each after the first at " +
                    exact_amount_text(*to_money(schedule::each_extra_picture)),
                within_range(with_pictures.minus(upgrades), C::combo_num_pics), C::combo_num_pics);
        }

        if (ticked(C::chk_doublecat)) {
            item(fee, "Listed in two categories: everything above once more",
                 within_range(insertion_fee.plus(upgrades), fee));
        }
        result(fee, Rounding::to_even_cent);
    }

    // A rate of what the buyer pays and a fixed part, worked in floating point and taken to the
    // ten-thousandth, then rounded once; counted in the total fees only where the box is ticked.
    void payment_fee() {
        constexpr Control fee = C::txt_paypal_fee;
        const Money paid = within_range(amount(C::txt_end_price).plus(amount(C::txt_ship_charged)),
                                        C::txt_end_price);
        const Money whole = within_range(
            to_money(paid.to_double() * schedule::payment_rate + schedule::payment_fixed),
            C::txt_end_price);
        const Money fixed = *to_money(schedule::payment_fixed);
        item(fee,
             percent_text(schedule::payment_rate) + " of the " + exact_amount_text(paid) +
                 " the buyer pays (" + lower_case(title_of(C::txt_end_price)) + " and " +
                 lower_case(title_of(C::txt_ship_charged)) + ")",
             within_range(whole.minus(fixed), fee));
        item(fee, "The fixed part of each payment", fixed);
        result(fee, Rounding::to_even_cent,
               ticked(C::chk_paypal) ? "counted in the total fees"
                                     : "not counted in the total fees (--no-paypal)");
    }

    // Band by band: the band's fixed part, the fee up to where it starts, and its rate of the
    // balance above that.
    void final_value_fee() {
        constexpr Control fee = C::txt_fvf;
        const Money price = amount(C::txt_end_price);
        const schedule::FinalValueBand* below = nullptr;
        for (const auto& band : schedule::final_value_bands) {
            if (!meets_upper_bound(price, band.up_to)) {
                below = &band;
                continue;
            }
            const std::string start = exact_amount_text(band.balance_above);
            if (band.fixed_part != Money{}) {
                std::string name = "The fee up to " + start + ", as the schedule fixes it";
                if (below != nullptr) {
                    const auto balance = band.balance_above.minus(below->balance_above);
                    const auto part = balance ? balance->times(below->rate) : std::nullopt;
                    const auto at_start = part ? part->plus(below->fixed_part) : std::nullopt;
                    name += at_start && *at_start != band.fixed_part
                                ? " (" + percent_text(below->rate) + " of " + start + " is " +
                                      exact_amount_text(*at_start) + ")"
                                : "";
                }
                item(fee, name, band.fixed_part);
            }
            const Money balance = within_range(price.minus(band.balance_above), C::txt_end_price);
            item(fee,
                 percent_text(band.rate) + " of " + exact_amount_text(balance) +
                     (band.balance_above == Money{} ? "" : ", the balance above " + start),
                 within_range(balance.times(band.rate), C::txt_end_price));
            break;
        }
        result(fee, Rounding::to_even_cent);
    }

    // The totals, from the results as shown, but where a sum is worked to all four decimals.
    void sums() {
        const auto as_shown = [this](Control total, Control part) {
            item(total, title_of(part) + ", as shown", shown_amount(part));
        };
        const auto typed = [this](Control total, Control part) {
            item(total, title_of(part), amount(part));
        };

        as_shown(C::Txt_ebay_fees, C::txt_list_fee);
        item(C::Txt_ebay_fees, title_of(C::txt_fvf) + ", to four decimals", item_sum(C::txt_fvf));
        result(C::Txt_ebay_fees, Rounding::to_even_cent);

        as_shown(C::txt_total_fee, C::txt_list_fee);
        if (ticked(C::chk_paypal)) {
            as_shown(C::txt_total_fee, C::txt_paypal_fee);
        }
        as_shown(C::txt_total_fee, C::txt_fvf);
        typed(C::txt_total_fee, C::txt_other_costs);
        result(C::txt_total_fee, Rounding::away_from_zero);

        typed(C::txt_total_recv, C::txt_end_price);
        typed(C::txt_total_recv, C::txt_ship_charged);
        result(C::txt_total_recv, Rounding::to_even_cent);

        typed(C::txt_total_spent, C::txt_item_cost);
        as_shown(C::txt_total_spent, C::txt_total_fee);
        typed(C::txt_total_spent, C::txt_ship_cost);
        result(C::txt_total_spent, Rounding::to_even_cent);

        as_shown(C::txt_profit, C::txt_total_recv);
        item(C::txt_profit, "less " + title_of(C::txt_total_spent) + ", as shown",
             within_range(Money{}.minus(shown_amount(C::txt_total_spent)), C::txt_profit));
        result(C::txt_profit, Rounding::none);

        const std::string received = text(C::txt_total_recv);
        explanation_.items.push_back({title_of(C::txt_profit) + " " + text(C::txt_profit) +
                                          " as a share of " + title_of(C::txt_total_recv) + " " +
                                          received + (received == "0.00" ? " (none: 0)" : ""),
                                      strict_amount(text(C::txt_profit_margin)).value_or(Money{}),
                                      text(C::txt_profit_margin), place_of(C::txt_profit_margin)});
        result(C::txt_profit_margin, Rounding::ratio, "rounded once to two decimals");
    }

    // The exact sum of a result's items so far.
    Money item_sum(Control result) const {
        Money sum;
        for (const ExplainedItem& item : explanation_.items) {
            sum = item.part_of == place_of(result) ? within_range(sum.plus(item.amount), result)
                                                   : sum;
        }
        return sum;
    }

    const Form& window_;
    const ShownResults& shown_;
    Explanation explanation_;
};

}  // namespace

Explanation explain(const Form& window, const ShownResults& shown) {
    return Explainer(window, shown).explain();
}

std::string explanation_text(const Explanation& explanation) {
    std::size_t width = 0;
    for (const ExplainedItem& item : explanation.items) {
        width = std::max(width, item.amount_text.size());
    }
    std::string text;
    for (const ExplainedResult& result : explanation.results) {
        text += "\n" + title_of(result_fields[result.field]) + " " + result.shown +
                (result.note.empty() ? "" : ", " + result.note) + ":\n";
        for (const ExplainedItem& item : explanation.items) {
            if (item.part_of == result.field) {
                text += std::string(2 + width - item.amount_text.size(), ' ') + item.amount_text +
                        "  " + item.name + "\n";
            }
        }
    }
    return text;
}

std::string explanation_json(const Explanation& explanation) {
    std::string json = ", \"items\": [";
    for (const ExplainedItem& item : explanation.items) {
        json += (json.ends_with("[") ? "" : ", ") + std::string("{\"name\": ") +
                nlohmann::json(item.name).dump() + ", \"amount\": \"" + item.amount_text +
                "\", \"part_of\": \"" + std::string(result_columns[item.part_of]) + "\"}";
    }
    return json + "]";
}

}  // namespace corvandel::cli
