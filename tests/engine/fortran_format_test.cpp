#include "format/fortran_format.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace korvex {
namespace {

std::string lineOf(const Format& format, std::vector<FieldValue> items) { return format.format(items); }

// A number of the case file or of a conversion, read without regard to the locale; anything
// else fails the test.
template <class Number>
Number numberIn(const std::string& word) {
  Number value{};
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  EXPECT_TRUE(error == std::errc() && end == word.data() + word.size()) << word;
  return value;
}

std::vector<std::string> readLines(const std::string& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The committed golden file holds what gfortran printed for every case of the case file
// (tests/tools/regenerate_fortran_golden.sh); each case must come out the same here.
TEST(FortranFormat, MatchesWhatGfortranPrintsForEveryCase) {
  const std::vector<std::string> cases = readLines(std::string(KORVEX_TEST_DATA) + "/fortran_format_cases.txt");
  const std::vector<std::string> golden = readLines(std::string(KORVEX_TEST_DATA) + "/fortran_format_golden.txt");
  std::size_t next = 0;
  int compared = 0;
  for (const std::string& line : cases) {
    if (line.empty() || line[0] == '#') continue;
    ASSERT_LT(next, golden.size()) << "golden file shorter than the case list";
    const char kind = line[0];
    const std::string formatText = line.substr(3, 30);
    const std::string itemsText = line.size() > 34 ? line.substr(34) : std::string();
    std::vector<std::string> words;
    std::istringstream wordStream(itemsText);
    for (std::string word; wordStream >> word;) words.push_back(word);

    std::vector<FieldValue> items;
    std::string text;
    switch (kind) {
      case 'I':
        for (const auto& w : words) items.emplace_back(numberIn<long long>(w));
        break;
      case 'R':
      case 'W':
        for (const auto& w : words) items.emplace_back(numberIn<double>(w));
        break;
      case 'L':
        for (const auto& w : words) items.emplace_back(w == "T");
        break;
      case 'A':
        text = itemsText.substr(0, itemsText.find_last_not_of(' ') + 1);
        items.emplace_back(std::string_view(text));
        break;
      default:
        FAIL() << "unknown case kind in: " << line;
    }

    std::string produced = "[";
    if (kind == 'W') {
      writeListDirected(produced, items);
      produced.pop_back();  // the golden line ends where the record ends
    } else {
      produced += Format(formatText).format(items);
      produced.pop_back();
      produced += "]";
    }
    EXPECT_EQ(produced, golden[next]) << "case: " << line;
    ++next;
    ++compared;
  }
  EXPECT_EQ(next, golden.size()) << "golden file longer than the case list";
  EXPECT_GT(compared, 80);
}

// The digits of F, E and list-directed fields come from an integer rounding of the value;
// over many random values they must be the standard library's exact conversions.
TEST(FortranFormat, FieldDigitsAreTheExactConversionsOfTheValue) {
  std::mt19937_64 random(42);
  std::uniform_real_distribution<double> decade(-9.0, 9.0);
  std::uniform_int_distribution<int> places(0, 8);
  for (int i = 0; i < 100000; ++i) {
    const double value = (i % 2 == 0 ? 1.0 : -1.0) * std::pow(10.0, decade(random));
    const int decimals = places(random);
    char buffer[128];
    char* end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals).ptr;
    std::string expected(buffer, end);
    if (decimals == 0) expected += '.';
    if (expected.size() < 40) expected.insert(0, 40 - expected.size(), ' ');
    ASSERT_EQ(formatFixed(value, 40, decimals), expected) << value << " F40." << decimals;

    const int significant = decimals + 1;
    end = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific,
                        significant - 1).ptr;
    // d.ddde+XX -> 0.dddd, exponent + 1
    const std::string text(buffer, end);
    const std::size_t e = text.find('e');
    std::string digits = text.substr(0, 1) + (e > 1 ? text.substr(2, e - 2) : "");
    const int exponent = (text[e + 1] == '-' ? -1 : 1) * numberIn<int>(text.substr(e + 2)) + 1;
    const std::string mantissa = "0." + digits;
    std::string exponentDigits = std::to_string(std::abs(exponent));
    if (exponentDigits.size() < 2) exponentDigits.insert(0, 1, '0');
    std::string expectedE = (value < 0 ? "-" : "") + mantissa + "E" + (exponent < 0 ? "-" : "+") + exponentDigits;
    expectedE.insert(0, 30 - expectedE.size(), ' ');
    ASSERT_EQ(formatExponent(value, 30, significant), expectedE) << value << " E30." << significant;
  }
}

