// The data windows as a user drives them, offscreen: a refused entry keeps its window and stops
// the command; the free height typed in feet is held in inches; loading a window changes
// nothing; a commit stores all of its entries or none; the springs box closes its table's
// window; a change of units shows the open windows in the new units.
#include <QCheckBox>
#include <QPushButton>
#include <QtTest>

#include "app/gui/table_button_windows.h"
#include "app/gui/title_window.h"
#include "app/gui/wall_configuration_window.h"
#include "app/gui/wall_properties_window.h"
#include "entry/widgets/data_edit.h"
#include "gui_test_support.h"

namespace korvex {

using testing::activeChild;
using testing::typeInto;

namespace {

QString textOf(QWidget& window, const char* name) {
  return window.findChild<QLineEdit*>(QString::fromLatin1(name))->text();
}

}  // namespace

class DataWindowsTest : public QObject {
  Q_OBJECT

 private:
  testing::ScriptedDialogs* m_dialogs = nullptr;

  std::unique_ptr<TMainForm> makeForm() { return testing::startedMainForm(m_dialogs); }

 private slots:
  // 301 increments: the entry's message, the entry holds the limit, the window stays in front,
  // nothing is stored and the command does not run.
  void tooManyIncrementsAreRefusedAndTheWindowStays() {
    auto form = makeForm();
    form->action("DataWallProperties")->trigger();
    auto* properties = activeChild<TDlgProp>(*form);
    QVERIFY(properties != nullptr);
    typeInto(*properties, "deNI", QStringLiteral("301"));
    typeInto(*properties, "deXGS", QStringLiteral("3"));
    form->action("DataTitle")->trigger();
    QCOMPARE(m_dialogs->messages, std::vector<std::string>{"Entry must be less than or equal to 300"});
    QCOMPARE(activeChild<TDlgProp>(*form), properties);
    QCOMPARE(form->session().project().NumIncrements, 0);
    QCOMPARE(form->session().project().IncrementLength, 0.0L);  // all or nothing
    QCOMPARE(textOf(*properties, "deNI"), QStringLiteral("300"));
    typeInto(*properties, "deNI", QStringLiteral("80"));
    QVERIFY(form->commitActiveChild());
    QCOMPARE(form->session().project().NumIncrements, 80);
    QCOMPARE(form->session().project().IncrementLength, 3.0L);
  }

  // In English units 20 ft typed as the free height is held as 240 in and shows 20 in the
  // other window; 144 lb/ft^2 on the backfill is held as 1 lb/in^2.
  void feetAndPoundsPerSquareFootAreHeldInInches() {
    auto form = makeForm();
    form->action("DataWallProperties")->trigger();
    typeInto(*activeChild<TDlgProp>(*form), "DeFH", QStringLiteral("4*5"));
    form->action("DataWallConfiguration")->trigger();
    QCOMPARE(form->session().project().FreeHeight, 240.0L);
    auto* configuration = activeChild<TdlgCSD>(*form);
    QCOMPARE(textOf(*configuration, "deHL"), QStringLiteral("20"));
    QCOMPARE(configuration->findChild<QLabel*>(QStringLiteral("deSPLabel"))->text(),
             QStringLiteral("Uniform Distributed Load at the top of backfill side  (lbs/ft^2)"));
    typeInto(*configuration, "deSP", QStringLiteral("144"));
    QVERIFY(form->commitActiveChild());
    QCOMPARE(form->session().project().TopSurcharge, 1.0L);
    QVERIFY(form->session().project().IsModified(form->session().tables()));
  }

