// The sample wall built from a new project through the windows only, as a new user would type
// it: the title, the wall line (Wall Properties and the width in Wall Configuration), the fixed
// toe (the restraint table), the stiffness (the wall stiffness table) and the load at the top
// (the concentrated loads window and its table); saved, run with the real engine, and its
// report compared with the report of the bundled sample file, line for line.
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/gui/table_button_windows.h"
#include "app/gui/title_window.h"
#include "app/gui/wall_configuration_window.h"
#include "app/gui/wall_properties_window.h"
#include "app/shell/run_control.h"
#include "gui_test_support.h"

namespace korvex {

using testing::activeChild;
using testing::typeInto;
using testing::typeIntoCell;

namespace {

void click(QWidget& window, const char* name) {
  auto* button = window.findChild<QAbstractButton*>(QString::fromLatin1(name));
  QVERIFY2(button != nullptr, name);
  button->click();
}

// The report's lines without the one that names the folder of the files.
std::vector<std::string> reportLines(const std::filesystem::path& report) {
  std::ifstream in(report);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    if (line.find("Path to file locations") == std::string::npos) lines.push_back(line);
  }
  return lines;
}

}  // namespace

class SampleWallTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir m_built;
  QTemporaryDir m_bundled;
  testing::ScriptedDialogs* m_dialogs = nullptr;

 private slots:
  void theSampleWallBuiltInTheWindowsReportsAsTheBundledFile() {
    QVERIFY(m_built.isValid() && m_bundled.isValid());
    auto form = testing::startedMainForm(m_dialogs, QStringLiteral(KORVEX_PROGRAM_FOLDER));

    form->action("DataTitle")->trigger();
    typeInto(*activeChild<TdlgTitle>(*form), "TitleMemo", QStringLiteral("SAMPLE WALL"));

    form->action("DataWallProperties")->trigger();
    auto* properties = activeChild<TDlgProp>(*form);
    QVERIFY(properties != nullptr);
    typeInto(*properties, "deNI", QStringLiteral("80"));
    typeInto(*properties, "deXGS", QStringLiteral("3"));
    typeInto(*properties, "deXLN", QStringLiteral("10"));
    typeInto(*properties, "deSlope", QStringLiteral("0.001"));
    click(*properties, "btnSect");
    TTableForm* sections = activeChild<TTableForm>(*form);
    QVERIFY(sections != nullptr);
    QCOMPARE(typeIntoCell(*sections, 0, 1, QStringLiteral("80")), nullptr);
    QCOMPARE(typeIntoCell(*sections, 0, 3, QStringLiteral("3E10")), nullptr);

    form->action("DataWallConfiguration")->trigger();
    typeInto(*activeChild<TdlgCSD>(*form), "deWidth", QStringLiteral("12"));
    // Neither earth pressure nor p-y curves are generated for this wall.
    form->action("OptGeneratePY")->trigger();

    form->action("OptRestraints")->trigger();
    form->action("DataRestraints")->trigger();
    TTableForm* restraints = activeChild<TTableForm>(*form);
    QVERIFY(restraints != nullptr);
    auto* caseList = restraints->grid()->viewport()->findChild<QComboBox*>(QStringLiteral("CellCombo"));
    QTest::keyClick(caseList, Qt::Key_Down);
    QTest::keyClick(caseList, Qt::Key_Down);
    QCOMPARE(caseList->currentText(), QStringLiteral("Specify Deflection and Slope"));
    QCOMPARE(typeIntoCell(*restraints, 0, 1, QStringLiteral("80")), nullptr);

    form->action("OptConcLoads")->trigger();
    form->action("DataConcLoads")->trigger();
    auto* loads = activeChild<TDlgConLoads>(*form);
    QVERIFY(loads->findChild<QCheckBox*>(QStringLiteral("ChkConLoads"))->isChecked());
    click(*loads, "btnConLoads");
    TTableForm* loadTable = activeChild<TTableForm>(*form);
    QVERIFY(loadTable != nullptr);
    QCOMPARE(typeIntoCell(*loadTable, 0, 2, QStringLiteral("0")), nullptr);
    QCOMPARE(typeIntoCell(*loadTable, 0, 3, QStringLiteral("1000")), nullptr);

    const std::filesystem::path built = std::filesystem::path(m_built.path().toStdString()) / "sample_wall.kx5d";
    m_dialogs->saveChoices.push_back(built.string());
    m_dialogs->messages.clear();
    form->action("CompRun")->trigger();
    QCOMPARE(m_dialogs->messages, std::vector<std::string>{kComputationsCompleted});
    std::ifstream saved(built);
    std::string title;
    std::string control;
    std::string wall;
    std::getline(saved, title);
    std::getline(saved, control);
    std::getline(saved, wall);
    QCOMPARE(title, std::string("SAMPLE WALL\r"));
    QVERIFY2(wall.rfind("80 3\t10\t0.001\t0\t12", 0) == 0, wall.c_str());

    // The bundled file, opened and run the same way, in a folder of its own.
    const std::filesystem::path bundled = std::filesystem::path(m_bundled.path().toStdString()) / "sample_wall.kx5d";
    std::filesystem::copy_file(std::filesystem::path(KORVEX_EXAMPLES) / "sample_wall.kx5d", bundled);
    m_dialogs->openChoices.push_back(OpenChoice{bundled.string(), 1});
    form->action("FileOpen")->trigger();
    m_dialogs->messages.clear();
    form->action("CompRun")->trigger();
    QCOMPARE(m_dialogs->messages, std::vector<std::string>{kComputationsCompleted});

    const std::vector<std::string> expected = reportLines(std::filesystem::path(bundled).replace_extension(".kx5o"));
    const std::vector<std::string> actual = reportLines(std::filesystem::path(built).replace_extension(".kx5o"));
    QVERIFY(expected.size() > 100);
    QCOMPARE(actual.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) QCOMPARE(actual[i], expected[i]);
  }
};

}  // namespace korvex

QTEST_MAIN(korvex::SampleWallTest)
#include "sample_wall_test.moc"
