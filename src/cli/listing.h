#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "calc/calculator.h"
#include "cli/names.h"
#include "form/memory_form.h"

namespace corvandel::cli {

// One listing as the seller gives it, in the order of input_names: the text typed into each
// price field and the pictures box, and each box ticked or cleared. What is not given keeps the
// window's start-up value.
struct Listing {
    std::array<std::optional<std::string_view>, text_inputs> texts{};
    // The boxes given, and which of them are ticked, a bit for each by its place among the
    // ticks of input_names: a listing sets only a few.
    std::uint32_t ticks_given = 0;
    std::uint32_t ticks_ticked = 0;

    void set_tick(std::size_t tick, bool ticked) {
        ticks_given |= std::uint32_t{1} << tick;
        ticks_ticked =
            (ticks_ticked & ~(std::uint32_t{1} << tick)) | (std::uint32_t{ticked} << tick);
    }
    std::optional<bool> tick(std::size_t tick) const {
        if ((ticks_given >> tick & 1) == 0) {
            return std::nullopt;
        }
        return (ticks_ticked >> tick & 1) == 1;
    }
};
static_assert(tick_inputs <= 32);

// What the window shows after Calculate: the result texts in its reading order, the warnings it
// showed on the way, and, when the listing could not be calculated, why not (and no results).
// The texts are the window's own, as they stand until it calculates again, unless they are kept.
struct Outcome {
    std::array<std::string_view, result_fields.size()> results;
    std::vector<std::string_view> warnings;
    std::string error;

    bool refused() const { return !error.empty(); }
    // No results and no warnings, and why not.
    void refuse(std::string reason) {
        results.fill({});
        warnings.clear();
        error = std::move(reason);
    }
    // Copies the texts into `kept`, so that they outlast the next calculation.
    void keep(std::vector<std::string>& kept);
};

// What a run shows that a target is judged by: the profit and the margin as the whole cents
// their texts show, and the totals as the window's readings take the texts. The margin of a tiny
// amount received can lie far outside the range of amounts: it is then held at the end of that
// range on its side, beyond every target.
struct Shown {
    std::int64_t profit_cents, margin_cents;
    double profit, received, spent;
};

// The main window held in memory that calculates one listing after another. Every listing starts
// from what Clear puts in place, whatever the one before it held; that state is made by Clear
// once and put back where a listing changed it.
class ListingRunner {
  public:
    ListingRunner();
    ListingRunner(const ListingRunner&) = delete;
    ListingRunner& operator=(const ListingRunner&) = delete;

    // Types the listing's texts into the window, leaving each field as the seller would, and
    // ticks its boxes. The texts are shown where they are, so they must last until the listing
    // is calculated. False, with the reason in `outcome`, when the window would refuse it.
    bool enter(const Listing& listing, Outcome& outcome);

    // Presses Calculate on what was entered last, and tells what it showed.
    void calculate(Outcome& outcome);
    void read_outcome(Outcome& outcome);

    // Presses Calculate with another ending price, in cents; nothing when the run is refused.
    std::optional<Shown> shown_at(std::int64_t cents);

    // Whether the costs and the shipping charged are whole cents, so that the totals need no
    // rounding to cents.
    bool costs_in_whole_cents();
    // Whether the total fees count the PayPal fee, which follows the ending price.
    bool counts_payment_fee() const { return form_.tick(Control::chk_paypal) == 1; }

  private:
    MemoryForm form_;
    Calculator calculator_{form_};
    std::vector<std::string> entry_warnings_;  // from leaving the fields
    std::string buffer_;  // read_text's; the in-memory form lends its texts, so it stays empty
};

}  // namespace corvandel::cli
