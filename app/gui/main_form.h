// TMainForm: the desktop program's frame, a multiple-document window with the menus, tool bar
// and status bar of the program. It shows what ProjectSession decides: the commands, the
// project's life, the states of menus and buttons and the run of the engine all live there;
// this class builds the widgets, forwards their signals and hosts the child windows.
#pragma once

#include <QMainWindow>
#include <QPointer>

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "app/gui/dialogs.h"
#include "app/shell/project_session.h"
#include "graphs/result_graphs.h"

class QAction;
class QActionGroup;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

namespace korvex {

class PlotDialogs;
class TDataWindow;
class TDlgBlock;
class TDlgSideView;
class TGridTable;

struct MainFormOptions {
  // The folder of the engine library and the bundled guides; the program's own folder when
  // empty.
  QString programFolder;
  // Message boxes and file dialogs; Qt's own when null.
  std::unique_ptr<Dialogs> dialogs;
  // The per-user settings; QSettings when null.
  std::unique_ptr<SettingsStore> settings;
};

class TMainForm : public QMainWindow {
  Q_OBJECT

 public:
  explicit TMainForm(MainFormOptions options = {});
  ~TMainForm() override;

  ProjectSession& session() { return *m_session; }

  // Creates the project: the file named on the command line, or a new one.
  void start(const std::optional<std::string>& argument);

  // The action of a menu item or tool button by its object name ("FileNew", "CompRun", ...).
  QAction* action(const QString& name) const;

  // Loads a plot data file into the result graphs; true when it loaded. A file that does not
  // read whole clears every graph; after a run it is reported.
  bool loadPlotFile(const std::filesystem::path& plotFile, bool afterRun);

  // The result graphs and the window of one of them (created on first show, null when closed).
  ResultGraphs& resultGraphs() { return m_graphs; }
  void showGraph(GraphIndex index);
  QMdiSubWindow* graphWindow(GraphIndex index) const;

  // The model views: "3D View" and "View Wall Geometry" (each made on first use, null when
  // closed).
  void open3DView();
  void openSideView();
  TDlgBlock* view3D() const;
  TDlgSideView* sideView() const;

  // The window protocol the logic relies on (see UserInterface).
  bool commitActiveChild();
  void closeAllChildren();
  void closeTableWindow(const std::string& tableName);
  Dialogs& dialogs() { return *m_dialogs; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The data windows, created on first use and reused while open.
  enum class DataWindowKind {
    Title,
    Options,
    WallProperties,
    WallConfiguration,
    Surcharge,
    Springs,
    ConcentratedLoads,
    Tieback,
  };

  class Interface;
  class GraphDialogs;

  void buildMenus();
  void buildToolBar();
  // The graph and view windows' dialogs.
  PlotDialogs& plotDialogs();
  // The "Show 3DView" menu and the view's tool buttons, shown while the 3-D View is open
  // (main_form_views.cpp).
  void buildView3DMenu();
  void connectViewButtons();
  void applyViewState();
  void setView3DControlsVisible(bool visible);
  // Hosts a view as a child window of at least `size`, shown and active.
  QMdiSubWindow* hostView(QWidget* view, QSize size);
  QAction* addCommand(QMenu* menu, const QString& name, const QString& caption, void (TMainForm::*slot)(),
                      const QKeySequence& shortcut = {});
  QMenu* addMenu(const QString& caption, bool commitsActiveChild);
  void refresh();
  void applyMenuState();
  void fillRecentFiles();
  void fillWindowMenu();
  void showDataWindow(DataWindowKind kind);
  // Commits the active child, then opens the editing window of `table`.
  void showTable(TGridTable& table);
  // The tables' way of opening their editing windows (Show, ShowModal): the open window of the
  // table is brought to the front, or a new one made; a modal one runs in a dialog of its own.
  void openTableWindow(TGridTable& table, bool modal);
  // Hosts `window` as a child window, loaded and active.
  QMdiSubWindow* addChildWindow(TDataWindow* window);
  // Every open child window loads itself again: the project's data changed behind them.
  void reloadChildWindows();
  void onSubWindowActivated(QMdiSubWindow* window);
  void openGuide(const QString& fileName);

  // Commands.
  void fileNew();
  void fileOpen();
  void fileSave();
  void fileSaveAs();
  void fileExit();
  void dataTitle();
  void optionsEditor();
  void optionsStaged();
  void stageCopyPrevious();
  void compRun();
  void compEditInput();
  void compEditMonitor();
  void compEditOutput();
  void graphExport();
  void helpContents();
  void helpUsersManual();
  void helpTechnicalManual();
  void helpAbout();
  void helpCheckForUpdates();

  QString m_programFolder;
  std::unique_ptr<Dialogs> m_dialogs;
  std::unique_ptr<SettingsStore> m_settings;
  std::unique_ptr<Interface> m_interface;
  std::unique_ptr<ProjectSession> m_session;
  ResultGraphs m_graphs;
  std::unique_ptr<GraphDialogs> m_graphDialogs;
  std::array<QPointer<QMdiSubWindow>, kGraphCount> m_graphWindows;

  QMdiArea* m_mdi = nullptr;
  QLabel* m_status = nullptr;
  QToolBar* m_toolBar = nullptr;
  std::map<QString, QAction*> m_actions;
  QMenu* m_fileMenu = nullptr;
  QMenu* m_windowMenu = nullptr;
  QMenu* m_stageMenu = nullptr;
  QMenu* m_soilMenu = nullptr;
  QMenu* m_distributedMenu = nullptr;
  QActionGroup* m_units = nullptr;
  QActionGroup* m_earthPressure = nullptr;
  std::vector<QAction*> m_recentActions;
  QAction* m_recentSeparator = nullptr;
  std::map<DataWindowKind, QPointer<QMdiSubWindow>> m_dataWindows;
  QPointer<QMdiSubWindow> m_lastActive;
  QPointer<QMdiSubWindow> m_view3DWindow;
  QPointer<QMdiSubWindow> m_sideViewWindow;
  QMenu* m_view3DMenu = nullptr;
  bool m_committing = false;
};

}  // namespace korvex
