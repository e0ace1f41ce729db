// The integer rounding of doubles to significant digits against the standard library's
// exact conversion: random values over the magnitudes reports hold, exact ties, values that
// round up into the next decade, and the limits where the integer path gives way.
#include "format/decimal_rounding.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>

namespace korvex {
namespace {

// The digits and decade exponent that std::to_chars gives for `significant` digits.
RoundedDecimal reference(double magnitude, int significant) {
  char buffer[64];
  const auto end =
      std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, significant - 1).ptr;
  RoundedDecimal expected;
  const char* p = buffer;
  for (; p < end && *p != 'e'; ++p)
    if (*p != '.') expected.digits = expected.digits * 10 + static_cast<std::uint64_t>(*p - '0');
  expected.exponent = std::stoi(std::string(p + 1, static_cast<const char*>(end))) + 1;
  return expected;
}

void expectAgrees(double magnitude, int significant) {
  RoundedDecimal rounded;
  if (!roundToSignificantDigits(magnitude, significant, rounded)) return;  // left to the library
  const RoundedDecimal expected = reference(magnitude, significant);
  EXPECT_EQ(rounded.digits, expected.digits) << magnitude << " to " << significant;
  EXPECT_EQ(rounded.exponent, expected.exponent) << magnitude << " to " << significant;
}

TEST(DecimalRounding, AgreesWithTheLibraryOverTheMagnitudesOfReports) {
  std::mt19937_64 random(20261210);
  std::uniform_real_distribution<double> decade(-16.0, 16.0);
  std::uniform_int_distribution<int> digits(1, 17);
  int covered = 0;
  for (int i = 0; i < 200000; ++i) {
    const double magnitude = std::pow(10.0, decade(random));
    const int significant = digits(random);
    RoundedDecimal rounded;
    covered += roundToSignificantDigits(magnitude, significant, rounded) ? 1 : 0;
    expectAgrees(magnitude, significant);
  }
  // The integer path is the fast one: it must take nearly all of these.
  EXPECT_GT(covered, 150000);
}

TEST(DecimalRounding, ExactTiesGoToTheEvenDigit) {
  for (const double tie : {0.125, 0.375, 2.5, 3.5, 1.25, 1.75, 0.5, 1.5, 1024.5, 4.0625})
    for (int significant = 1; significant <= 4; ++significant) expectAgrees(tie, significant);
  RoundedDecimal rounded;
  ASSERT_TRUE(roundToSignificantDigits(0.125, 2, rounded));
  EXPECT_EQ(rounded.digits, 12u);
  ASSERT_TRUE(roundToSignificantDigits(0.375, 2, rounded));
  EXPECT_EQ(rounded.digits, 38u);
}

// Decimal halves that a double holds only approximately round by the value actually held:
// 2.675 is 2.67499999..., 1.005 is 1.00499999..., 0.0012345 is 0.00123450000000000002...
TEST(DecimalRounding, ValuesJustOffAHalfRoundByTheValueTheDoubleHolds) {
  RoundedDecimal rounded;
  ASSERT_TRUE(roundToSignificantDigits(2.675, 3, rounded));
  EXPECT_EQ(rounded.digits, 267u);
  ASSERT_TRUE(roundToSignificantDigits(1.005, 3, rounded));
  EXPECT_EQ(rounded.digits, 100u);
  for (const double value : {2.675, 1.005, 1.2345, 0.0012345, 8.345, 123456.5e-3, 0.45, 1.0E-14 * 1.5, 7.0E8 + 0.5})
    for (int significant = 1; significant <= 17; ++significant) expectAgrees(value, significant);
  std::mt19937_64 random(7);
  std::uniform_int_distribution<std::uint64_t> digits(1, 99999999);
  std::uniform_int_distribution<int> decade(-12, 12);
  for (int i = 0; i < 20000; ++i) {
    // d.5 x 10^e written in decimal: the nearest double is a hair above or below the half.
    const double value = (static_cast<double>(digits(random)) + 0.5) * std::pow(10.0, decade(random));
    for (int significant = 1; significant <= 10; ++significant) expectAgrees(value, significant);
  }
}

// Ten to seventeen digits, the list-directed fields of plot files: random doubles (every bit
// pattern of the mantissa, not only decimal-looking values) and doubles one step either side of
// a decimal half at the 17th digit.
TEST(DecimalRounding, ManyDigitsAgreeWithTheLibraryOnEveryKindOfDouble) {
  std::mt19937_64 random(17);
  std::uniform_real_distribution<double> decade(-12.0, 18.0);
  std::uniform_int_distribution<int> digits(10, 17);
  for (int i = 0; i < 100000; ++i) expectAgrees(std::pow(10.0, decade(random)), digits(random));
  std::uniform_int_distribution<std::uint64_t> mantissa(10000000000000000u, 99999999999999999u);
  for (int i = 0; i < 20000; ++i) {
    const double half = (static_cast<double>(mantissa(random)) + 0.5) * 1.0E-10;
    for (const double value : {half, std::nextafter(half, 0.0), std::nextafter(half, 1.0E30)}) {
      expectAgrees(value, 17);
      expectAgrees(value, 16);
    }
  }
}

TEST(DecimalRounding, RoundingUpIntoTheNextDecadeMovesTheExponent) {
  RoundedDecimal rounded;
  ASSERT_TRUE(roundToSignificantDigits(9.9996, 4, rounded));
  EXPECT_EQ(rounded.digits, 1000u);
  EXPECT_EQ(rounded.exponent, 2);  // 0.1000 x 10^2
  ASSERT_TRUE(roundToSignificantDigits(0.09995, 3, rounded));
  expectAgrees(0.09995, 3);
  for (double power = 1.0E-12; power < 1.0E12; power *= 10.0) {
    for (int significant = 1; significant <= 17; ++significant) {
      expectAgrees(power, significant);
      expectAgrees(std::nextafter(power, 0.0), significant);
      expectAgrees(std::nextafter(power, 2.0 * power), significant);
    }
  }
}

TEST(DecimalRounding, ValuesBeyondTheIntegerRangeAreLeftToTheLibrary) {
  RoundedDecimal rounded;
  EXPECT_FALSE(roundToSignificantDigits(1.0E300, 3, rounded));
  EXPECT_FALSE(roundToSignificantDigits(5.0E-324, 3, rounded));
  EXPECT_FALSE(roundToSignificantDigits(0.0, 3, rounded));
  EXPECT_FALSE(roundToSignificantDigits(1.0, 18, rounded));
  EXPECT_FALSE(roundToSignificantDigits(INFINITY, 3, rounded));
  // The largest and smallest values the path takes still round exactly.
  for (double magnitude = 1.0E-20; magnitude < 1.0E25; magnitude *= 7.3) expectAgrees(magnitude, 3);
}

}  // namespace
}  // namespace korvex
