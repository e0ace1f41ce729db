// A result graph of the desktop program and its lines: named lines of (x, y) points in four
// lists, and the display settings its window, the printer and image files draw it with. Headless:
// the drawing is graphs/paint, the window graphs/widgets.
//
// The four lists:
//   list 0  the plotted lines (the only panel, or the first of three: deflection)
//   list 1  the overlay: one line per soil layer (x = fill code, y = layer bottom), then two
//           wall lines (y = wall length, y = excavation depth)
//   list 2  the lines of panel 2 (moment) in three-panel mode
//   list 3  the lines of panel 3 (shear) in three-panel mode
#pragma once

#include <array>
#include <string>
#include <vector>

namespace korvex {

struct TFloatPoint {
  double x = 0;
  double y = 0;
};

class TLine {
 public:
  std::vector<TFloatPoint> points;
  // Set to the count of lines plus one when the line is made; the p-y loader puts the curve's
  // depth here.
  double number = 0;
  std::string name;  // empty: the default name
  bool active = true;
};

enum GraphList { kPlottedLines = 0, kOverlayLines = 1, kPanel2Lines = 2, kPanel3Lines = 3, kGraphListCount = 4 };

enum class TitlePosition { Top, Bottom };

// Axis titles and unit codes of one panel.
struct PanelCaptions {
  std::string xCaption, yCaption, xUnits, yUnits;
};

class TGraphPlot {
 public:
  // --- settings (the defaults of a new graph; the main window sets its own per graph) ---
  std::string CurveName = "Curve #";
  std::string Caption;
  bool ShowLegend = true;
  bool ShowLayers = false;
  bool ShowWall = false;
  bool ShowThree = false;
  bool ShowFontWidth = true;
  int WallLineCount = 0;  // soil-layer lines at the head of the overlay list
  int Markers = 1;        // a marker every n-th point; 0 never
  int SizeFont = 10;      // text size in tenths of the default
  int LegendFont = 11;
  int WidthLine = 1;  // line width multiple
  bool XOnTop = true;  // depth plots: x axis at the top, y growing downwards
  std::array<PanelCaptions, 3> Panels;  // panel 1, 2, 3
  std::string Title;                    // drawn above or below the plot; empty for none
  TitlePosition TitleAt = TitlePosition::Top;

  int Units() const { return m_units; }
  // Brought into 1..3 (values below 1 give 1).
  void SetUnits(int units);

  // --- lines ---
  int LineCount(GraphList list = kPlottedLines) const;
  TLine& Line(int index, GraphList list = kPlottedLines);
  const TLine& Line(int index, GraphList list = kPlottedLines) const;
  const std::vector<TLine>& Lines(GraphList list = kPlottedLines) const { return m_lists[list]; }
  // Adds lines at the end (each numbered count + 1 when made) or drops them from the end.
  void SetLineCount(int count, GraphList list = kPlottedLines);
  // Points of line 0 of the list (0 when it has no lines).
  int PointCount(GraphList list = kPlottedLines) const;
  // Every line of the list gets `count` points: (0, 0) added or points dropped from the end;
  // a negative count gives 0.
  void SetPointCount(int count, GraphList list = kPlottedLines);
  // Every line of every list dropped, the user's legend names kept.
  void ClearLines();

  // The name of line `index` of the plotted lines (legend and dialogs): its own name; else the
  // user's legend name for its index; else CurveName followed by its number.
  std::string LineName(int index) const;
  // The name of an overlay or panel line: its own name, else CurveName and its number.
  std::string LineName(int index, GraphList list) const;
  // Legend names the user gave, one per plotted line index ("" for none).
  std::vector<std::string> LegendNames;

  // The title of an axis of panel `panel` (0..2): its caption, and the unit code expanded in
  // the graph's unit system in parentheses when there is one.
  std::string XTitle(int panel = 0) const;
  std::string YTitle(int panel = 0) const;

  // Where the legend's top-left corner stands, as fractions of the plot box; negative: the
  // drawing chooses the corner least in the way of the lines.
  double LegendX = -1;
  double LegendY = -1;

 private:
  std::array<std::vector<TLine>, kGraphListCount> m_lists;
  int m_units = 1;
};

// A number in general format with `digits` significant digits as the graphs show it; a signed
// zero is "0".
std::string graphNumber(double value, int digits);

}  // namespace korvex
