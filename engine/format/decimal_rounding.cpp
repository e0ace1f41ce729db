#include "format/decimal_rounding.h"

#include <array>
#include <bit>
#include <cmath>

namespace korvex {

namespace {

using Wide = unsigned __int128;

constexpr int kMaxPower = 38;  // 10^38 < 2^128

constexpr std::array<Wide, kMaxPower + 1> powersOfTen() {
  std::array<Wide, kMaxPower + 1> powers{};
  Wide value = 1;
  for (int i = 0; i <= kMaxPower; ++i) {
    powers[static_cast<std::size_t>(i)] = value;
    value *= 10;
  }
  return powers;
}
constexpr std::array<Wide, kMaxPower + 1> kPowersOfTen = powersOfTen();

// 5^0 .. 5^31: m 5^k stays below 2^126 for every 53-bit m.
constexpr int kMaxFivePower = 31;
constexpr std::array<Wide, kMaxFivePower + 1> powersOfFive() {
  std::array<Wide, kMaxFivePower + 1> powers{};
  Wide value = 1;
  for (int i = 0; i <= kMaxFivePower; ++i) {
    powers[static_cast<std::size_t>(i)] = value;
    value *= 5;
  }
  return powers;
}
constexpr std::array<Wide, kMaxFivePower + 1> kPowersOfFive = powersOfFive();

// 10^(e+1) for e = -40 .. 40 as doubles (close, not all exact): the estimate of the decimal
// exponent is moved up when the value reaches the next decade, so that the exact scaling
// below seldom has to be repeated.
constexpr int kHintLow = -40;
constexpr int kHintHigh = 40;
constexpr std::array<double, kHintHigh - kHintLow + 1> decadeHints() {
  std::array<double, kHintHigh - kHintLow + 1> hints{};
  for (int e = kHintLow; e <= kHintHigh; ++e) {
    double value = 1.0;
    for (int i = 0; i < (e + 1 >= 0 ? e + 1 : -(e + 1)); ++i) value = e + 1 >= 0 ? value * 10.0 : value / 10.0;
    hints[static_cast<std::size_t>(e - kHintLow)] = value;
  }
  return hints;
}
constexpr std::array<double, kHintHigh - kHintLow + 1> kNextDecade = decadeHints();

int bitLength(Wide value) {
  const auto high = static_cast<std::uint64_t>(value >> 64);
  if (high != 0) return 128 - std::countl_zero(high);
  return 64 - std::countl_zero(static_cast<std::uint64_t>(value));
}

// round(m x 2^q x 10^k) to nearest, ties to even; false when the fraction does not fit.
bool scaledRounded(std::uint64_t m, int q, int k, Wide& result) {
  if (k >= 0 && k <= kMaxFivePower) {
    // The usual case: 10^k = 5^k 2^k, so m 10^k 2^q is m 5^k (below 2^126) shifted by q + k:
    // a shift and a mask instead of a division.
    const Wide numerator = static_cast<Wide>(m) * kPowersOfFive[static_cast<std::size_t>(k)];
    const int shift = -q - k;
    if (shift <= 0) {
      if (bitLength(numerator) - shift > 127) return false;
      result = numerator << -shift;
      return true;
    }
    if (shift > 126) return false;
    Wide quotient = numerator >> shift;
    const Wide remainder = numerator & ((Wide{1} << shift) - 1);
    const Wide half = Wide{1} << (shift - 1);
    if (remainder > half || (remainder == half && (quotient & 1) != 0)) ++quotient;
    result = quotient;
    return true;
  }
  if (k > kMaxPower || -k > kMaxPower) return false;
  const Wide tenPower = kPowersOfTen[static_cast<std::size_t>(k >= 0 ? k : -k)];
  Wide numerator = m;
  Wide denominator = 1;
  if (k >= 0) {
    if (bitLength(numerator) + bitLength(tenPower) > 127) return false;
    numerator *= tenPower;
  } else {
    denominator = tenPower;
  }
  if (q >= 0) {
    if (bitLength(numerator) + q > 127) return false;
    numerator <<= q;
  } else {
    if (bitLength(denominator) - q > 127) return false;
    denominator <<= -q;
  }
  Wide quotient = 0;
  Wide remainder = 0;
  if (k >= 0) {
    // The denominator is a power of two: a shift and a mask instead of a division.
    const int shift = q < 0 ? -q : 0;
    quotient = shift >= 128 ? 0 : numerator >> shift;
    remainder = numerator - (quotient << shift);
  } else {
    quotient = numerator / denominator;
    remainder = numerator - quotient * denominator;
  }
  const Wide twiceRemainder = remainder * 2;
  if (twiceRemainder > denominator || (twiceRemainder == denominator && (quotient & 1) != 0)) ++quotient;
  result = quotient;
  return true;
}

// 10^0 .. 10^22, every one exact in a double.
constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                        1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The common case in double arithmetic: with at most nine digits the value scaled by an exact
// power of ten is off by less than 2^-23 (one rounding of a number below 2^30), so unless its
// fraction lies within 1.0E-6 of a half, rounding the computed value rounds the exact one.
// False when the case is not that simple; the integer path decides it then.
bool roundedInDoubles(double magnitude, int significant, int decimalExponent, RoundedDecimal& rounded) {
  if (significant > 9) return false;
  const int k = significant - 1 - decimalExponent;
  if (k > 22 || k < -22) return false;
  const double scaled = k >= 0 ? magnitude * kExactPowersOfTen[k] : magnitude / kExactPowersOfTen[-k];
  if (!(scaled < 4.0E9)) return false;
  const auto whole = static_cast<std::uint64_t>(scaled);  // the floor: scaled is not negative
  const double fraction = scaled - static_cast<double>(whole);
  if (std::fabs(fraction - 0.5) <= 1.0E-6) return false;
  const std::uint64_t digits = whole + (fraction > 0.5 ? 1 : 0);
  if (digits < static_cast<std::uint64_t>(kPowersOfTen[static_cast<std::size_t>(significant - 1)]) ||
      digits >= static_cast<std::uint64_t>(kPowersOfTen[static_cast<std::size_t>(significant)]))
    return false;
  rounded.digits = digits;
  rounded.exponent = decimalExponent + 1;
  return true;
}

}  // namespace

namespace {

// The exact path: the integer fraction scaled until its rounded value has `significant`
// digits.
[[gnu::noinline]] bool roundedInIntegers(std::uint64_t m, int q, int significant, int decimalExponent,
                                         RoundedDecimal& rounded) {
  const Wide lowest = kPowersOfTen[static_cast<std::size_t>(significant - 1)];
  const Wide highest = kPowersOfTen[static_cast<std::size_t>(significant)];
  for (int attempt = 0; attempt < 3; ++attempt) {
    Wide scaled = 0;
    if (!scaledRounded(m, q, significant - 1 - decimalExponent, scaled)) return false;
    if (scaled >= highest) {
      ++decimalExponent;
    } else if (scaled < lowest) {
      --decimalExponent;
    } else {
      rounded.digits = static_cast<std::uint64_t>(scaled);
      rounded.exponent = decimalExponent + 1;
      return true;
    }
  }
  return false;
}

}  // namespace

bool roundToSignificantDigits(double magnitude, int significant, RoundedDecimal& rounded) {
  if (!(magnitude > 0.0) || !std::isfinite(magnitude) || significant < 1 || significant > 17) return false;
  const auto bits = std::bit_cast<std::uint64_t>(magnitude);
  const int biased = static_cast<int>((bits >> 52) & 0x7FF);
  std::uint64_t m = bits & ((std::uint64_t{1} << 52) - 1);
  int q = -1074;
  if (biased != 0) {
    m |= std::uint64_t{1} << 52;
    q = biased - 1075;
  }
  // The decimal exponent estimated from the binary one; corrected below when one off.
  const int binaryExponent = q + 63 - std::countl_zero(m);
  // floor(e log10 2) in integers: 78913 / 2^18 approximates log10 2 closely enough for
  // every binary exponent of a double.
  int decimalExponent = (binaryExponent * 78913) >> 18;
  if (decimalExponent >= kHintLow && decimalExponent <= kHintHigh &&
      magnitude >= kNextDecade[static_cast<std::size_t>(decimalExponent - kHintLow)])
    ++decimalExponent;
  if (roundedInDoubles(magnitude, significant, decimalExponent, rounded)) return true;
  return roundedInIntegers(m, q, significant, decimalExponent, rounded);
}

}  // namespace korvex
