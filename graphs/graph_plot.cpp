#include "graphs/graph_plot.h"

#include <algorithm>

#include "entry/number_format.h"
#include "entry/unit_codes.h"

namespace korvex {

namespace {

std::string axisTitle(const std::string& caption, const std::string& code, int units) {
  if (code.empty()) return caption;
  return caption + " (" + axisUnitLabel(code, units) + ")";
}

}  // namespace

std::string graphNumber(double value, int digits) {
  if (value == 0) return "0";  // also -0
  return formatGeneral(value, digits);
}

void TGraphPlot::SetUnits(int units) { m_units = std::clamp(units, 1, 3); }

int TGraphPlot::LineCount(GraphList list) const { return static_cast<int>(m_lists[list].size()); }

TLine& TGraphPlot::Line(int index, GraphList list) { return m_lists[list].at(static_cast<std::size_t>(index)); }

const TLine& TGraphPlot::Line(int index, GraphList list) const {
  return m_lists[list].at(static_cast<std::size_t>(index));
}

void TGraphPlot::SetLineCount(int count, GraphList list) {
  std::vector<TLine>& lines = m_lists[list];
  count = std::max(count, 0);
  if (count < LineCount(list)) lines.resize(static_cast<std::size_t>(count));
  while (LineCount(list) < count) {
    TLine line;
    line.number = LineCount(list) + 1;
    lines.push_back(std::move(line));
  }
}

int TGraphPlot::PointCount(GraphList list) const {
  return m_lists[list].empty() ? 0 : static_cast<int>(m_lists[list].front().points.size());
}

void TGraphPlot::SetPointCount(int count, GraphList list) {
  for (TLine& line : m_lists[list]) line.points.resize(static_cast<std::size_t>(std::max(count, 0)));
}

void TGraphPlot::ClearLines() {
  for (std::vector<TLine>& lines : m_lists) lines.clear();
}

std::string TGraphPlot::LineName(int index) const {
  const TLine& line = Line(index);
  if (!line.name.empty()) return line.name;
  const auto at = static_cast<std::size_t>(index);
  if (at < LegendNames.size() && !LegendNames[at].empty()) return LegendNames[at];
  return CurveName + graphNumber(line.number, 15);
}

std::string TGraphPlot::LineName(int index, GraphList list) const {
  if (list == kPlottedLines) return LineName(index);
  const TLine& line = Line(index, list);
  return line.name.empty() ? CurveName + graphNumber(line.number, 15) : line.name;
}

std::string TGraphPlot::XTitle(int panel) const {
  const PanelCaptions& p = Panels.at(static_cast<std::size_t>(panel));
  return axisTitle(p.xCaption, p.xUnits, m_units);
}

std::string TGraphPlot::YTitle(int panel) const {
  const PanelCaptions& p = Panels.at(static_cast<std::size_t>(panel));
  return axisTitle(p.yCaption, p.yUnits, m_units);
}

}  // namespace korvex
