// The dialogs of a graph window's Plot menu: the graph title, the legend names, the active
// curves and the attributes of a picture saved to disk; and the seam through which the window
// shows messages, file and printer dialogs, so that tests can answer them.
#pragma once

#include <QDialog>

#include <optional>
#include <string>
#include <vector>

#include "graphs/graph_plot.h"
#include "graphs/paint/graph_image.h"

class QButtonGroup;
class QDoubleSpinBox;
class QLineEdit;
class QListWidget;
class QPrinter;
class QSpinBox;

namespace korvex {

inline constexpr const char* kLineNeedsName = "The line must have a name!";

// What a graph window asks of the screen. The defaults show Qt's boxes and dialogs.
class PlotDialogs {
 public:
  virtual ~PlotDialogs() = default;
  // An information box with OK.
  virtual void information(QWidget* parent, const std::string& text);
  // The file of a picture: BMP by default, PNG, SVG and PDF too; overwriting confirmed.
  virtual std::optional<std::string> chooseImageFile(QWidget* parent);
  // "Save Attributes": height and width in inches (at least 2), pixels per inch (at least 10).
  virtual std::optional<ImageSize> chooseSaveAttributes(QWidget* parent);
  // The printer dialog; false when cancelled.
  virtual bool choosePrinter(QWidget* parent, QPrinter& printer);
  // The page-setup dialog; false when cancelled.
  virtual bool setUpPage(QWidget* parent, QPrinter& printer);
};

// "Graph Caption": the title and whether it stands above or below the plot.
class TGraphCaptionDialog : public QDialog {
  Q_OBJECT
 public:
  TGraphCaptionDialog(const std::string& title, TitlePosition at, QWidget* parent = nullptr);
  std::string title() const;
  TitlePosition position() const;

 private:
  QLineEdit* m_title = nullptr;
  QButtonGroup* m_position = nullptr;
};

// "Legend": a new name for each plotted line. Enter or leaving the edit stores its text for the
// selected line; an empty text is refused with kLineNeedsName.
class TLegendDialog : public QDialog {
  Q_OBJECT
 public:
  TLegendDialog(const TGraphPlot& graph, PlotDialogs& dialogs, QWidget* parent = nullptr);
  // The names as listed, one per plotted line.
  std::vector<std::string> names() const;
  // Stores `text` for the selected line, as Enter in the edit does; false when refused.
  bool storeName(const std::string& text);
  void selectLine(int index);

 private:
  void takeEdit();
  PlotDialogs& m_dialogs;
  QListWidget* m_lines = nullptr;
  QLineEdit* m_edit = nullptr;
};

// "Active Curves": each line as "yes : name" or "no  : name"; OK applies, Cancel discards.
class TActiveCurvesDialog : public QDialog {
  Q_OBJECT
 public:
  explicit TActiveCurvesDialog(const TGraphPlot& graph, QWidget* parent = nullptr);
  std::vector<bool> active() const { return m_active; }
  void setAll(bool active);
  // Toggles every selected line.
  void toggleSelected();
  void toggle(int index);
  QListWidget* list() const { return m_list; }

 private:
  void refresh();
  std::vector<std::string> m_names;
  std::vector<bool> m_active;
  QListWidget* m_list = nullptr;
};

// "Save Attributes": the picture's size in inches and its pixels per inch.
class TSaveAttributesDialog : public QDialog {
  Q_OBJECT
 public:
  explicit TSaveAttributesDialog(QWidget* parent = nullptr);
  ImageSize size() const;

 private:
  QDoubleSpinBox* m_height = nullptr;
  QDoubleSpinBox* m_width = nullptr;
  QSpinBox* m_pixelsPerInch = nullptr;
};

}  // namespace korvex
