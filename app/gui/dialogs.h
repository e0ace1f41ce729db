// The message boxes and file dialogs of the main window, behind one seam: the desktop program
// shows Qt's boxes and dialogs, tests answer from a script.
#pragma once

#include <optional>
#include <string>

#include "app/shell/user_interface.h"

class QWidget;

namespace korvex {

class Dialogs {
 public:
  virtual ~Dialogs() = default;

  // A question with Yes, No and Cancel; Escape and closing the box answer Cancel.
  virtual Answer askYesNoCancel(QWidget* parent, const std::string& text);
  // A question with Yes and No: true for Yes; Escape and closing the box answer No.
  virtual bool confirm(QWidget* parent, const std::string& text);
  // Information and warning boxes with OK; '\r' in the text is a line break.
  virtual void information(QWidget* parent, const std::string& text);
  virtual void warning(QWidget* parent, const std::string& text);
  // The Open dialog: title "Open", the five filters of the data-file kinds in their order,
  // starting in `folder`; the 1-based index of the chosen filter is the kind of file.
  virtual std::optional<OpenChoice> chooseFileToOpen(QWidget* parent, const std::string& folder);
  // The Save dialog: filters "Korvex 2015 (*.kx5d)" and "All Files (*)", suffix "kx5d" added to
  // a name typed without one, overwriting confirmed.
  virtual std::optional<std::string> chooseFileToSave(QWidget* parent, const std::string& proposal,
                                                      const std::string& title);
};

// The text of a message with its '\r' line breaks as the box shows them.
std::string withLineBreaks(std::string text);

}  // namespace korvex
