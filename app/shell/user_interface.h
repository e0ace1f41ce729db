// What the main window's logic asks of the screen: questions, messages, file dialogs, the
// active child window and the wait cursor. The desktop program answers with message boxes
// and dialogs; tests answer from a script.
#pragma once

#include <optional>
#include <string>

namespace korvex {

enum class Answer { Yes, No, Cancel };

// The Open dialog's choice: the file and the 1-based index of the filter it was chosen with,
// which is the kind of data file ("Korvex 2015", "Korvex 2013", "Korvex 3.0", "Korvex 2.0",
// "All Files").
struct OpenChoice {
  std::string path;
  int filterIndex = 1;
};

class UserInterface {
 public:
  virtual ~UserInterface() = default;

  // A confirmation with Yes, No and Cancel (closing the box is Cancel).
  virtual Answer askYesNoCancel(const std::string& text) = 0;
  // A confirmation with Yes and No: true for Yes (closing the box is No).
  virtual bool confirm(const std::string& text) = 0;
  // An information box with OK; '\r' in `text` is a line break.
  virtual void information(const std::string& text) = 0;
  // A warning box with OK.
  virtual void warning(const std::string& text) = 0;

  // The Open dialog (title "Open", the five filters in their order, the file must exist);
  // nothing when cancelled.
  virtual std::optional<OpenChoice> chooseFileToOpen(const std::string& folder) = 0;
  // The Save dialog (filters "Korvex 2015 (*.kx5d)" and "All Files (*.*)", default suffix
  // "kx5d", overwrite confirmed) proposing `proposal`, titled `title`; nothing when cancelled.
  virtual std::optional<std::string> chooseFileToSave(const std::string& proposal, const std::string& title) = 0;

  // Stores the active child window's entries into the project (a data window's deactivation);
  // false when an entry is invalid: its message has been shown, the window keeps the focus
  // and the command that asked stops.
  virtual bool commitActiveChild() = 0;
  // Closes every child window (data, table and graph windows).
  virtual void closeAllChildren() = 0;
  // Closes the editing window of a table whose option was switched off (by table name:
  // "BoundCond", "Soillayer", "PYCurves2", "SoilStrength", "PYMod", "SurchargeTable",
  // "MEICurves2").
  virtual void closeTableWindow(const std::string& tableName) = 0;

  // The wait cursor on (true) or back to what it was (false).
  virtual void setBusy(bool busy) = 0;

  // Starts the text editor `editor` on `file` without waiting; false when it cannot start.
  virtual bool startEditor(const std::string& editor, const std::string& file) = 0;
};

}  // namespace korvex
