#include "cli/listing.h"

#include <algorithm>
#include <bit>
#include <limits>

#include "calc/amount_text.h"
#include "calc/readings.h"
#include "input/option_interlocks.h"
#include "input/price_fields.h"
#include "input/start_up.h"

namespace corvandel::cli {

namespace {

// Where each option box is among the listing's ticks.
constexpr auto tick_of = [] {
    std::array<std::size_t, control_count> tick{};
    for (std::size_t i = 0; i < tick_inputs; ++i) {
        tick[index(input_names[text_inputs + i].control)] = i;
    }
    return tick;
}();

// The warnings shown since the form's record began.
template <typename Texts>
void add_warnings(const MemoryForm& form, Texts& warnings) {
    for (const FormEvent& event : form.events()) {
        if (event.kind == FormEvent::Kind::warning) {
            warnings.push_back(event.message);
        }
    }
}

}  // namespace

void Outcome::keep(std::vector<std::string>& kept) {
    kept.clear();
    kept.reserve(results.size() + warnings.size());  // so that the texts kept do not move
    const auto keep_text = [&kept](std::string_view& text) { text = kept.emplace_back(text); };
    std::for_each(results.begin(), results.end(), keep_text);
    std::for_each(warnings.begin(), warnings.end(), keep_text);
}

ListingRunner::ListingRunner() {
    open_as_at_start_up(form_);
    cmd_clear_Click(form_);
    form_.keep_as_fresh();
}

bool ListingRunner::enter(const Listing& listing, Outcome& outcome) {
    form_.start_afresh();
    calculator_.forget_readings();
    entry_warnings_.clear();
    for (const Interlock& lock : option_interlocks) {
        const auto ticked = [&](Control box) {
            return listing.tick(tick_of[index(box)]).value_or(form_.tick(box) == 1);
        };
        if (ticked(lock.box) && ticked(lock.other)) {
            outcome.refuse(std::string(caption(lock.box)) + " and " +
                           std::string(caption(lock.other)) +
                           " cannot both be ticked: the window allows only one of them");
            return false;
        }
    }
    // Each text is left as if typed: a refused text stops the listing, as the window will not
    // calculate from it; an emptied field takes its keyword, the starting price with its warning.
    // A text is tested with the reading the run then calculates with.
    for (std::size_t i = 0; i < price_fields.size(); ++i) {
        const auto& text = listing.texts[i];
        // Typing what a field shows already changes nothing: its start-up text passes its test.
        if (!text || *text == form_.read_text(price_fields[i], buffer_)) {
            continue;
        }
        form_.lend_text(price_fields[i], *text);
        if (text->empty()) {
            price_field_LostFocus(form_, price_fields[i]);
        } else if (!is_accepted(price_field_rules[i], calculator_.readings_of(price_fields[i]))) {
            outcome.refuse(std::string(field_title(price_fields[i])) + ": " +
                           std::string(price_field_rules[i].message));
            return false;
        }
    }
    add_warnings(form_, entry_warnings_);
    if (listing.texts.back()) {
        form_.lend_text(Control::combo_num_pics, *listing.texts.back());
    }
    // No click rule runs: a listing that ticks both boxes of an interlocked pair was refused
    // above, so a rule would clear no tick, and greying a box changes no result.
    for (std::uint32_t given = listing.ticks_given; given != 0; given &= given - 1) {
        const int tick = std::countr_zero(given);
        form_.set_tick(input_names[text_inputs + static_cast<std::size_t>(tick)].control,
                       static_cast<int>(listing.ticks_ticked >> tick & 1));
    }
    return true;
}

void ListingRunner::calculate(Outcome& outcome) {
    form_.forget_events();
    calculator_.cmd_calc_Click();
    read_outcome(outcome);
}

void ListingRunner::read_outcome(Outcome& outcome) {
    outcome.warnings.assign(entry_warnings_.begin(), entry_warnings_.end());
    outcome.error.clear();
    if (const auto& refusal = calculator_.refusal()) {
        // The run's own Error box is the refusal, not a warning: nothing it showed stands.
        return outcome.refuse(refusal_message(*refusal));
    }
    add_warnings(form_, outcome.warnings);
    for (std::size_t i = 0; i < result_fields.size(); ++i) {
        outcome.results[i] = form_.read_text(result_fields[i], buffer_);
    }
}

std::optional<Shown> ListingRunner::shown_at(std::int64_t price) {
    form_.set_text(Control::txt_end_price, two_decimal_text(price));
    form_.forget_events();
    calculator_.cmd_calc_Click();
    if (calculator_.refusal()) {
        return std::nullopt;
    }
    const auto shown = [this](Control field) {
        return leading_number(form_.read_text(field, buffer_));
    };
    const auto cents = [this](Control field) {
        const std::string_view text = form_.read_text(field, buffer_);
        const auto amount = leading_amount(text);
        using limits = std::numeric_limits<std::int64_t>;
        return amount ? amount->cents() : text.starts_with('-') ? limits::min() : limits::max();
    };
    return Shown{cents(Control::txt_profit), cents(Control::txt_profit_margin),
                 shown(Control::txt_profit), shown(Control::txt_total_recv),
                 shown(Control::txt_total_spent)};
}

bool ListingRunner::costs_in_whole_cents() {
    const Control added_up[] = {Control::txt_item_cost, Control::txt_ship_charged,
                                Control::txt_ship_cost, Control::txt_other_costs};
    return std::all_of(std::begin(added_up), std::end(added_up), [this](Control field) {
        const auto amount = leading_amount(form_.read_text(field, buffer_));
        return amount && amount->count() % 100 == 0;
    });
}

}  // namespace corvandel::cli
