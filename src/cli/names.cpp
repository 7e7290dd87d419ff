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
        const bool letter = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                            static_cast<unsigned char>(c) >= 0x80;
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
