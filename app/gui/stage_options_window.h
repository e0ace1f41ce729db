// "Staged Construction Options" (TDlgStage): the dialog that switches staged construction on
// and sets the number of stages. It is modal wherever it is opened from, so the project cannot
// turn long-term behind it; OK hands the count to ProjectSession::setStageCount, which saves,
// creates and deletes the stage files.
#pragma once

#include <QDialog>

class QCheckBox;
class QToolButton;

namespace korvex {

class Dialogs;
class ProjectSession;
class TDataEdit;

class TDlgStage : public QDialog {
  Q_OBJECT

 public:
  // Shows the project's number of stages: above 1, the box is ticked and the entry enabled.
  TDlgStage(ProjectSession& session, Dialogs& dialogs, QWidget* parent = nullptr);

  QCheckBox* stagedBox() const { return m_staged; }
  TDataEdit* countEntry() const { return m_count; }
  QToolButton* upButton() const { return m_up; }
  QToolButton* downButton() const { return m_down; }

  // OK: the entry checked (an invalid one keeps the window open), the number of stages set to
  // it rounded (1 while the box is unticked), then the window closes.
  void accept() override;

 private:
  // Ticking makes an entry of 1 into 2; unticking makes it 1. The entry and its arrows are
  // enabled while the box is ticked.
  void setStaged(bool staged);
  void enableEntry(bool enabled);
  // The arrows: up adds 1 below 5; down takes 1 off above 2.
  void step(int by);
  // The entry's number, or nothing while its text is no valid entry.
  bool enteredNumber(long double& number) const;

  ProjectSession& m_session;
  QCheckBox* m_staged = nullptr;
  TDataEdit* m_count = nullptr;
  QToolButton* m_up = nullptr;
  QToolButton* m_down = nullptr;
};

}  // namespace korvex
