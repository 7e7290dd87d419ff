#include "inventory.h"

#include <array>
#include <cstdio>
#include <string_view>

namespace corvandel::bench {

namespace {

constexpr std::array<std::string_view, 14> ticks{
    "gallery",      "bold",      "subtitle",        "ten_day",       "border",
    "highlight",    "gift",      "double_category", "featured_plus", "homepage_featured",
    "picture_show", "supersize", "picture_pack",    "count_paypal"};

// An amount in cents up to `most` dollars, written as a seller would: "12.5", "12.50" or "12".
std::string amount(std::mt19937_64& random, std::uint64_t most) {
    const std::uint64_t cents = random() % (most * 100 + 1);
    char text[32];
    switch (random() % 3) {
        case 0:
            std::snprintf(text, sizeof text, "%llu", static_cast<unsigned long long>(cents / 100));
            break;
        default:
            std::snprintf(text, sizeof text, "%llu.%02llu",
                          static_cast<unsigned long long>(cents / 100),
                          static_cast<unsigned long long>(cents % 100));
    }
    return text;
}

// Mostly nothing, sometimes an amount.
std::string optional_amount(std::mt19937_64& random, std::string_view nothing, unsigned share,
                            std::uint64_t most) {
    return random() % 100 < share ? amount(random, most) : std::string(nothing);
}

}  // namespace

std::string Inventory::header() {
    std::string header =
        "sku,title,item_cost,start_price,buy_it_now,reserve,end_price,shipping_charged,"
        "shipping_cost,other_costs,pictures";
    for (std::string_view tick : ticks) {
        header += ',';
        header += tick;
    }
    return header + '\n';
}

void Inventory::append_row(std::string& csv) {
    ++row_;
    auto& r = random_;
    csv += "SKU-" + std::to_string(row_);
    csv += r() % 4 == 0 ? ",\"Vintage lamp, brass, working\"" : ",Paperback novel";
    const std::array<std::string_view, 3> free{"Free", "free", ""};
    csv += ',' + (r() % 5 == 0 ? std::string(free[r() % 3]) : amount(r, 300));
    csv += ',' + amount(r, 100);
    csv += ',' + optional_amount(r, "None", 20, 400);
    csv += ',' + optional_amount(r, r() % 2 ? "None" : "none", 15, 600);
    csv += ',' + (r() % 20 == 0 ? std::string("None") : amount(r, 1500));
    csv += ',' + optional_amount(r, "None", 60, 25);
    csv += ',' + optional_amount(r, "", 60, 20);
    csv += ',' + optional_amount(r, "None", 10, 5);
    csv += ',' + std::to_string(1 + r() % 12);
    for (std::size_t i = 0; i < ticks.size(); ++i) {
        const bool paypal = i + 1 == ticks.size();
        const bool ticked = paypal ? r() % 10 != 0 : r() % 8 == 0;
        // The pack excludes the two picture options it contains; the batch would refuse both.
        const bool excluded = (ticks[i] == "picture_show" || ticks[i] == "supersize");
        csv += ',';
        csv += ticked && !excluded ? (r() % 2 ? "1" : "yes") : (r() % 2 ? "0" : "");
    }
    csv += '\n';
}

}  // namespace corvandel::bench
