// The table windows as a user drives them, offscreen: typed entries stored or refused with the
// typed text kept, commands and closing stopped by a refused entry, the row buttons at the row
// limits, a curve pasted from the clipboard, windows closing with their tables, sub-tables of a
// modal window opening modally; and the item model under QAbstractItemModelTester.
#include <QAbstractItemModelTester>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "app/gui/grid_table_model.h"
#include "app/gui/table_chart.h"
#include "app/gui/table_chart_form.h"
#include "gui_test_support.h"
#include "tables/column_types.h"
#include "tables/value_import.h"

namespace korvex {

using testing::cellText;
using testing::tableWindow;
using testing::typeIntoCell;

namespace {

// The in-cell editor widgets of `window`'s grid, by object name ("CellCombo", "CellButton"),
// in the order of their rows.
template <typename W>
QList<W*> cellEditors(const TTableForm& window, const char* name) {
  QList<W*> editors = window.grid()->viewport()->findChildren<W*>(QString::fromLatin1(name));
  std::sort(editors.begin(), editors.end(), [](W* a, W* b) { return a->y() < b->y(); });
  return editors;
}

}  // namespace

class TableWindowsTest : public QObject {
  Q_OBJECT

 private:
  testing::ScriptedDialogs* m_dialogs = nullptr;

  std::unique_ptr<TMainForm> makeForm() { return testing::startedMainForm(m_dialogs); }

 private slots:
  void theModelPassesTheItemModelTester() {
    auto form = makeForm();
    TGridTable& soil = form->session().tables().NewSoil;
    soil.SetRowCount(3);
    soil.Cell(0, 1).SetInt(4);
    TGridTableModel model(&soil);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(model.columnCount(), 3);
    QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Soil \nType"));
    QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Depth at Bottom\nof the Layer, (ft)  "));
    QCOMPARE(model.headerData(2, Qt::Vertical).toInt(), 3);
    QCOMPARE(model.index(1, 0).data().toString(), QStringLiteral("Sand"));
    QCOMPARE(model.index(1, 2).data().toString(), QStringLiteral("2: Sand"));
    QCOMPARE(model.flags(model.index(1, 0)), Qt::NoItemFlags);  // the drop-down list takes the input
    QVERIFY(model.flags(model.index(1, 1)) & Qt::ItemIsEditable);
    QVERIFY(model.setData(model.index(1, 1), QStringLiteral("12/2")));
    QCOMPARE(model.index(1, 1).data().toString(), QStringLiteral("6"));
    QVERIFY(!model.setData(model.index(1, 1), QStringLiteral("x")));
    soil.AddRows();
    model.reload();
    QCOMPARE(model.rowCount(), 4);
    model.setTable(nullptr);
    QCOMPARE(model.rowCount(), 0);
  }

  // 2*3 becomes 6; 2.5 in an integer column is refused, keeps its text, its cell and the grid;
  // the command that wanted to commit it does not run and the window does not close.
  void entriesAreStoredOrRefusedWithTheTextKept() {
    auto form = makeForm();
    TGridTable& sections = form->session().tables().PileSect;
    sections.Show();
    TTableForm* window = tableWindow(*form, sections);
    QVERIFY(window != nullptr);
    QCOMPARE(window->windowTitle(), QStringLiteral("Wall Stiffness"));

    QCOMPARE(typeIntoCell(*window, 0, 3, QStringLiteral("2*3")), nullptr);
    QCOMPARE(cellText(*window, 0, 3), QStringLiteral("6"));
    QCOMPARE(sections.Cell(3, 0).GetFloat(), 6.0L);
    QCOMPARE(window->grid()->currentIndex(), window->model()->index(0, 0));  // Enter: on to the next column

    m_dialogs->messages.clear();
    QLineEdit* entry = typeIntoCell(*window, 0, 1, QStringLiteral("2.5"));
    QVERIFY(entry != nullptr);
    QCOMPARE(m_dialogs->messages, std::vector<std::string>{"Entry must be an integer."});
    QCOMPARE(entry->text(), QStringLiteral("2.5"));
    QCOMPARE(window->grid()->currentIndex(), window->model()->index(0, 1));
    QCOMPARE(sections.Cell(1, 0).GetInt(), 1);

    form->action("FileSaveAs")->trigger();
    QVERIFY(m_dialogs->saveTitles.empty());
    QVERIFY(!window->parentWidget()->close());
    QCOMPARE(m_dialogs->messages.size(), std::size_t{3});

    entry->setText(QStringLiteral("80"));
    QTest::keyClick(entry, Qt::Key_Return);
    QCOMPARE(sections.Cell(1, 0).GetInt(), 80);
    QVERIFY(window->parentWidget()->close());
  }

