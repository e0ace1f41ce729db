// What the offscreen window tests share: message boxes and file dialogs that answer from a
// script and keep every message, settings kept in memory, a main window built on them, and the
// ways a test reaches the child windows and types into a table's cells as a user would.
#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/gui/dialogs.h"
#include "app/gui/grid_table_model.h"
#include "app/gui/main_form.h"
#include "app/gui/table_form.h"
#include "app/gui/table_grid.h"
#include "app/shell/settings_store.h"

namespace korvex::testing {

// Answers in the order the test queued them; every message shown is kept.
class ScriptedDialogs : public Dialogs {
 public:
  std::deque<Answer> answers;
  std::deque<std::optional<OpenChoice>> openChoices;
  std::deque<std::optional<std::string>> saveChoices;
  std::vector<std::string> messages;
  std::vector<std::string> saveTitles;

  Answer askYesNoCancel(QWidget*, const std::string& text) override {
    messages.push_back(text);
    if (answers.empty()) return Answer::Cancel;
    const Answer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  bool confirm(QWidget*, const std::string& text) override {
    messages.push_back(text);
    if (answers.empty()) return false;
    const Answer answer = answers.front();
    answers.pop_front();
    return answer == Answer::Yes;
  }
  void information(QWidget*, const std::string& text) override { messages.push_back(text); }
  void warning(QWidget*, const std::string& text) override { messages.push_back(text); }
  std::optional<OpenChoice> chooseFileToOpen(QWidget*, const std::string&) override {
    if (openChoices.empty()) return std::nullopt;
    auto choice = openChoices.front();
    openChoices.pop_front();
    return choice;
  }
  std::optional<std::string> chooseFileToSave(QWidget*, const std::string&, const std::string& title) override {
    saveTitles.push_back(title);
    if (saveChoices.empty()) return std::nullopt;
    auto choice = saveChoices.front();
    saveChoices.pop_front();
    return choice;
  }
};

class MemorySettings : public SettingsStore {
 public:
  std::optional<std::string> read(const std::string& key) override {
    const auto found = values.find(key);
    if (found == values.end()) return std::nullopt;
    return found->second;
  }
  void write(const std::string& key, const std::string& value) override { values[key] = value; }
  std::map<std::string, std::string> values;
};

// A main window on scripted dialogs and memory settings, its engine library looked for in
// `programFolder`; `dialogs` is set to its dialogs.
inline std::unique_ptr<TMainForm> makeMainForm(ScriptedDialogs*& dialogs, const QString& programFolder = {}) {
  auto scripted = std::make_unique<ScriptedDialogs>();
  dialogs = scripted.get();
  MainFormOptions options;
  options.programFolder = programFolder;
  options.dialogs = std::move(scripted);
  options.settings = std::make_unique<MemorySettings>();
  return std::make_unique<TMainForm>(std::move(options));
}

// A main window as makeMainForm makes it, started with a new project and shown.
inline std::unique_ptr<TMainForm> startedMainForm(ScriptedDialogs*& dialogs, const QString& programFolder = {}) {
  std::unique_ptr<TMainForm> form = makeMainForm(dialogs, programFolder);
  form->start(std::nullopt);
  form->show();
  return form;
}

// Types `text` over the whole text of the entry named `name` in `window`, as the keyboard would
// (no change of focus, so no entry is checked until the window is committed).
inline void typeInto(QWidget& window, const char* name, const QString& text) {
  auto* edit = window.findChild<QLineEdit*>(QString::fromLatin1(name));
  QVERIFY2(edit != nullptr, name);
  edit->selectAll();
  QTest::keyClicks(edit, text);
}

inline QMdiArea* mdiArea(const TMainForm& form) { return form.findChild<QMdiArea*>(); }

// The child window of type W that is active, or nullptr.
template <typename W>
W* activeChild(const TMainForm& form) {
  QMdiSubWindow* active = mdiArea(form)->activeSubWindow();
  return active != nullptr ? qobject_cast<W*>(active->widget()) : nullptr;
}

// The open editing window of `table`, or nullptr.
inline TTableForm* tableWindow(const TMainForm& form, const TGridTable& table) {
  for (QMdiSubWindow* child : mdiArea(form)->subWindowList()) {
    auto* window = qobject_cast<TTableForm*>(child->widget());
    if (window != nullptr && window->table() == &table && child->isVisible()) return window;
  }
  return nullptr;
}

// Opens the entry over a cell of `window`'s grid, types `text` over what it holds and leaves
// with `key` (Enter by default). Returns the entry, which is still open when it was refused.
inline QLineEdit* typeIntoCell(TTableForm& window, int row, int column, const QString& text,
                               Qt::Key key = Qt::Key_Return) {
  TTableGrid& grid = *window.grid();
  const QModelIndex cell = window.model()->index(row, column);
  grid.setCurrentIndex(cell);
  grid.edit(cell);
  QLineEdit* entry = grid.openEntry();
  if (entry == nullptr) return nullptr;
  entry->selectAll();
  QTest::keyClicks(entry, text);
  QTest::keyClick(entry, key);
  return grid.openEntry();
}

// The text a cell of `window` shows.
inline QString cellText(const TTableForm& window, int row, int column) {
  return window.model()->index(row, column).data().toString();
}

}  // namespace korvex::testing
