// "Project Title": one line of at most 80 characters, stored into the project only when it
// changed.
#include <QLineEdit>
#include <QTest>

#include <filesystem>
#include <map>

#include "app/gui/title_window.h"
#include "app/shell/project_session.h"

namespace korvex {
namespace {

// The window never asks anything of the screen or the settings here.
class SilentInterface : public UserInterface {
 public:
  Answer askYesNoCancel(const std::string&) override { return Answer::Cancel; }
  bool confirm(const std::string&) override { return false; }
  void information(const std::string&) override {}
  void warning(const std::string&) override {}
  std::optional<OpenChoice> chooseFileToOpen(const std::string&) override { return std::nullopt; }
  std::optional<std::string> chooseFileToSave(const std::string&, const std::string&) override { return std::nullopt; }
  bool commitActiveChild() override { return true; }
  void closeAllChildren() override {}
  void closeTableWindow(const std::string&) override {}
  void setBusy(bool) override {}
  bool startEditor(const std::string&, const std::string&) override { return false; }
};

class MemorySettings : public SettingsStore {
 public:
  std::optional<std::string> read(const std::string& key) override {
    const auto found = m_values.find(key);
    return found == m_values.end() ? std::nullopt : std::optional<std::string>(found->second);
  }
  void write(const std::string& key, const std::string& value) override { m_values[key] = value; }

 private:
  std::map<std::string, std::string> m_values;
};

struct TitleFixture {
  SilentInterface ui;
  MemorySettings settings;
  ProjectSession session{ui, settings, std::filesystem::temp_directory_path()};
  TdlgTitle window{session};
  QLineEdit& memo = *window.titleMemo();

  TitleFixture() {
    session.project().Title = "Sheet pile at pier 4";
    session.project().SetModified(false, session.tables());
    window.loadFromProject();
  }
  bool modified() const { return session.project().IsModified(session.tables()); }
};

}  // namespace
}  // namespace korvex

class TitleWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void memoTakesOneLineOfAtMost80Characters() {
    korvex::TitleFixture f;
    QCOMPARE(f.memo.text(), QStringLiteral("Sheet pile at pier 4"));
    f.memo.selectAll();
    QTest::keyClicks(&f.memo, QString(81, QLatin1Char('x')));
    QCOMPARE(f.memo.text(), QString(80, QLatin1Char('x')));

    f.memo.setText(QStringLiteral("Cut 1"));
    f.memo.end(false);
    QTest::keyClick(&f.memo, Qt::Key_Return);
    f.memo.insert(QStringLiteral("\nsecond line"));  // as a paste would put it
    f.memo.insert(QStringLiteral("\r"));
    QCOMPARE(f.memo.text(), QStringLiteral("Cut 1"));
  }

  // A longer title from a file is shown and kept whole while the window is only looked at.
  void aLongerTitleIsNotCut() {
    korvex::TitleFixture f;
    const std::string longTitle(100, 'L');
    f.session.project().Title = longTitle;
    f.window.loadFromProject();
    QCOMPARE(f.memo.text().size(), 100);
    QVERIFY(f.window.commitToProject());
    QCOMPARE(f.session.project().Title, longTitle);
    QVERIFY(!f.modified());
  }

  void commitStoresAndMarksModifiedOnlyWhenChanged() {
    korvex::TitleFixture f;
    QVERIFY(f.window.commitToProject());
    QVERIFY(!f.modified());

    f.memo.selectAll();
    QTest::keyClicks(&f.memo, QStringLiteral("Sheet pile at pier 5"));
    QVERIFY(f.window.commitToProject());
    QCOMPARE(f.session.project().Title, std::string("Sheet pile at pier 5"));
    QVERIFY(f.modified());
  }
};

QTEST_MAIN(TitleWindowTest)
#include "title_window_test.moc"
