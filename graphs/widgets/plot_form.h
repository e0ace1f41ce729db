// TPlotForm: the window of one result graph. It draws the graph with drawGraph, reads the
// mouse position out in its caption, zooms with a rubber band (left button) and out again
// (right button), lets the legend be dragged and its entries double-clicked, and offers the
// Plot menu: legend, soil layers, wall, markers, font size, line width, title, legend names,
// active curves, printing, page setup and saving as a picture. The graph belongs to the main
// window; the window only shows it and changes its display settings.
#pragma once

#include <QPointer>
#include <QWidget>

#include <memory>
#include <optional>
#include <string>

#include "graphs/graph_plot.h"
#include "graphs/paint/graph_image.h"
#include "graphs/paint/graph_layout.h"

class QMenu;
class QMenuBar;
class QPrinter;
class QRubberBand;

namespace korvex {

class PlotDialogs;

class TPlotForm : public QWidget {
  Q_OBJECT

 public:
  TPlotForm(TGraphPlot& graph, PlotDialogs& dialogs, QWidget* parent = nullptr);
  ~TPlotForm() override;

  TGraphPlot& graph() { return m_graph; }
  const GraphView& view() const { return m_view; }
  // The geometry of the drawing at the window's current size.
  const GraphGeometry& geometry() {
    relayout();
    return m_geometry;
  }
  // The drawing area inside the window, below the menu bar.
  QRect plotArea() const;
  QMenu* plotMenu() const { return m_menu; }

  // "X: x Y: y" of a window point, clamped into the plot box of the panel under it.
  std::string readOut(QPoint point);
  // A rubber band from `from` to `to` (window points) zooms the panel; a right click at `at`
  // zooms out around it. Both act on the geometry of the current size.
  void zoomBand(QPoint from, QPoint to);
  void zoomOut(QPoint at);
  void resetZoom();
  // Toggles a plotted line (its menu item, or a double click on its legend entry).
  void toggleLine(int index);

  // Plot menu commands with their choices made (the menu asks for them first).
  void setGraphTitle(const std::string& title, TitlePosition at);
  void setLegendNames(const std::vector<std::string>& names);
  void setActiveLines(const std::vector<bool>& active);
  // Draws the graph on one page inside the page-setup margins; false when it cannot.
  bool printOn(QPrinter& printer);
  // Writes the picture; the message of a failure has been shown.
  bool saveTo(const std::string& path, const ImageSize& size);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void buildMenu();
  void fillMenu();
  void relayout();
  void setCaption(const std::string& readOut);
  void editTitle();
  void editLegend();
  void editActiveCurves();
  void print();
  void pageSetup();
  void saveToDisk();
  QPrinter& printer();

  TGraphPlot& m_graph;
  PlotDialogs& m_dialogs;
  QMenuBar* m_menuBar = nullptr;
  QMenu* m_menu = nullptr;
  GraphView m_view;
  GraphGeometry m_geometry;
  QRubberBand* m_band = nullptr;
  std::optional<QPoint> m_bandStart;
  std::optional<QPoint> m_legendGrab;  // where in the legend frame the mouse holds it
  bool m_moved = false;
  std::unique_ptr<QPrinter> m_printer;
};

}  // namespace korvex
