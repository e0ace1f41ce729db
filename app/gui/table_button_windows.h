// The small data windows that explain a part of the model with a picture and open its table:
// "Additional Surcharge" (TDlgRebar), "Lateral & Rotational Springs" (TDlgSpring),
// "Concentrated Loads" (TDlgConLoads) and "Tieback (Ground Anchor)" (TDlgTieback). The springs
// and the loads window also carry the switch of their option as a check box: the table's
// button works only while it is ticked, unticking it closes the table's window, and leaving
// the window stores the switch.
#pragma once

#include "app/gui/data_window.h"
#include "app/gui/explanatory_pictures.h"
#include "app/program_data.h"

class QCheckBox;
class QPushButton;

namespace korvex {

class TGridTable;

class TTableButtonWindow : public TDataWindow {
  Q_OBJECT

 public:
  struct Layout {
    QString caption;
    Picture picture;
    QString buttonName;
    QString buttonCaption;
    TGridTable& (*table)(ProjectTables&);
    // The option's check box; none when `flag` is null.
    QString switchName;
    QString switchCaption;
    bool TProgramData::*flag = nullptr;
  };

  TTableButtonWindow(ProjectSession& session, const Layout& layout, QWidget* parent = nullptr);

  // The check box shows the switch; the button is enabled with it.
  void loadFromProject() override;
  // A changed check box becomes the switch and marks the project modified; always true.
  bool commitToProject() override;

 private:
  void switchClicked(bool on);
  void showTable();

  Layout m_layout;
  QCheckBox* m_switch = nullptr;
  QPushButton* m_button = nullptr;
};

// "Additional Surcharge": the button "&Edit Surcharge Loads" opens SurchargeTable.
class TDlgRebar : public TTableButtonWindow {
  Q_OBJECT
 public:
  explicit TDlgRebar(ProjectSession& session, QWidget* parent = nullptr);
};

// "Lateral & Rotational Springs": ChkSpring switches ApplySprings, btnSpring opens SoilStrength.
class TDlgSpring : public TTableButtonWindow {
  Q_OBJECT
 public:
  explicit TDlgSpring(ProjectSession& session, QWidget* parent = nullptr);
};

// "Concentrated Loads": ChkConLoads switches ApplyConcLoads, btnConLoads opens BoundCond.
class TDlgConLoads : public TTableButtonWindow {
  Q_OBJECT
 public:
  explicit TDlgConLoads(ProjectSession& session, QWidget* parent = nullptr);
};

// "Tieback (Ground Anchor)": the button "&Enter Tieback data" opens TiebackTable1; the switch
// itself is the Options menu's.
class TDlgTieback : public TTableButtonWindow {
  Q_OBJECT
 public:
  explicit TDlgTieback(ProjectSession& session, QWidget* parent = nullptr);
};

}  // namespace korvex
