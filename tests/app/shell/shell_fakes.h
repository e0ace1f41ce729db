// Stand-ins for the screen and the settings of the main window's logic: a user interface that
// answers from a script and logs every call, settings kept in memory, and the environment of
// a run (the current folder and the temporary folder) put back after each test.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/shell/settings_store.h"
#include "app/shell/user_interface.h"
#include "test_support.h"

namespace korvex::testing {

// Logs each call as one line ("info: text", "ask: text", "save dialog: proposal | title", ...)
// and answers from the queues; a question or dialog beyond the script fails the test.
class ScriptedUserInterface : public UserInterface {
 public:
  std::deque<Answer> answers;
  std::deque<std::optional<OpenChoice>> openChoices;
  std::deque<std::optional<std::string>> saveChoices;
  bool commitSucceeds = true;
  bool editorStarts = true;
  std::vector<std::string> log;

  Answer askYesNoCancel(const std::string& text) override {
    log.push_back("ask: " + text);
    if (answers.empty()) {
      ADD_FAILURE() << "unscripted question: " << text;
      return Answer::Cancel;
    }
    const Answer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  // Yes/No questions take their answer from `answers` too (Yes is true).
  bool confirm(const std::string& text) override {
    log.push_back("confirm: " + text);
    if (answers.empty()) {
      ADD_FAILURE() << "unscripted confirmation: " << text;
      return false;
    }
    const Answer answer = answers.front();
    answers.pop_front();
    return answer == Answer::Yes;
  }
  void information(const std::string& text) override { log.push_back("info: " + text); }
  void warning(const std::string& text) override { log.push_back("warning: " + text); }
  std::optional<OpenChoice> chooseFileToOpen(const std::string& folder) override {
    log.push_back("open dialog: " + folder);
    return next(openChoices, "Open");
  }
  std::optional<std::string> chooseFileToSave(const std::string& proposal, const std::string& title) override {
    log.push_back("save dialog: " + proposal + " | " + title);
    return next(saveChoices, "Save");
  }
  bool commitActiveChild() override {
    log.push_back("commit");
    return commitSucceeds;
  }
  void closeAllChildren() override { log.push_back("close children"); }
  void closeTableWindow(const std::string& tableName) override { log.push_back("close table: " + tableName); }
  void setBusy(bool busy) override { log.push_back(busy ? "busy" : "idle"); }
  bool startEditor(const std::string& editor, const std::string& file) override {
    log.push_back("editor: " + editor + " " + file);
    return editorStarts;
  }

  // The logged lines that are neither commits nor child windows closing: what the user saw.
  std::vector<std::string> shown() const {
    std::vector<std::string> lines;
    for (const std::string& line : log)
      if (line != "commit" && line != "close children" && line != "busy" && line != "idle") lines.push_back(line);
    return lines;
  }

 private:
  template <class T>
  std::optional<T> next(std::deque<std::optional<T>>& queue, const char* dialog) {
    if (queue.empty()) {
      ADD_FAILURE() << "unscripted " << dialog << " dialog";
      return std::nullopt;
    }
    std::optional<T> choice = queue.front();
    queue.pop_front();
    return choice;
  }
};

class MemorySettings : public SettingsStore {
 public:
  std::map<std::string, std::string> values;
  std::optional<std::string> read(const std::string& key) override {
    const auto found = values.find(key);
    if (found == values.end()) return std::nullopt;
    return found->second;
  }
  void write(const std::string& key, const std::string& value) override { values[key] = value; }
};

// A test's own folder, its own temporary folder (TMPDIR, where the runs make their folders)
// and the current folder as it was, restored afterwards.
class RunEnvironment : public ::testing::Test {
 protected:
  void SetUp() override {
    m_previousFolder = std::filesystem::current_path();
    const char* tmp = std::getenv("TMPDIR");
    if (tmp != nullptr) m_previousTmp = tmp;
    std::filesystem::create_directory(m_folder / "tmp");
    setenv("TMPDIR", (m_folder / "tmp").c_str(), 1);
    for (const char* name : {"KORVEX_STUB_RESULT", "KORVEX_STUB_NO_REPORT"}) unsetenv(name);
    setenv("KORVEX_STUB_RECORD", recordFile().c_str(), 1);
  }
  void TearDown() override {
    std::filesystem::current_path(m_previousFolder);
    if (m_previousTmp) {
      setenv("TMPDIR", m_previousTmp->c_str(), 1);
    } else {
      unsetenv("TMPDIR");
    }
    for (const char* name : {"KORVEX_STUB_RESULT", "KORVEX_STUB_NO_REPORT", "KORVEX_STUB_RECORD"}) unsetenv(name);
  }

  std::filesystem::path folder() const { return m_folder.path(); }
  std::filesystem::path path(const std::string& name) const { return m_folder / name; }
  // Where the stub engine records its calls; absent until it was called.
  std::filesystem::path recordFile() const { return m_folder / "stub-record.txt"; }
  // Whatever the runs left in the temporary folder (nothing, when they cleaned up).
  std::vector<std::string> leftInTemporaryFolder() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(m_folder / "tmp"))
      names.push_back(entry.path().filename().string());
    return names;
  }
  const std::filesystem::path& startFolder() const { return m_previousFolder; }

 private:
  TempFolder m_folder;
  std::filesystem::path m_previousFolder;
  std::optional<std::string> m_previousTmp;
};

}  // namespace korvex::testing
