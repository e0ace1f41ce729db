// The text forms of numeric entries: general format with a given number of significant digits
// (fixed or scientific), the "$" hexadecimal form, and rounding of halves to even.
#include "entry/number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "comma_locale.h"
#include "entry/evaluator.h"

namespace korvex {
namespace {

struct FormatCase {
  long double value;
  int digits;
  const char* text;
};

TEST(NumberFormat, GeneralFormatChoosesFixedOrScientificByMagnitude) {
  const std::vector<FormatCase> cases = {
      {0.0L, 18, "0"},
      {-0.0L, 18, "0"},
      {14.0L, 18, "14"},
      {-2.5L, 18, "-2.5"},
      {0.00002L, 18, "0.00002"},
      // Fixed down to 0.00001, scientific below.
      {0.00001L, 18, "0.00001"},
      {0.0000123L, 18, "0.0000123"},
      {0.000001L, 18, "1E-6"},
      {-1.5e-7L, 18, "-1.5E-7"},
      // Fixed while the digits before the point fit in the precision.
      {123456789012345678.0L, 18, "123456789012345678"},
      {1234567890123456789.0L, 18, "1.23456789012345679E18"},
      {1e20L, 18, "1E20"},
      {2.5e300L, 18, "2.5E300"},
      // Rounding that carries into a new leading digit moves the value to the next decade.
      {999999999999999999.75L, 18, "1E18"},
      {9.9999999999999999999L, 18, "10"},
      // Eight digits, as table cells show them.
      {0.1L, 8, "0.1"},
      {12345678.0L, 8, "12345678"},
      {123456789.0L, 8, "1.2345679E8"},
      {100000000.0L, 8, "1E8"},
      {1234.56789L, 8, "1234.5679"},
      {-0.000123456789L, 4, "-0.0001235"},
  };
  for (const FormatCase& c : cases) EXPECT_EQ(formatGeneral(c.value, c.digits), c.text) << c.text;
}

TEST(NumberFormat, EighteenDigitsShowExtendedPrecisionThirds) {
  // 1/3 and 2/3 to 18 significant digits, by hand.
  EXPECT_EQ(formatGeneral(1.0L / 3.0L, kEntryDigits), "0.333333333333333333");
  EXPECT_EQ(formatGeneral(2.0L / 3.0L, kEntryDigits), "0.666666666666666667");
  EXPECT_EQ(formatGeneral(-200.0L / 3.0L, kEntryDigits), "-66.6666666666666667");
}

TEST(NumberFormat, GeneralFormatNamesInfinitiesAndNaN) {
  EXPECT_EQ(formatGeneral(std::numeric_limits<long double>::infinity(), 18), "INF");
  EXPECT_EQ(formatGeneral(-std::numeric_limits<long double>::infinity(), 18), "-INF");
  EXPECT_EQ(formatGeneral(std::numeric_limits<long double>::quiet_NaN(), 18), "NAN");
}

TEST(NumberFormat, GeneralFormatReadsBackThroughTheEvaluator) {
  // A value written with 18 significant digits is within half a unit of the 18th digit.
  constexpr long double kHalfUnitOfEighteenthDigit = 5e-18L;
  for (long double value : {1.0L / 3.0L, -2.0L / 7.0L, 1e-7L / 3.0L, 6.02214076e23L, -1.0e-300L, 1e4000L / 7.0L,
                            123456.789L}) {
    const std::string text = formatGeneral(value, kEntryDigits);
    const long double back = evaluateExpression(text);
    EXPECT_LE(std::fabs(back - value), kHalfUnitOfEighteenthDigit * std::fabs(value)) << text;
  }
}

TEST(NumberFormat, HexadecimalFormHasAtLeastFourUpperCaseDigits) {
  EXPECT_EQ(formatHexadecimal(0.0L), "$0000");
  EXPECT_EQ(formatHexadecimal(31.0L), "$001F");
  EXPECT_EQ(formatHexadecimal(65535.0L), "$FFFF");
  EXPECT_EQ(formatHexadecimal(65536.0L), "$10000");
  EXPECT_EQ(formatHexadecimal(4294967295.0L), "$FFFFFFFF");
  EXPECT_EQ(formatHexadecimal(18446744073709551615.0L), "$FFFFFFFFFFFFFFFF");
  // The value is rounded first, halves to even.
  EXPECT_EQ(formatHexadecimal(30.6L), "$001F");
  EXPECT_EQ(formatHexadecimal(2.5L), "$0002");
  EXPECT_EQ(formatHexadecimal(3.5L), "$0004");
  // A negative value keeps its sign in front of the "$", so that it reads back.
  EXPECT_EQ(formatHexadecimal(-31.0L), "-$001F");
  EXPECT_EQ(evaluateExpression(formatHexadecimal(-31.0L)), -31.0L);
  // Beyond 64 bits there is no such form: the general format stands in.
  EXPECT_EQ(formatHexadecimal(18446744073709551616.0L), "1.84467440737095516E19");
}

TEST(NumberFormat, TextKeepsTheFullStopUnderACommaLocale) {
  KORVEX_UNDER_COMMA_LOCALE(comma);
  const std::vector<FormatCase> cases = {
      {120.0L, 18, "120"},          {1234.5678L, 18, "1234.5678"}, {-2.5L, 18, "-2.5"},
      {0.00002L, 18, "0.00002"},    {-1.5e-7L, 18, "-1.5E-7"},     {1234567890123456789.0L, 18, "1.23456789012345679E18"},
      {1.0L / 3.0L, 8, "0.33333333"}, {123456789.0L, 8, "1.2345679E8"},
  };
  for (const FormatCase& c : cases) EXPECT_EQ(formatGeneral(c.value, c.digits), c.text) << c.text;
  EXPECT_EQ(formatGeneral(0.00025L, 8, kFileSmallestFixedExponent), "0.00025");
  EXPECT_EQ(formatHexadecimal(31.0L), "$001F");
  EXPECT_EQ(formatHexadecimal(-65536.0L), "-$10000");
}

TEST(NumberFormat, RoundingTakesHalvesToTheEvenNeighbour) {
  struct RoundCase {
    long double value;
    long double rounded;
  };
  const std::vector<RoundCase> cases = {
      {0.5L, 0.0L},   {1.5L, 2.0L},   {2.5L, 2.0L},    {3.5L, 4.0L},   {-0.5L, 0.0L}, {-1.5L, -2.0L},
      {-2.5L, -2.0L}, {2.4999L, 2.0L}, {2.5001L, 3.0L}, {-2.6L, -3.0L}, {7.0L, 7.0L},  {1e30L, 1e30L},
  };
  for (const RoundCase& c : cases)
    EXPECT_EQ(roundHalfEven(c.value), c.rounded) << static_cast<double>(c.value);
}

}  // namespace
}  // namespace korvex
