// The rounding of generated values handed to the solution, against the text of an E10.3 field
// read back: three significant digits, ties to even, values the field cannot hold unchanged.
#include "format/hand_over_rounding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace korvex {
namespace {

TEST(HandOverRounding, ValuesAreRoundedAsAnE10_3FieldReadsBack) {
  struct Case {
    double value;
    double readBack;  // the field's text, read
  };
  const Case cases[] = {
      {0.41636, 0.416},      // " 0.416E+00"
      {123.45, 123.0},       // " 0.123E+03"
      {-1.2355, -1.24},      // "-0.124E+01"
      {2e-12, 2e-12},        // " 0.200E-11"
      {0.9996, 1.0},         // rounds into the next decade: " 0.100E+01"
      {10.25, 10.2},         // an exact tie goes to the even digit
      {10.75, 10.8},
      {1.2345e-30, 1.23e-30},  // beyond the exact powers of ten the text itself is read
      {4.5678e40, 4.57e40},
      {1.2345e-99, 1.23e-99},  // the smallest exponent two digits hold
  };
  for (const Case& c : cases) EXPECT_EQ(roundAsE10_3(c.value), c.readBack) << c.value;
}

TEST(HandOverRounding, ValuesTheFieldCannotHoldPassUnchanged) {
  const double infinity = std::numeric_limits<double>::infinity();
  for (const double value : {9.9951e99, 1.0e100, -3.0e-101, 5.0e-324, infinity, -infinity})
    EXPECT_EQ(roundAsE10_3(value), value) << value;
  EXPECT_TRUE(std::isnan(roundAsE10_3(std::nan(""))));
  EXPECT_EQ(roundAsE10_3(0.0), 0.0);
  EXPECT_TRUE(std::signbit(roundAsE10_3(-0.0)));
}

}  // namespace
}  // namespace korvex
