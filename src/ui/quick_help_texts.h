#pragma once

#include <optional>
#include <string_view>

#include "form/control.h"

namespace corvandel {

// The sentence the help line shows while the pointer is over a price field or an option tick
// box; none for any other control.
std::optional<std::string_view> quick_help_text(Control control);

}  // namespace corvandel
