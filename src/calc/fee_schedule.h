#pragma once

#include <span>

#include "calc/money.h"
#include "calc/tiers.h"
#include "form/control.h"

namespace corvandel::fee_schedule {

using money_literals::operator""_usd;

// Listing upgrades, in the order they are added up.
struct Upgrade {
    Control box;
    Money price;
};

// clang-format off
inline constexpr Upgrade listing_upgrades[] = {
    {Control::chk_sub,       0.50_usd},
    {Control::chk_gallery,   0.35_usd},
    {Control::chk_bold,      1.00_usd},
    {Control::chk_10day,     0.40_usd},
    {Control::chk_border,    3.00_usd},
    {Control::chk_highlight, 5.00_usd},
    {Control::chk_gift,      0.25_usd},
    {Control::chk_gfeatured, 19.95_usd},
    {Control::chk_fplus,     19.95_usd},
    {Control::chk_hfeatured, 39.95_usd},
};
// clang-format on

// Upgrades bought together cost less.
struct CombinationDiscount {
    std::span<const Control> all_of;
    Money discount;
};

inline constexpr Control gallery_and_sub_title[] = {Control::chk_gallery, Control::chk_sub};
inline constexpr Control five_visibility_upgrades[] = {Control::chk_bold, Control::chk_border,
                                                       Control::chk_gfeatured, Control::chk_fplus,
                                                       Control::chk_highlight};

inline constexpr CombinationDiscount combination_discounts[] = {
    {gallery_and_sub_title, 0.20_usd},
    {five_visibility_upgrades, 18.95_usd},
};

// clang-format off

// On the Buy-It-Now price. Prices between two tiers, and 0 or less, pay nothing.
inline constexpr Tier buy_it_now_fees[] = {
    {more_than(0.00_usd), at_most(9.99_usd),  0.05_usd},
    {at_least(10.00_usd), at_most(24.99_usd), 0.10_usd},
    {at_least(25.00_usd), at_most(49.99_usd), 0.20_usd},
    {at_least(50.00_usd), no_limit,           0.25_usd},
};

// On the reserve price; from 200.00 up, one per cent of the reserve. That share is a double:
// the fee schedule works it in floating point and takes the product to Money.
inline constexpr Tier reserve_fees[] = {
    {more_than(0.00_usd),  at_most(49.99_usd),  1.00_usd},
    {at_least(50.00_usd),  at_most(199.99_usd), 2.00_usd},
    {at_least(200.00_usd), no_limit,            Charge::share(0.01)},
};

// On the starting price, or on the reserve when there is one. A price in no tier is an error.
inline constexpr Tier insertion_fees[] = {
    {more_than(0.00_usd),  at_most(0.99_usd),   0.20_usd},
    {at_least(1.00_usd),   at_most(9.99_usd),   0.35_usd},
    {at_least(10.00_usd),  at_most(24.99_usd),  0.60_usd},
    {at_least(25.00_usd),  at_most(49.99_usd),  1.20_usd},
    {at_least(50.00_usd),  at_most(199.99_usd), 2.40_usd},
    {at_least(200.00_usd), at_most(499.99_usd), 3.60_usd},
    {at_least(500.00_usd), no_limit,            4.80_usd},
};
// clang-format on

// Picture options.
inline constexpr Money picture_show = 0.25_usd;
inline constexpr Money supersize_pictures = 0.75_usd;
inline constexpr Money picture_pack_up_to_six = 1.00_usd;
inline constexpr Money picture_pack_over_six = 1.50_usd;
inline constexpr int picture_pack_small_limit = 6;
// Each picture after the first, when there is no picture pack; worked in floating point.
inline constexpr double each_extra_picture = 0.15;

// Final value fee: a fixed part plus a rate on the balance of the ending price above the band's
// start. The bands do not overlap; negative ending prices fall in the first. The rates are Money
// like the amounts: the fee is worked exactly, to the nearest ten-thousandth, unlike the payment
// fee and the reserve's share, which the schedule works in floating point.
struct FinalValueBand {
    Bound up_to;
    Money fixed_part;
    Money balance_above;
    Money rate;
};

// clang-format off
inline constexpr FinalValueBand final_value_bands[] = {
    {at_most(25.00_usd),   0.00_usd,  0.00_usd,    0.0525_usd},
    {at_most(1000.00_usd), 1.31_usd,  25.00_usd,   0.03_usd},
    // 30.56 is the fee of the band below at 1000.00, so that the fee never falls as the ending
    // price rises past it.
    {no_limit,             30.56_usd, 1000.00_usd, 0.015_usd},
};
// clang-format on

// The payment service's fee on what the buyer pays: a rate and a fixed part as doubles, because
// the schedule works this fee in floating point before taking it to Money.
inline constexpr double payment_rate = 0.029;
inline constexpr double payment_fixed = 0.30;

}  // namespace corvandel::fee_schedule
