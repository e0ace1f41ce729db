// TDlgExport, "Export to Excel": the check-list of the seven result graphs and the command that
// writes the ticked ones into a workbook file (export/plot_workbook.h), which the user may then
// open with the system's application for .xlsx files. Its questions, messages and file dialog go
// through ExportDialogs, so that tests can answer them.
#pragma once

#include <QDialog>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "graphs/result_graphs.h"

class QListWidget;
class QPushButton;

namespace korvex {

// The notes the window shows under its buttons.
inline constexpr const char* kExportNotes[] = {
    "The ticked graphs are written into one workbook file (.xlsx) of your choice.",
    "Please wait until all the data has been exported.",
    "The workbook is saved as it is written; it can then be opened in a spreadsheet program."};

// "The workbook \"<file>\" has been written.\rDo you want to open it?"
std::string workbookWrittenQuestion(const std::string& file);
// "The workbook \"<file>\" could not be opened: no application for it was found."
std::string workbookNotOpenedMessage(const std::string& file);

// What the export window asks of the screen. The defaults show Qt's boxes and dialogs.
class ExportDialogs {
 public:
  virtual ~ExportDialogs() = default;
  // The Save dialog for a workbook: filters "Excel Workbook (*.xlsx)" and "All Files (*)",
  // suffix "xlsx" added to a name typed without one, overwriting confirmed; starts at
  // `proposal`. Nothing when cancelled.
  virtual std::optional<std::string> chooseWorkbookFile(QWidget* parent, const std::string& proposal);
  // A question with Yes and No; true for Yes.
  virtual bool askYesNo(QWidget* parent, const std::string& text);
  // Information and warning boxes with OK; '\r' in the text is a line break.
  virtual void information(QWidget* parent, const std::string& text);
  virtual void warning(QWidget* parent, const std::string& text);
  // Opens `file` with the system's default application, not waiting for it; false when none
  // could be started.
  virtual bool openWithDefaultApplication(const std::string& file);
};

class TDlgExport : public QDialog {
  Q_OBJECT

 public:
  // `offered`, in GraphIndex order, says which graphs have results to export (the states of
  // their Graphics menu items): their items are enabled and ticked, the others disabled and
  // unticked. A workbook is proposed at `proposal`.
  TDlgExport(const ResultGraphs& graphs, const std::array<bool, kGraphCount>& offered, std::string proposal,
             ExportDialogs& dialogs, QWidget* parent = nullptr);

  QListWidget* plotList() const { return m_plots; }
  // Where the Save dialog starts.
  const std::string& proposal() const { return m_proposal; }
  // Ticks, or unticks, every enabled item; disabled items keep their state.
  void selectAll();
  void unselectAll();
  // Asks for the file, writes the workbook of the ticked graphs, reports a failure or offers to
  // open the file.
  void generate();

 private:
  void setAllEnabled(bool ticked);
  void updateGenerate();
  // The export numbers (1 to 7) of the ticked items.
  std::vector<int> tickedNumbers() const;

  const ResultGraphs& m_graphs;
  std::string m_proposal;
  ExportDialogs& m_dialogs;
  QListWidget* m_plots = nullptr;
  QPushButton* m_generate = nullptr;
};

}  // namespace korvex
