#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/calculator.h"
#include "form/memory_form.h"

namespace corvandel::cli {

// One listing as the seller gives it: the text typed into each price field and the pictures box,
// and each option box ticked or not. Nothing given stands for the window's start-up value.
struct Listing {
    std::array<std::optional<std::string_view>, price_fields.size()> prices{};
    std::optional<std::string_view> pictures;
    std::array<bool, option_boxes.size()> options{};
    bool count_paypal = true;
};

// Why two ticked options cannot stand together, or nothing when none clash: the window's
// interlocks never let them be ticked at once.
std::optional<std::string> impossible_options(const Listing& listing);

// What the window shows after Calculate: the result texts in its reading order, the warnings it
// showed on the way, and, when the listing could not be calculated, why not (and no results).
struct Outcome {
    std::array<std::string, result_fields.size()> results;
    std::vector<std::string> warnings;
    std::string error;

    bool refused() const { return !error.empty(); }
};

// The main window held in memory, as at start-up, that calculates one listing after another.
// Every listing starts from the start-up values, whatever the one before it held.
class ListingRunner {
  public:
    ListingRunner();
    ListingRunner(const ListingRunner&) = delete;
    ListingRunner& operator=(const ListingRunner&) = delete;

    // Types the listing's texts into the window, leaving each field as the seller would, and
    // ticks its options. False, with the reason in `outcome`, when the window would refuse it.
    bool enter(const Listing& listing, Outcome& outcome);

    // Presses Calculate on what was entered last.
    void calculate(Outcome& outcome);

    // Presses Calculate with another ending price, in cents, and tells what the run showed:
    // the profit and the margin as amounts, nothing where the run was refused.
    struct Shown {
        std::optional<Money> profit;
        std::optional<Money> margin;
    };
    Shown calculate_with_end_price(std::int64_t cents);

    // What the latest run showed, as `calculate` tells it.
    void read_outcome(Outcome& outcome);

  private:
    void start_over();

    MemoryForm form_;
    Calculator calculator_{form_};
    std::vector<std::string> entry_warnings_;  // from leaving the fields
};

}  // namespace corvandel::cli
