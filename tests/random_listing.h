#pragma once

#include <random>
#include <string>

#include "cli/listing.h"
#include "input/option_interlocks.h"

namespace corvandel {

// A listing drawn at random over every input the search could misjudge: the PayPal fee counted
// or not, shipping charged or not (below zero too), costs in fractions of a cent and below zero,
// pictures, upgrades and the listing fee's prices.
inline cli::Listing random_listing(std::mt19937_64& random) {
    const auto chance = [&random](int percent) {
        return std::uniform_int_distribution<int>(0, 99)(random) < percent;
    };
    // Up to `most` dollars, in whole cents or in ten-thousandths.
    const auto amount = [&](std::int64_t most) {
        std::int64_t count = std::uniform_int_distribution<std::int64_t>(0, most * 10'000)(random);
        count -= chance(60) ? count % 100 : 0;
        return std::to_string(count / 10'000) + "." +
               std::to_string(10'000 + count % 10'000).substr(1);
    };
    cli::Listing listing;
    const auto type = [&](std::size_t input, int percent, const std::string& text) {
        if (chance(percent)) {
            listing.texts[input] = text;
        }
    };
    type(0, 70, amount(chance(80) ? 60 : 1500));                          // item cost
    type(1, 70, amount(600));                                             // starting price
    type(2, 20, amount(100));                                             // Buy-It-Now
    type(3, 20, amount(800));                                             // reserve
    type(5, 50, (chance(10) ? "-" : "") + amount(20));                    // shipping charged
    type(6, 50, amount(20));                                              // shipping cost
    type(7, 30, (chance(15) ? "-" : "") + amount(chance(80) ? 5 : 400));  // other costs
    type(8, 100, std::to_string(1 + random() % 12) + (chance(10) ? ".5" : ""));
    for (std::size_t tick = 0; tick < cli::tick_inputs; ++tick) {
        const bool paypal =
            cli::input_names[cli::text_inputs + tick].control == Control::chk_paypal;
        listing.ticks[tick] = chance(paypal ? 50 : 15);
    }
    for (const Interlock& lock : option_interlocks) {
        if (listing.ticks[cli::input_of(lock.box) - cli::text_inputs] == true) {
            listing.ticks[cli::input_of(lock.other) - cli::text_inputs] = false;
        }
    }
    return listing;
}

}  // namespace corvandel
