// Rows of numbers read into a chart table from text: line ends of every kind, the last line
// without a line break, title and note lines skipped, the row limits, and a text too short for
// the table leaving it as it was.
#include "tables/value_import.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tables/catalogue.h"

namespace korvex {
namespace {

TEST(ValueImport, LinesEndWithCrLfCrOrLfAndTheLastNeedsNone) {
  EXPECT_EQ(textLines("a\r\nb\rc\nd"), (std::vector<std::string_view>{"a", "b", "c", "d"}));
  EXPECT_EQ(textLines("a\n\nb\n"), (std::vector<std::string_view>{"a", "", "b"}));
  EXPECT_TRUE(textLines("").empty());
}

TEST(ValueImport, ALineGivesTheNumbersAtItsStart) {
  EXPECT_EQ(lineNumbers("-0.5, 120\t1.5E+3"), (ValueRow{-0.5L, 120, 1500}));
  EXPECT_EQ(lineNumbers("+2 3 in 4"), (ValueRow{2, 3}));
  EXPECT_TRUE(lineNumbers("y (in)   p (lb/in)").empty());
  std::string many;
  for (int i = 0; i < 20; ++i) many += "1 ";
  EXPECT_EQ(static_cast<int>(lineNumbers(many).size()), kMaxNumbersPerLine);
}

struct PYCurve {
  Catalogue catalogue = createCatalogue();
  TGridTable& curve;  // PYCurve2 of the first external curve: y and p, 2 to 17 rows

  PYCurve() : curve(*firstCurve(catalogue)) {}
  static TGridTable* firstCurve(Catalogue& c) {
    c.Table("PYCurves2")->SetRowCount(1);
    return c.Table("PYCurves2")->Cell(1, 0).GetTable();
  }
  std::vector<long double> column(int c) const {
    std::vector<long double> values;
    for (int r = 0; r < curve.RowCount(); ++r) values.push_back(curve.Cell(c, r).GetFloat());
    return values;
  }
};

// A pasted block with a title line fills the curve and drops the rows it had beyond the block.
TEST(ValueImport, APastedBlockWithATitleFillsTheCurveAndDropsSurplusRows) {
  PYCurve t;
  ASSERT_EQ(t.curve.RowCount(), 2);
  t.curve.SetRowCount(6);
  t.curve.ResetChanged();
  EXPECT_EQ(importValueRows(t.curve, "y (in)\tp (lb/in)\n-1\t50\n0\t0\n1\t-50"), std::nullopt);
  EXPECT_EQ(t.column(0), (std::vector<long double>{-1, 0, 1}));
  EXPECT_EQ(t.column(1), (std::vector<long double>{50, 0, -50}));
  EXPECT_TRUE(t.curve.IsChanged());
}

TEST(ValueImport, ReadingStopsAtMaxRows) {
  PYCurve t;
  std::string text;
  for (int i = 0; i < 25; ++i) text += std::to_string(i) + " " + std::to_string(-i) + "\r\n";
  EXPECT_EQ(importValueRows(t.curve, text), std::nullopt);
  EXPECT_EQ(t.curve.RowCount(), 17);
  EXPECT_EQ(t.curve.Cell(1, 16).GetFloat(), -16);
}

// Fewer rows than MinRows: the message, and the table exactly as it was.
TEST(ValueImport, TooFewRowsLeaveTheTableAsItWas) {
  PYCurve t;
  t.curve.SetRowCount(3);
  t.curve.Cell(0, 2).SetFloat(9);
  t.curve.ResetChanged();
  EXPECT_EQ(importValueRows(t.curve, "title\n1 2 3\n4 5"),
            std::optional<std::string>(
                "The text holds 1 line of 2 numbers; this table needs at least 2. The table was left as it was."));
  EXPECT_EQ(t.curve.RowCount(), 3);
  EXPECT_EQ(t.curve.Cell(0, 2).GetFloat(), 9);
  EXPECT_FALSE(t.curve.IsChanged());
}

}  // namespace
}  // namespace korvex
