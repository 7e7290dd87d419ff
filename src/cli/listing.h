#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "calc/calculator.h"
#include "cli/names.h"
#include "cli/solver.h"
#include "form/memory_form.h"

namespace corvandel::cli {

// One listing as the seller gives it, in the order of input_names: the text typed into each
// price field and the pictures box, and each box ticked or cleared. What is not given keeps the
// window's start-up value.
struct Listing {
    std::array<std::optional<std::string>, text_inputs> texts;
    std::array<std::optional<bool>, tick_inputs> ticks;
};

// What the window shows after Calculate: the result texts in its reading order and the warnings
// it showed on the way; or, when the listing could not be calculated, why not (and no results).
// Where a target was given, the lowest ending price that reaches it, or why there is none.
struct Outcome {
    std::array<std::string, result_fields.size()> results;
    std::vector<std::string> warnings;
    std::string error;
    std::optional<Solution> solution;

    bool refused() const { return !error.empty(); }
};

// The main window held in memory that calculates one listing after another. Every listing starts
// from what Clear puts in place, whatever the one before it held.
class ListingRunner {
  public:
    ListingRunner();

    // Types the listing's texts into the window, leaving each field as the seller would, ticks its
    // boxes and presses Calculate; then, for a target, searches the lowest ending price that
    // reaches it. A text the window refuses on leaving its field is calculated with no further.
    Outcome run(const Listing& listing, const std::optional<Target>& target = std::nullopt);

    // Presses Calculate again with another ending price, in cents; nothing when the run is
    // refused.
    std::optional<Shown> shown_at(std::int64_t price);

    // Whether the costs and the shipping charged are whole cents, so that the totals need no
    // rounding to cents.
    bool costs_in_whole_cents() const;
    // Whether the total fees count the PayPal fee, which follows the ending price.
    bool counts_payment_fee() const { return form_.tick(Control::chk_paypal) == 1; }
    // The window as the latest run left it.
    const Form& window() const { return form_; }

  private:
    bool enter(const Listing& listing, Outcome& outcome);
    void calculate(Outcome& outcome);

    MemoryForm form_;
    Calculator calculator_{form_};
    // What Clear puts in place, input by input of input_names.
    std::array<std::string, text_inputs> start_up_texts_;
    std::array<int, tick_inputs> start_up_ticks_{};
};

}  // namespace corvandel::cli
