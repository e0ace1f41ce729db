// The main window as a user drives it, offscreen: start-up, the file commands, the menus'
// states, a run of the real engine library and the failures the run must report. Message
// boxes and file dialogs answer from a script.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <deque>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "app/gui/main_form.h"
#include "export/export_choice.h"
#include "export/widgets/export_dialog.h"
#include "gui_test_support.h"
#include "app/shell/window_title.h"
#include "validation/example_support.h"

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

  // After Run Analysis on each example the graph windows open and show the report's values:
  // the largest bending moment and the top deflection of every block, read off the graphs'
  // lines, are the report's (its E12.3 fields hold 3 digits, so they agree to half a unit in
  // the third).
  void graphsShowTheReportsResultsAfterEveryExampleRun() {
    // (A staged example reads with notes, and its stages run through the stage windows.)
    const char* examples[] = {"short_and_long_term.kx5d", "tied_wall_user_curves.kx5d",
                              "layered_wall_generated_pressure.kx5d", "braced_wall_apparent_pressure.kx5d",
                              "cantilever_in_sand.kx5d", "tied_back_wall_in_soft_clay.kx5d",
                              "soldier_pile_silt_over_rock.kx5d", "wall_socketed_in_rock.kx5d",
                              "tied_wall_generated_curves.kx5d", "sample_wall.kx5d"};
    constexpr double kReportDigits = 5e-3;
    for (const char* example : examples) {
      auto form = makeForm();
      form->show();
      const std::filesystem::path wall = copyExample(example);
      form->start(wall.string());
      // A file that held what the project cannot is saved under a new name before the run.
      const std::filesystem::path saved = std::filesystem::path(wall).replace_extension(".saved.kx5d");
      m_dialogs->saveChoices.push_back(saved.string());
      form->action("CompRun")->trigger();
      QVERIFY2(form->session().plotLoaded(), example);
      const std::filesystem::path report = std::filesystem::path(form->session().project().FileName).replace_extension(".kx5o");
      const auto blocks = example_checks::parseResultBlocks(readText(report));
      ResultGraphs& graphs = form->resultGraphs();
      const TGraphPlot& moment = graphs.graph(kGraphMoment);
      const TGraphPlot& deflection = graphs.graph(kGraphDeflection);
      QCOMPARE(moment.LineCount(), static_cast<int>(blocks.size()));
      const double perKilo = moment.Units() == 1 ? 1000 : 1;
      for (std::size_t b = 0; b < blocks.size(); ++b) {
        double peak = 0;
        for (const TFloatPoint& p : moment.Line(static_cast<int>(b)).points)
          if (std::fabs(p.x) > std::fabs(peak)) peak = p.x;
        const double reported = blocks[b].peakMoment().moment;
        QVERIFY2(std::fabs(peak * perKilo - reported) <= kReportDigits * std::fabs(reported), example);
        const double top = deflection.Line(static_cast<int>(b)).points.front().x;
        const double reportedTop = blocks[b].stations.front().deflection;
        QVERIFY2(std::fabs(top - reportedTop) <= kReportDigits * std::fabs(reportedTop) + 1e-12, example);
      }
      // Every enabled graph command opens its window, which draws the graph.
      for (int g = 0; g < kGraphCount; ++g) {
        QAction* command = form->action(QStringLiteral("Graph%1").arg(g));
        QCOMPARE(command->isEnabled(), graphs.graph(static_cast<GraphIndex>(g)).PointCount() > 1 || g == kGraphCombined ||
                                           (g == kGraphDMS && graphs.graph(kGraphDeflection).PointCount() > 1));
        if (!command->isEnabled()) continue;
        command->trigger();
        QMdiSubWindow* window = form->graphWindow(static_cast<GraphIndex>(g));
        QVERIFY(window != nullptr);
        const QImage picture = window->widget()->grab().toImage();
        // For review by eye: KORVEX_WINDOW_PICTURES=folder keeps every window's picture.
        if (const QString folder = qEnvironmentVariable("KORVEX_WINDOW_PICTURES"); !folder.isEmpty())
          picture.save(QDir(folder).filePath(QStringLiteral("%1-%2.png")
                                                 .arg(QString::fromLatin1(example).section('.', 0, 0))
                                                 .arg(graphFileWord(static_cast<GraphIndex>(g)))));
        int inked = 0;
        for (int y = 0; y < picture.height(); y += 2)
          for (int x = 0; x < picture.width(); x += 2) inked += picture.pixel(x, y) != qRgb(255, 255, 255);
        QVERIFY2(inked > 500, example);
      }
      QVERIFY(form->action("BtnGraph2")->isEnabled());
      form->action("BtnGraph2")->trigger();
      QCOMPARE(form->findChild<QMdiArea*>()->activeSubWindow(), form->graphWindow(kGraphMoment));
    }
  }

  // A plot file that does not read leaves no graph filled: after a run it says so; found on
  // opening a project it is passed over in silence. New clears the graphs too.
  void plotFilesThatDoNotReadLeaveTheGraphsEmpty() {
    auto form = makeForm();
    const std::filesystem::path wall = copyExample("cantilever_in_sand.kx5d");
    form->start(wall.string());
    form->action("CompRun")->trigger();
    QVERIFY(form->session().plotLoaded());
    QCOMPARE(form->resultGraphs().graph(kGraphMoment).LineCount(), 1);

    const std::filesystem::path plot = std::filesystem::path(wall).replace_extension(".kx5p");
    const std::string whole = readText(plot);
    std::ofstream(plot, std::ios::binary) << whole.substr(0, whole.size() / 3);
    m_dialogs->messages.clear();
    QVERIFY(!form->loadPlotFile(plot, true));
    QCOMPARE(m_dialogs->messages, std::vector<std::string>{kPlotLoadFailed});
    QCOMPARE(form->resultGraphs().graph(kGraphMoment).LineCount(), 0);

    m_dialogs->messages.clear();
    m_dialogs->openChoices.push_back(OpenChoice{wall.string(), 1});
    form->action("FileOpen")->trigger();
    QVERIFY(!form->session().plotLoaded());
    QVERIFY(!form->action("Graph2")->isEnabled());
    QVERIFY(!form->action("BtnGraph2")->isEnabled());
    for (const std::string& message : m_dialogs->messages) QVERIFY(message != kPlotLoadFailed);

    std::ofstream(plot, std::ios::binary) << whole;
    m_dialogs->openChoices.push_back(OpenChoice{wall.string(), 1});
    form->action("FileOpen")->trigger();
    QVERIFY(form->session().plotLoaded());
    QVERIFY(form->action("Graph2")->isEnabled());
    QCOMPARE(form->resultGraphs().graph(kGraphMoment).LineCount(), 1);
    form->action("FileNew")->trigger();
    QCOMPARE(form->resultGraphs().graph(kGraphMoment).LineCount(), 0);
    QVERIFY(!form->action("Graph2")->isEnabled());
  }

  // Export Plots To Excel opens the export window over the last run's graphs: ticked are the
  // graphs the Graphics menu offers, and the workbook is proposed beside the project.
  void theExportWindowOffersTheGraphsOfTheGraphicsMenu() {
    auto form = makeForm();
    form->show();
    const std::filesystem::path wall = copyExample("sample_wall.kx5d");
    std::filesystem::remove(std::filesystem::path(wall).replace_extension(".kx5p"));  // an earlier test's run
    form->start(wall.string());
    QVERIFY(!form->action("GraphExport")->isEnabled());
    form->action("CompRun")->trigger();
    QVERIFY(form->action("GraphExport")->isEnabled());

    std::vector<bool> ticked;
    std::string proposal;
    QTimer::singleShot(0, this, [&] {
      auto* dialog = qobject_cast<TDlgExport*>(QApplication::activeModalWidget());
      if (dialog == nullptr) return;
      for (int row = 0; row < dialog->plotList()->count(); ++row)
        ticked.push_back(dialog->plotList()->item(row)->checkState() == Qt::Checked);
      proposal = dialog->proposal();
      dialog->reject();
    });
    form->action("GraphExport")->trigger();
    std::vector<bool> offered;
    for (GraphIndex g : kExportGraphs) offered.push_back(form->action(QStringLiteral("Graph%1").arg(g))->isEnabled());
    QCOMPARE(offered, (std::vector<bool>{false, true, true, true, true, false, true}));
    QCOMPARE(ticked, offered);
    QCOMPARE(proposal, (wall.parent_path() / "sample_wall plots.xlsx").string());
  }
};

}  // namespace korvex

QTEST_MAIN(korvex::MainFormTest)
#include "main_form_test.moc"
