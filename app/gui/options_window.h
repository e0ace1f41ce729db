// "Control Options" (TDlgOptions): the data window that sets the text editor the program starts
// on the data file, the report and the iteration monitor file.
#pragma once

#include "app/gui/data_window.h"

class QLineEdit;
class QPushButton;

namespace korvex {

class TDlgOptions : public TDataWindow {
  Q_OBJECT

 public:
  explicit TDlgOptions(ProjectSession& session, QWidget* parent = nullptr);

  // The edit shows the editor path.
  void loadFromProject() override;
  // The edit's text becomes the editor path (kept in the settings when the program closes);
  // always true.
  bool commitToProject() override;

  QLineEdit* editorEdit() const { return m_edtWord; }

 private:
  // A file dialog starting at the current editor; the chosen program replaces the text.
  void browse();

  QLineEdit* m_edtWord = nullptr;
  QPushButton* m_browse = nullptr;
};

}  // namespace korvex
