#pragma once

#include <string>
#include <string_view>

namespace corvandel {

// The text with the letters A to Z made lower case; keywords are plain English words, and other
// characters are left as they are, whatever the user's regional settings.
std::string lower_case(std::string_view text);

}  // namespace corvandel
