#include "app/gui/wall_properties_window.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "app/shell/project_session.h"

namespace korvex {

namespace {

constexpr int kMostIncrements = 300;

}  // namespace

TDlgProp::TDlgProp(ProjectSession& session, QWidget* parent) : TDataWindow(session, parent) {
  setWindowTitle(QStringLiteral("Wall Properties"));
  auto* grid = new QGridLayout(this);
  const auto sink = [this](QWidget*, const QString& message) { dialogs().information(this, message.toStdString()); };

  TDataEdit* deNI = addEntryRow(grid, 0, QStringLiteral("deNI"), QStringLiteral("&Increments (nodes)"), {}, sink);
  deNI->setIntegerOnly(true);
  deNI->setMinVal(1);
  deNI->setMaxVal(kMostIncrements);
  TDataEdit* deXGS = addEntryRow(grid, 1, QStringLiteral("deXGS"), QStringLiteral("Increment Length"),
                                 QStringLiteral("L"), sink);
  TDataEdit* deXLN = addEntryRow(grid, 2, QStringLiteral("deXLN"),
                                 QStringLiteral("Maximum Allowable Deflection for computation iteration"),
                                 QStringLiteral("L"), sink);
  auto* hint = new QLabel(QStringLiteral("(Approx.10% of the wall height)  "), this);
  hint->setObjectName(QStringLiteral("lblDeflectionHint"));
  grid->addWidget(hint, 3, 0);
  TDataEdit* deSlope = addEntryRow(grid, 4, QStringLiteral("deSlope"), QStringLiteral("Deflection Closure Tolerance"),
                                   QStringLiteral("L"), sink);
  TDataEdit* deFH = addEntryRow(grid, 5, QStringLiteral("DeFH"), QStringLiteral("Free Height of Wall"),
                                QStringLiteral("L2"), sink);
  auto* stiffness = new QLabel(QStringLiteral("Wall Stiffness (EI)"), this);
  m_btnSect = new QPushButton(QStringLiteral("Enter Section Data"), this);
  m_btnSect->setObjectName(QStringLiteral("btnSect"));
  grid->addWidget(stiffness, 6, 0);
  grid->addWidget(m_btnSect, 6, 1);
  grid->setRowStretch(7, 1);
  connect(m_btnSect, &QPushButton::clicked, this, &TDlgProp::showSections);

  m_fields.addInteger(deNI, &TProgramData::NumIncrements);
  m_fields.addFloat(deXGS, &TProgramData::IncrementLength);
  m_fields.addFloat(deXLN, &TProgramData::MaxDeflection);
  m_fields.addFloat(deSlope, &TProgramData::ClosureTolerance);
  m_fields.addFloat(deFH, &TProgramData::FreeHeight, {12, 1});
}

void TDlgProp::loadFromProject() { m_fields.load(m_session.project()); }

bool TDlgProp::commitToProject() { return m_fields.commit(m_session); }

void TDlgProp::showSections() {
  if (commitToProject()) m_session.tables().PileSect.Show();
}

}  // namespace korvex
