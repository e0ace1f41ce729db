// A data window: a child window of the main window that edits fields of the project. It loads
// its controls from the project when it is activated and stores them back when it is
// deactivated; an invalid numeric entry keeps it active (the entry's message has been shown)
// and refuses to let it close. The main window drives the protocol through these two calls.
#pragma once

#include <QWidget>

namespace korvex {

class ProjectSession;

class TDataWindow : public QWidget {
  Q_OBJECT

 public:
  TDataWindow(ProjectSession& session, QWidget* parent = nullptr) : QWidget(parent), m_session(session) {}

  // Loads the controls from the project (on activation).
  virtual void loadFromProject() = 0;
  // Stores the controls into the project, marking it modified where a value changed (on
  // deactivation and before closing). False when the focused numeric entry's leave check
  // failed: nothing is stored, the message has been shown and the entry keeps the focus.
  virtual bool commitToProject() = 0;

 protected:
  ProjectSession& m_session;
};

}  // namespace korvex
