#include "app/gui/table_button_windows.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/shell/project_session.h"

namespace korvex {

TTableButtonWindow::TTableButtonWindow(ProjectSession& session, const Layout& layout, QWidget* parent)
    : TDataWindow(session, parent), m_layout(layout) {
  setWindowTitle(layout.caption);
  auto* picture = new PictureBox(layout.picture, this);
  picture->setObjectName(QStringLiteral("imgPicture"));
  auto* controls = new QHBoxLayout;
  if (layout.flag != nullptr) {
    m_switch = new QCheckBox(layout.switchCaption, this);
    m_switch->setObjectName(layout.switchName);
    connect(m_switch, &QCheckBox::clicked, this, &TTableButtonWindow::switchClicked);
    controls->addWidget(m_switch);
  }
  m_button = new QPushButton(layout.buttonCaption, this);
  m_button->setObjectName(layout.buttonName);
  connect(m_button, &QPushButton::clicked, this, &TTableButtonWindow::showTable);
  controls->addWidget(m_button);
  controls->addStretch();
  auto* main = new QVBoxLayout(this);
  main->addWidget(picture);
  main->addLayout(controls);
  main->addStretch();
}

void TTableButtonWindow::loadFromProject() {
  if (m_switch == nullptr) return;
  const bool on = m_session.project().*m_layout.flag;
  m_switch->setChecked(on);
  m_button->setEnabled(on);
}

bool TTableButtonWindow::commitToProject() {
  if (m_switch == nullptr) return true;
  bool& flag = m_session.project().*m_layout.flag;
  if (flag != m_switch->isChecked()) {
    flag = m_switch->isChecked();
    m_session.markModified();
  }
  return true;
}

void TTableButtonWindow::switchClicked(bool on) {
  m_button->setEnabled(on);
  if (!on) m_layout.table(m_session.tables()).CloseSubTables();
}

void TTableButtonWindow::showTable() {
  // The table belongs to the switch: it is on once its table is edited.
  commitToProject();
  m_layout.table(m_session.tables()).Show();
}

TDlgRebar::TDlgRebar(ProjectSession& session, QWidget* parent)
    : TTableButtonWindow(session,
                         {QStringLiteral("Additional Surcharge"), Picture::Surcharge, QStringLiteral("btnSurcharge"),
                          QStringLiteral("&Edit Surcharge Loads"),
                          [](ProjectTables& t) -> TGridTable& { return t.SurchargeTable; }, {}, {}, nullptr},
                         parent) {}

TDlgSpring::TDlgSpring(ProjectSession& session, QWidget* parent)
    : TTableButtonWindow(session,
                         {QStringLiteral("Lateral & Rotational Springs"), Picture::Springs, QStringLiteral("btnSpring"),
                          QStringLiteral("&Edit Spring Stiffness"),
                          [](ProjectTables& t) -> TGridTable& { return t.SoilStrength; }, QStringLiteral("ChkSpring"),
                          QStringLiteral("&Lateral and Rotational Springs"), &TProgramData::ApplySprings},
                         parent) {}

TDlgConLoads::TDlgConLoads(ProjectSession& session, QWidget* parent)
    : TTableButtonWindow(session,
                         {QStringLiteral("Concentrated Loads"), Picture::ConcentratedLoads,
                          QStringLiteral("btnConLoads"), QStringLiteral("&Edit Concentrated Loads"),
                          [](ProjectTables& t) -> TGridTable& { return t.BoundCond; }, QStringLiteral("ChkConLoads"),
                          QStringLiteral("Apply &Concentrated Loads"), &TProgramData::ApplyConcLoads},
                         parent) {}

TDlgTieback::TDlgTieback(ProjectSession& session, QWidget* parent)
    : TTableButtonWindow(session,
                         {QStringLiteral("Tieback (Ground Anchor)"), Picture::Tieback, QStringLiteral("btnTieback"),
                          QStringLiteral("&Enter Tieback data"),
                          [](ProjectTables& t) -> TGridTable& { return t.TiebackTable1; }, {}, {}, nullptr},
                         parent) {}

}  // namespace korvex
