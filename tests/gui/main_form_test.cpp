// The main window as a user drives it, offscreen: start-up, the file commands, the menus'
// states, a run of the real engine library and the failures the run must report. Message
// boxes and file dialogs answer from a script.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QtTest>

#include <deque>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "app/gui/main_form.h"
#include "gui_test_support.h"
#include "app/shell/window_title.h"

namespace korvex {
namespace {

std::string readText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

bool hasNamesFile(const std::filesystem::path& folder) {
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    std::string name = entry.path().filename().string();
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (name == "names.dat") return true;
  }
  return false;
}

}  // namespace

class MainFormTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir m_folder;
  testing::ScriptedDialogs* m_dialogs = nullptr;

  // A main window whose engine library (and guides) are looked for in `programFolder`.
  std::unique_ptr<TMainForm> makeForm(const QString& programFolder = QStringLiteral(KORVEX_PROGRAM_FOLDER)) {
    return testing::makeMainForm(m_dialogs, programFolder);
  }

  std::filesystem::path copyExample(const std::string& name) {
    const std::filesystem::path target = std::filesystem::path(m_folder.path().toStdString()) / name;
    std::filesystem::copy_file(std::filesystem::path(KORVEX_EXAMPLES) / name, target,
                               std::filesystem::copy_options::overwrite_existing);
    return target;
  }

 private slots:
  void initTestCase() { QVERIFY(m_folder.isValid()); }

  void startsWithANewProjectOrTheFileNamed() {
    auto form = makeForm();
    form->start(std::nullopt);
    QCOMPARE(form->windowTitle(), QStringLiteral("KORVEX 2015.5.11 - NewWall.kx5d"));
    QVERIFY(m_dialogs->messages.empty());

    const std::filesystem::path wall = copyExample("sample_wall.kx5d");
    form = makeForm();
    form->start(wall.string());
    QCOMPARE(form->windowTitle(), QStringLiteral("KORVEX 2015.5.11 - Sample_wall.kx5d"));
    QCOMPARE(form->session().project().Title, std::string("SAMPLE WALL"));
    QCOMPARE(form->session().recentFiles().entries().front(), wall.string());
  }

  // Every menu and its items carry their exact captions and shortcuts.
  void menusCarryTheirCaptions() {
    auto form = makeForm();
    form->start(std::nullopt);
    QCOMPARE(form->action("FileOpen")->text(), QStringLiteral("&Open..."));
    QCOMPARE(form->action("FileOpen")->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
    QCOMPARE(form->action("FileExit")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Q")));
    QCOMPARE(form->action("OptTieback")->text(), QStringLiteral("Apply Tieback (Ground  Anchor)"));
    QCOMPARE(form->action("CompEditMonitor")->text(), QStringLiteral("Edit &Processor-Run Notes"));
    QCOMPARE(form->action("BtnRun")->toolTip(), QStringLiteral("Run Analysis"));
    QVERIFY(!form->action("BtnStage1")->isVisible());
  }

  // The Data menu follows the Options switches; the switches are the project's.
  void menuStatesFollowTheSwitches() {
    auto form = makeForm();
    form->start(std::nullopt);
    QVERIFY(!form->action("DataConcLoads")->isEnabled());
    form->action("OptConcLoads")->trigger();
    QVERIFY(form->session().project().ApplyConcLoads);
    QVERIFY(form->action("DataConcLoads")->isEnabled());
    QVERIFY(form->action("OptConcLoads")->isChecked());
    form->action("OptLongTerm")->trigger();
    QVERIFY(form->action("DataSoilMenu")->isVisible());
    QVERIFY(!form->action("DataSoil")->isVisible());
    QVERIFY(!form->action("OptStaged")->isEnabled());
    QVERIFY(!form->action("BtnSoilLayers")->isEnabled());
  }

  // Saving a never-saved project goes through Save As: a cancelled dialog writes nothing and
  // stops the run without a word; a chosen name is saved, run, and the outputs appear.
  void runSavesFirstAndTheEngineWritesItsFiles() {
    auto form = makeForm();
    form->start(copyExample("sample_wall.kx5d").string());
    form->action("FileNew")->trigger();
    m_dialogs->messages.clear();
    form->action("CompRun")->trigger();
    QCOMPARE(m_dialogs->saveTitles.back(), std::string("Save NewWall.kx5d As"));
    QVERIFY(m_dialogs->messages.empty());

    const std::filesystem::path wall = copyExample("cantilever_in_sand.kx5d");
    m_dialogs->answers.clear();
    form->action("FileNew")->trigger();
    m_dialogs->openChoices.push_back(OpenChoice{wall.string(), 1});
    form->action("FileOpen")->trigger();
    const std::filesystem::path saved = wall.parent_path() / "saved_wall.kx5d";
    form->action("FileSaveAs")->trigger();  // cancelled: the name stays
    QCOMPARE(form->session().project().FileName, wall.string());
    m_dialogs->saveChoices.push_back(saved.string());
    form->action("FileSaveAs")->trigger();
    QCOMPARE(form->session().project().FileName, saved.string());
    QCOMPARE(form->windowTitle(), QStringLiteral("KORVEX 2015.5.11 - Saved_wall.kx5d"));

    m_dialogs->messages.clear();
    form->action("CompRun")->trigger();
    QCOMPARE(m_dialogs->messages, std::vector<std::string>{kComputationsCompleted});
    for (const char* extension : {".kx5o", ".kx5p", ".kx5r"})
      QVERIFY(std::filesystem::exists(std::filesystem::path(saved).replace_extension(extension)));
    QVERIFY(readText(std::filesystem::path(saved).replace_extension(".kx5o")).find("END OF ANALYSIS") !=
            std::string::npos);
    QVERIFY(!hasNamesFile(KORVEX_PROGRAM_FOLDER));
    QVERIFY(!hasNamesFile(saved.parent_path()));
    QVERIFY(form->action("BtnViewOutput")->isEnabled());
  }

  void aMissingEngineLibraryIsReported() {
    QTemporaryDir empty;
    auto form = makeForm(empty.path());
    form->start(copyExample("sample_wall.kx5d").string());
    m_dialogs->messages.clear();
    form->action("CompRun")->trigger();
    QCOMPARE(m_dialogs->messages, std::vector<std::string>{kInitializeFailed});
    // The next run meets a clean state, not "Attempt to reinitialize DLL".
    m_dialogs->messages.clear();
    form->action("CompRun")->trigger();
    QCOMPARE(m_dialogs->messages, std::vector<std::string>{kInitializeFailed});
  }

  // A wall-stiffness row beyond the last node stops the run before the engine is called.
  void aPreRunWarningStopsTheRun() {
    auto form = makeForm();
    form->start(copyExample("sample_wall.kx5d").string());
    form->session().project().NumIncrements = 40;
    m_dialogs->messages.clear();
    form->action("FileSave")->trigger();
    form->action("CompRun")->trigger();
    QCOMPARE(m_dialogs->messages.size(), std::size_t{1});
    QVERIFY(m_dialogs->messages[0].rfind("End Node, 80 in row 1 of Wall Stiffness definition", 0) == 0);
  }

  // Closing a modified project asks; Cancel keeps the window open, No lets it close.
  void theSavePromptGuardsClosing() {
    auto form = makeForm();
    form->start(std::nullopt);
    form->show();
    form->session().markModified();
    m_dialogs->answers = {Answer::Cancel};
    QVERIFY(!form->close());
    QCOMPARE(m_dialogs->messages.back(), std::string(kSaveChangesQuestion));
    m_dialogs->answers = {Answer::No};
    QVERIFY(form->close());
  }

  // The Title window stores its text into the project when another command runs.
  void theTitleWindowCommitsWhenACommandRuns() {
    auto form = makeForm();
    form->start(std::nullopt);
    form->show();
    form->action("DataTitle")->trigger();
    auto* mdi = form->findChild<QMdiArea*>();
    QVERIFY(mdi->activeSubWindow() != nullptr);
    QWidget* window = mdi->activeSubWindow()->widget();
    auto* editor = window->findChild<QWidget*>(QStringLiteral("TitleMemo"));
    QVERIFY(editor != nullptr);
    editor->setFocus();
    QTest::keyClicks(editor, QStringLiteral(" 2"));
    QVERIFY(form->commitActiveChild());
    QCOMPARE(form->session().project().Title, std::string("New Wall 2"));
    QVERIFY(form->session().project().IsModified(form->session().tables()));
  }
};

}  // namespace korvex

QTEST_MAIN(korvex::MainFormTest)
#include "main_form_test.moc"
