#include "format/hand_over_rounding.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <system_error>

#include "format/decimal_rounding.h"

namespace korvex {

namespace {

constexpr int kSignificant = 3;
constexpr int kLargestExponent = 99;  // an E field's exponent has two digits

// 10^0 .. 10^22, every one exact in a double.
constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                        1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int kLargestExactPower = 22;

// The three digits and the exponent of |value| through the standard library, for the
// magnitudes the integer rounding leaves to it.
RoundedDecimal roundedByLibrary(double magnitude) {
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific, kSignificant - 1).ptr;
  RoundedDecimal rounded;
  const char* p = text;
  for (; p < end && *p != 'e'; ++p)
    if (*p != '.') rounded.digits = rounded.digits * 10 + static_cast<std::uint64_t>(*p - '0');
  int exponent = 0;
  std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), end, exponent);
  rounded.exponent = exponent + 1;
  return rounded;
}

}  // namespace

double roundAsE10_3(double value) {
  if (!std::isfinite(value) || value == 0.0) return value;
  const double magnitude = std::fabs(value);
  RoundedDecimal rounded;
  if (!roundToSignificantDigits(magnitude, kSignificant, rounded)) rounded = roundedByLibrary(magnitude);
  if (rounded.exponent > kLargestExponent || rounded.exponent < -kLargestExponent) return value;
  // value = digits x 10^power: one multiplication or division by an exact power of ten is
  // correctly rounded, as a read of the text is; beyond those powers the text is read.
  const int power = rounded.exponent - kSignificant;
  const double digits = static_cast<double>(rounded.digits);
  double result = 0.0;
  if (power >= 0 && power <= kLargestExactPower) {
    result = digits * kExactPowersOfTen[power];
  } else if (power < 0 && -power <= kLargestExactPower) {
    result = digits / kExactPowersOfTen[-power];
  } else {
    const std::string text = std::to_string(rounded.digits) + "e" + std::to_string(power);
    std::from_chars(text.data(), text.data() + text.size(), result);
  }
  return std::signbit(value) ? -result : result;
}

}  // namespace korvex