  // Windows opened and left untouched change nothing, not even values outside their entries'
  // limits or that a conversion would round.
  void loadingAWindowChangesNothing() {
    auto form = makeForm();
    TProgramData& project = form->session().project();
    project.Title = std::string(100, 'T');
    project.PYWidth = 137.8L;           // beyond the entry's 120
    project.FreeHeight = 100.0L / 3;    // inches, shown in feet
    project.TopSurcharge = 1.0L / 7;    // lb/in^2, shown in lb/ft^2
    project.SetModified(false, form->session().tables());
    const TProgramData before = project;
    for (const char* command : {"DataTitle", "DataWallProperties", "DataWallConfiguration", "DataTitle"})
      form->action(command)->trigger();
    QVERIFY(form->commitActiveChild());
    QCOMPARE(project.Title, before.Title);
    QCOMPARE(project.NumIncrements, 0);
    QCOMPARE(project.PYWidth, before.PYWidth);
    QCOMPARE(project.FreeHeight, before.FreeHeight);
    QCOMPARE(project.TopSurcharge, before.TopSurcharge);
    QVERIFY(!project.IsModified(form->session().tables()));
    QVERIFY(m_dialogs->messages.empty());
  }

  // A commit checks every edited entry before storing any: a valid width and an invalid text
  // in another entry store nothing.
  void aCommitStoresAllOrNothing() {
    auto form = makeForm();
    form->action("DataWallConfiguration")->trigger();
    auto* configuration = activeChild<TdlgCSD>(*form);
    typeInto(*configuration, "deWidth", QStringLiteral("24"));
    typeInto(*configuration, "dePYW", QStringLiteral("abc"));
    QVERIFY(!form->commitActiveChild());
    QCOMPARE(m_dialogs->messages.size(), std::size_t{1});
    QCOMPARE(form->session().project().ActiveWidth, 0.0L);
    typeInto(*configuration, "dePYW", QStringLiteral("12"));
    QVERIFY(form->commitActiveChild());
    QCOMPARE(form->session().project().ActiveWidth, 24.0L);
    QCOMPARE(form->session().project().PYWidth, 12.0L);
  }

  // Unticking the springs box closes the spring table's window; leaving the window stores the
  // switch and marks the project modified.
  void theSpringsBoxClosesItsTable() {
    auto form = makeForm();
    form->action("OptSprings")->trigger();
    form->action("DataSprings")->trigger();
    auto* springs = activeChild<TDlgSpring>(*form);
    auto* box = springs->findChild<QCheckBox*>(QStringLiteral("ChkSpring"));
    QVERIFY(box->isChecked());
    springs->findChild<QPushButton*>(QStringLiteral("btnSpring"))->click();
    TGridTable& table = form->session().tables().SoilStrength;
    QVERIFY(testing::tableWindow(*form, table) != nullptr);
    testing::mdiArea(*form)->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(springs->parentWidget()));
    box->click();
    QTRY_VERIFY(testing::tableWindow(*form, table) == nullptr);
    QVERIFY(!springs->findChild<QPushButton*>(QStringLiteral("btnSpring"))->isEnabled());
    QVERIFY(form->session().project().ApplySprings);
    form->action("DataTitle")->trigger();
    QVERIFY(!form->session().project().ApplySprings);
    QVERIFY(form->session().project().IsModified(form->session().tables()));
  }

  // A unit change shows the open data windows in the new units, so that leaving them later
  // cannot write the old values back.
  void aUnitChangeReloadsTheOpenWindows() {
    auto form = makeForm();
    form->action("DataWallConfiguration")->trigger();
    auto* configuration = activeChild<TdlgCSD>(*form);
    typeInto(*configuration, "deWidth", QStringLiteral("100"));
    form->action("OptUnits2")->trigger();
    QCOMPARE(form->session().project().ActiveWidth, 100 * 0.0254L);
    QCOMPARE(textOf(*configuration, "deWidth"), QStringLiteral("2.54"));
    QCOMPARE(configuration->findChild<QLabel*>(QStringLiteral("deWidthLabel"))->text(),
             QStringLiteral("&Width for Active Earth Press. Calculation, Wa (m)"));
    typeInto(*configuration, "deHL", QStringLiteral("3"));
    QVERIFY(form->commitActiveChild());
    QCOMPARE(form->session().project().ActiveWidth, 100 * 0.0254L);
    QCOMPARE(form->session().project().FreeHeight, 3.0L);  // metres, no factor in SI
  }
};

}  // namespace korvex

QTEST_MAIN(korvex::DataWindowsTest)
#include "data_windows_test.moc"
