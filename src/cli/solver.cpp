#include "cli/solver.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "calc/fee_schedule.h"
#include "calc/readings.h"
#include "cli/listing.h"

namespace corvandel::cli {

const std::string_view lowest_explained =
    "\"Lowest\" means the lowest whole-cent ending price from 0.01 up whose calculation shows at "
    "least the target. Within each band of the final value fee the profit follows the ending price "
    "at the rates the listing pays, give or take the rounding to cents; the search skips the "
    "prices that line rules out, checks the line wherever it lands, and tries every price where "
    "the rounding could decide.";

std::optional<Target> target_from(std::string_view words) {
    if (words == "break-even") {
        return Target{Target::Of::profit, Money{}};
    }
    const bool profit = words.starts_with("profit=");
    if (!profit && !words.starts_with("margin=")) {
        return std::nullopt;
    }
    const auto amount = strict_amount(words.substr(words.find('=') + 1));
    if (!amount) {
        return std::nullopt;
    }
    return Target{profit ? Target::Of::profit : Target::Of::margin, *amount};
}

namespace {

// Whole cents of the largest amount the Money range holds.
constexpr std::int64_t most_cents = std::numeric_limits<std::int64_t>::max() / 100;

// How far the shown profit can stray from the line the rates draw. The two fees that follow the
// ending price are rounded to ten-thousandths and then to cents; costs or a shipping charge with
// fractions of a cent make the total fees, the total spent and the total received round to
// cents too. Beyond ten trillion dollars, the 15 digits the totals keep and the doubles the
// profit and margin are worked in add a share of the amounts themselves.
constexpr double half_cent = 0.005;
constexpr double fees_rounding = 2 * (0.00005 + half_cent);
constexpr double totals_rounding = 3 * half_cent;
constexpr double rounding_share = 1e-14;

// The share of a further dollar of ending price that the fees following it take, in the band of
// the final value fee that holds this price: that band's rate, and the payment service's where
// the listing counts its fee.
double fees_per_dollar(std::int64_t cents, bool payment_fee_counted) {
    const Money price = Money::from_count(cents * 100);
    double rate = 0;
    for (const auto& band : fee_schedule::final_value_bands) {
        if (meets_upper_bound(price, band.up_to)) {
            rate = band.rate.to_double();
            break;
        }
    }
    return rate + (payment_fee_counted ? fee_schedule::payment_rate : 0);
}

// The search compares the shown profit, less a share of the amount received for a margin, with
// what it must reach. Within a stretch of prices that one band of the final value fee holds, on
// one side of the price where the amount received is zero, that difference follows a straight
// line of the slope the listing's rates give, give or take the rounding; so a price that misses
// the target by more than the rounding rules out every price up to where the line could have
// climbed to it. Each price it lands on after a skip checks the line, as does the end of a
// stretch it leaves (or, in the last stretch, which has no end the calculation reaches, prices
// ten, a hundred, a thousand times as high and so on): where the calculation has climbed faster
// than the line allows, the search takes the slope the two prices show, and skips again from the
// first with it.
class Search {
  public:
    Search(ListingRunner& runner, const Target& target)
        : runner_(runner),
          margin_(target.of == Target::Of::margin),
          least_cents_(target.at_least.count() / 100 + (target.at_least.count() % 100 > 0)),
          // A margin shows with two decimals: it reaches M % when the profit is at least the
          // lowest two-decimal percentage from M up, less half its last digit, of the amount
          // received.
          share_(margin_ ? (static_cast<double>(least_cents_) / 100 - half_cent) / 100 : 0),
          wanted_(margin_ ? 0 : target.at_least.to_double()),
          whole_cents_(runner.costs_in_whole_cents()),
          payment_fee_counted_(runner.counts_payment_fee()) {}

    // The answer within the stretch from `first` to `last`, if it holds one.
    std::optional<Solution> within(std::int64_t first, std::int64_t last) {
        const double slope = 1 - fees_per_dollar(first, payment_fee_counted_) - share_;
        std::optional<double> gain_per_cent;  // what the line climbs in a cent, once known
        std::optional<Point> skipped_from;    // the price the search skipped from to this one
        for (std::int64_t cents = first; cents <= last;) {
            const auto shown = runner_.shown_at(cents);
            if (!shown) {
                return Solution{Solution::Kind::unreachable};
            }
            const Point here{cents, on_the_line(*shown)};
            gain_per_cent = gain_per_cent.value_or(here.sense * slope / 100);
            if (skipped_from && climbed_faster(*skipped_from, here, *gain_per_cent)) {
                cents = skipped_from->cents + skip_from(*skipped_from, *gain_per_cent);
                continue;
            }
            if (reaches(*shown)) {
                return Solution{Solution::Kind::found, cents};
            }
            std::int64_t skip = skip_from(here, *gain_per_cent);
            if (skip > last - cents) {
                // The line leaves the target out of reach in this stretch: checked where it
                // ends, or further and further on.
                const std::optional<Point> beyond =
                    first_beyond_the_line(here, *gain_per_cent, last);
                if (!beyond) {
                    return std::nullopt;
                }
                climbed_faster(here, *beyond, *gain_per_cent);
                skip = std::min(skip_from(here, *gain_per_cent), beyond->cents - cents);
            }
            skipped_from = skip > 1 ? std::optional(here) : std::nullopt;
            cents += skip;
        }
        return std::nullopt;
    }

