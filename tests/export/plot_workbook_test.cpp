// The workbook of the result graphs, read back from the written .xlsx: the sheets and their
// order, the legend with its links, the data sheets' cells, the charts' series and axes, numbers
// under a decimal-comma locale, and failed writes that leave no file behind.
#include "export/plot_workbook.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <filesystem>
#include <limits>
#include <map>
#include <set>

#include "comma_locale.h"
#include "export/export_choice.h"
#include "export/xlsx_reader.h"
#include "test_support.h"

namespace korvex {
namespace {

using testing::readFile;
using testing::TempFolder;
using testing::XlsxFile;

// A graph of `lines` lines, line i holding pointCounts[i] points (x = i + k / 4, y = k / 2).
TGraphPlot graphWith(const std::string& caption, const std::vector<int>& pointCounts, bool xOnTop) {
  TGraphPlot graph;
  graph.Caption = caption;
  graph.CurveName = "Load #";
  graph.XOnTop = xOnTop;
  graph.Panels[0] = {"Distributed Load", "Depth", "F/L", "L2"};  // English: lbs/in and ft
  graph.SetUnits(1);
  graph.SetLineCount(static_cast<int>(pointCounts.size()));
  for (int i = 0; i < graph.LineCount(); ++i)
    for (int k = 0; k < pointCounts[static_cast<std::size_t>(i)]; ++k)
      graph.Line(i).points.push_back({i + k / 4.0, k / 2.0});
  return graph;
}

double numberIn(const std::string& text) {
  double value = std::nan("");
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

// Every cell formula (<c:f>) of a chart, in order: per series its name, x and y ranges, then the
// axis titles.
std::vector<std::string> formulasOf(const std::string& chart) {
  std::vector<std::string> formulas;
  for (const auto& m : XlsxFile::matches(chart, "<c:f>([^<]*)</c:f>")) formulas.push_back(m[1]);
  return formulas;
}

// The scaling orientations of the chart's axes, x first ("minMax", or "maxMin" when reversed).
std::vector<std::string> orientationsOf(const std::string& chart) {
  std::vector<std::string> orientations;
  for (const auto& m : XlsxFile::matches(chart, R"re(<c:orientation val="(\w+)"/>)re")) orientations.push_back(m[1]);
  return orientations;
}

class PlotWorkbookTest : public ::testing::Test {
 protected:
  // Graph 1 like the p-y curves (x axis at the bottom), graph 2 like a depth graph with lines
  // of 3, 2 and no points.
  TGraphPlot m_curves = graphWith("p-y Curves", {2, 2}, false);
  TGraphPlot m_depth = graphWith("Earth Pressure Combined", {3, 2, 0}, true);
  TempFolder m_folder;
  std::filesystem::path m_file = m_folder / "wall plots.xlsx";
};

TEST_F(PlotWorkbookTest, LegendListsEachGraphWithALinkToItsDataSheet) {
  ASSERT_EQ(writePlotWorkbook({&m_curves, &m_depth}, m_file), "");
  const XlsxFile book(m_file);
  ASSERT_FALSE(book.empty());
  // Each chart sheet stands right after its data sheet.
  EXPECT_EQ(book.sheetNames(), (std::vector<std::string>{"Legend", "Page_1", "Plot_1", "Page_2", "Plot_2"}));
  EXPECT_EQ(book.sheetPart("Page_2").rfind("xl/worksheets/", 0), 0u);
  EXPECT_EQ(book.sheetPart("Plot_2").rfind("xl/chartsheets/", 0), 0u);

  const struct {
    const char* ref;
    std::string text;
    bool number;
  } cells[] = {
      {"B2", "     N    ", false},
      {"C2", "                             Plot Name                             ", false},
      {"D2", "  Sheet Name  ", false},
      {"E2", "  Chart Name  ", false},
      {"F2", "          Status          ", false},
      {"B3", "1", true}, {"C3", "p-y Curves", false}, {"D3", "Page_1", false}, {"E3", "Plot_1", false},
      {"F3", "Complete", false},
      {"B4", "2", true}, {"C4", "Earth Pressure Combined", false}, {"D4", "Page_2", false}, {"E4", "Plot_2", false},
      {"F4", "Complete", false},
      {"B5", "", false},
  };
  for (const auto& c : cells) {
    const XlsxFile::Cell cell = book.cell("Legend", c.ref);
    EXPECT_EQ(cell.text, c.text) << c.ref;
    EXPECT_EQ(cell.number, c.number) << c.ref;
    EXPECT_EQ(book.boldAndVerticallyCentred(cell.style), std::string(c.ref).back() == '2') << c.ref;
  }
  // Each header column is at least as wide as its text.
  for (int column = 2; column <= 6; ++column) {
    const std::string header = book.cell("Legend", std::string(1, static_cast<char>('A' + column - 1)) + "2").text;
    EXPECT_GE(book.columnWidth("Legend", column), header.size()) << column;
  }
  EXPECT_EQ(book.hyperlinks("Legend"), (std::map<std::string, std::string>{{"D3", "Page_1!A1"}, {"D4", "Page_2!A1"}}));
}

TEST_F(PlotWorkbookTest, DataSheetHoldsTitlesLineNamesAndEachLinesOwnPointsAsNumbers) {
  m_depth.Line(1).name = "=from Soils";  // a name is text, whatever it begins with
  ASSERT_EQ(writePlotWorkbook({&m_curves, &m_depth}, m_file), "");
  const XlsxFile book(m_file);
  const struct {
    const char* ref;
    std::string text;
  } texts[] = {
      {"A1", "Earth Pressure Combined"}, {"G1", "Go to Legend Page"},
      {"A2", "X"}, {"B2", "Distributed Load (lbs/in)"},
      {"A3", "Y"}, {"B3", "Depth (ft)"},
      {"A4", "Load #1"}, {"C4", "=from Soils"}, {"E4", "Load #3"},
      {"A5", "X"}, {"B5", "Y"}, {"C5", "X"}, {"D5", "Y"}, {"E5", "X"}, {"F5", "Y"},
      {"C8", ""}, {"E6", ""}, {"A9", ""},
  };
  for (const auto& t : texts) {
    EXPECT_EQ(book.cell("Page_2", t.ref).text, t.text) << t.ref;
    EXPECT_FALSE(book.cell("Page_2", t.ref).number) << t.ref;
  }
  const struct {
    const char* ref;
    double value;
  } numbers[] = {{"A6", 0}, {"B6", 0}, {"A8", 0.5}, {"B8", 1}, {"C6", 1}, {"C7", 1.25}, {"D7", 0.5}};
  for (const auto& n : numbers) {
    const XlsxFile::Cell cell = book.cell("Page_2", n.ref);
    EXPECT_TRUE(cell.number) << n.ref;
    EXPECT_DOUBLE_EQ(numberIn(cell.text), n.value) << n.ref;
  }
  EXPECT_EQ(book.hyperlinks("Page_2"), (std::map<std::string, std::string>{{"G1", "Legend!A1"}}));
}

TEST_F(PlotWorkbookTest, ChartDrawsOneSeriesPerLineOverItsOwnRows) {
  // Fourteen lines: the 14th fills columns AA and AB.
  const TGraphPlot many = graphWith("p-y Curves", std::vector<int>(14, 4), false);
  ASSERT_EQ(writePlotWorkbook({&m_depth, &many}, m_file), "");
  const XlsxFile book(m_file);

  const std::string depthChart = book.chartOf("Plot_1");
  EXPECT_EQ(formulasOf(depthChart),
            (std::vector<std::string>{"Page_1!$A$4", "Page_1!$A$6:$A$8", "Page_1!$B$6:$B$8",  //
                                      "Page_1!$C$4", "Page_1!$C$6:$C$7", "Page_1!$D$6:$D$7",  //
                                      "Page_1!$E$4", "Page_1!$E$6", "Page_1!$F$6",            //
                                      "Page_1!$B$2", "Page_1!$B$3"}));
  // Depth grows downwards: the y axis is reversed, the x axis not.
  EXPECT_EQ(orientationsOf(depthChart), (std::vector<std::string>{"minMax", "maxMin"}));

  const std::string manyChart = book.chartOf("Plot_2");
  const std::vector<std::string> formulas = formulasOf(manyChart);
  ASSERT_EQ(formulas.size(), 14u * 3 + 2);
  const struct {
    std::size_t line;  // 0-based
    std::string name, x, y;
  } series[] = {
      {0, "Page_2!$A$4", "Page_2!$A$6:$A$9", "Page_2!$B$6:$B$9"},
      {12, "Page_2!$Y$4", "Page_2!$Y$6:$Y$9", "Page_2!$Z$6:$Z$9"},
      {13, "Page_2!$AA$4", "Page_2!$AA$6:$AA$9", "Page_2!$AB$6:$AB$9"},
  };
  for (const auto& s : series) {
    EXPECT_EQ(formulas[3 * s.line], s.name);
    EXPECT_EQ(formulas[3 * s.line + 1], s.x);
    EXPECT_EQ(formulas[3 * s.line + 2], s.y);
  }
  EXPECT_EQ(orientationsOf(manyChart), (std::vector<std::string>{"minMax", "minMax"}));

  for (const std::string& chart : {depthChart, manyChart}) {
    EXPECT_NE(chart.find(R"re(<c:scatterStyle val="lineMarker"/>)re"), std::string::npos);
    // No chart title, not even the one a single series would lend it; gridlines on both axes.
    EXPECT_NE(chart.find(R"re(<c:autoTitleDeleted val="1"/>)re"), std::string::npos);
    EXPECT_EQ(XlsxFile::matches(chart, "<c:majorGridlines/>").size(), 2u);
  }
}

TEST_F(PlotWorkbookTest, NumbersKeepTheirDecimalPointUnderACommaLocale) {
  KORVEX_UNDER_COMMA_LOCALE(comma);
  ASSERT_EQ(writePlotWorkbook({&m_depth}, m_file), "");
  const XlsxFile book(m_file);
  EXPECT_EQ(book.cell("Page_1", "C7").text, "1.25");
  EXPECT_GT(book.columnWidth("Legend", 3), 67.0);
  EXPECT_NE(book.chartOf("Plot_1").find("<c:v>1.25</c:v>"), std::string::npos);
  EXPECT_NE(book.part(book.sheetPart("Legend")).find(R"re(<pageMargins left="0.7")re"), std::string::npos);
}

// A workbook that cannot be written whole says why and leaves the folder as it was: no file of
// its name, an earlier one unchanged, no temporary file.
TEST_F(PlotWorkbookTest, AFailedWriteLeavesNoFileAndTheEarlierOneAsItWas) {
  testing::writeFile(m_file, "earlier workbook");
  std::filesystem::create_directory(m_folder / "taken.xlsx");
  TGraphPlot infinite = m_depth;
  infinite.Line(0).points[1].x = std::numeric_limits<double>::infinity();
  TGraphPlot empty = graphWith("Shear vs Depth", {}, true);
  const std::string missing = (m_folder / "no folder" / "a.xlsx").string();
  const std::string taken = (m_folder / "taken.xlsx").string();

  const struct {
    std::vector<const TGraphPlot*> graphs;
    std::string path, error;
  } cases[] = {
      {{&m_curves}, missing, "Cannot create file \"" + missing + "\". No such file or directory"},
      {{&m_curves}, taken, "Cannot replace file \"" + taken + "\". Is a directory"},
      {{&m_curves, &infinite}, m_file.string(),
       "The workbook \"" + m_file.string() +
           "\" could not be built: \"Earth Pressure Combined\" holds a point that is not a finite number."},
      {{&empty}, m_file.string(), "The graph \"Shear vs Depth\" holds no lines to export."},
  };
  std::set<std::filesystem::path> before;
  for (const auto& entry : std::filesystem::directory_iterator(m_folder.path())) before.insert(entry.path());
  for (const auto& c : cases) {
    EXPECT_EQ(writePlotWorkbook(c.graphs, c.path), c.error);
    std::set<std::filesystem::path> after;
    for (const auto& entry : std::filesystem::directory_iterator(m_folder.path())) after.insert(entry.path());
    EXPECT_EQ(after, before) << c.error;
    EXPECT_EQ(readFile(m_file), "earlier workbook") << c.error;
  }
}

// The export's numbering follows its own fixed order (shear before moment), whatever the order
// of the choice; a graph chosen alone is number 1.
TEST(ExportChoice, NumbersTheChosenGraphsInTheExportOrder) {
  const ResultGraphs graphs;
  const struct {
    std::vector<int> chosen;
    std::vector<std::string> captions;
  } cases[] = {
      {{5}, {"Net Reaction vs Depth"}},
      {{7, 1, 3}, {"p-y Curves", "Shear vs Depth", "Earth Pressure Combined"}},
      {{4, 3, 3}, {"Shear vs Depth", "Moment vs Depth"}},
      {{6, 2}, {"Deflection vs Depth", "Earth Pressure Distribution"}},
      {{}, {}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> captions;
    for (const TGraphPlot* graph : graphsToExport(graphs, c.chosen)) captions.push_back(graph->Caption);
    EXPECT_EQ(captions, c.captions);
  }
  EXPECT_EQ(proposedWorkbookPath("/walls/pier 4.kx5d"), std::filesystem::path("/walls/pier 4 plots.xlsx"));
}

}  // namespace
}  // namespace korvex