TEST(FortranFormat, SlashEndsLinesAndLeadingSlashesGiveEmptyLines) {
  const Format format("/, /, 8X, ' DEPTH', /, 8X, 1X, A3");
  EXPECT_EQ(lineOf(format, {" IN"}), "\n\n         DEPTH\n          IN\n");
  EXPECT_EQ(lineOf(Format("/,6X,'Stage No :',I2,2X,A5"), {2, "TITLE"}), "\n      Stage No : 2  TITLE\n");
  EXPECT_EQ(lineOf(Format("'A',/"), {}), "A\n\n");
}

TEST(FortranFormat, LiteralOnlyFormatsWriteWithoutItemsAndStopAtFirstDataField) {
  EXPECT_EQ(lineOf(Format("5X,'END'"), {}), "     END\n");
  // Output stops at the first data descriptor that finds no item.
  EXPECT_EQ(lineOf(Format("'N=',I3,' UNITS'"), {}), "N=\n");
  EXPECT_EQ(lineOf(Format("'N=',I3,' UNITS',I3"), {7}), "N=  7 UNITS\n");
  EXPECT_EQ(lineOf(Format("5X,73('=')"), {}), "     " + std::string(73, '=') + "\n");
}

TEST(FortranFormat, LeftoverItemsRevertToTheLastGroupOnANewLine) {
  EXPECT_EQ(lineOf(Format("'X',2(I2)"), {1, 2, 3, 4, 5}), "X 1 2\n 3 4\n 5\n");
  EXPECT_EQ(lineOf(Format("I2"), {1, 2, 3}), " 1\n 2\n 3\n");
  EXPECT_THROW(lineOf(Format("'ONLY TEXT'"), {1}), std::logic_error);
}

TEST(FortranFormat, ScaleFactorStaysInForceForLaterFieldsOfTheSameFormat) {
  EXPECT_EQ(lineOf(Format("1P,E9.3,E10.3"), {0.00001, 12.3}), "1.000E-05 1.230E+01\n");
  EXPECT_EQ(lineOf(Format("1P,E9.3,0P,E10.3"), {0.00001, 12.3}), "1.000E-05 0.123E+02\n");
  // A new write starts without a scale factor.
  const Format scaled("1P,E9.3");
  EXPECT_EQ(lineOf(scaled, {1.0}), "1.000E+00\n");
  EXPECT_EQ(lineOf(Format("E10.3"), {1.0}), " 0.100E+01\n");
}

TEST(FortranFormat, TextFieldsTruncateOrRightAlign) {
  EXPECT_EQ(lineOf(Format("A3"), {"ABCDE"}), "ABC\n");
  EXPECT_EQ(lineOf(Format("A6"), {"AB"}), "    AB\n");
  EXPECT_EQ(lineOf(Format("A,'|'"), {"free length"}), "free length|\n");
  EXPECT_EQ(lineOf(Format("''''"), {}), "'\n");
}

TEST(FortranFormat, ItemsOfTheWrongKindAreProgrammingErrors) {
  EXPECT_THROW(lineOf(Format("I4"), {1.5}), std::logic_error);
  EXPECT_THROW(lineOf(Format("E10.3"), {"text"}), std::logic_error);
  EXPECT_THROW(lineOf(Format("A4"), {3}), std::logic_error);
  EXPECT_THROW(lineOf(Format("L2"), {3}), std::logic_error);
  // An integer item in a real field is written as its real value.
  EXPECT_EQ(lineOf(Format("F5.1"), {3}), "  3.0\n");
}

TEST(FortranFormat, MalformedFormatsAreRejected) {
  for (const char* bad : {"I", "F9", "E10.", "Q5", "(I4", "I4)", "'open", "0I4", "P", "-I4"}) {
    EXPECT_THROW(Format{bad}, std::invalid_argument) << bad;
  }
  EXPECT_NO_THROW(Format("(5X, I4)"));
}

TEST(FortranFormat, NonFiniteValuesDoNotBreakTheirFields) {
  EXPECT_EQ(formatExponent(std::numeric_limits<double>::quiet_NaN(), 10, 3), "       NaN");
  EXPECT_EQ(formatExponent(std::numeric_limits<double>::infinity(), 10, 3), "  Infinity");
  EXPECT_EQ(formatFixed(-std::numeric_limits<double>::infinity(), 5, 1), " -Inf");
  EXPECT_EQ(formatFixed(std::numeric_limits<double>::infinity(), 2, 1), "**");
}

}  // namespace
}  // namespace korvex
