#pragma once

#include <cstdint>
#include <string>

#include "calc/money.h"

namespace corvandel {

// The texts results are shown in. Always a point as the decimal separator, never a thousands
// separator, and never a minus sign on an amount that shows as zero.

// Whole cents as "0.00": at least one digit before the point, exactly two after it (1234.5 as
// 1234.50).
std::string two_decimal_text(std::int64_t cents);

// The amount rounded to cents, an exact half going to the even cent, as "0.00".
std::string amount_text(Money amount);

// The amount rounded to cents like amount_text, in its shortest form: no trailing zeros and no
// point for a whole amount (0.1, 30.56, 31, 0, -0.52).
std::string plain_amount_text(Money amount);

// The double that a text of these whole cents reads as.
double number_of_cents(std::int64_t cents);

// A double rounded directly to two decimals from its exact value, an exact half going to the
// even cent, as "0.00".
std::string two_decimal_text_of(double value);

// A double within the Money range taken to 15 significant digits first, then rounded to cents
// with an exact half going away from zero (0.30500000000000005 and 0.305 both make 31 cents).
std::int64_t cents_from_15_digits(double value);

}  // namespace corvandel
