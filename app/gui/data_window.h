// A data window: a child window of the main window that edits fields of the project (the data
// windows) or a table (the table windows). It loads its controls from the project when it is
// activated and stores them back when it is deactivated; an invalid entry keeps it active (the
// entry's message has been shown) and refuses to let it close. The main window drives the
// protocol through these two calls, and reloads every open window when the project's data
// changed behind them (New, Open, a change of units or of a switch).
#pragma once

#include <QWidget>

#include "app/gui/dialogs.h"

namespace korvex {

class ProjectSession;

class TDataWindow : public QWidget {
  Q_OBJECT

 public:
  TDataWindow(ProjectSession& session, QWidget* parent = nullptr) : QWidget(parent), m_session(session) {}

  // Loads the controls from the project (on activation).
  virtual void loadFromProject() = 0;
  // Stores the controls into the project, marking it modified where a value changed (on
  // deactivation and before closing). False when an entry's check failed: nothing is stored,
  // the message has been shown and the entry keeps the focus.
  virtual bool commitToProject() = 0;

  // Where the window's messages go: the main window's message seam; Qt's boxes when unset.
  void setDialogs(Dialogs* dialogs) { m_dialogs = dialogs; }
  Dialogs& dialogs() {
    static Dialogs qtBoxes;
    return m_dialogs != nullptr ? *m_dialogs : qtBoxes;
  }

 protected:
  ProjectSession& m_session;

 private:
  Dialogs* m_dialogs = nullptr;
};

}  // namespace korvex
