// The numeric edit control as a widget: its label, Enter, the operator keys and the leave
// check on focus-out, with the messages captured instead of shown in boxes.
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <string>

#include "comma_locale.h"
#include "entry/evaluator.h"
#include "entry/widgets/data_edit.h"

using korvex::TDataEdit;

namespace {

// A window with a numeric field and a button behind it, the field focused.
struct Form {
  QDialog window;
  TDataEdit* field = new TDataEdit(&window);
  QPushButton* next = new QPushButton(QStringLiteral("OK"), &window);
  QStringList messages;

  Form() {
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(field);
    layout->addWidget(next);
    next->setDefault(true);
    field->setMessageSink([this](QWidget*, const QString& message) { messages << message; });
    window.show();
    QApplication::setActiveWindow(&window);
    field->setFocus();
  }
};

QString userText(std::string_view message) {
  return QString::fromStdString(std::string(message)).replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

}  // namespace

class DataEditTest : public QObject {
  Q_OBJECT

 private slots:
  void labelShowsCaptionAndUnitLabel_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("units");
    QTest::addColumn<QString>("label");
    QTest::newRow("no unit code") << "&Increments (nodes)" << "" << 2 << "&Increments (nodes)";
    QTest::newRow("inches, English") << "Increment Length" << "L" << 1 << "Increment Length (in)";
    QTest::newRow("metres, SI") << "Increment Length" << "L" << 2 << "Increment Length (m)";
    QTest::newRow("feet, English") << "Free Height of Wall" << "L2" << 1 << "Free Height of Wall (ft)";
    QTest::newRow("pressure, SI") << "Uniform Load" << "F/L2^2" << 2 << "Uniform Load (kN/m^2)";
    QTest::newRow("other units") << "Uniform Load" << "F/L2^2" << 3 << "Uniform Load (F/L2^2)";
    QTest::newRow("system above 3") << "Increment Length" << "L" << 7 << "Increment Length (L)";
  }

  // The label is attached first, so every later change must reach it.
  void labelShowsCaptionAndUnitLabel() {
    QFETCH(QString, caption);
    QFETCH(QString, code);
    QFETCH(int, units);
    QFETCH(QString, label);
    QWidget window;
    auto* name = new QLabel(&window);
    auto* field = new TDataEdit(&window);
    field->setEditLabel(name);
    field->setCaption(caption);
    field->setUnitsString(code);
    field->setUnits(units);
    QCOMPARE(name->text(), label);
    QCOMPARE(name->buddy(), field);
    field->setEnabled(false);
    QVERIFY(!name->isEnabled());
    field->setEnabled(true);
    QVERIFY(name->isEnabled());
  }

  void enterChecksSelectsAllAndIsSwallowed() {
    Form form;
    QSignalSpy accepted(&form.window, &QDialog::accepted);
    QSignalSpy returnPressed(form.field, &QLineEdit::returnPressed);
    form.field->setText(QStringLiteral("2*3"));
    QTest::keyClick(form.field, Qt::Key_Return);
    QCOMPARE(form.field->text(), QStringLiteral("6"));
    QCOMPARE(form.field->selectedText(), QStringLiteral("6"));
    QVERIFY(form.field->lastCheckSucceeded());
    QCOMPARE(accepted.count(), 0);  // the dialog's default button never saw the key
    QCOMPARE(returnPressed.count(), 0);
    QVERIFY(form.messages.isEmpty());
  }

  void keyTypedOverWholeValue_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("text");
    for (const char* op : {"+", "-", "/", "*", "^", "=", "%", "!"})
      QTest::newRow(op) << QString::fromLatin1(op) + "2" << QStringLiteral("12") + op + "2";
    QTest::newRow("a digit replaces the value") << "52" << "52";
    QTest::newRow("a point replaces the value") << ".5" << ".5";
  }

  void keyTypedOverWholeValue() {
    QFETCH(QString, typed);
    QFETCH(QString, text);
    Form form;
    form.field->setNumber(12);
    form.field->selectAll();
    QTest::keyClicks(form.field, typed);
    QCOMPARE(form.field->text(), text);
  }

  void leavingTheField_data() {
    QTest::addColumn<bool>("integerOnly");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("text");
    QTest::newRow("above the upper limit") << true << "12" << "Entry must be less than or equal to 10" << "10";
    QTest::newRow("below the lower limit") << true << "3-3" << "Entry must be greater than or equal to 1" << "1";
    QTest::newRow("fraction in an integer field") << true << "2.5" << "Entry must be an integer." << "2.5";
    QTest::newRow("no integer") << true << "2x" << "Entry must be a valid integer." << "2x";
    QTest::newRow("invalid expression")
        << false << "2x" << userText(korvex::evaluator_messages::kInvalidCharacters) << "2x";
    QTest::newRow("blank") << false << "" << userText(korvex::evaluator_messages::kBlank) << "";
    QTest::newRow("valid expression") << true << "(1+2)*3" << "" << "9";
  }

  // Limits 1 to 10; Tab moves the focus on. A refused entry shows one message and takes the
  // focus back; an accepted one is rewritten as the plain number and lets the focus go.
  void leavingTheField() {
    QFETCH(bool, integerOnly);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    QFETCH(QString, text);
    Form form;
    QVERIFY(QTest::qWaitForWindowActive(&form.window));
    form.field->setIntegerOnly(integerOnly);
    form.field->setMinVal(1);
    form.field->setMaxVal(10);
    form.field->setText(typed);
    form.field->setFocus();
    QVERIFY(form.field->hasFocus());
    QTest::keyClick(form.field, Qt::Key_Tab);
    QCoreApplication::processEvents();  // the check runs once the focus has moved
    QCOMPARE(form.messages, message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(form.field->text(), text);
    QCOMPARE(form.field->hasFocus(), !message.isEmpty());
    QCOMPARE(form.field->lastCheckSucceeded(), message.isEmpty());
  }

  // Where the user's locale writes a decimal comma, the field takes it and shows the result with
  // a full stop, as every entry and file does.
  void takesTheLocaleDecimalComma() {
    const korvex::testing::CommaDecimalLocale comma;
    if (!comma.active()) QSKIP("no locale with a decimal comma is installed (tools/setup.sh generates de_DE.UTF-8)");
    Form form;
    form.field->setText(QStringLiteral("2,5*2"));
    QVERIFY(form.field->leaveCheck());
    QCOMPARE(form.field->text(), QStringLiteral("5"));
  }
};

QTEST_MAIN(DataEditTest)
#include "data_edit_test.moc"
