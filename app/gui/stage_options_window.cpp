#include "app/gui/stage_options_window.h"

#include <algorithm>
#include <cmath>
#include <exception>

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/gui/dialogs.h"
#include "app/program_data.h"
#include "app/shell/project_session.h"
#include "entry/widgets/data_edit.h"

namespace korvex {

namespace {

constexpr int kFewestStages = 2;  // of a staged project
constexpr int kStagesAtCreation = 2;

const char* const kStagedNote =
    "Staged construction is analysed by a simplified approach: the stress history of the soil is "
    "not traced from one stage to the next. The earth pressure, the restraints and the p-y curves "
    "of each stage are the initial condition of that stage, and the p-y curves are generated anew "
    "from each stage's excavation depth, wall height and water table.\n\n"
    "Each stage holds a complete set of input. A stage added here starts as a copy of the stage "
    "before it; choose a stage with the Stage Construction menu or the stage buttons.";

}  // namespace

TDlgStage::TDlgStage(ProjectSession& session, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), m_session(session) {
  setWindowTitle(QStringLiteral("Staged Construction Options"));
  setObjectName(QStringLiteral("TDlgStage"));

  auto* note = new QPlainTextEdit(QString::fromLatin1(kStagedNote), this);
  note->setObjectName(QStringLiteral("StageNote"));
  note->setReadOnly(true);
  note->setMinimumSize(note->fontMetrics().averageCharWidth() * 60, note->fontMetrics().lineSpacing() * 9);

  auto* group = new QGroupBox(this);
  m_staged = new QCheckBox(QStringLiteral("Conduct &Staged-Construction Analysis"), group);
  m_staged->setObjectName(QStringLiteral("ChkStaged"));
  auto* label = new QLabel(group);
  m_count = new TDataEdit(group);
  m_count->setObjectName(QStringLiteral("deStageCount"));
  m_count->setCaption(QStringLiteral("Enter the total number of stages (Max. = 5, Min =2)"));
  m_count->setEditLabel(label);
  m_count->setIntegerOnly(true);
  m_count->setMinVal(1);
  m_count->setMaxVal(kMostStages);
  m_count->setNumber(kStagesAtCreation);
  m_count->setMessageSink([this, &dialogs](QWidget*, const QString& message) {
    dialogs.information(this, message.toStdString());
  });
  m_count->setFixedWidth(m_count->fontMetrics().horizontalAdvance(QStringLiteral("00000")) * 2);
  m_up = new QToolButton(group);
  m_up->setObjectName(QStringLiteral("StageUp"));
  m_up->setArrowType(Qt::UpArrow);
  m_down = new QToolButton(group);
  m_down->setObjectName(QStringLiteral("StageDown"));
  m_down->setArrowType(Qt::DownArrow);
  // The two arrows stacked beside the entry, together as high as it is.
  const int arrowHeight = std::max(8, m_count->sizeHint().height() / 2);
  for (QToolButton* arrow : {m_up, m_down}) arrow->setFixedSize(arrowHeight * 3 / 2, arrowHeight);
  auto* arrows = new QVBoxLayout;
  arrows->setSpacing(0);
  arrows->addWidget(m_up);
  arrows->addWidget(m_down);

  auto* groupLayout = new QGridLayout(group);
  groupLayout->addWidget(m_staged, 0, 0, 1, 3);
  groupLayout->addWidget(label, 1, 0);
  groupLayout->addWidget(m_count, 1, 1);
  groupLayout->addLayout(arrows, 1, 2);
  groupLayout->setColumnStretch(0, 1);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("BtnOK"));
  buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("BtnCancel"));
  connect(buttons, &QDialogButtonBox::accepted, this, &TDlgStage::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &TDlgStage::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(note, 1);
  layout->addWidget(group);
  layout->addWidget(buttons);

  connect(m_staged, &QCheckBox::clicked, this, &TDlgStage::setStaged);
  connect(m_up, &QToolButton::clicked, this, [this] { step(1); });
  connect(m_down, &QToolButton::clicked, this, [this] { step(-1); });

  // The project's count as the window opens.
  const int count = m_session.project().StageCount;
  m_count->setLoading(true);
  m_count->setNumber(count);
  m_count->setLoading(false);
  const bool staged = count > 1;
  m_staged->setChecked(staged);
  enableEntry(staged);
}

bool TDlgStage::enteredNumber(long double& number) const {
  try {
    number = m_count->number();
  } catch (const std::exception&) {
    return false;
  }
  return true;
}

void TDlgStage::setStaged(bool staged) {
  long double number = 1;
  if (!staged) {
    m_count->setNumber(1);
  } else if (!enteredNumber(number) || number <= 1) {
    m_count->setNumber(kFewestStages);
  }
  enableEntry(staged);
}

void TDlgStage::enableEntry(bool enabled) {
  m_count->setEnabled(enabled);
  m_up->setEnabled(enabled);
  m_down->setEnabled(enabled);
}

void TDlgStage::step(int by) {
  long double number = 0;
  if (!enteredNumber(number)) return;
  if (by > 0 && number < kMostStages) m_count->setNumber(number + 1);
  if (by < 0 && number > kFewestStages) m_count->setNumber(number - 1);
}

void TDlgStage::accept() {
  if (!m_count->leaveCheck()) return;
  long double number = 1;
  enteredNumber(number);
  m_session.setStageCount(m_staged->isChecked() ? static_cast<int>(std::lround(number)) : 1);
  QDialog::accept();
}

}  // namespace korvex
