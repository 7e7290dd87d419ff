#include "cli/names.h"

#include <algorithm>
#include <string>
#include <vector>

namespace corvandel::cli {

std::string lower_case(std::string_view text) {
    std::string lowered(text);
    std::transform(lowered.begin(), lowered.end(), lowered.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return lowered;
}

std::string normalised_name(std::string_view name) {
    std::string plain;
    bool gap = false;
    for (const char c : lower_case(name)) {
        const bool letter = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
        if (letter && gap && !plain.empty()) {
            plain += '_';
        }
        if (letter) {
            plain += c;
        }
        gap = !letter;
    }
    return plain;
}

bool shares_a_word(std::string_view one, std::string_view other) {
    const auto words = [](std::string_view name) {
        std::vector<std::string_view> all;
        for (std::size_t at = 0; at < name.size();) {
            const std::size_t end = std::min(name.find('_', at), name.size());
            all.push_back(name.substr(at, end - at));
            at = end + 1;
        }
        return all;
    };
    for (const std::string_view a : words(one)) {
        for (const std::string_view b : words(other)) {
            const std::string_view shorter =
                std::min(a, b, [](auto x, auto y) { return x.size() < y.size(); });
            const std::string_view longer = shorter == a ? b : a;
            if (longer.starts_with(shorter) && longer.size() - shorter.size() <= 1 &&
                (longer.size() == shorter.size() || longer.back() == 's')) {
                return true;
            }
        }
    }
    return false;
}

bool reads_as_money(std::string_view name) {
    return shares_a_word(name,
                         "cost_price_fee_charge_charged_shipping_postage_reserve_paypal_bin_"
                         "bid_delivery_handling_amount");
}

bool is_near(std::string_view typed, std::string_view name) {
    const std::size_t slips = name.size() > 4 ? 2 : 1;
    if (typed == name ||
        std::max(typed.size(), name.size()) > std::min(typed.size(), name.size()) + slips) {
        return false;
    }
    // How many letters must be added, dropped or changed to make one the other, row by row.
    std::vector<std::size_t> row(name.size() + 1), next(name.size() + 1);
    for (std::size_t j = 0; j <= name.size(); ++j) {
        row[j] = j;
    }
    for (std::size_t i = 1; i <= typed.size(); ++i) {
        next[0] = i;
        for (std::size_t j = 1; j <= name.size(); ++j) {
            next[j] =
                std::min({row[j] + 1, next[j - 1] + 1, row[j - 1] + (typed[i - 1] != name[j - 1])});
        }
        std::swap(row, next);
    }
    return row[name.size()] <= slips;
}

}  // namespace corvandel::cli
