#include "cli/listing.h"

#include "calc/amount_text.h"
#include "calc/readings.h"
#include "input/clear.h"
#include "input/option_interlocks.h"
#include "input/price_fields.h"
#include "input/start_up_memory_form.h"

namespace corvandel::cli {

namespace {

struct Clash {
    Control ticked;
    Control other;
};

// Gallery and Gallery Featured disable each other; Picture Pack clears and disables the two
// picture options it contains.
constexpr Clash clashes[] = {
    {Control::chk_gallery, Control::chk_gfeatured},
    {Control::chk_pic_pack, Control::chk_pic_show},
    {Control::chk_pic_pack, Control::chk_supersize},
};

bool is_ticked(const Listing& listing, Control box) {
    for (std::size_t i = 0; i < option_boxes.size(); ++i) {
        if (option_boxes[i] == box) {
            return listing.options[i];
        }
    }
    return false;
}

}  // namespace

std::optional<std::string> impossible_options(const Listing& listing) {
    for (const Clash& clash : clashes) {
        if (is_ticked(listing, clash.ticked) && is_ticked(listing, clash.other)) {
            return std::string(caption(clash.ticked)) + " and " +
                   std::string(caption(clash.other)) +
                   " cannot both be ticked: the window allows only one of them";
        }
    }
    return std::nullopt;
}

ListingRunner::ListingRunner() {
    open_as_at_start_up(form_);
    form_.when_tick_changes([this](Control box) { tick_box_Click(form_, box); });
}

// Clear puts back exactly what start-up puts in place, and the boxes' interlocks run as it
// clears them; the focus move it records is the window's, not this listing's.
void ListingRunner::start_over() {
    cmd_clear_Click(form_);
    form_.forget_events();
}

bool ListingRunner::enter(const Listing& listing, Outcome& outcome) {
    start_over();
    entry_warnings_.clear();
    outcome.warnings.clear();
    outcome.error.clear();
    for (std::string& result : outcome.results) {
        result.clear();
    }
    if (auto clash = impossible_options(listing)) {
        outcome.error = std::move(*clash);
        return false;
    }
    // Each text is left as if typed: a refused text stops the listing, as the window will not
    // calculate from it; an emptied field takes its keyword, the starting price with its warning.
    for (std::size_t i = 0; i < price_fields.size(); ++i) {
        if (!listing.prices[i]) {
            continue;
        }
        const Control field = price_fields[i];
        form_.set_text(field, *listing.prices[i]);
        if (price_field_LostFocus(form_, field) && !listing.prices[i]->empty()) {
            outcome.error = std::string(field_title(field)) + ": " +
                            std::string(price_field_rule(field)->message);
            return false;
        }
    }
    for (const FormEvent& event : form_.events()) {
        if (event.kind == FormEvent::Kind::warning) {
            entry_warnings_.push_back(event.message);
        }
    }
    if (listing.pictures) {
        form_.set_text(Control::combo_num_pics, *listing.pictures);
    }
    for (std::size_t i = 0; i < option_boxes.size(); ++i) {
        if (listing.options[i]) {
            form_.set_tick(option_boxes[i], 1);
        }
    }
    if (!listing.count_paypal) {
        form_.set_tick(Control::chk_paypal, 0);
    }
    return true;
}

void ListingRunner::calculate(Outcome& outcome) {
    form_.forget_events();
    calculator_.cmd_calc_Click();
    read_outcome(outcome);
}

void ListingRunner::read_outcome(Outcome& outcome) {
    outcome.warnings = entry_warnings_;
    outcome.error.clear();
    if (const auto& refusal = calculator_.refusal()) {
        // The run's own Error box is the refusal, not a warning: nothing it showed stands.
        outcome.warnings.clear();
        outcome.error = refusal_message(*refusal);
        for (std::string& result : outcome.results) {
            result.clear();
        }
        return;
    }
    for (const FormEvent& event : form_.events()) {
        if (event.kind == FormEvent::Kind::warning) {
            outcome.warnings.push_back(event.message);
        }
    }
    for (std::size_t i = 0; i < result_fields.size(); ++i) {
        outcome.results[i] = form_.text(result_fields[i]);
    }
}

ListingRunner::Shown ListingRunner::calculate_with_end_price(std::int64_t cents) {
    form_.set_text(Control::txt_end_price, two_decimal_text(cents));
    form_.forget_events();
    calculator_.cmd_calc_Click();
    if (calculator_.refusal()) {
        return {};
    }
    return {strict_amount(form_.text(Control::txt_profit)),
            strict_amount(form_.text(Control::txt_profit_margin))};
}

}  // namespace corvandel::cli
