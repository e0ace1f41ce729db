// "Wall Properties" (TDlgProp): the number and length of the increments, the deflection limit
// and closure tolerance of the iteration, the free height of the wall, and the button to the
// wall stiffness table (PileSect).
#pragma once

#include "app/gui/data_window.h"
#include "app/gui/numeric_fields.h"

class QPushButton;

namespace korvex {

class TDlgProp : public TDataWindow {
  Q_OBJECT

 public:
  explicit TDlgProp(ProjectSession& session, QWidget* parent = nullptr);

  // The entries show the project's values: lengths in its unit system, the free height in feet
  // in English units (the project holds inches).
  void loadFromProject() override;
  // Stores the edited entries (the free height times 12 in English units).
  bool commitToProject() override;

 private:
  // Commits, then opens the wall stiffness table.
  void showSections();

  NumericFields m_fields;
  QPushButton* m_btnSect = nullptr;
};

}  // namespace korvex
