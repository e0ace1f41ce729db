// The window "Export to Excel", offscreen: its check-list follows the graphs that have results,
// Select All and Unselect All leave the others alone, Generate is offered only with a ticked
// graph, and generating writes the ticked graphs, offers to open the file or says why not.
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include <filesystem>

#include "export/plot_workbook.h"
#include "export/widgets/export_dialog.h"
#include "export/xlsx_reader.h"

namespace korvex {
namespace {

class ScriptedExportDialogs : public ExportDialogs {
 public:
  std::optional<std::string> file;  // the Save dialog's answer
  bool openIt = true;               // the answer to "Do you want to open it?"
  std::vector<std::string> messages;
  std::vector<std::string> opened;

  std::optional<std::string> chooseWorkbookFile(QWidget*, const std::string&) override { return file; }
  bool askYesNo(QWidget*, const std::string& text) override {
    messages.push_back(text);
    return openIt;
  }
  void information(QWidget*, const std::string& text) override { messages.push_back(text); }
  void warning(QWidget*, const std::string& text) override { messages.push_back(text); }
  bool openWithDefaultApplication(const std::string& path) override {
    opened.push_back(path);
    return true;
  }
};

// Results for every graph but the p-y curves and the earth pressure, as after the sample wall's
// run: the Graphics menu offers those two not.
std::array<bool, kGraphCount> offeredWithoutCurvesAndPressure() {
  std::array<bool, kGraphCount> offered{};
  offered.fill(true);
  offered[kGraphPY] = false;
  offered[kGraphPressure] = false;
  return offered;
}

std::vector<bool> states(const QListWidget& list, Qt::ItemFlag flag) {
  std::vector<bool> on;
  for (int row = 0; row < list.count(); ++row) on.push_back(list.item(row)->flags().testFlag(flag));
  return on;
}

std::vector<bool> ticks(const QListWidget& list) {
  std::vector<bool> on;
  for (int row = 0; row < list.count(); ++row) on.push_back(list.item(row)->checkState() == Qt::Checked);
  return on;
}

}  // namespace

class ExportDialogTest : public QObject {
  Q_OBJECT

 private:
  ResultGraphs m_graphs;
  QTemporaryDir m_folder;

  QPushButton* generateButton(const TDlgExport& dialog) {
    return dialog.findChild<QPushButton*>(QStringLiteral("btnGenerate"));
  }

 private slots:
  void initTestCase() {
    QVERIFY(m_folder.isValid());
    for (GraphIndex g : {kGraphDeflection, kGraphShear, kGraphMoment, kGraphReaction, kGraphCombined}) {
      m_graphs.graph(g).SetLineCount(1);
      m_graphs.graph(g).Line(0).points = {{1, 0}, {0.5, 2}};
    }
  }

  // The seven graphs in the export's order; those with results enabled and ticked, the others
  // disabled and unticked, and no ticked item leaves Generate disabled.
  void theListFollowsTheGraphsWithResults() {
    ScriptedExportDialogs dialogs;
    TDlgExport withResults(m_graphs, offeredWithoutCurvesAndPressure(), "", dialogs);
    QCOMPARE(withResults.windowTitle(), QStringLiteral("Export to Excel"));
    QStringList captions;
    for (int row = 0; row < withResults.plotList()->count(); ++row) captions << withResults.plotList()->item(row)->text();
    QCOMPARE(captions, (QStringList{"p-y Curves", "Deflection vs Depth", "Shear vs Depth", "Moment vs Depth",
                                    "Net Reaction vs Depth", "Earth Pressure Distribution", "Earth Pressure Combined"}));
    const std::vector<bool> expected = {false, true, true, true, true, false, true};
    QCOMPARE(states(*withResults.plotList(), Qt::ItemIsEnabled), expected);
    QCOMPARE(ticks(*withResults.plotList()), expected);
    QVERIFY(generateButton(withResults)->isEnabled());

    TDlgExport withoutResults(m_graphs, {}, "", dialogs);
    withoutResults.selectAll();
    QCOMPARE(states(*withoutResults.plotList(), Qt::ItemIsEnabled), std::vector<bool>(7, false));
    QCOMPARE(ticks(*withoutResults.plotList()), std::vector<bool>(7, false));
    QVERIFY(!generateButton(withoutResults)->isEnabled());
  }

  void selectAllAndUnselectAllChangeOnlyEnabledItems() {
    ScriptedExportDialogs dialogs;
    TDlgExport dialog(m_graphs, offeredWithoutCurvesAndPressure(), "", dialogs);
    QListWidget& list = *dialog.plotList();
    dialog.findChild<QPushButton*>(QStringLiteral("btnUnselectAll"))->click();
    QCOMPARE(ticks(list), std::vector<bool>(7, false));
    QVERIFY(!generateButton(dialog)->isEnabled());
    list.item(4)->setCheckState(Qt::Checked);  // as the user ticks it
    QVERIFY(generateButton(dialog)->isEnabled());
    dialog.findChild<QPushButton*>(QStringLiteral("btnSelectAll"))->click();
    QCOMPARE(ticks(list), (std::vector<bool>{false, true, true, true, true, false, true}));
  }

  // Net Reaction ticked alone is graph 1 of the workbook; the user is offered to open it.
  void generateWritesTheTickedGraphsAndOffersToOpenThem() {
    const std::string file = (std::filesystem::path(m_folder.path().toStdString()) / "wall plots.xlsx").string();
    ScriptedExportDialogs dialogs;
    dialogs.file = file;
    TDlgExport dialog(m_graphs, offeredWithoutCurvesAndPressure(), file, dialogs);
    dialog.unselectAll();
    dialog.plotList()->item(4)->setCheckState(Qt::Checked);
    generateButton(dialog)->click();
    const testing::XlsxFile book(file);
    QCOMPARE(book.sheetNames(), (std::vector<std::string>{"Legend", "Page_1", "Plot_1"}));
    QCOMPARE(book.cell("Legend", "C3").text, std::string("Net Reaction vs Depth"));
    QCOMPARE(dialogs.messages, std::vector<std::string>{workbookWrittenQuestion(file)});
    QCOMPARE(dialogs.opened, std::vector<std::string>{file});

    // Answered No: nothing is opened.
    dialogs.messages.clear();
    dialogs.opened.clear();
    dialogs.openIt = false;
    generateButton(dialog)->click();
    QCOMPARE(dialogs.messages.size(), std::size_t{1});
    QVERIFY(dialogs.opened.empty());
  }

  // A cancelled Save dialog writes nothing and says nothing; a failed write is reported, leaves
  // no file and offers nothing to open.
  void aCancelledOrFailedWriteLeavesNoFile() {
    const std::filesystem::path folder = std::filesystem::path(m_folder.path().toStdString()) / "failed";
    std::filesystem::create_directory(folder);
    ScriptedExportDialogs dialogs;
    TDlgExport dialog(m_graphs, offeredWithoutCurvesAndPressure(), "", dialogs);
    generateButton(dialog)->click();
    QVERIFY(dialogs.messages.empty());
    QVERIFY(std::filesystem::is_empty(folder));

    const std::string missing = (folder / "no folder" / "plots.xlsx").string();
    dialogs.file = missing;
    generateButton(dialog)->click();
    QCOMPARE(dialogs.messages,
             std::vector<std::string>{"Cannot create file \"" + missing + "\". No such file or directory"});
    QVERIFY(dialogs.opened.empty());
    QVERIFY(std::filesystem::is_empty(folder));
  }
};

}  // namespace korvex

QTEST_MAIN(korvex::ExportDialogTest)
#include "export_dialog_test.moc"
