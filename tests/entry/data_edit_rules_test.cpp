// The rules of the numeric edit control of the data windows: the leave check with its limits
// and messages, the limit setters, the number's text, the "$" form, the label built from the
// caption and the unit code, and the keys that extend a selected value.
#include "entry/data_edit_rules.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "comma_locale.h"
#include "entry/assignment_error.h"

namespace korvex {
namespace {

// A field of the given kind, limits and text, as a data window sets it up.
TDataEditRules field(const std::string& text, long double minVal, long double maxVal, bool integerOnly) {
  TDataEditRules edit;
  edit.setIntegerOnly(integerOnly);
  edit.setMaxVal(maxVal);
  edit.setMinVal(minVal);
  edit.setText(text);
  return edit;
}

TEST(DataEditRules, ANewFieldHoldsZeroWithinTheWholeExtendedRange) {
  const TDataEditRules edit;
  EXPECT_EQ(edit.text(), "0");
  EXPECT_EQ(edit.number(), 0);
  EXPECT_EQ(edit.minVal(), std::numeric_limits<long double>::lowest());
  EXPECT_EQ(edit.maxVal(), std::numeric_limits<long double>::max());
  EXPECT_FALSE(edit.integerOnly());
  EXPECT_FALSE(edit.hex());
  EXPECT_EQ(edit.units(), 1);
  EXPECT_EQ(edit.labelText(), "");
  EXPECT_FALSE(edit.lastCheckSucceeded());
}

TEST(DataEditRules, LeavingTheFieldReplacesTheExpressionByItsNumber) {
  TDataEditRules edit;
  edit.setText("12*3.5");
  const TDataEditRules::LeaveCheck check = edit.leaveCheck();
  EXPECT_TRUE(check.accepted);
  EXPECT_EQ(check.message, "");
  EXPECT_EQ(edit.text(), "42");
  EXPECT_TRUE(edit.lastCheckSucceeded());

  edit.setText("1/3");
  EXPECT_TRUE(edit.leaveCheck().accepted);
  EXPECT_EQ(edit.text(), "0.333333333333333333");  // 18 significant digits
  edit.setText("10^25");
  EXPECT_TRUE(edit.leaveCheck().accepted);
  EXPECT_EQ(edit.text(), "1E25");
}

TEST(DataEditRules, UnderACommaLocaleEntriesMayUseTheCommaAndShowAFullStop) {
  KORVEX_UNDER_COMMA_LOCALE(comma);
  TDataEditRules edit = field("2,5*3", 0.5L, 100, false);
  EXPECT_TRUE(edit.leaveCheck().accepted);
  EXPECT_EQ(edit.text(), "7.5");
  edit.setText("0,25");
  const TDataEditRules::LeaveCheck check = edit.leaveCheck();
  EXPECT_FALSE(check.accepted);
  EXPECT_EQ(check.message, "Entry must be greater than or equal to 0.5");
  EXPECT_EQ(edit.text(), "0.5");
}

TEST(DataEditRules, AValueOutsideTheLimitsIsReplacedByTheLimitAndRefused) {
  // An integer field with limits 1 and 10 given 12 shows the upper limit and holds 10.
  TDataEditRules edit = field("12", 1, 10, true);
  TDataEditRules::LeaveCheck check = edit.leaveCheck();
  EXPECT_FALSE(check.accepted);
  EXPECT_EQ(check.message, "Entry must be less than or equal to 10");
  EXPECT_EQ(edit.text(), "10");
  EXPECT_EQ(edit.number(), 10);
  EXPECT_FALSE(edit.lastCheckSucceeded());
  // Leaving again with the limit in place succeeds.
  check = edit.leaveCheck();
  EXPECT_TRUE(check.accepted);
  EXPECT_TRUE(edit.lastCheckSucceeded());

  edit.setText("-3+2");
  check = edit.leaveCheck();
  EXPECT_FALSE(check.accepted);
  EXPECT_EQ(check.message, "Entry must be greater than or equal to 1");
  EXPECT_EQ(edit.text(), "1");

  // The increments of the wall: 1 to 300.
  TDataEditRules increments = field("301", 1, 300, true);
  EXPECT_EQ(increments.leaveCheck().message, "Entry must be less than or equal to 300");
  EXPECT_EQ(increments.text(), "300");

  // A real-valued field with a fractional limit prints it in general format.
  TDataEditRules slope = field("50", -45, 22.5, false);
  EXPECT_EQ(slope.leaveCheck().message, "Entry must be less than or equal to 22.5");
  EXPECT_EQ(slope.text(), "22.5");
}

TEST(DataEditRules, IntegerFieldsRefuseFractionsAndNameInvalidEntriesAsIntegers) {
  TDataEditRules edit = field("2.5", 1, 10, true);
  TDataEditRules::LeaveCheck check = edit.leaveCheck();
  EXPECT_FALSE(check.accepted);
  EXPECT_EQ(check.message, "Entry must be an integer.");
  EXPECT_EQ(edit.text(), "2.5");  // left for correction

  // The fraction is found before the range: 12.5 is not an integer, whatever the limits.
  edit.setText("12.5");
  EXPECT_EQ(edit.leaveCheck().message, "Entry must be an integer.");
  edit.setText("5/2");
  EXPECT_EQ(edit.leaveCheck().message, "Entry must be an integer.");

  // Any entry that cannot be evaluated.
  for (const char* text : {"abc", "", "2+3)", "1/0", "2.5!"}) {
    edit.setText(text);
    check = edit.leaveCheck();
    EXPECT_FALSE(check.accepted) << text;
    EXPECT_EQ(check.message, "Entry must be a valid integer.") << text;
    EXPECT_EQ(edit.text(), text);
  }

  // A whole number written as an expression is fine.
  edit.setText("10/2");
  EXPECT_TRUE(edit.leaveCheck().accepted);
  EXPECT_EQ(edit.text(), "5");
}

TEST(DataEditRules, RealFieldsShowTheEvaluatorsMessage) {
  TDataEditRules edit;
  edit.setText("");
  EXPECT_EQ(edit.leaveCheck().message, "Entry could not be evaluated:\rentry cannot be blank");
  edit.setText("abc");
  EXPECT_EQ(edit.leaveCheck().message, "Entry could not be evaluated:\rinvalid character(s) in expression");
  edit.setText("(2+3");
  EXPECT_EQ(edit.leaveCheck().message, "Entry could not be evaluated:\rinvalid character(s) in expression");
  edit.setText("1/(1-1)");
  EXPECT_EQ(edit.leaveCheck().message, "Entry could not be evaluated:\rdivision by zero");
  EXPECT_EQ(edit.text(), "1/(1-1)");
  EXPECT_FALSE(edit.lastCheckSucceeded());
  EXPECT_THROW(static_cast<void>(edit.number()), AssignmentError);
}

TEST(DataEditRules, WritingTheNumberClampsItAndShowsIt) {
  TDataEditRules edit = field("0", -5, 10, false);
  edit.setNumber(1000);
  EXPECT_EQ(edit.text(), "10");
  edit.setNumber(-1000);
  EXPECT_EQ(edit.text(), "-5");
  edit.setNumber(2.0L / 3.0L);
  EXPECT_EQ(edit.text(), "0.666666666666666667");
  EXPECT_EQ(edit.number(), 0.666666666666666667L);
}

TEST(DataEditRules, LimitsStayInOrderAndPullTheNumberInside) {
  TDataEditRules edit;
  edit.setMinVal(5);  // the number 0 is raised to it
  EXPECT_EQ(edit.minVal(), 5);
  EXPECT_EQ(edit.text(), "5");
  edit.setMaxVal(2);  // raised to the lower limit
  EXPECT_EQ(edit.maxVal(), 5);
  edit.setMaxVal(100);
  edit.setText("80");
  edit.setMaxVal(50);  // the number 80 is lowered to it
  EXPECT_EQ(edit.text(), "50");
  edit.setMinVal(200);  // lowered to the upper limit
  EXPECT_EQ(edit.minVal(), 50);
  // A text that is not a number is left for the leave check to report.
  edit.setMinVal(0);
  edit.setText("abc");
  edit.setMaxVal(10);
  EXPECT_EQ(edit.text(), "abc");
}

TEST(DataEditRules, IntegerFieldsKeepTheirLimitsInTheThirtyTwoBitRange) {
  TDataEditRules edit;
  edit.setText("3e9");
  edit.setIntegerOnly(true);
  EXPECT_EQ(edit.maxVal(), 2147483647.0L);
  EXPECT_EQ(edit.minVal(), -2147483648.0L);
  EXPECT_EQ(edit.text(), "2147483647");
  edit.setMaxVal(1e12L);
  EXPECT_EQ(edit.maxVal(), 2147483647.0L);
  edit.setMinVal(-1e12L);
  EXPECT_EQ(edit.minVal(), -2147483648.0L);
  // Switching integer-only off keeps the limits as they are.
  edit.setIntegerOnly(false);
  EXPECT_EQ(edit.maxVal(), 2147483647.0L);
  edit.setMaxVal(1e12L);
  EXPECT_EQ(edit.maxVal(), 1e12L);
}

TEST(DataEditRules, WhileLoadingLimitsAndNumbersAreTakenAsGiven) {
  TDataEditRules edit;
  edit.setLoading(true);
  edit.setMaxVal(10);
  edit.setMinVal(20);  // not lowered to the upper limit
  edit.setNumber(100);  // not clamped
  edit.setIntegerOnly(true);
  edit.setMaxVal(1e12L);  // not brought into the integer range
  EXPECT_EQ(edit.minVal(), 20);
  EXPECT_EQ(edit.maxVal(), 1e12L);
  EXPECT_EQ(edit.text(), "100");
  edit.setLoading(false);
  edit.setNumber(5e12L);
  EXPECT_EQ(edit.text(), "1000000000000");
}

TEST(DataEditRules, HexadecimalFieldsShowTheDollarForm) {
  TDataEditRules edit;
  edit.setNumber(31);
  edit.setHex(true);
  EXPECT_EQ(edit.text(), "$001F");
  edit.setText("$1f+1");
  EXPECT_TRUE(edit.leaveCheck().accepted);
  EXPECT_EQ(edit.text(), "$0020");
  EXPECT_EQ(edit.number(), 32);
  edit.setMaxVal(255);
  edit.setText("$100");
  EXPECT_EQ(edit.leaveCheck().message, "Entry must be less than or equal to $00FF");
  EXPECT_EQ(edit.text(), "$00FF");
  edit.setHex(false);
  EXPECT_EQ(edit.text(), "255");
}

TEST(DataEditRules, LabelReadsTheCaptionAndTheUnitLabelOfTheSystem) {
  struct LabelCase {
    const char* caption;
    const char* code;
    int units;
    const char* label;
  };
  // Fields of the wall properties and wall configuration windows; the English labels are the
  // side labels those windows print.
  const LabelCase cases[] = {
      {"&Increments (nodes)", "", 1, "&Increments (nodes)"},
      {"Increment Length", "L", 1, "Increment Length (in)"},
      {"Increment Length", "L", 2, "Increment Length (m)"},
      {"Increment Length", "L", 3, "Increment Length (L)"},
      {"Free Height of Wall", "L2", 1, "Free Height of Wall (ft)"},
      {"&Free Height of Wall, H", "L2", 2, "&Free Height of Wall, H (m)"},
      {"&Width for Active Earth Press. Calculation, Wa", "L", 1,
       "&Width for Active Earth Press. Calculation, Wa (in)"},
      {"Slope of the backfill, Beta", "deg.", 1, "Slope of the backfill, Beta (deg.)"},
      {"Slope of the backfill, Beta", "deg.", 2, "Slope of the backfill, Beta (deg.)"},
      {"Uniform Distributed Load at the top of backfill side ", "F/L2^2", 1,
       "Uniform Distributed Load at the top of backfill side  (lbs/ft^2)"},
      {"Uniform Distributed Load at the top of backfill side ", "F/L2^2", 2,
       "Uniform Distributed Load at the top of backfill side  (kN/m^2)"},
      {"Uniform Distributed Load at the top of backfill side ", "F/L2^2", 3,
       "Uniform Distributed Load at the top of backfill side  (F/L2^2)"},
  };
  for (const LabelCase& c : cases) {
    TDataEditRules edit;
    edit.setCaption(c.caption);
    edit.setUnitsString(c.code);
    edit.setUnits(c.units);
    EXPECT_EQ(edit.labelText(), c.label);
  }
}

TEST(DataEditRules, UnitSystemIsBroughtIntoOneToThree) {
  TDataEditRules edit;
  edit.setCaption("Depth");
  edit.setUnitsString("L2");
  edit.setUnits(0);
  EXPECT_EQ(edit.units(), 1);
  EXPECT_EQ(edit.labelText(), "Depth (ft)");
  edit.setUnits(7);
  EXPECT_EQ(edit.units(), 3);
  EXPECT_EQ(edit.labelText(), "Depth (L2)");
}

TEST(DataEditRules, OperatorKeysExtendASelectedValue) {
  for (char key : std::string("+-/*^=%!")) EXPECT_TRUE(TDataEditRules::keyExtendsValue(key)) << key;
  for (char key : std::string("0129.eE$()aZ &|\r")) EXPECT_FALSE(TDataEditRules::keyExtendsValue(key)) << key;
  EXPECT_FALSE(TDataEditRules::keyExtendsValue('\0'));
}

}  // namespace
}  // namespace korvex
