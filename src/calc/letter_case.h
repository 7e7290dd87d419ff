#pragma once

#include <algorithm>
#include <string>
#include <string_view>

namespace corvandel {

// The text with the letters A to Z made lower case; keywords are plain English words, and other
// characters are left as they are, whatever the user's regional settings.
std::string lower_case(std::string_view text);

// Whether the text is the lower-case word in any letter case, compared in place: it is asked
// several times for every listing.
inline bool is_word_in_any_case(std::string_view text, std::string_view lower_case_word) {
    return std::equal(
        text.begin(), text.end(), lower_case_word.begin(), lower_case_word.end(),
        [](char c, char w) { return (c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c) == w; });
}

}  // namespace corvandel
