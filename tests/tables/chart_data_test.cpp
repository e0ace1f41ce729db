// The chart above a chart table's grid: series from the columns, the "N" case, the second series
// and legend, axis ranges that are never empty, and the text of the tick labels.
#include "tables/chart_data.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "tables/column_types.h"

namespace korvex {
namespace {

TFloatColumn& addFloat(TGridTable& table, std::string header) {
  auto column = std::make_unique<TFloatColumn>();
  column->SetHeaderLines({std::move(header), "second line"});
  return static_cast<TFloatColumn&>(table.AddColumn(std::move(column)));
}

// A chart table of `columns` float columns holding `rows`.
void fill(TGridTableChart& table, const std::vector<std::vector<double>>& rows) {
  table.SetRowCount(static_cast<int>(rows.size()));
  for (std::size_t r = 0; r < rows.size(); ++r)
    for (std::size_t c = 0; c < rows[r].size(); ++c)
      table.Cell(static_cast<int>(c), static_cast<int>(r)).SetFloat(rows[r][c]);
}

TEST(ChartData, SeriesOneIsXAgainstYWithTheFirstHeaderLinesAsTitles) {
  TGridTableChart curve;
  addFloat(curve, "Lateral Deflection, y (*)");
  addFloat(curve, "Soil Resistance, p");
  curve.SetChart({true, false, 0, 1, 0, 0});
  curve.SetInvertedYAxis(true);
  fill(curve, {{-1, 50}, {0, 0}, {1, -50}});
  const ChartData chart = chartData(curve);
  EXPECT_EQ(chart.series1.points, (std::vector<ChartPoint>{{-1, 50}, {0, 0}, {1, -50}}));
  EXPECT_EQ(chart.xTitle, "Lateral Deflection, y (*)");
  EXPECT_EQ(chart.yTitle, "Soil Resistance, p");
  EXPECT_FALSE(chart.series2.has_value());
  EXPECT_FALSE(chart.rowNumberX);
  EXPECT_TRUE(chart.invertedY);
  EXPECT_FALSE(chart.invertedX);
}

TEST(ChartData, OneColumnIsPlottedAgainstTheRowNumber) {
  TGridTableChart single;
  addFloat(single, "Load");
  single.SetChart({true, false, 0, 0, 0, 0});
  fill(single, {{5}, {7}});
  const ChartData chart = chartData(single);
  EXPECT_TRUE(chart.rowNumberX);
  EXPECT_FALSE(chart.marks);
  EXPECT_EQ(chart.xTitle, "N");
  EXPECT_EQ(chart.series1.points, (std::vector<ChartPoint>{{1, 5}, {2, 7}}));
}

TEST(ChartData, ThreeColumnsGiveASecondSeriesAndALegend) {
  TGridTableChart table;
  addFloat(table, "Depth");
  addFloat(table, "Active");
  addFloat(table, "Passive");
  table.SetChart({true, false, 0, 1, 0, 0});
  fill(table, {{0, 1, 2}, {10, 3, 4}});
  const ChartData chart = chartData(table);
  ASSERT_TRUE(chart.series2.has_value());
  EXPECT_TRUE(chart.legend);
  EXPECT_EQ(chart.series1.title, "Active");
  EXPECT_EQ(chart.series2->title, "Passive");
  EXPECT_EQ(chart.series2->points, (std::vector<ChartPoint>{{0, 2}, {10, 4}}));
}

struct ScaleCase {
  std::vector<double> values;
  double low;
  double high;
  AxisFormat format;
};

// Ranges widened to round ticks; all-equal values (positive, negative, zero) still a range.
TEST(ChartData, AxisScalesAreNeverEmpty) {
  const std::vector<ScaleCase> cases = {
      {{-1.2, 0.4, 3.7}, -2, 4, AxisFormat::Fixed},
      {{5, 5, 5}, 4.5, 5.5, AxisFormat::Fixed},
      {{-5, -5}, -5.5, -4.5, AxisFormat::Fixed},
      {{0, 0}, -1, 1, AxisFormat::Fixed},
      {{0, 3e10}, 0, 3e10, AxisFormat::Scientific},
      {{0.0001, 0.0004}, 0.0001, 0.0004, AxisFormat::Scientific},
      {{}, 0, 1, AxisFormat::Fixed},
  };
  for (const ScaleCase& c : cases) {
    const AxisScale scale = axisScale(c.values);
    EXPECT_NEAR(scale.low, c.low, 1e-12 * std::max(1.0, std::fabs(c.high))) << c.values.size();
    EXPECT_NEAR(scale.high, c.high, 1e-12 * std::max(1.0, std::fabs(c.high))) << c.values.size();
    EXPECT_LT(scale.low, scale.high);
    EXPECT_EQ(scale.format, c.format);
    const std::vector<double> ticks = axisTicks(scale);
    ASSERT_GE(ticks.size(), 2u);
    EXPECT_NEAR(ticks.front(), scale.low, 1e-9 * std::fabs(scale.step));
    EXPECT_NEAR(ticks.back(), scale.high, 1e-9 * std::fabs(scale.step));
  }
  const AxisScale rows = axisScale({1, 2, 3}, true);
  EXPECT_EQ(rows.format, AxisFormat::Whole);
  EXPECT_GE(rows.step, 1);
}

TEST(ChartData, TickLabelsAreWrittenInTheAxisFormat) {
  const std::vector<std::tuple<double, AxisFormat, std::string>> cases = {
      {1250.5, AxisFormat::Fixed, "1,250.5"},     {-0.125, AxisFormat::Fixed, "-0.125"},
      {1234567, AxisFormat::Fixed, "1,234,567"},  {-0.0001, AxisFormat::Fixed, "0"},
      {0.00015, AxisFormat::Scientific, "1.5E-4"}, {-2e6, AxisFormat::Scientific, "-2.0E6"},
      {3.14159e10, AxisFormat::Scientific, "3.142E10"}, {12, AxisFormat::Whole, "12"},
      {12000, AxisFormat::Whole, "12,000"},
  };
  for (const auto& [value, format, text] : cases) EXPECT_EQ(formatAxisLabel(value, format), text) << value;
}

TEST(ChartData, SegmentModeDrawsEachRowWithItsNumberAtTheMiddle) {
  TGridTableChart table;
  for (const char* name : {"x1", "y1", "x2", "y2"}) addFloat(table, name);
  table.SetChart({true, true, 0, 1, 2, 3});
  fill(table, {{0, 0, 4, 2}});
  const std::vector<ChartSegment> segments = chartSegments(table);
  ASSERT_EQ(segments.size(), 1u);
  EXPECT_EQ(segments[0].from, (ChartPoint{0, 0}));
  EXPECT_EQ(segments[0].to, (ChartPoint{4, 2}));
  EXPECT_EQ(segments[0].label, (ChartPoint{2, 1}));
  EXPECT_EQ(segments[0].row, 1);
}

}  // namespace
}  // namespace korvex
