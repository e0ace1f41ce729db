#include "tables/chart_data.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace korvex {

namespace {

bool hasColumn(const TGridTable& table, int column) { return column >= 0 && column < table.ColumnCount(); }

// The number in a cell of a float or an integer column (0 for any other kind).
double cellValue(const TGridTable& table, int column, int row) {
  try {
    return static_cast<double>(table.Column(column).GetFloat(row));
  } catch (const EInvalidCast&) {
  }
  try {
    return table.Column(column).GetInt(row);
  } catch (const EInvalidCast&) {
  }
  return 0;
}

// The column's first header line (with its unit label when it is also the last), without the
// blanks that pad it in the grid.
std::string firstHeaderLine(const TGridTable& table, int column) {
  if (!hasColumn(table, column) || table.Column(column).HeaderLineCount() == 0) return {};
  std::string line = table.Column(column).GetHeaderLine(0);
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return line;
}

ChartSeries columnSeries(const TGridTable& table, int xColumn, int yColumn) {
  ChartSeries series;
  series.title = firstHeaderLine(table, yColumn);
  if (!hasColumn(table, xColumn) || !hasColumn(table, yColumn)) return series;
  for (int r = 0; r < table.RowCount(); ++r)
    series.points.push_back({cellValue(table, xColumn, r), cellValue(table, yColumn, r)});
  return series;
}

// A round distance between about five ticks over `span`: 1, 2, 2.5 or 5 times a power of ten.
double roundStep(double span) {
  const double raw = span / 5;
  const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
  for (double factor : {1.0, 2.0, 2.5, 5.0}) {
    if (raw <= factor * magnitude * (1 + 1e-9)) return factor * magnitude;
  }
  return 10 * magnitude;
}

// Digits of the whole part of a non-negative number written with a comma between thousands.
std::string groupThousands(const std::string& digits) {
  std::string grouped;
  const int n = static_cast<int>(digits.size());
  for (int i = 0; i < n; ++i) {
    if (i > 0 && (n - i) % 3 == 0) grouped += ',';
    grouped += digits[static_cast<std::size_t>(i)];
  }
  return grouped;
}

std::string toChars(double value, std::chars_format format, int precision) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format, precision);
  return std::string(buffer, result.ptr);
}

void dropTrailingZeros(std::string& number, std::size_t keepDecimals) {
  const std::size_t point = number.find('.');
  if (point == std::string::npos) return;
  while (number.size() > point + 1 + keepDecimals && number.back() == '0') number.pop_back();
  if (number.back() == '.') number.pop_back();
}

}  // namespace

ChartData chartData(const TGridTableChart& table) {
  const TChartParameters& p = table.Chart();
  ChartData chart;
  chart.invertedX = table.InvertedXAxis();
  chart.invertedY = table.InvertedYAxis();
  const int dataColumns = table.VisibleColumnCount();
  if (dataColumns == 1) {
    const TColumn& only = table.VisibleColumn(0);
    const int column = table.IndexOfColumn(&only);
    chart.rowNumberX = true;
    chart.marks = false;
    chart.xTitle = "N";
    chart.yTitle = firstHeaderLine(table, column);
    chart.series1.title = chart.yTitle;
    for (int r = 0; r < table.RowCount(); ++r) chart.series1.points.push_back({r + 1.0, cellValue(table, column, r)});
    return chart;
  }
  chart.xTitle = firstHeaderLine(table, p.xColumn);
  chart.yTitle = firstHeaderLine(table, p.yColumn);
  chart.series1 = columnSeries(table, p.xColumn, p.yColumn);
  if (dataColumns == 3 && p.xColumn == 0 && p.yColumn == 1) {
    chart.series2 = columnSeries(table, 0, 2);
    chart.legend = true;
  }
  return chart;
}

