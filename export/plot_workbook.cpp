#include "export/plot_workbook.h"

#include <locale.h>
#include <unistd.h>
#include <xlsxwriter.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string_view>

#include "app/project_writer.h"
#include "app/system_error_text.h"

namespace korvex {

namespace {

namespace fs = std::filesystem;

// Rows and columns are 0-based here: row 0 is the sheet's row 1, column 0 its column A.
constexpr lxw_row_t kHeaderRow = 1;         // Legend: the header in row 2
constexpr lxw_row_t kFirstGraphRow = 2;     // Legend: graph 1 in row 3
constexpr lxw_col_t kNumberColumn = 1;      // Legend: B holds n, C to F the rest of the row
constexpr lxw_col_t kStatusColumn = 5;      // Legend: F
constexpr lxw_row_t kXTitleRow = 1;         // Page_n: the x-axis title in B2
constexpr lxw_row_t kYTitleRow = 2;         // Page_n: the y-axis title in B3
constexpr lxw_col_t kTitleColumn = 1;       // Page_n: B
constexpr lxw_row_t kNameRow = 3;           // Page_n: the line names in row 4
constexpr lxw_row_t kXYRow = 4;             // Page_n: "X" and "Y" in row 5
constexpr lxw_row_t kFirstPointRow = 5;     // Page_n: the points from row 6 on
constexpr lxw_col_t kLegendLinkColumn = 6;  // Page_n: G1

// libxlsxwriter writes every number of the file (cells, column widths, margins) with the C
// library's printf, which follows LC_NUMERIC: under a locale with a decimal comma, as the
// desktop program adopts the user's, it would write "1,5" where the format wants "1.5". While
// alive, this thread formats numbers as the C locale does; other threads are not touched.
class PointDecimalsOnThisThread {
 public:
  PointDecimalsOnThisThread() {
    if (locale_t current = duplocale(uselocale(nullptr))) {
      m_classic = newlocale(LC_NUMERIC_MASK, "C", current);
      if (m_classic == nullptr) freelocale(current);
    }
    if (m_classic != nullptr) m_previous = uselocale(m_classic);
  }
  ~PointDecimalsOnThisThread() {
    if (m_classic == nullptr) return;
    uselocale(m_previous);
    freelocale(m_classic);
  }
  PointDecimalsOnThisThread(const PointDecimalsOnThisThread&) = delete;
  PointDecimalsOnThisThread& operator=(const PointDecimalsOnThisThread&) = delete;

  bool active() const { return m_classic != nullptr; }

 private:
  locale_t m_classic = nullptr;
  locale_t m_previous = nullptr;
};

// A file of its own in the system's temporary folder for libxlsxwriter to write the workbook
// into, removed with this object; the path is empty, and `error` says why, when none was made.
class ScratchFile {
 public:
  explicit ScratchFile(int& error) {
    std::error_code folderError;
    std::string pattern = (fs::temp_directory_path(folderError) / "korvex-workbook-XXXXXX").string();
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) {
      error = errno;
      return;
    }
    ::close(fd);
    m_path = pattern;
  }
  ~ScratchFile() {
    if (!m_path.empty()) ::unlink(m_path.c_str());
  }
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;

  const fs::path& path() const { return m_path; }

 private:
  fs::path m_path;
};

std::string internalLink(const std::string& sheet) { return "internal:" + sheet + "!A1"; }

// Builds the sheets into an open workbook; the first failure of libxlsxwriter is kept and
// stops nothing by itself, so the caller asks error() before it trusts the workbook.
class WorkbookBuilder {
 public:
  explicit WorkbookBuilder(lxw_workbook* workbook) : m_workbook(workbook) {}

  // The legend sheet with its header and the numbers 1 to k; graph rows are added by addGraph.
  void addLegend(const std::vector<const TGraphPlot*>& graphs) {
    m_legend = addWorksheet("Legend");
    if (m_legend == nullptr) return;
    lxw_format* header = workbook_add_format(m_workbook);
    format_set_bold(header);
    format_set_align(header, LXW_ALIGN_VERTICAL_CENTER);
    // Without an autofit each column is made as wide, in characters, as its longest text: the
    // header's texts were chosen to size them.
    std::array<std::size_t, 5> widest{};
    for (std::size_t c = 0; c < widest.size(); ++c) {
      const auto column = static_cast<lxw_col_t>(kNumberColumn + c);
      check(worksheet_write_string(m_legend, kHeaderRow, column, kLegendHeader[c], header));
      widest[c] = std::string_view(kLegendHeader[c]).size();
    }
    for (std::size_t n = 0; n < graphs.size(); ++n) {
      check(worksheet_write_number(m_legend, row(n), kNumberColumn, static_cast<double>(n + 1), nullptr));
      widest[1] = std::max(widest[1], graphs[n]->Caption.size());
    }
    for (std::size_t c = 0; c < widest.size(); ++c) {
      const auto column = static_cast<lxw_col_t>(kNumberColumn + c);
      check(worksheet_set_column(m_legend, column, column, static_cast<double>(widest[c]), nullptr));
    }
  }