  // An entry opened and left without a change stores nothing: full precision, table unchanged.
  void anEntryLeftUnchangedStoresNothing() {
    auto form = makeForm();
    TGridTable& sections = form->session().tables().PileSect;
    sections.Cell(3, 0).SetFloat(1.0L / 3);
    form->session().project().SetModified(false, form->session().tables());
    sections.Show();
    TTableForm* window = tableWindow(*form, sections);
    window->grid()->setCurrentIndex(window->model()->index(0, 3));
    window->grid()->edit(window->model()->index(0, 3));
    QVERIFY(window->grid()->openEntry() != nullptr);
    QTest::keyClick(window->grid()->openEntry(), Qt::Key_Tab);
    QVERIFY(window->grid()->openEntry() == nullptr);
    QCOMPARE(sections.Cell(3, 0).GetFloat(), 1.0L / 3);
    QVERIFY(!form->session().project().IsModified(form->session().tables()));
  }

  void rowButtonsStopAtTheRowLimits() {
    auto form = makeForm();
    TGridTable& restraints = form->session().tables().Soillayer;  // 1 to 10 rows
    restraints.Show();
    TTableForm* window = tableWindow(*form, restraints);
    auto* add = window->findChild<QPushButton*>(QStringLiteral("BtnAdd"));
    auto* remove = window->findChild<QPushButton*>(QStringLiteral("BtnDel"));
    QVERIFY(!remove->isEnabled());
    for (int rows = 2; rows <= 10; ++rows) add->click();
    QCOMPARE(restraints.RowCount(), 10);
    QVERIFY(!add->isEnabled());
    QVERIFY(!window->findChild<QPushButton*>(QStringLiteral("BtnIns"))->isEnabled());
    QVERIFY(remove->isEnabled());
    QCOMPARE(window->shownRows(), 10);
    window->grid()->setCurrentIndex(window->model()->index(3, 1));
    for (int rows = 9; rows >= 1; --rows) remove->click();
    QCOMPARE(restraints.RowCount(), 1);
    QVERIFY(!remove->isEnabled());
    QVERIFY(add->isEnabled());
  }

  // A block of y-p pairs with a title line and LF line ends, the last line without one, fills
  // the curve and drops the rows it had beyond; too few rows change nothing.
  void aPastedCurveFillsTheTableAndItsChart() {
    auto form = makeForm();
    TGridTableChart& curves = form->session().tables().PYCurves2;
    curves.Show();
    TTableForm* list = tableWindow(*form, curves);
    const QList<QPushButton*> buttons = cellEditors<QPushButton>(*list, "CellButton");
    QCOMPARE(buttons.size(), 2);
    QCOMPARE(buttons[0]->text(), QStringLiteral("1: External p-y Curve"));
    buttons[0]->click();
    TGridTable& curve = *curves.Cell(1, 0).GetTable();
    auto* window = qobject_cast<TTableChartForm*>(tableWindow(*form, curve));
    QVERIFY(window != nullptr);
    QCOMPARE(window->windowTitle(), QStringLiteral("External p-y Curve 1"));
    curve.SetRowCount(6);

    QGuiApplication::clipboard()->setText(QStringLiteral("y (in)\tp (lb/in)\n-1\t50\n0\t0\n1\t-50"));
    window->findChild<QPushButton*>(QStringLiteral("BtnClip"))->click();
    QCOMPARE(curve.RowCount(), 3);
    QCOMPARE(cellText(*window, 2, 0), QStringLiteral("1"));
    QCOMPARE(cellText(*window, 2, 1), QStringLiteral("-50"));
    const ChartData& chart = window->chartView()->chart();
    QCOMPARE(chart.series1.points.size(), std::size_t{3});
    QCOMPARE(chart.series1.points[0].y, 50.0);
    QCOMPARE(chart.xTitle, std::string("Lateral Deflection, y (*) (in)"));

    m_dialogs->messages.clear();
    QGuiApplication::clipboard()->setText(QStringLiteral("5 5"));
    window->findChild<QPushButton*>(QStringLiteral("BtnClip"))->click();
    QGuiApplication::clipboard()->clear();
    window->findChild<QPushButton*>(QStringLiteral("BtnClip"))->click();
    QCOMPARE(m_dialogs->messages.size(), std::size_t{2});
    QVERIFY(m_dialogs->messages[0].rfind("The text holds 1 line of 2 numbers", 0) == 0);
    QCOMPARE(m_dialogs->messages[1], std::string(kNoClipboardText));
    QCOMPARE(curve.RowCount(), 3);
  }

