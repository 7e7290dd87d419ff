#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "calc/money.h"

namespace corvandel {

// The texts results are shown in. Always a point as the decimal separator, never a thousands
// separator, and never a minus sign on an amount that shows as zero.

// "0.00": at least one digit before the point, exactly two after it (1234.5 as 1234.50).
std::string two_decimal_text(std::int64_t cents);

// The texts of a whole number of cents, "0.00" and the plain form below, written in place: the
// Calculate run writes many and needs no string for each.
class CentsText {
  public:
    explicit CentsText(std::int64_t cents);

    std::string_view two_decimals() const {
        return {chars_.data() + start_, chars_.size() - start_};
    }
    std::string_view plain() const;

  private:
    // A sign, up to 17 whole digits, the point and two decimals, at the end.
    std::array<char, 24> chars_;
    std::size_t start_;
};

// The amount rounded to cents, an exact half going to the even cent, as "0.00".
std::string amount_text(Money amount);

// The amount rounded to cents like amount_text, in its shortest form: no trailing zeros and no
// point for a whole amount (0.1, 30.56, 31, 0, -0.52).
std::string plain_amount_text(Money amount);

// The double that a text of these whole cents, in either form above, reads as: the nearest one
// to cents / 100. Up to 2^53 both the cents and 100 are exact doubles, and one division rounds
// their quotient to the nearest; beyond, the cents would be rounded on the way in, so the text is
// read instead.
double number_of_large_cents(std::int64_t cents);
inline double number_of_cents(std::int64_t cents) {
    constexpr std::int64_t exact_limit = std::int64_t{1} << 53;
    if (cents >= -exact_limit && cents <= exact_limit) {
        return static_cast<double>(cents) / 100;
    }
    return number_of_large_cents(cents);
}

// A double rounded directly to two decimals from its exact value, an exact half going to the
// even cent, as "0.00".
std::string two_decimal_text_of(double value);
// The same written out in full from the double's digits, for values whose cents do not fit a
// count.
std::string two_decimal_text_in_full(double value);

// A double within the Money range taken to 15 significant digits first, then rounded to cents
// with an exact half going away from zero (0.30500000000000005 and 0.305 both make 31 cents).
std::int64_t cents_from_15_digits(double value);

}  // namespace corvandel