  // Graph `number` (1-based): its legend row, its data sheet and its chart sheet; the legend
  // says "Complete" when all three were built.
  void addGraph(int number, const TGraphPlot& graph) {
    const std::string page = "Page_" + std::to_string(number);
    const std::string plot = "Plot_" + std::to_string(number);
    const lxw_row_t legendRow = row(static_cast<std::size_t>(number - 1));
    check(worksheet_write_string(m_legend, legendRow, kNumberColumn + 1, graph.Caption.c_str(), nullptr));
    check(worksheet_write_url_opt(m_legend, legendRow, kNumberColumn + 2, internalLink(page).c_str(), nullptr,
                                  page.c_str(), nullptr));
    check(worksheet_write_string(m_legend, legendRow, kNumberColumn + 3, plot.c_str(), nullptr));
    if (2 * static_cast<long>(graph.LineCount()) > LXW_COL_MAX) {
      fail("\"" + graph.Caption + "\" has more lines than a worksheet has columns");
      return;
    }
    if (lxw_worksheet* data = addWorksheet(page)) writePoints(data, graph);
    if (lxw_chartsheet* chart = addChartsheet(plot)) drawChart(chart, page, graph);
    if (m_error.empty()) check(worksheet_write_string(m_legend, legendRow, kStatusColumn, kGraphComplete, nullptr));
  }

  const std::string& error() const { return m_error; }

 private:
  static lxw_row_t row(std::size_t graphIndex) { return kFirstGraphRow + static_cast<lxw_row_t>(graphIndex); }

  void fail(const std::string& why) {
    if (m_error.empty()) m_error = why;
  }
  void check(lxw_error error) {
    if (error != LXW_NO_ERROR) fail(lxw_strerror(error));
  }

  lxw_worksheet* addWorksheet(const std::string& name) {
    lxw_worksheet* sheet = workbook_add_worksheet(m_workbook, name.c_str());
    if (sheet == nullptr) fail("the sheet " + name + " could not be added");
    return sheet;
  }
  lxw_chartsheet* addChartsheet(const std::string& name) {
    lxw_chartsheet* sheet = workbook_add_chartsheet(m_workbook, name.c_str());
    if (sheet == nullptr) fail("the chart sheet " + name + " could not be added");
    return sheet;
  }

  void writePoints(lxw_worksheet* data, const TGraphPlot& graph) {
    check(worksheet_write_string(data, 0, 0, graph.Caption.c_str(), nullptr));
    check(worksheet_write_string(data, kXTitleRow, 0, "X", nullptr));
    check(worksheet_write_string(data, kXTitleRow, kTitleColumn, graph.XTitle().c_str(), nullptr));
    check(worksheet_write_string(data, kYTitleRow, 0, "Y", nullptr));
    check(worksheet_write_string(data, kYTitleRow, kTitleColumn, graph.YTitle().c_str(), nullptr));
    check(worksheet_write_url_opt(data, 0, kLegendLinkColumn, internalLink("Legend").c_str(), nullptr, kGoToLegend,
                                  nullptr));
    for (int i = 0; i < graph.LineCount(); ++i) {
      const auto x = static_cast<lxw_col_t>(2 * i);
      check(worksheet_write_string(data, kNameRow, x, graph.LineName(i).c_str(), nullptr));
      check(worksheet_write_string(data, kXYRow, x, "X", nullptr));
      check(worksheet_write_string(data, kXYRow, x + 1, "Y", nullptr));
      lxw_row_t at = kFirstPointRow;
      for (const TFloatPoint& p : graph.Line(i).points) {
        // A spreadsheet has no cell for infinity or NaN; the XML would not read.
        if (!std::isfinite(p.x) || !std::isfinite(p.y)) {
          fail("\"" + graph.Caption + "\" holds a point that is not a finite number");
          return;
        }
        check(worksheet_write_number(data, at, x, p.x, nullptr));
        check(worksheet_write_number(data, at, x + 1, p.y, nullptr));
        ++at;
      }
    }
  }