  // A sub-table's window closes when its table goes: its soil type changed, its row deleted,
  // its option switched off, a new project.
  void windowsCloseWithTheirTables() {
    auto form = makeForm();
    ProjectTables& tables = form->session().tables();
    tables.NewSoil.Show();
    TTableForm* layers = tableWindow(*form, tables.NewSoil);
    layers->findChild<QPushButton*>(QStringLiteral("BtnAdd"))->click();
    QList<QComboBox*> types = cellEditors<QComboBox>(*layers, "CellCombo");
    QCOMPARE(types.size(), 2);
    for (int i = 0; i < 3; ++i) QTest::keyClick(types[0], Qt::Key_Down);  // Soft Clay to Sand
    QCOMPARE(tables.NewSoil.Cell(0, 0).GetInt(), 4);
    cellEditors<QPushButton>(*layers, "CellButton")[0]->click();
    TGridTable* sand = tables.NewSoil.Cell(2, 0).GetTable();
    QVERIFY(tableWindow(*form, *sand) != nullptr);
    QCOMPARE(tableWindow(*form, *sand)->windowTitle(), QStringLiteral("Sand 1"));

    QTest::keyClick(types[0], Qt::Key_Up);  // Sand to Stiff Clay w/o Free Water
    QTRY_VERIFY(testing::mdiArea(*form)->subWindowList().size() == 1);

    cellEditors<QPushButton>(*layers, "CellButton")[1]->click();
    QCOMPARE(testing::mdiArea(*form)->subWindowList().size(), 2);
    layers->grid()->setCurrentIndex(layers->model()->index(1, 1));
    layers->findChild<QPushButton*>(QStringLiteral("BtnDel"))->click();
    QTRY_VERIFY(testing::mdiArea(*form)->subWindowList().size() == 1);

    form->action("OptConcLoads")->trigger();
    tables.BoundCond.Show();
    QVERIFY(tableWindow(*form, tables.BoundCond) != nullptr);
    form->action("OptConcLoads")->trigger();
    QTRY_VERIFY(tableWindow(*form, tables.BoundCond) == nullptr);

    cellEditors<QPushButton>(*layers, "CellButton")[0]->click();
    form->session().project().SetModified(false, tables);
    form->action("FileNew")->trigger();
    QTRY_VERIFY(testing::mdiArea(*form)->subWindowList().isEmpty());
  }

  // A unit change shows the open table in the new units, header and values.
  void aUnitChangeShowsTheTableInTheNewUnits() {
    auto form = makeForm();
    TGridTable& soil = form->session().tables().NewSoil;
    soil.Cell(1, 0).SetFloat(10);
    soil.Show();
    TTableForm* window = tableWindow(*form, soil);
    form->action("OptUnits2")->trigger();
    QCOMPARE(cellText(*window, 0, 1), QStringLiteral("3.048"));
    QVERIFY(window->model()->headerData(1, Qt::Horizontal).toString().endsWith(QStringLiteral("(m)  ")));
  }

  // The sub-tables of a modal table window open modally too.
  void subTablesOfAModalWindowOpenModally() {
    auto form = makeForm();
    TGridTable& soil = form->session().tables().NewSoil;
    QStringList seen;
    QTimer::singleShot(0, this, [&] {
      auto* outer = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      QVERIFY(outer != nullptr);
      seen << outer->windowTitle();
      QTimer::singleShot(0, this, [&, outer] {
        auto* inner = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY(inner != nullptr && inner != outer);
        seen << inner->windowTitle();
        inner->reject();
        outer->reject();
      });
      auto* sub = outer->findChild<TTableForm*>();
      cellEditors<QPushButton>(*sub, "CellButton")[0]->click();
    });
    soil.ShowModal();
    QCOMPARE(seen, (QStringList{QStringLiteral("Soil Layers"), QStringLiteral("Clay 1")}));
    QVERIFY(!soil.HasWindow());
  }
};

}  // namespace korvex

QTEST_MAIN(korvex::TableWindowsTest)
#include "table_windows_test.moc"
