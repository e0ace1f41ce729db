// TTableChartForm: the editing window of a chart table (an external p-y curve, a moment-EI
// curve). Above the grid the chart of the table's columns (or the paint box of segment mode);
// OK and Cancel where the table asks for them; and, for a table that takes its data from a
// file, the file controls: the file name with Browse, View/Edit File (in the configured text
// editor), "Read values from File" and "Paste values from  Clipboard (text)".
#pragma once

#include "app/gui/table_form.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace korvex {

class TChartView;
class TGridTableChart;
class TSegmentView;

class TTableChartForm : public TTableForm {
  Q_OBJECT

 public:
  TTableChartForm(ProjectSession& session, TGridTableChart& table, bool modal, QWidget* parent = nullptr);

  TChartView* chartView() const { return m_chart; }

  // Reads the rows of the file named in the file field, or of the text on the clipboard; a text
  // with too few rows leaves the table as it was, with a message.
  void readFile();
  void pasteClipboard();

 protected:
  // Five rows under a chart, ten without.
  int shownRowsLimit() const override;

 private:
  void browse();
  void viewFile();
  void ok();
  void cancel();
  void redraw();
  void updateFileButtons();
  void importText(const std::string& text);

  bool m_chartShown = false;
  bool m_segmentsShown = false;
  TChartView* m_chart = nullptr;
  TSegmentView* m_segments = nullptr;
  QLineEdit* m_fileName = nullptr;
  QPushButton* m_edit = nullptr;
  QPushButton* m_read = nullptr;
};

}  // namespace korvex