AxisScale axisScale(const std::vector<double>& values, bool wholeNumbers) {
  AxisScale scale;
  scale.format = wholeNumbers ? AxisFormat::Whole : AxisFormat::Fixed;
  if (values.empty()) return scale;
  const auto [lowest, highest] = std::minmax_element(values.begin(), values.end());
  double low = *lowest;
  double high = *highest;
  if (low == high) {
    // A constant: a tenth either side of it, or -1 to 1 around zero.
    const double a = low == 0 ? -1 : 0.9 * low;
    const double b = low == 0 ? 1 : 1.1 * low;
    scale.low = std::min(a, b);
    scale.high = std::max(a, b);
    scale.step = (scale.high - scale.low) / 4;
  } else {
    scale.step = roundStep(high - low);
    scale.low = std::floor(low / scale.step + 1e-9) * scale.step;
    scale.high = std::ceil(high / scale.step - 1e-9) * scale.step;
  }
  if (wholeNumbers) {
    scale.step = std::max(1.0, std::round(scale.step));
    scale.low = std::floor(scale.low);
    scale.high = std::max(std::ceil(scale.high), scale.low + 1);
    return scale;
  }
  const double largest = std::max(std::fabs(low), std::fabs(high));
  const bool bothZero = scale.low == 0 && scale.high == 0;
  const bool tiny = std::fabs(scale.low) < 0.001 && std::fabs(scale.high) < 0.001;
  if (largest > 100000 || (tiny && !bothZero)) scale.format = AxisFormat::Scientific;
  return scale;
}

std::vector<double> axisTicks(const AxisScale& scale) {
  std::vector<double> ticks;
  if (!(scale.step > 0) || !(scale.high >= scale.low)) return ticks;
  const int count = static_cast<int>(std::floor((scale.high - scale.low) / scale.step + 1e-6));
  for (int i = 0; i <= count && i <= 1000; ++i) {
    double tick = scale.low + i * scale.step;
    if (std::fabs(tick) < scale.step * 1e-9) tick = 0;  // no -0 or 1E-17 at the origin
    ticks.push_back(tick);
  }
  return ticks;
}

std::string formatAxisLabel(double value, AxisFormat format) {
  if (!std::isfinite(value)) return value != value ? "NAN" : (value > 0 ? "INF" : "-INF");
  if (format == AxisFormat::Scientific) {
    if (value == 0) return "0.0E0";
    std::string text = toChars(value, std::chars_format::scientific, 3);  // "-1.500e-04"
    const std::size_t e = text.find('e');
    std::string mantissa = text.substr(0, e);
    dropTrailingZeros(mantissa, 1);
    int exponent = 0;
    std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(), exponent);
    return mantissa + "E" + std::to_string(exponent);
  }
  std::string text = toChars(value, std::chars_format::fixed, format == AxisFormat::Whole ? 0 : 3);
  dropTrailingZeros(text, 0);
  const bool negative = text.front() == '-';
  if (negative) text.erase(0, 1);
  if (text == "0") return "0";
  const std::size_t point = text.find('.');
  const std::string whole = groupThousands(text.substr(0, point));
  return (negative ? "-" : "") + whole + (point == std::string::npos ? "" : text.substr(point));
}

std::vector<ChartSegment> chartSegments(const TGridTableChart& table) {
  const TChartParameters& p = table.Chart();
  std::vector<ChartSegment> segments;
  if (table.ColumnCount() < 4) return segments;
  for (const int column : {p.xColumn, p.yColumn, p.x2Column, p.y2Column}) {
    if (!hasColumn(table, column)) return segments;
  }
  for (int r = 0; r < table.RowCount(); ++r) {
    ChartSegment s;
    s.from = {cellValue(table, 0, r), cellValue(table, 1, r)};
    s.to = {cellValue(table, 2, r), cellValue(table, 3, r)};
    s.label = {(cellValue(table, p.xColumn, r) + cellValue(table, p.x2Column, r)) / 2,
               (cellValue(table, p.yColumn, r) + cellValue(table, p.y2Column, r)) / 2};
    s.row = r + 1;
    segments.push_back(s);
  }
  return segments;
}

}  // namespace korvex