  private:
    // Where the line runs at a price tried, in the sense in which the target comes nearer, and
    // how far the rounding can take the calculation off it there.
    struct OnTheLine {
        double value, noise, sense;
    };
    struct Point : OnTheLine {
        Point(std::int64_t at, OnTheLine line) : OnTheLine(line), cents(at) {}
        std::int64_t cents;
    };

    OnTheLine on_the_line(const Shown& shown) const {
        // Below a zero amount received the margin turns round: the lower the profit, the higher
        // the margin.
        const double sense = margin_ && shown.received < 0 ? -1 : 1;
        return {sense * (shown.profit - share_ * shown.received - wanted_),
                fees_rounding +
                    (whole_cents_ ? 0 : totals_rounding + std::abs(share_) * half_cent) +
                    rounding_share * (std::abs(shown.received) + std::abs(shown.spent)),
                sense};
    }

    // Compared exactly, in the cents the texts show: a double of a large amount holds its cents
    // only roughly.
    bool reaches(const Shown& shown) const {
        return (margin_ ? shown.margin_cents : shown.profit_cents) >= least_cents_;
    }

    // How many cents on from a price the line could first reach the target: one where it
    // could at that price already, more than any price when it never climbs.
    static std::int64_t skip_from(const OnTheLine& at, double gain_per_cent) {
        const double room = at.value + 2 * at.noise;
        if (room >= 0) {
            return 1;
        }
        const double skip = gain_per_cent <= 0 ? INFINITY : std::ceil(-room / gain_per_cent);
        return skip < static_cast<double>(most_cents) ? static_cast<std::int64_t>(skip)
                                                      : most_cents;
    }

    // Whether the calculation climbed from one price to a later one faster than the line allows,
    // whatever the rounding; if so, the line takes the steepest slope the two could show.
    static bool climbed_faster(const Point& from, const Point& to, double& gain_per_cent) {
        const double cents = static_cast<double>(to.cents - from.cents);
        const double climbed = to.value - from.value;
        if ((climbed - from.noise - to.noise) / cents <= gain_per_cent) {
            return false;
        }
        gain_per_cent = (climbed + from.noise + to.noise) / cents;
        return true;
    }

    // Checks the line where the stretch ends, or in the last stretch at ten, a hundred, a
    // thousand times the price of `from` and so on: the first price where the calculation
    // climbed faster than the line allows, or reaches the target, if any does.
    std::optional<Point> first_beyond_the_line(const Point& from, double gain_per_cent,
                                               std::int64_t last) {
        for (std::int64_t check = from.cents; check < last;) {
            check = last != most_cents || check > last / 10 ? last : check * 10;
            const auto shown = runner_.shown_at(check);
            if (!shown) {
                return std::nullopt;  // every higher price is refused as well
            }
            Point there{check, on_the_line(*shown)};
            double gain = gain_per_cent;
            if (reaches(*shown) || climbed_faster(from, there, gain)) {
                return there;
            }
        }
        return std::nullopt;
    }

    ListingRunner& runner_;
    const bool margin_;
    const std::int64_t least_cents_;  // the shown cents that reach the target
    const double share_;
    const double wanted_;
    const bool whole_cents_;
    const bool payment_fee_counted_;
};

}  // namespace

Solution lowest_end_price(ListingRunner& runner, const Target& target) {
    const auto at_one_cent = runner.shown_at(1);
    if (!at_one_cent) {
        return {Solution::Kind::refused};
    }
    std::vector<std::int64_t> starts{1};
    for (const auto& band : fee_schedule::final_value_bands) {
        if (!band.up_to.unlimited) {
            starts.push_back(band.up_to.amount.cents() + 1);
        }
    }
    if (target.of == Target::Of::margin) {
        // Each cent around the price that makes the amount received zero stands alone.
        const auto zero = static_cast<std::int64_t>(std::llround(1 - at_one_cent->received * 100));
        for (std::int64_t cents = zero - 1; cents <= zero + 2; ++cents) {
            starts.push_back(cents);
        }
    }
    std::sort(starts.begin(), starts.end());
    starts.erase(std::unique(starts.begin(), starts.end()), starts.end());
    starts.erase(starts.begin(), std::find(starts.begin(), starts.end(), 1));
    starts.erase(std::upper_bound(starts.begin(), starts.end(), most_cents), starts.end());

    Search search(runner, target);
    for (std::size_t i = 0; i < starts.size(); ++i) {
        auto solution =
            search.within(starts[i], i + 1 < starts.size() ? starts[i + 1] - 1 : most_cents);
        // Where a double no longer holds every cent the line and the rounding are guesses.
        const auto shown = solution ? runner.shown_at(solution->cents) : std::nullopt;
        if (shown &&
            std::max({static_cast<double>(solution->cents) / 100, std::abs(shown->received),
                      std::abs(shown->spent)}) >= exact_amounts) {
            return {Solution::Kind::inexact};
        }
        if (solution) {
            return *solution;
        }
    }
    return {Solution::Kind::unreachable};
}

}  // namespace corvandel::cli
