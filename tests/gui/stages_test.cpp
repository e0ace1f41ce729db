// Construction stages and the long-term tables in the main window, offscreen: the rules of the
// "Staged Construction Options" window, its OK showing the stage menu, buttons and status text,
// the stage buttons switching stages, the window modal from its tool button, and the long-term
// tables opened from their submenus.
#include <QCheckBox>
#include <QLabel>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <filesystem>

#include "app/gui/stage_options_window.h"
#include "entry/widgets/data_edit.h"
#include "gui_test_support.h"

namespace korvex {

class StagesTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir m_folder;
  testing::ScriptedDialogs* m_dialogs = nullptr;

  static QString statusText(const TMainForm& form) { return form.statusBar()->findChild<QLabel*>()->text(); }

  std::unique_ptr<TMainForm> stagedExample() {
    const std::filesystem::path file = std::filesystem::path(m_folder.path().toStdString()) / "dig.kx5d";
    std::filesystem::copy_file(std::filesystem::path(KORVEX_EXAMPLES) / "staged_excavation.kx5d", file,
                               std::filesystem::copy_options::overwrite_existing);
    auto form = testing::makeMainForm(m_dialogs);
    form->start(file.string());
    form->show();
    return form;
  }

 private slots:
  void initTestCase() { QVERIFY(m_folder.isValid()); }

  // Ticking makes an entry of 1 into 2 and unticking makes it 1; the arrows stop at 5 and 2.
  void theWindowsEntryFollowsItsRules_data() {
    QTest::addColumn<int>("stages");
    QTest::addColumn<QString>("clicks");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("one stage") << 1 << "" << "1" << false;
    QTest::newRow("ticked") << 1 << "tick" << "2" << true;
    QTest::newRow("up stops at 5") << 1 << "tick up up up up up" << "5" << true;
    QTest::newRow("down stops at 2") << 4 << "down down down" << "2" << true;
    QTest::newRow("unticked") << 4 << "tick" << "1" << false;
  }
  void theWindowsEntryFollowsItsRules() {
    QFETCH(int, stages);
    QFETCH(QString, clicks);
    QFETCH(QString, entry);
    QFETCH(bool, enabled);
    auto form = testing::startedMainForm(m_dialogs);
    if (stages > 1) QVERIFY(form->session().setStageCount(stages));
    TDlgStage window(form->session(), form->dialogs(), form.get());
    QCOMPARE(window.windowTitle(), QStringLiteral("Staged Construction Options"));
    QCOMPARE(window.stagedBox()->isChecked(), stages > 1);
    for (const QString& click : clicks.split(' ', Qt::SkipEmptyParts)) {
      if (click == "tick") QTest::mouseClick(window.stagedBox(), Qt::LeftButton);
      if (click == "up") window.upButton()->click();
      if (click == "down") window.downButton()->click();
    }
    QCOMPARE(window.countEntry()->text(), entry);
    QCOMPARE(window.countEntry()->isEnabled(), enabled);
    QCOMPARE(window.upButton()->isEnabled(), enabled);
  }

  // OK makes the project staged: the stage menu, the buttons of its stages and the status text
  // appear, stage 1 shown; Cancel changes nothing.
  void okStagesTheProjectAndCancelDoesNot() {
    auto form = testing::startedMainForm(m_dialogs);
    {
      TDlgStage window(form->session(), form->dialogs(), form.get());
      QTest::mouseClick(window.stagedBox(), Qt::LeftButton);
      window.upButton()->click();
      window.reject();
    }
    QCOMPARE(form->session().project().StageCount, 1);
    TDlgStage window(form->session(), form->dialogs(), form.get());
    QTest::mouseClick(window.stagedBox(), Qt::LeftButton);
    window.upButton()->click();
    window.accept();
    QCOMPARE(form->session().project().StageCount, 3);
    QVERIFY(form->action("BtnStage5")->isVisible());
    QVERIFY(form->action("BtnStage3")->isEnabled());
    QVERIFY(!form->action("BtnStage4")->isEnabled());
    QVERIFY(form->action("BtnStage1")->isChecked());
    QVERIFY(!form->action("StageCopyPrevious")->isEnabled());
    QCOMPARE(statusText(*form), QStringLiteral("Construction Stage Number: 1"));
  }

  // The stage buttons are a radio group that switches the stage the windows show.
  void theStageButtonsSwitchStages() {
    auto form = stagedExample();
    QCOMPARE(statusText(*form), QStringLiteral("Construction Stage Number: 1"));
    form->action("BtnStage2")->trigger();
    QCOMPARE(form->session().project().CurrentStage, 2);
    QCOMPARE(double(form->session().project().FreeHeight), 6.0);
    QVERIFY(form->action("BtnStage2")->isChecked());
    QVERIFY(!form->action("BtnStage1")->isChecked());
    QVERIFY(form->action("Stage2")->isChecked());
    QVERIFY(form->action("StageCopyPrevious")->isEnabled());
    QCOMPARE(statusText(*form), QStringLiteral("Construction Stage Number: 2"));
    form->action("Stage3")->trigger();
    QVERIFY(form->action("BtnStage3")->isChecked());
    QCOMPARE(form->session().tables().TiebackTable1.RowCount(), 2);
  }

  // The tool button opens the window modally, as the menu does.
  void theOptionButtonOpensTheWindowModally() {
    auto form = testing::startedMainForm(m_dialogs);
    bool modal = false;
    QTimer::singleShot(0, [&modal] {
      auto* window = qobject_cast<TDlgStage*>(QApplication::activeModalWidget());
      modal = window != nullptr && window->isModal();
      if (window != nullptr) window->reject();
    });
    form->action("BtnStageOption")->trigger();
    QVERIFY(modal);
  }

  // With long-term analyses on, the Long-Term items open the long-term tables.
  void theLongTermTablesOpenFromTheirSubmenus() {
    auto form = testing::startedMainForm(m_dialogs);
    form->action("OptPressure1")->trigger();
    form->action("OptLongTerm")->trigger();
    form->action("DataSoilLong")->trigger();
    QVERIFY(testing::tableWindow(*form, form->session().tables().LongSoil) != nullptr);
    form->action("DataDistributedLong")->trigger();
    TTableForm* window = testing::tableWindow(*form, form->session().tables().LongDist);
    QVERIFY(window != nullptr);
    QCOMPARE(window->windowTitle(), QStringLiteral("Distributed Load (Long-Term)"));
    QVERIFY(!form->action("OptStaged")->isEnabled());
    QVERIFY(!form->action("BtnStageOption")->isEnabled());
  }
};

}  // namespace korvex

QTEST_MAIN(korvex::StagesTest)
#include "stages_test.moc"
