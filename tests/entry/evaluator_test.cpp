// The expression evaluator behind every numeric entry: operator passes and their order, signs,
// operands (pi, e, prefix functions, factorials, hexadecimal and decimal numbers), parentheses,
// the locale's decimal separator, the longest entry, and the exact message of every entry that
// cannot be evaluated.
#include "entry/evaluator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "comma_locale.h"

namespace korvex {
namespace {

// Every intermediate result is written back with 18 significant digits, which moves it by at
// most half a unit of the 18th digit (5e-18 relative); a few such steps stay below 2e-17.
constexpr long double kEighteenDigitRounding = 2e-17L;

constexpr long double kPi = std::numbers::pi_v<long double>;

void expectValue(const std::string& text, long double expected) {
  long double value = 0;
  try {
    value = evaluateExpression(text);
  } catch (const AssignmentError& error) {
    ADD_FAILURE() << text << " raised: " << error.what();
    return;
  }
  EXPECT_LE(std::fabs(value - expected), kEighteenDigitRounding * std::fabs(expected))
      << text << " gave " << static_cast<double>(value) << ", expected " << static_cast<double>(expected);
}

std::string messageOf(const std::string& text) {
  try {
    const long double value = evaluateExpression(text);
    return "no error, value " + std::to_string(static_cast<double>(value));
  } catch (const AssignmentError& error) {
    return error.what();
  }
}

struct ValueCase {
  const char* text;
  long double value;
};

TEST(Evaluator, OperatorsApplyInFourPassesEachFromLeftToRight) {
  const std::vector<ValueCase> cases = {
      {"2+3*4", 14},
      {"(2+3)*4", 20},
      {"2^3^2", 64},      // (2^3)^2
      {"2*3^2", 18},
      {"2-3-4", -5},
      {"8/4/2", 1},
      {"10%3", 1},
      {"7.9%2.1", 1},     // 7 mod 2
      {"-7%2", -1},       // the remainder keeps the sign of the dividend
      {"7%-2", 1},
      {"2&1*5", 5},       // & and * share a pass: (2&1)*5
      {"1&0", 0},
      {"0&1", 0},
      {"-3&0.5", 1},
      {"0|1", 1},
      {"0|0", 0},
      {"0|0+2", 2},       // | and + share a pass: (0|0)+2
      {"2=2", 1},
      {"2=3", 0},
      {"1+2=3", 1},       // equality last
      {"3=1+2", 1},
      {"2^10", 1024},
      {"2^0.5", std::sqrt(2.0L)},
      {"2^-2", 0.25L},
      {"0^0", 1},
  };
  for (const ValueCase& c : cases) expectValue(c.text, c.value);
}

TEST(Evaluator, MinusSignsBelongToTheOperandThatFollows) {
  const std::vector<ValueCase> cases = {
      {"-2^2", 4},            // the sign belongs to the operand
      {"-2", -2},
      {"2*-3", -6},
      {"2^-1", 0.5L},
      {"3--2", 5},            // a minus after a minus is a sign
      {"5-(0-2)", 7},
      {"-(0-2)", 2},
      {"--2", 2},
      {"4-2", 2},
      {"1e-5*2", 0.00002L},   // the minus after e is the exponent's sign
      {"1E-5*2", 0.00002L},
      {"2.5e-3", 0.0025L},
      {"sin-30", std::sin(-30.0L)},     // after a function name
      {"2*sin-30", 2 * std::sin(-30.0L)},
      {"sqrt-(0-4)", 2},
  };
  for (const ValueCase& c : cases) expectValue(c.text, c.value);
  EXPECT_EQ(evaluateExpression("1e-5*2"), 0.00002L);
}

TEST(Evaluator, ASignBeforeAFunctionOrHexadecimalOperandNegatesIt) {
  expectValue("-sqrt4", -2);
  expectValue("-sin(30)", -std::sin(30.0L));
  expectValue("-(sin(30))", -std::sin(30.0L));
  expectValue("-$1F", -31);
  expectValue("3-sqrt4", 1);
}

TEST(Evaluator, OperandsPiAndEInAnyLetterCase) {
  expectValue("pi", kPi);
  expectValue("-pi", -kPi);
  expectValue("PI/4", kPi / 4);
  expectValue("e", std::numbers::e_v<long double>);
  expectValue("-E", -std::numbers::e_v<long double>);
  expectValue("2*pi", 2 * kPi);
}

TEST(Evaluator, PrefixFunctionsApplyToTheRestOfTheOperandInRadians) {
  // Closed-form values of each function.
  const std::vector<ValueCase> cases = {
      {"arctanh0.5", std::log(3.0L) / 2},
      {"arctan1", kPi / 4},
      {"cotan(pi/4)", 1},
      {"tanh(ln2)", 0.6L},               // (4 - 1) / (4 + 1)
      {"tan(pi/4)", 1},
      {"arccosh1", 0},
      {"arccos0", kPi / 2},
      {"arccos-1", kPi},
      {"cosh(ln2)", 1.25L},              // (2 + 1/2) / 2
      {"cos(pi)", -1},
      {"sec(pi)", -1},
      {"arcsinh0", 0},
      {"arcsin1", kPi / 2},
      {"sinh(ln2)", 0.75L},              // (2 - 1/2) / 2
      {"sin(pi/6)", 0.5L},
      {"csc(pi/6)", 2},
      {"abs-3", 3},
      {"frac2.75", 0.75L},
      {"frac-2.75", -0.75L},
      {"int2.75", 2},
      {"int-2.75", -2},
      {"ln(e)", 1},
      {"round2.5", 2},                   // halves to even
      {"round3.5", 4},
      {"round-2.5", -2},
      {"round2.6", 3},
      {"ceil2.1", 3},
      {"ceil-2.1", -2},
      {"floor2.9", 2},
      {"floor-2.1", -3},
      {"log1000", 3},
      {"sqrt16", 4},
      {"SQRT(2)/2", std::sqrt(2.0L) / 2},
  };
  for (const ValueCase& c : cases) expectValue(c.text, c.value);
  // Without parentheses the function takes the rest of the operand.
  EXPECT_EQ(evaluateExpression("sin30"), evaluateExpression("sin(30)"));
  expectValue("sqrtsqrt16", 2);
  expectValue("ln3!", std::log(6.0L));
  expectValue("sqrt16+2", 6);
  expectValue("sqrt(16+9)", 5);
}

TEST(Evaluator, FactorialOfWholeNumbersKeepsTheSign) {
  EXPECT_EQ(evaluateExpression("0!"), 1);
  EXPECT_EQ(evaluateExpression("1!"), 1);
  EXPECT_EQ(evaluateExpression("3!"), 6);
  EXPECT_EQ(evaluateExpression("10!"), 3628800);
  EXPECT_EQ(evaluateExpression("20!"), 2432902008176640000.0L);
  EXPECT_EQ(evaluateExpression("-3!"), -6);
  EXPECT_EQ(evaluateExpression("3!!"), 720);
  EXPECT_EQ(evaluateExpression("(1+2)!"), 6);
  EXPECT_EQ(evaluateExpression("3!+1"), 7);
  EXPECT_EQ(messageOf("2.5!"), "Entry could not be evaluated:\r! (factoral) applicable to integers only");
  EXPECT_EQ(messageOf("(5/2)!"), "Entry could not be evaluated:\r! (factoral) applicable to integers only");
}

TEST(Evaluator, DollarIntroducesAHexadecimalInteger) {
  EXPECT_EQ(evaluateExpression("$1F"), 31);
  EXPECT_EQ(evaluateExpression("$1f"), 31);
  EXPECT_EQ(evaluateExpression("$0000"), 0);
  EXPECT_EQ(evaluateExpression("$FFFFFFFF"), 4294967295.0L);
  EXPECT_EQ(evaluateExpression("$FFFFFFFFFFFFFFFF"), 18446744073709551615.0L);
  EXPECT_EQ(evaluateExpression("$10+1"), 17);
  const std::string hexMessage = "Entry could not be evaluated:\rinvalid use of $ (hex function)";
  for (const char* text : {"$", "$1G", "$-1", "$1.5", "$10000000000000000"}) EXPECT_EQ(messageOf(text), hexMessage) << text;
}

TEST(Evaluator, DecimalNumbersWithAFullStop) {
  const std::vector<ValueCase> cases = {
      {"12.5", 12.5L}, {".5", 0.5L},     {"5.", 5},          {"1E3", 1000},
      {"1e3", 1000},   {"007", 7},       {"1e-5000", 0},     {"12*3.5", 42},
  };
  for (const ValueCase& c : cases) expectValue(c.text, c.value);
  // Blanks and tabs anywhere are dropped.
  expectValue(" 1 2 . 5 ", 12.5L);
  expectValue("\t2 +\t3 ", 5);
}

TEST(Evaluator, ParenthesesAreEvaluatedInnermostFirst) {
  expectValue("((2+3)*(4-1))^2", 225);
  expectValue("2^(1+1)", 4);
  expectValue("(((7)))", 7);
  expectValue("sin(pi/6)*(2)", 1);
  // The value of a parenthesis is written back with 18 digits: a third times three is
  // 0.333333333333333333 x 3 = 0.999999999999999999, not 1.
  EXPECT_EQ(evaluateExpression("(1/3)*3"), 0.999999999999999999L);
  EXPECT_EQ(evaluateExpression("1/3*3"), 0.999999999999999999L);
  // ... which also makes 0.1 + 0.2 equal to 0.3.
  EXPECT_EQ(evaluateExpression("0.1+0.2=0.3"), 1);
  // A small value comes back in scientific form and still reads as one operand.
  expectValue("(1/1000000)*2", 0.000002L);
  expectValue("(1e20)*2+1", 2e20L);
}

struct MessageCase {
  const char* text;
  const char* message;
};

TEST(Evaluator, EntriesThatAreNotExpressionsGiveTheirMessages) {
  const char* blank = "Entry could not be evaluated:\rentry cannot be blank";
  const char* parentheses = "Entry could not be evaluated:\r() (parentheses) do not match";
  const char* invalid = "Entry could not be evaluated:\rinvalid expression";
  const char* characters = "Entry could not be evaluated:\rinvalid character(s) in expression";
  const std::vector<MessageCase> cases = {
      {"", blank},
      {"  \t ", blank},
      {"2*()", blank},         // the empty parenthesis is an empty entry of its own
      {"(2+3", characters},    // the "(" is left in the operand
      {"2+3)", parentheses},
      {")(", parentheses},
      {"(1))", parentheses},
      {"abc", characters},
      {"1..2", characters},
      {"12a", characters},
      {"sin", characters},
      {"-", characters},
      {"e-1", characters},     // the minus after e reads as an exponent sign
      {"1e+5", characters},    // a plus always adds, leaving 1e alone
      {"2+", invalid},
      {"*3", invalid},
      {"+2", invalid},
      {"2**3", invalid},
      {"2++3", invalid},
  };
  for (const MessageCase& c : cases) EXPECT_EQ(messageOf(c.text), c.message) << '"' << c.text << '"';
}

TEST(Evaluator, ABracketGluedToAValueIsRefused) {
  // Each bracket's value replaces it as text, so a glued bracket would run into the digits next
  // to it: 2(3+4) would read as 27, 0.5(12) as 0.512, (1)(.5) as 10.5.
  const char* invalid = "Entry could not be evaluated:\rinvalid expression";
  for (const char* text : {"2(3+4)", "0.5(12)", "(1)(.5)", "sin(30)(2)", "(2)3", "(2).5", "pi(2)", "3!(2)",
                           "1e(5)", "(2)e", "$(1F)", "(2)sin1", "2*(3)(4)", "((1)2)"}) {
    EXPECT_EQ(messageOf(text), invalid) << text;
  }
  // Brackets after the start, "(", an operator, a minus or a function name, and before the end,
  // ")", an operator, a minus or "!".
  const std::vector<ValueCase> apart = {
      {"(3)!", 6},          {"-(2)", -2},         {"2-(3)", -1},        {"(2)-3", -1},
      {"((2)+(3))", 5},     {"SIN(0)", 0},        {"arcsin(1)", kPi / 2}, {"2*sqrt(16)", 8},
      {"sqrt(2)/2", std::sqrt(2.0L) / 2}, {"pi/4", kPi / 4}, {"2^(1+1)=4", 1}, {"(1)|(0)&(1)", 1},
  };
  for (const ValueCase& c : apart) expectValue(c.text, c.value);
}

TEST(Evaluator, EntriesLongerThanTheLimitAreRefusedAndLongOnesStayCheap) {
  const auto repeat = [](std::string_view part, std::size_t times) {
    std::string text;
    for (std::size_t i = 0; i < times; ++i) text += part;
    return text;
  };
  // At the limit: operators, chained functions and factorials, signs and nested brackets, each
  // as long as an entry may be; none of them may nest calls as deep as the text is long.
  const std::string sum = "1" + repeat("+1", (kMaxEntryLength - 1) / 2);
  ASSERT_LE(sum.size(), kMaxEntryLength);
  expectValue(sum, static_cast<long double>((kMaxEntryLength - 1) / 2 + 1));
  expectValue(repeat("abs", (kMaxEntryLength - 1) / 3) + "1", 1);
  expectValue("1" + repeat("!", kMaxEntryLength - 1), 1);
  expectValue(repeat("-", kMaxEntryLength - 1) + "2", -2);  // an odd count of signs
  expectValue(repeat("(", kMaxEntryLength / 2 - 1) + "2" + repeat(")", kMaxEntryLength / 2 - 1), 2);
  // Beyond it, whatever the text.
  const char* invalid = "Entry could not be evaluated:\rinvalid expression";
  EXPECT_EQ(messageOf(std::string(kMaxEntryLength + 1, '1')), invalid);
  EXPECT_EQ(messageOf("1" + repeat("+1", 100000)), invalid);
  EXPECT_EQ(messageOf(repeat("sin", 80000) + "1"), invalid);
}

// Under a locale that writes 2,5 the user may type either separator; every number the evaluator
// writes back (and so every result) keeps the full stop.
TEST(Evaluator, TakesTheLocalesDecimalSeparatorBesideTheFullStop) {
  EXPECT_EQ(messageOf("2,5"), "Entry could not be evaluated:\rinvalid character(s) in expression")
      << "the C locale has no decimal comma";
  KORVEX_UNDER_COMMA_LOCALE(comma);
  const std::vector<ValueCase> cases = {
      {"2+3*4", 14},       {"2,5*2", 5},       {"2.5*2", 5},           {"1,5E-3", 0.0015L},
      {"sqrt(2,25)", 1.5L}, {"7,9%2,1", 1},     {"(1/3)*3", 0.999999999999999999L}, {"0,1+0.2=0,3", 1},
      {"(1e20)*2+1", 2e20L}, {"sin(pi/6)*(2)", 1},
  };
  for (const ValueCase& c : cases) expectValue(c.text, c.value);
  EXPECT_EQ(messageOf("1,2,3"), "Entry could not be evaluated:\rinvalid character(s) in expression");
}

TEST(Evaluator, ArithmeticWithoutAFiniteResultIsAnEntryError) {
  const char* divisionByZero = "Entry could not be evaluated:\rdivision by zero";
  const char* logarithm = "Entry could not be evaluated:\rlogarithm of zero or of a negative number";
  const char* overflow = "Entry could not be evaluated:\rnumber too large (overflow)";
  const char* notReal = "Entry could not be evaluated:\rresult is not a real number";
  const std::vector<MessageCase> cases = {
      {"1/0", divisionByZero},
      {"1/(2-2)", divisionByZero},
      {"5%0.5", divisionByZero},  // the divisor cut to an integer is 0
      {"0^-1", divisionByZero},
      {"cotan0", divisionByZero},
      {"csc0", divisionByZero},
      {"ln0", logarithm},
      {"ln-1", logarithm},
      {"log0", logarithm},
      {"log(-10)", logarithm},
      {"1e5000", overflow},
      {"10^5000", overflow},
      {"2^100000", overflow},
      {"1755!", overflow},
      {"cosh100000", overflow},
      {"1e4000*1e4000", overflow},
      {"sqrt-1", notReal},
      {"arcsin2", notReal},
      {"arccosh0.5", notReal},
      {"(-8)^(1/3)", notReal},
      {"-8^(1/3)", notReal},
  };
  for (const MessageCase& c : cases) EXPECT_EQ(messageOf(c.text), c.message) << c.text;
  // The largest factorial that fits is still a value.
  EXPECT_TRUE(std::isfinite(evaluateExpression("1754!")));
}

}  // namespace
}  // namespace korvex
