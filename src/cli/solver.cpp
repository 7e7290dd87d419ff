#include "cli/solver.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "calc/fee_schedule.h"
#include "calc/readings.h"

namespace corvandel::cli {

const std::string_view lowest_explained =
    "\"Lowest\" means the lowest whole-cent ending price from 0.01 up whose calculation shows at "
    "least the target. Within each band of the final value fee, the profit (less the target "
    "margin's share of the amount received) follows the ending price at the rates of the fee "
    "schedule, and the rounding of the fees and totals to cents moves the shown figures by a "
    "few cents at most from that line. So each calculation on the way tells how far off the target "
    "is: the search skips the prices that cannot reach it and tries, cent by cent, every price "
    "where the rounding could decide, and no lower price reaches the target.";

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
// the final value fee that holds this price.
double fees_per_dollar(std::int64_t cents) {
    const Money price = Money::from_count(cents * 100);
    double rate = 0;
    for (const auto& band : fee_schedule::final_value_bands) {
        if (meets_upper_bound(price, band.up_to)) {
            rate = band.rate.to_double();
            break;
        }
    }
    return rate + fee_schedule::payment_rate;
}

}  // namespace

// The search compares the shown profit, less a share of the amount received for a margin, with
// what it must reach. Within a stretch of prices that one band of the final value fee holds, on
// one side of the price where the amount received is zero, that difference follows a straight
// line of known slope, give or take the rounding; so a price that misses the target by more
// than the rounding rules out every price up to where the line could have climbed to it.
Solution lowest_end_price(ListingRunner& runner, const Target& target) {
    const auto at_one_cent = runner.shown_at(1);
    if (!at_one_cent) {
        return {Solution::Kind::refused};
    }
    const bool margin = target.of == Target::Of::margin;
    // A margin shows with two decimals: it reaches M % when the profit is at least the lowest
    // two-decimal percentage from M up, less half its last digit, of the amount received.
    const std::int64_t count = target.at_least.count();
    const double least_shown = static_cast<double>(count / 100 + (count % 100 > 0 ? 1 : 0)) / 100;
    const double share = margin ? (least_shown - half_cent) / 100 : 0;
    const double wanted = margin ? 0 : target.at_least.to_double();
    const bool whole_cents = runner.costs_in_whole_cents();

    std::vector<std::int64_t> starts{1};
    for (const auto& band : fee_schedule::final_value_bands) {
        if (!band.up_to.unlimited) {
            starts.push_back(band.up_to.amount.cents() + 1);
        }
    }
    if (margin) {
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

    for (std::size_t i = 0; i < starts.size(); ++i) {
        const std::int64_t last = i + 1 < starts.size() ? starts[i + 1] - 1 : most_cents;
        const double slope = 1 - fees_per_dollar(starts[i]) - share;
        for (std::int64_t cents = starts[i]; cents <= last;) {
            const auto shown = cents == 1 ? at_one_cent : runner.shown_at(cents);
            if (!shown) {
                return {Solution::Kind::unreachable};
            }
            if ((margin ? shown->margin : shown->profit) >= target.at_least.to_double()) {
                return {Solution::Kind::found, cents};
            }
            const double received = shown->received;
            // Below a zero amount received the margin turns round: the lower the profit, the
            // higher the margin.
            const double sense = margin && received < 0 ? -1 : 1;
            const double noise = fees_rounding +
                                 (whole_cents ? 0 : totals_rounding + std::abs(share) * half_cent) +
                                 rounding_share * (std::abs(received) + std::abs(shown->spent));
            const double room = sense * (shown->profit - share * received - wanted) + 2 * noise;
            const double gain_per_cent = sense * slope / 100;
            if (room >= 0) {
                ++cents;
            } else if (gain_per_cent <= 0) {
                break;  // the line only falls away from the target
            } else {
                const double skip = std::ceil(-room / gain_per_cent);
                if (skip > static_cast<double>(last - cents)) {
                    break;
                }
                cents += static_cast<std::int64_t>(skip);
            }
        }
    }
    return {Solution::Kind::unreachable};
}

}  // namespace corvandel::cli
