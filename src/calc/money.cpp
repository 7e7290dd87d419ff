#include "calc/money.h"

#include <limits>

namespace corvandel {

std::optional<Money> Money::times(Money other) const {
    // Every product of two counts fits 128 bits.
    __extension__ using Wide = __int128;
    const Wide product = divide_rounded(Wide{count_} * other.count_, Wide{per_dollar});
    if (product < std::numeric_limits<std::int64_t>::min() ||
        product > std::numeric_limits<std::int64_t>::max()) {
        return std::nullopt;
    }
    return from_count(static_cast<std::int64_t>(product));
}

}  // namespace corvandel
