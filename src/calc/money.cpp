#include "calc/money.h"

#include "calc/rounding.h"

namespace corvandel {

namespace {

std::optional<Money> money_from(std::optional<std::int64_t> count) {
    if (!count) {
        return std::nullopt;
    }
    return Money::from_count(*count);
}

}  // namespace

std::optional<Money> Money::times(Money other) const {
    const bool negative = (count_ < 0) != (other.count_ < 0);
    const Magnitude exact = Magnitude{magnitude_of(count_)} * magnitude_of(other.count_);
    // Most products fit 64 bits, where dividing is much cheaper.
    const Magnitude rounded = exact >> 64 == 0
                                  ? divide_rounded(static_cast<std::uint64_t>(exact), per_dollar)
                                  : divide_rounded(exact, per_dollar);
    return money_from(signed_count(negative, rounded));
}

}  // namespace corvandel
