// The result graphs as a spreadsheet workbook (.xlsx), written with libxlsxwriter. Headless:
// no office suite and no display are needed, so the desktop program and `korvex export` write
// the same file.
//
// Sheets, in this order; the graphs are numbered n = 1, 2, ... as they are given:
//
//   Legend   B2:F2 the header (bold, vertically centred, columns as wide as their texts); per
//            graph, row n + 2: n, the graph's caption, "Page_n" linked to Page_n!A1, "Plot_n",
//            "Complete"
//   Page_n   A1 the caption; A2 "X", B2 the x-axis title; A3 "Y", B3 the y-axis title; G1 "Go
//            to Legend Page" linked to Legend!A1. Line i (1-based) fills columns 2i-1 (x) and
//            2i (y): its name in row 4, "X" and "Y" in row 5, its own points from row 6 on, as
//            numbers
//   Plot_n   a chart sheet: XY scatter with lines and markers, one series a line, named by its
//            row-4 cell and drawn from that line's rows only; no chart title; axis titles with
//            their unit codes expanded; major gridlines on both axes; the y axis reversed when
//            the graph draws its x axis at the top (depth growing downwards)
//
// A line without points has a series over its empty row 6, so it is still listed in the
// chart's legend and plots nothing.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "graphs/graph_plot.h"

namespace korvex {

// The fixed texts of the legend sheet's header, columns B to F.
inline constexpr const char* kLegendHeader[] = {
    "     N    ", "                             Plot Name                             ", "  Sheet Name  ",
    "  Chart Name  ", "          Status          "};
inline constexpr const char* kGraphComplete = "Complete";
inline constexpr const char* kGoToLegend = "Go to Legend Page";

// Writes the workbook of `graphs` to `path`. It is assembled under a temporary name in the
// same folder and takes its name only once libxlsxwriter has closed it without error, so a
// failed write leaves no file under that name (nor changes an earlier one). Returns "" when
// written, otherwise why not. A graph without lines is refused: its chart would have no series.
std::string writePlotWorkbook(const std::vector<const TGraphPlot*>& graphs, const std::filesystem::path& path);

}  // namespace korvex