  void drawChart(lxw_chartsheet* sheet, const std::string& page, const TGraphPlot& graph) {
    lxw_chart* chart = workbook_add_chart(m_workbook, LXW_CHART_SCATTER_STRAIGHT_WITH_MARKERS);
    if (chart == nullptr) return fail("the chart of \"" + graph.Caption + "\" could not be made");
    for (int i = 0; i < graph.LineCount(); ++i) {
      lxw_chart_series* series = chart_add_series(chart, nullptr, nullptr);
      if (series == nullptr) return fail("a series of \"" + graph.Caption + "\" could not be made");
      // Each line over its own rows; a line without points over its empty first row.
      const auto points = static_cast<lxw_row_t>(std::max<std::size_t>(graph.Line(i).points.size(), 1));
      const lxw_row_t last = kFirstPointRow + points - 1;
      const auto x = static_cast<lxw_col_t>(2 * i);
      chart_series_set_categories(series, page.c_str(), kFirstPointRow, x, last, x);
      chart_series_set_values(series, page.c_str(), kFirstPointRow, x + 1, last, x + 1);
      // By its cell: a name given as text would be read as a formula when it begins with "=".
      chart_series_set_name_range(series, page.c_str(), kNameRow, x);
    }
    // A chart of one series would otherwise take the series' name as its title.
    chart_title_off(chart);
    // The axis titles are the data sheet's B2 and B3, for the same reason as the series names.
    if (!graph.XTitle().empty()) chart_axis_set_name_range(chart->x_axis, page.c_str(), kXTitleRow, kTitleColumn);
    if (!graph.YTitle().empty()) chart_axis_set_name_range(chart->y_axis, page.c_str(), kYTitleRow, kTitleColumn);
    chart_axis_major_gridlines_set_visible(chart->x_axis, LXW_TRUE);
    chart_axis_major_gridlines_set_visible(chart->y_axis, LXW_TRUE);
    // Depth plots: depth grows downwards, and the x axis, crossing at depth 0, stands at the top.
    if (graph.XOnTop) chart_axis_set_reverse(chart->y_axis);
    check(chartsheet_set_chart(sheet, chart));
  }

  lxw_workbook* m_workbook;
  lxw_worksheet* m_legend = nullptr;
  std::string m_error;
};

}  // namespace

std::string writePlotWorkbook(const std::vector<const TGraphPlot*>& graphs, const fs::path& path) {
  for (const TGraphPlot* graph : graphs)
    if (graph->LineCount() == 0) return "The graph \"" + graph->Caption + "\" holds no lines to export.";
  const PointDecimalsOnThisThread pointDecimals;
  if (!pointDecimals.active()) return "Cannot write file \"" + path.string() + "\". The C locale is missing.";

  // The workbook is built whole in a scratch file first; only a workbook that libxlsxwriter
  // closed without error is copied to `path`, through a temporary file beside it, so that a
  // failure leaves no file of that name, or the earlier one as it was.
  int error = 0;
  const ScratchFile scratch(error);
  if (scratch.path().empty()) return systemErrorText("Cannot create a temporary file for", path, error);
  lxw_workbook* workbook = workbook_new(scratch.path().c_str());
  if (workbook == nullptr) return "Cannot write file \"" + path.string() + "\". The workbook could not be started.";
  WorkbookBuilder builder(workbook);
  builder.addLegend(graphs);
  for (std::size_t n = 0; n < graphs.size() && builder.error().empty(); ++n)
    builder.addGraph(static_cast<int>(n + 1), *graphs[n]);
  // Closing writes the file and frees the workbook, also after a failure above.
  const lxw_error closed = workbook_close(workbook);
  if (!builder.error().empty())
    return "The workbook \"" + path.string() + "\" could not be built: " + builder.error() + ".";
  if (closed != LXW_NO_ERROR) return "Cannot write file \"" + path.string() + "\". " + lxw_strerror(closed);

  std::ifstream built(scratch.path(), std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(built), std::istreambuf_iterator<char>()};
  if (!built.is_open() || built.bad() || bytes.empty())
    return "Cannot write file \"" + path.string() + "\". The workbook could not be read back.";
  try {
    WriteFileSafely(path, bytes);
  } catch (const ProjectWriteError& failure) {
    return failure.what();
  }
  return "";
}

}  // namespace korvex
