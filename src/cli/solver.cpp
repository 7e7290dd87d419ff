#include "cli/solver.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "calc/readings.h"

namespace corvandel::cli {

const std::string_view lowest_explained =
    "\"Lowest\" means the lowest whole-cent ending price from 0.01 up whose calculation shows "
    "at least the target. Each dollar more of ending price adds at least 91.85 cents to the "
    "profit (the fees take at most 5.25 % + 2.9 %), but the rounding of the fees to cents can "
    "make the shown profit dip by a cent, so a price that reaches the target can lie at most 5 "
    "cents below one that does not. The search closes in on a price that reaches the target "
    "where one cent less does not, then checks every cent for 8 cents below it, so no lower "
    "price reaches the target. A margin of M % is reached where the profit is at least M % of "
    "the amount received, which still gains 0.9185 - M/100 dollars a dollar, so the search "
    "checks 5.2 / (0.9185 - M/100) + 2 cents below (at most 100 dollars); from a margin of "
    "91.85 % on, the margin can fall as the price rises, and only the lowest price found that "
    "way is promised, with one cent less missing the target.";

std::optional<Target> target_from(Target::Of of, std::string_view number) {
    const auto amount = strict_amount(number);
    if (!amount) {
        return std::nullopt;
    }
    return Target{of, *amount};
}

std::optional<Target> target_from(std::string_view words) {
    if (words == "break-even") {
        return Target{Target::Of::profit, Money{}};
    }
    for (const auto& [prefix, of] : {std::pair{std::string_view{"profit="}, Target::Of::profit},
                                     std::pair{std::string_view{"margin="}, Target::Of::margin}}) {
        if (words.starts_with(prefix)) {
            return target_from(of, words.substr(prefix.size()));
        }
    }
    return std::nullopt;
}

namespace {

// Whole cents of the largest amount the Money range holds.
constexpr std::int64_t most_cents = std::numeric_limits<std::int64_t>::max() / 100;

// The least the shown profit gains for each dollar more of ending price: what is left when the
// steepest final value fee band and the PayPal rate are taken off.
constexpr double least_profit_per_dollar = 1 - 0.0525 - 0.029;

// The rounding of the fees, totals and profit to cents moves the shown profit by less than 2.6
// cents either way from an amount that rises steadily; two shown profits can thus disagree
// with the order of their prices by less than 5.2 cents of that amount.
constexpr double rounding_spread_cents = 5.2;
constexpr std::int64_t most_cents_checked_below = 100 * 100;

enum class Reach { yes, no, refused };

class Search {
  public:
    Search(ListingRunner& runner, const Target& target) : runner_(runner), target_(target) {}

    Reach at(std::int64_t cents) {
        const auto shown = runner_.calculate_with_end_price(cents);
        const auto& value = target_.of == Target::Of::profit ? shown.profit : shown.margin;
        if (!value) {
            return Reach::refused;
        }
        last_profit_ = shown.profit;
        return *value >= target_.at_least ? Reach::yes : Reach::no;
    }

    // Where to start looking: for a profit, where the least gain per dollar would reach it.
    std::int64_t first_guess() const {
        if (target_.of == Target::Of::margin || !last_profit_) {
            return 100;
        }
        const double short_by = target_.at_least.to_double() - last_profit_->to_double();
        const double cents = std::ceil(short_by * 100 / least_profit_per_dollar);
        return static_cast<std::int64_t>(std::clamp(cents, 2.0, static_cast<double>(most_cents)));
    }

    // How far below a price that reaches the target, one cent less missing it, a lower one
    // could still reach it.
    std::int64_t cents_checked_below() const {
        const double margin_share =
            target_.of == Target::Of::margin ? target_.at_least.to_double() / 100 : 0;
        const double gain = least_profit_per_dollar - margin_share;
        if (gain <= 0) {
            return most_cents_checked_below;
        }
        const double cents = std::ceil(rounding_spread_cents / gain) + 2;
        return std::min(static_cast<std::int64_t>(cents), most_cents_checked_below);
    }

  private:
    ListingRunner& runner_;
    Target target_;
    std::optional<Money> last_profit_;
};

}  // namespace

Solution lowest_end_price(ListingRunner& runner, const Target& target) {
    Search search(runner, target);
    const Reach at_one_cent = search.at(1);
    if (at_one_cent == Reach::refused) {
        return {Solution::Kind::refused};
    }
    if (at_one_cent == Reach::yes) {
        return {Solution::Kind::found, 1};
    }

    // Bracket a price that reaches the target, or that the calculation refuses as too large,
    // above one that does not, galloping from the first guess.
    std::int64_t fails = 1;
    std::int64_t above = search.first_guess();
    Reach at_above = search.at(above);
    for (std::int64_t step = 100; at_above == Reach::yes;) {
        const std::int64_t lower = std::max<std::int64_t>(1, above - step);
        if (lower == 1 || search.at(lower) != Reach::yes) {
            fails = lower;
            break;
        }
        above = lower;
        step *= 2;
    }
    for (std::int64_t step = 100; at_above == Reach::no; step *= 2) {
        if (above == most_cents) {
            return {Solution::Kind::unreachable};
        }
        fails = above;
        above = above > most_cents - step ? most_cents : above + step;
        at_above = search.at(above);
    }

    // Halve the bracket; a refused price counts as beyond every price that can be calculated.
    while (above - fails > 1) {
        const std::int64_t middle = fails + (above - fails) / 2;
        const Reach at_middle = search.at(middle);
        if (at_middle == Reach::no) {
            fails = middle;
        } else {
            above = middle;
            at_above = at_middle;
        }
    }
    if (at_above != Reach::yes) {
        return {Solution::Kind::unreachable};
    }

    // One cent less misses the target; rounding could still let a few lower cents reach it.
    std::int64_t lowest = above;
    for (std::int64_t cents = lowest - 2;
         cents >= 1 && cents >= lowest - search.cents_checked_below(); --cents) {
        if (search.at(cents) == Reach::yes) {
            lowest = cents;
        }
    }
    return {Solution::Kind::found, lowest};
}

}  // namespace corvandel::cli
