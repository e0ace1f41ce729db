// Exact rounding of a double to a number of significant decimal digits, in integer
// arithmetic: the value m x 2^q is scaled by a power of ten as a fraction of two 128-bit
// integers, so the quotient and the remainder decide the rounding exactly (ties to even, as
// the standard library's conversions round). It covers the magnitudes reports hold; outside
// them the caller converts through the standard library instead.
#pragma once

#include <cstdint>

namespace korvex {

struct RoundedDecimal {
  std::uint64_t digits = 0;  // exactly `significant` decimal digits
  int exponent = 0;          // value = 0.d1d2...ds x 10^exponent
};

// Rounds |value| > 0 (finite) to `significant` digits, 1 to 17. Returns false when the
// scaled fraction does not fit in 128 bits.
bool roundToSignificantDigits(double magnitude, int significant, RoundedDecimal& rounded);

}  // namespace korvex
