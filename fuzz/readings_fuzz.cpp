// The two readings of a field's text must agree wherever the strict one succeeds, and neither
// may fail in any other way on any text at all.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "calc/readings.h"

namespace {

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace corvandel;
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const double leading = leading_number(text);
    require(!std::isnan(leading));
    const auto leading_money = leading_amount(text);
    require(leading_money.has_value() || std::fabs(leading) > 9e14);

    const auto strict = strict_amount(text);
    if (strict) {
        require(is_number(text));
        require(leading_money == strict);
        const double tolerance = 0.00005 + std::fabs(leading) * 1e-15;
        require(std::fabs(strict->to_double() - leading) <= tolerance);
    } else if (is_number(text)) {
        require(std::fabs(leading) > 9e14);  // a number, but outside the Money range
    }
    return 0;
}
