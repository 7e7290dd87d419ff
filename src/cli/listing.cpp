#include "cli/listing.h"

#include <algorithm>
#include <limits>

#include "calc/amount_text.h"
#include "calc/readings.h"
#include "input/option_interlocks.h"
#include "input/price_fields.h"
#include "input/start_up_values.h"

namespace corvandel::cli {

namespace {

// Where each result field is in the window's reading order.
constexpr auto reading_place = [] {
    std::array<std::size_t, control_count> place{};
    for (std::size_t i = 0; i < result_fields.size(); ++i) {
        place[index(result_fields[i])] = i;
    }
    return place;
}();

// The reason a listing is not calculated, in place of all it would show.
void refuse(Outcome& outcome, std::string reason) {
    outcome.results = {};
    outcome.warnings.clear();
    outcome.error = std::move(reason);
}

}  // namespace

ListingRunner::ListingRunner() {
    open_as_at_start_up(form_);
    cmd_clear_Click(form_);
    for (std::size_t i = 0; i < text_inputs; ++i) {
        start_up_texts_[i] = form_.text(input_names[i].control);
    }
    for (std::size_t i = 0; i < tick_inputs; ++i) {
        start_up_ticks_[i] = form_.tick(input_names[text_inputs + i].control);
    }
}

Outcome ListingRunner::run(const Listing& listing, const std::optional<Target>& target) {
    Outcome outcome;
    if (!enter(listing, outcome)) {
        return outcome;
    }
    calculate(outcome);
    // Each text given is tested as leaving its field tests it, with the readings the run took: a
    // refused text stops the listing, as the window calculates nothing from it. An emptied field
    // holds the text leaving it gave, which the starting price refuses ("None").
    for (std::size_t i = 0; i < price_fields.size(); ++i) {
        if (listing.texts[i] &&
            !is_accepted(price_field_rules[i], calculator_.text_read(price_fields[i]))) {
            refuse(outcome, std::string(field_title(price_fields[i])) + ": " +
                                std::string(price_field_rules[i].message));
            return outcome;
        }
    }
    if (target && !outcome.refused()) {
        outcome.solution = lowest_end_price(*this, *target);
        if (outcome.solution->kind == Solution::Kind::refused) {
            // Why the calculation refuses every ending price, as it refused the lowest.
            refuse(outcome, refusal_message(*calculator_.refusal()));
        } else if (outcome.solution->kind == Solution::Kind::inexact) {
            refuse(outcome, "the target is reached only where the amounts pass " +
                                two_decimal_text(static_cast<std::int64_t>(exact_amounts) * 100) +
                                ", beyond which the calculation's cents are not exact");
        }
    }
    return outcome;
}

// Every input is put back to what Clear leaves, then set as the listing gives it; an emptied
// field takes its keyword, the starting price with its warning, as leaving it does. No click
// rule runs: a listing that ticks both boxes of an interlocked pair is refused, so a rule would
// clear no tick, and greying a box changes no result.
bool ListingRunner::enter(const Listing& listing, Outcome& outcome) {
    const auto ticked = [&](Control box) {
        const std::size_t tick = input_of(box) - text_inputs;
        return listing.ticks[tick].value_or(start_up_ticks_[tick] == 1);
    };
    for (const Interlock& lock : option_interlocks) {
        if (ticked(lock.box) && ticked(lock.other)) {
            refuse(outcome, std::string(caption(lock.box)) + " and " +
                                std::string(caption(lock.other)) +
                                " cannot both be ticked: the window allows only one of them");
            return false;
        }
    }
    form_.forget_events();
    for (std::size_t i = 0; i < text_inputs; ++i) {
        const std::optional<std::string>& text = listing.texts[i];
        form_.set_text(input_names[i].control, text.value_or(start_up_texts_[i]));
        if (text && text->empty() && i < price_fields.size()) {
            price_field_LostFocus(form_, price_fields[i]);
        }
    }
    for (std::size_t i = 0; i < tick_inputs; ++i) {
        form_.set_tick(input_names[text_inputs + i].control,
                       listing.ticks[i] ? static_cast<int>(*listing.ticks[i]) : start_up_ticks_[i]);
    }
    return true;
}

// The results the run showed, taken from the window, in its reading order; those it did not reach
// stay empty, as Clear leaves them.
void ListingRunner::calculate(Outcome& outcome) {
    calculator_.cmd_calc_Click();
    if (const auto& refusal = calculator_.refusal()) {
        // The run's own Error box is the refusal, not a warning: nothing it showed stands.
        return refuse(outcome, refusal_message(*refusal));
    }
    for (const FormEvent& event : form_.events()) {
        if (event.kind == FormEvent::Kind::warning) {
            outcome.warnings.push_back(event.message);
        }
    }
    for (std::size_t i = 0; i < calculator_.results_shown(); ++i) {
        outcome.results[reading_place[index(results_in_run_order[i])]] =
            form_.take_text(results_in_run_order[i]);
    }
}

std::optional<Shown> ListingRunner::shown_at(std::int64_t price) {
    form_.set_text(Control::txt_end_price, two_decimal_text(price));
    form_.forget_events();
    calculator_.cmd_calc_Click();
    if (calculator_.refusal()) {
        return std::nullopt;
    }
    const auto number = [this](Control field) { return leading_number(form_.text(field)); };
    const auto cents = [this](Control field) {
        const std::string text = form_.text(field);
        const auto amount = leading_amount(text);
        using limits = std::numeric_limits<std::int64_t>;
        return amount ? amount->cents() : text.starts_with('-') ? limits::min() : limits::max();
    };
    return Shown{cents(Control::txt_profit), cents(Control::txt_profit_margin),
                 number(Control::txt_profit), number(Control::txt_total_recv),
                 number(Control::txt_total_spent)};
}

bool ListingRunner::costs_in_whole_cents() const {
    const Control added_up[] = {Control::txt_item_cost, Control::txt_ship_charged,
                                Control::txt_ship_cost, Control::txt_other_costs};
    return std::all_of(std::begin(added_up), std::end(added_up), [this](Control field) {
        const auto amount = leading_amount(form_.text(field));
        return amount && amount->count() % 100 == 0;
    });
}

}  // namespace corvandel::cli
