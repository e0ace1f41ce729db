// "Project Title" (TdlgTitle): the data window that edits the one-line description of the
// project, which heads the data file and the report.
#pragma once

#include "app/gui/data_window.h"

class QLineEdit;

namespace korvex {

// The longest title the window takes, in characters.
inline constexpr int kMaxTitleLength = 80;

class TdlgTitle : public TDataWindow {
  Q_OBJECT

 public:
  explicit TdlgTitle(ProjectSession& session, QWidget* parent = nullptr);

  // The memo shows the project's Title, whole even when a file gave a longer one.
  void loadFromProject() override;
  // A text edited since loading and different from the Title becomes the Title and marks the
  // project modified; always true.
  bool commitToProject() override;

  QLineEdit* titleMemo() const { return m_titleMemo; }

 private:
  QLineEdit* m_titleMemo = nullptr;  // one line: line breaks are refused, Enter inserts nothing
  bool m_edited = false;
};

}  // namespace korvex
