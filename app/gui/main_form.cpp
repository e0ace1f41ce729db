#include "app/gui/main_form.h"

#include <algorithm>
#include <system_error>

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

#include "app/gui/about_box.h"
#include "app/gui/data_window.h"
#include "app/gui/editor_process.h"
#include "app/gui/icons.h"
#include "app/gui/options_window.h"
#include "app/gui/stage_options_window.h"
#include "app/gui/table_button_windows.h"
#include "app/gui/table_chart_form.h"
#include "app/gui/table_form.h"
#include "app/gui/wall_configuration_window.h"
#include "app/gui/wall_properties_window.h"
#include "app/gui/qt_settings_store.h"
#include "app/gui/title_window.h"
#include "app/shell/window_title.h"
#include "export/export_choice.h"
#include "export/widgets/export_dialog.h"
#include "graphs/widgets/plot_dialogs.h"
#include "graphs/widgets/plot_form.h"
#include "tables/grid_table_chart.h"
#include "views/widgets/view3d_form.h"

namespace korvex {

// What the logic asks of the screen, answered by the main window and its dialogs.
class TMainForm::Interface : public UserInterface {
 public:
  explicit Interface(TMainForm& form) : m_form(form) {}

  Answer askYesNoCancel(const std::string& text) override { return m_form.dialogs().askYesNoCancel(&m_form, text); }
  bool confirm(const std::string& text) override { return m_form.dialogs().confirm(&m_form, text); }
  void information(const std::string& text) override { m_form.dialogs().information(&m_form, text); }
  void warning(const std::string& text) override { m_form.dialogs().warning(&m_form, text); }
  std::optional<OpenChoice> chooseFileToOpen(const std::string& folder) override {
    return m_form.dialogs().chooseFileToOpen(&m_form, folder);
  }
  std::optional<std::string> chooseFileToSave(const std::string& proposal, const std::string& title) override {
    return m_form.dialogs().chooseFileToSave(&m_form, proposal, title);
  }
  bool commitActiveChild() override { return m_form.commitActiveChild(); }
  void closeAllChildren() override { m_form.closeAllChildren(); }
  void closeTableWindow(const std::string& tableName) override { m_form.closeTableWindow(tableName); }
  void setBusy(bool busy) override {
    if (busy) {
      QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
      QApplication::restoreOverrideCursor();
    }
  }
  bool startEditor(const std::string& editor, const std::string& file) override {
    return startEditorProcess(editor, file);
  }

 private:
  TMainForm& m_form;
};

// The graph windows' messages go through the main window's dialogs; their file, printer and
// picture dialogs are Qt's.
class TMainForm::GraphDialogs : public PlotDialogs {
 public:
  explicit GraphDialogs(TMainForm& form) : m_form(form) {}
  void information(QWidget* parent, const std::string& text) override { m_form.dialogs().information(parent, text); }

 private:
  TMainForm& m_form;
};

namespace {

// The bundled guides, copied next to the program by the build.
const QString kUserGuide = QStringLiteral("user-guide.html");
const QString kDataFileGuide = QStringLiteral("data-file.md");

}  // namespace

TMainForm::TMainForm(MainFormOptions options)
    : m_programFolder(options.programFolder.isEmpty() ? QCoreApplication::applicationDirPath()
                                                      : options.programFolder),
      m_dialogs(options.dialogs ? std::move(options.dialogs) : std::make_unique<Dialogs>()),
      m_settings(options.settings ? std::move(options.settings) : std::make_unique<QtSettingsStore>()),
      m_interface(std::make_unique<Interface>(*this)),
      m_session(std::make_unique<ProjectSession>(*m_interface, *m_settings, m_programFolder.toStdString())),
      m_graphDialogs(std::make_unique<GraphDialogs>(*this)) {
  setWindowTitle(QString::fromLatin1(kApplicationTitle));
  setAcceptDrops(true);
  m_mdi = new QMdiArea(this);
  m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setCentralWidget(m_mdi);
  connect(m_mdi, &QMdiArea::subWindowActivated, this, &TMainForm::onSubWindowActivated);
  m_status = new QLabel(this);
  statusBar()->addWidget(m_status, 1);
  buildMenus();
  buildToolBar();
  m_session->setPlotLoader([this](const std::filesystem::path& plot, bool afterRun) { return loadPlotFile(plot, afterRun); });
  m_session->setGraphCounter([this] { return m_graphs.firstCurvePoints(); });
  // The session calls this after a command that went through, the active child committed
  // first: every open window shows the project's data as they now are.
  m_session->setChangeListener([this] {
    refresh();
    reloadChildWindows();
  });
  const auto opener = [this](TGridTable& table, bool modal) { openTableWindow(table, modal); };
  for (TGridTable* table : m_session->tables().Plain()) table->SetWindowOpener(opener);
  for (TGridTable* table : m_session->tables().Charts()) table->SetWindowOpener(opener);
  applyMenuState();
  resize(1100, 760);
}

TMainForm::~TMainForm() {
  // The child windows go with the base class, after this class's part is gone: they must not
  // call back into it.
  disconnect(m_mdi, nullptr, this, nullptr);
  // The table windows let go of their tables before the session and its tables go.
  for (QMdiSubWindow* child : m_mdi->subWindowList()) {
    child->removeEventFilter(this);
    delete child;
  }
}

void TMainForm::start(const std::optional<std::string>& argument) {
  m_session->start(argument);
  refresh();
}

QAction* TMainForm::action(const QString& name) const {
  const auto found = m_actions.find(name);
  return found == m_actions.end() ? nullptr : found->second;
}

bool TMainForm::loadPlotFile(const std::filesystem::path& plotFile, bool afterRun) {
  const PlotContext context = plotContextOf(m_session->project(), m_session->tables());
  const PlotLoadResult result = korvex::loadPlotFile(plotFile, context, m_graphs);
  for (const QPointer<QMdiSubWindow>& window : m_graphWindows)
    if (window) window->widget()->update();
  if (!result.loaded && afterRun) m_dialogs->information(this, kPlotLoadFailed);
  return result.loaded;
}

QMdiSubWindow* TMainForm::graphWindow(GraphIndex index) const { return m_graphWindows[index]; }

PlotDialogs& TMainForm::plotDialogs() { return *m_graphDialogs; }

void TMainForm::showGraph(GraphIndex index) {
  if (QMdiSubWindow* open = m_graphWindows[index]) {
    if (open->isMinimized()) open->showNormal();
    m_mdi->setActiveSubWindow(open);
    return;
  }
  auto* form = new TPlotForm(m_graphs.graph(index), *m_graphDialogs);
  form->setAttribute(Qt::WA_DeleteOnClose);
  QMdiSubWindow* child = m_mdi->addSubWindow(form);
  child->setAttribute(Qt::WA_DeleteOnClose);
  child->resize(form->size());
  m_graphWindows[index] = child;
  child->show();
  m_mdi->setActiveSubWindow(child);
}

// ---------------------------------------------------------------------------------------------
// Menus and tool bar

QMenu* TMainForm::addMenu(const QString& caption, bool commitsActiveChild) {
  QMenu* menu = menuBar()->addMenu(caption);
  // Opening a menu first stores the active data window's entries, so that the menu's states
  // and commands see them; then every state is set afresh.
  connect(menu, &QMenu::aboutToShow, this, [this, commitsActiveChild] {
    if (commitsActiveChild) commitActiveChild();
    applyMenuState();
  });
  return menu;
}

QAction* TMainForm::addCommand(QMenu* menu, const QString& name, const QString& caption, void (TMainForm::*slot)(),
                               const QKeySequence& shortcut) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(name);
  if (!shortcut.isEmpty()) action->setShortcut(shortcut);
  if (slot != nullptr) connect(action, &QAction::triggered, this, slot);
  m_actions[name] = action;
  return action;
}

void TMainForm::buildMenus() {
  // File
  m_fileMenu = addMenu(QStringLiteral("&File"), true);
  addCommand(m_fileMenu, "FileNew", "&New", &TMainForm::fileNew);
  addCommand(m_fileMenu, "FileOpen", "&Open...", &TMainForm::fileOpen, QKeySequence(QStringLiteral("Ctrl+O")));
  addCommand(m_fileMenu, "FileSave", "&Save", &TMainForm::fileSave, QKeySequence(QStringLiteral("Ctrl+S")));
  addCommand(m_fileMenu, "FileSaveAs", "Save &As...", &TMainForm::fileSaveAs);
  m_fileMenu->addSeparator();
  for (int i = 1; i <= RecentFiles::kCapacity; ++i) {
    QAction* recent = m_fileMenu->addAction(QString());
    recent->setObjectName(QStringLiteral("FileRecent%1").arg(i));
    recent->setVisible(false);
    connect(recent, &QAction::triggered, this, [this, i] {
      m_session->openRecent(i);
      refresh();
    });
    m_recentActions.push_back(recent);
  }
  m_recentSeparator = m_fileMenu->addSeparator();
  addCommand(m_fileMenu, "FileExit", "E&xit", &TMainForm::fileExit, QKeySequence(QStringLiteral("Ctrl+Q")));
  connect(m_fileMenu, &QMenu::aboutToShow, this, &TMainForm::fillRecentFiles);

  // Data: each command opens its data window or its table's window.
  QMenu* data = addMenu(QStringLiteral("Da&ta"), true);
  addCommand(data, "DataTitle", "&Title", &TMainForm::dataTitle);
  data->addSeparator();
  const auto windowCommand = [&](const QString& name, const QString& caption, DataWindowKind kind) {
    QAction* command = addCommand(data, name, caption, nullptr);
    connect(command, &QAction::triggered, this, [this, kind] { showDataWindow(kind); });
  };
  using Table = TGridTable& (*)(ProjectTables&);
  const auto tableCommand = [&](QMenu* menu, const QString& name, const QString& caption, Table table) {
    QAction* command = addCommand(menu, name, caption, nullptr);
    connect(command, &QAction::triggered, this, [this, table] { showTable(table(m_session->tables())); });
  };
  // "Soil Layer Data" and "Distributed Active Earth Pressure" are plain commands, or submenus
  // of a short-term and a long-term table when both analyses are on.
  const auto longTermSubmenu = [&](const QString& name, const QString& caption, Table shortTerm, Table longTerm) {
    QMenu* submenu = data->addMenu(caption);
    submenu->menuAction()->setObjectName(name + "Menu");
    m_actions[name + "Menu"] = submenu->menuAction();
    tableCommand(submenu, name + "Short", QStringLiteral("Short-Term"), shortTerm);
    tableCommand(submenu, name + "Long", QStringLiteral("Long-Term"), longTerm);
    return submenu;
  };
  windowCommand("DataWallProperties", "Wall &Properties", DataWindowKind::WallProperties);
  windowCommand("DataWallConfiguration", "&Wall Configuration", DataWindowKind::WallConfiguration);
  const Table newSoil = [](ProjectTables& t) -> TGridTable& { return t.NewSoil; };
  const Table distLoad = [](ProjectTables& t) -> TGridTable& { return t.DistLoad; };
  tableCommand(data, "DataSoil", "&Soil Layer Data", newSoil);
  m_soilMenu = longTermSubmenu("DataSoil", "&Soil Layer Data", newSoil,
                               [](ProjectTables& t) -> TGridTable& { return t.LongSoil; });
  data->addSeparator();
  tableCommand(data, "DataDistributed", "&Distributed Active Earth Pressure", distLoad);
  m_distributedMenu = longTermSubmenu("DataDistributed", "&Distributed Active Earth Pressure", distLoad,
                                      [](ProjectTables& t) -> TGridTable& { return t.LongDist; });
  windowCommand("DataSurcharge", "&Additional Surcharge Loads", DataWindowKind::Surcharge);
  windowCommand("DataConcLoads", "&Concentrated Loads on the Wall", DataWindowKind::ConcentratedLoads);
  windowCommand("DataTieback", "Tieback (Ground Anchor) Data", DataWindowKind::Tieback);
  data->addSeparator();
  tableCommand(data, "DataRestraints", "&Boundary Condition on Deflection or Slope",
               [](ProjectTables& t) -> TGridTable& { return t.Soillayer; });
  tableCommand(data, "DataPYMod", "Modification &Factors for p-y Curves",
               [](ProjectTables& t) -> TGridTable& { return t.PYMod; });
  data->addSeparator();
  tableCommand(data, "DataExternalPY", "Sets of &External p-y Curves",
               [](ProjectTables& t) -> TGridTable& { return t.PYCurves2; });
  windowCommand("DataSprings", "&Lateral Springs and Rotational Restraints", DataWindowKind::Springs);
  tableCommand(data, "DataEICurves", "Sets of Nonlinear Moment vs EI Curves",
               [](ProjectTables& t) -> TGridTable& { return t.MEICurves2; });

  // Options
  QMenu* options = addMenu(QStringLiteral("&Options"), true);
  QMenu* units = options->addMenu(QStringLiteral("&Units"));
  m_units = new QActionGroup(this);
  const char* unitCaptions[] = {"&English Units (lbs, in)", "&SI Units (kN, m)", "&Other Units (F, L)"};
  for (int system = 1; system <= 3; ++system) {
    QAction* item = addCommand(units, QStringLiteral("OptUnits%1").arg(system), unitCaptions[system - 1], nullptr);
    item->setCheckable(true);
    m_units->addAction(item);
    connect(item, &QAction::triggered, this, [this, system] {
      m_session->setUnits(system);
      refresh();
    });
  }
  options->addSeparator();
  QMenu* pressure = options->addMenu(QStringLiteral("Earth-Pressure Options"));
  m_earthPressure = new QActionGroup(this);
  m_earthPressure->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
  const char* pressureCaptions[] = {"Earth-Pressure Specified by User", "Generate Triangular-Distribution Earth-Pressure",
                                    "Generate Trapezoidal-Distribution Pressure (Anchored Walls)"};
  for (int choice = 1; choice <= 3; ++choice) {
    QAction* item =
        addCommand(pressure, QStringLiteral("OptPressure%1").arg(choice), pressureCaptions[choice - 1], nullptr);
    item->setCheckable(true);
    m_earthPressure->addAction(item);
    connect(item, &QAction::triggered, this, [this, choice] {
      m_session->setEarthPressureChoice(choice);
      refresh();
    });
  }
  connect(units, &QMenu::aboutToShow, this, &TMainForm::applyMenuState);
  connect(pressure, &QMenu::aboutToShow, this, &TMainForm::applyMenuState);
  const auto switchItem = [&](const QString& name, const QString& caption, OptionSwitch which) {
    QAction* item = addCommand(options, name, caption, nullptr);
    item->setCheckable(true);
    connect(item, &QAction::triggered, this, [this, which] {
      m_session->toggle(which);
      refresh();
    });
  };
  switchItem("OptGeneratePY", "Generate &p-y Curves", OptionSwitch::GeneratePYCurves);
  options->addSeparator();
  switchItem("OptConcLoads", "Apply &Concentrated Loads", OptionSwitch::ConcentratedLoads);
  switchItem("OptTieback", "Apply Tieback (Ground  Anchor)", OptionSwitch::Tieback);
  switchItem("OptRestraints", "Apply &Restraints on Deflection or Slope", OptionSwitch::Restraints);
  switchItem("OptExternalPY", "Apply User Specified p-y Curves (&External)", OptionSwitch::ExternalPY);
  switchItem("OptSprings", "Apply &Lateral Springs and Rotation Restraints", OptionSwitch::Springs);
  switchItem("OptPYMod", "Apply External p-y &Modification Factors ", OptionSwitch::PYModification);
  switchItem("OptSurcharge", "Apply Additional Surcharge Loads", OptionSwitch::Surcharge);
  switchItem("OptEICurves", "Apply Nonlinear Moment vs EI Curves", OptionSwitch::EICurves);
  options->addSeparator();
  QAction* longTerm = addCommand(options, "OptLongTerm", "Conduct Short-Term and Long-Term &Analyses", nullptr);
  longTerm->setCheckable(true);
  connect(longTerm, &QAction::triggered, this, [this] {
    m_session->toggleLongTerm();
    refresh();
  });
  QAction* staged = addCommand(options, "OptStaged", "Conduct &Staged-Construction Analysis...",
                               &TMainForm::optionsStaged);
  staged->setCheckable(true);
  options->addSeparator();
  addCommand(options, "OptEditor", "&Option of Text Editor...", &TMainForm::optionsEditor);

  // Stage Construction (shown for a staged project)
  m_stageMenu = addMenu(QStringLiteral("&Stage Construction"), true);
  for (int stage = 1; stage <= kMostStages; ++stage) {
    QAction* item = addCommand(m_stageMenu, QStringLiteral("Stage%1").arg(stage), QStringLiteral("Stage &%1").arg(stage),
                               nullptr);
    item->setCheckable(true);
    connect(item, &QAction::triggered, this, [this, stage] {
      m_session->selectStage(stage);
      refresh();
    });
  }
  m_stageMenu->addSeparator();
  addCommand(m_stageMenu, "StageCopyPrevious", "Copy &Previous Stage", &TMainForm::stageCopyPrevious);

  // Computation
  QMenu* computation = addMenu(QStringLiteral("&Computation"), true);
  addCommand(computation, "CompRun", "&Run Analysis", &TMainForm::compRun);
  computation->addSeparator();
  addCommand(computation, "CompEditInput", "Edit I&nput Text", &TMainForm::compEditInput);
  addCommand(computation, "CompEditMonitor", "Edit &Processor-Run Notes", &TMainForm::compEditMonitor);
  addCommand(computation, "CompEditOutput", "Edit &Output Text", &TMainForm::compEditOutput);
  computation->addSeparator();
  addCommand(computation, "CompWallGeometry", "&View Wall Geometry", &TMainForm::openSideView);
  addCommand(computation, "Comp3DView", "3D View", &TMainForm::open3DView);

  // Graphics
  QMenu* graphics = addMenu(QStringLiteral("&Graphics"), false);
  const char* graphCaptions[kGraphCount] = {"p-&y Curves",          "&Deflection vs Depth",
                                            "&Moment vs Depth",     "&Shear vs Depth",
                                            "Net &Reaction vs Depth", "&Deflection, Moment and Shear",
                                            "Earth &Pressure Distribution", "Earth Pressure Combined"};
  for (int graph = 0; graph < kGraphCount; ++graph) {
    if (graph == kGraphDeflection || graph == kGraphPressure) graphics->addSeparator();
    QAction* item = addCommand(graphics, QStringLiteral("Graph%1").arg(graph), graphCaptions[graph], nullptr);
    connect(item, &QAction::triggered, this, [this, graph] {
      if (commitActiveChild()) showGraph(static_cast<GraphIndex>(graph));
    });
  }
  graphics->addSeparator();
  addCommand(graphics, "GraphExport", "Export Plots To Excel", &TMainForm::graphExport);

  // Window
  m_windowMenu = addMenu(QStringLiteral("&Window"), true);
  connect(m_windowMenu, &QMenu::aboutToShow, this, &TMainForm::fillWindowMenu);

  buildView3DMenu();

  // Help
  QMenu* help = addMenu(QStringLiteral("&Help"), true);
  addCommand(help, "HelpContents", "&Contents", &TMainForm::helpContents);
  addCommand(help, "HelpUsersManual", "&User's Manual", &TMainForm::helpUsersManual);
  addCommand(help, "HelpTechnicalManual", "&Technical Manual", &TMainForm::helpTechnicalManual);
  help->addSeparator();
  addCommand(help, "HelpAbout", "&About...", &TMainForm::helpAbout);
  addCommand(help, "HelpUpdates", "Check for &Updates", &TMainForm::helpCheckForUpdates);
}

void TMainForm::buildToolBar() {
  m_toolBar = addToolBar(QStringLiteral("Tools"));
  m_toolBar->setObjectName(QStringLiteral("ToolBar"));
  m_toolBar->setMovable(false);
  m_toolBar->setIconSize(QSize(24, 24));
  // A tool button: its own action with hint and icon, doing what `command` (a menu action) does.
  const auto button = [this](const QString& name, const QString& hint, ToolIcon icon, const QString& command) {
    QAction* tool = m_toolBar->addAction(toolIcon(icon), hint);
    tool->setObjectName(name);
    tool->setToolTip(hint);
    tool->setStatusTip(hint);
    if (QAction* target = action(command)) connect(tool, &QAction::triggered, target, &QAction::trigger);
    m_actions[name] = tool;
    return tool;
  };
  button("BtnNew", "New Data File", ToolIcon::NewFile, "FileNew");
  button("BtnOpen", "Open Data File", ToolIcon::OpenFile, "FileOpen");
  button("BtnSave", "Save Data File", ToolIcon::SaveFile, "FileSave");
  m_toolBar->addSeparator();
  button("BtnTitle", "Title", ToolIcon::Title, "DataTitle");
  button("BtnWallProperties", "Wall Properties", ToolIcon::WallProperties, "DataWallProperties");
  button("BtnWallConfiguration", "Wall Configuration", ToolIcon::WallConfiguration, "DataWallConfiguration");
  button("BtnSoilLayers", "Soil Layers", ToolIcon::SoilLayers, "DataSoil");
  m_toolBar->addSeparator();
  button("BtnRun", "Run Analysis", ToolIcon::RunAnalysis, "CompRun");
  button("BtnStageOption", "Stage Construction Option", ToolIcon::StageOption, "OptStaged");
  button("BtnViewOutput", "View Output File", ToolIcon::ViewOutput, "CompEditOutput");
  button("BtnSoilProfile", "View Soil Profile", ToolIcon::SoilProfile, "CompWallGeometry");
  button("Btn3DView", "3D View", ToolIcon::View3D, "Comp3DView");
  m_toolBar->addSeparator();
  const std::pair<const char*, ToolIcon> graphs[] = {
      {"View p-y Curves", ToolIcon::PYCurves},          {"Deflection Diagram", ToolIcon::Deflection},
      {"Moment Diagram", ToolIcon::Moment},             {"Shear Diagram", ToolIcon::Shear},
      {"Net Reaction Diagram", ToolIcon::NetReaction},  {"DMV Diagrams", ToolIcon::DMV},
      {"Pressure Diagram", ToolIcon::Pressure}};
  for (int graph = 0; graph < 7; ++graph)
    button(QStringLiteral("BtnGraph%1").arg(graph), graphs[graph].first, graphs[graph].second,
           QStringLiteral("Graph%1").arg(graph));
  // The stage buttons (a staged project) and the 3-D view's controls (while the view is open)
  // are hidden at first.
  m_toolBar->addSeparator();
  auto* stages = new QActionGroup(this);
  const ToolIcon stageIcons[] = {ToolIcon::Stage1, ToolIcon::Stage2, ToolIcon::Stage3, ToolIcon::Stage4,
                                 ToolIcon::Stage5};
  for (int stage = 1; stage <= 5; ++stage) {
    QAction* tool = button(QStringLiteral("BtnStage%1").arg(stage), QStringLiteral("Stage Const. %1").arg(stage),
                           stageIcons[stage - 1], QStringLiteral("Stage%1").arg(stage));
    tool->setCheckable(true);
    tool->setVisible(false);
    stages->addAction(tool);
  }
  const std::pair<const char*, ToolIcon> viewControls[] = {
      {"Panning", ToolIcon::Panning},         {"Zoom Window", ToolIcon::ZoomWindow},
      {"Zooming", ToolIcon::Zooming},         {"Rotating", ToolIcon::Rotating},
      {"Zoom In", ToolIcon::ZoomIn},          {"Zoom Out", ToolIcon::ZoomOut},
      {"Restart View", ToolIcon::RestartView}, {"Deformed Shape", ToolIcon::DeformedShape}};
  for (int i = 0; i < 8; ++i)
    button(QStringLiteral("BtnView%1").arg(i), viewControls[i].first, viewControls[i].second, QString())
        ->setVisible(false);
  connectViewButtons();
}

void TMainForm::refresh() {
  // Results belong to the plot file last loaded: a new project, one opened without a plot file
  // and a failed load show none.
  if (!m_session->plotLoaded()) m_graphs.clear();
  setWindowTitle(QString::fromStdString(m_session->windowTitle()));
  m_status->setText(QString::fromStdString(m_session->statusText()));
  applyMenuState();
  // The views draw the project and results as they now are.
  if (TDlgBlock* view = view3D()) view->RedrawComplete();
  if (m_sideViewWindow) m_sideViewWindow->widget()->update();
}

void TMainForm::applyMenuState() {
  const MenuState state = m_session->menuState();
  const auto enable = [this](const QString& name, bool on) {
    if (QAction* item = action(name)) item->setEnabled(on);
  };
  const auto check = [this](const QString& name, bool on) {
    if (QAction* item = action(name)) item->setChecked(on);
  };
  // Data
  enable("DataWallConfiguration", state.wallConfiguration);
  for (const QString& soil : {QStringLiteral("DataSoil"), QStringLiteral("DataSoilMenu")}) enable(soil, state.soilLayers);
  for (const QString& distributed : {QStringLiteral("DataDistributed"), QStringLiteral("DataDistributedMenu")})
    enable(distributed, state.distributedPressure);
  action("DataSoil")->setVisible(!state.longTermSubmenus);
  action("DataDistributed")->setVisible(!state.longTermSubmenus);
  action("DataSoilMenu")->setVisible(state.longTermSubmenus);
  action("DataDistributedMenu")->setVisible(state.longTermSubmenus);
  enable("DataSurcharge", state.surcharge);
  enable("DataConcLoads", state.concentratedLoads);
  enable("DataTieback", state.tieback);
  enable("DataRestraints", state.restraints);
  enable("DataPYMod", state.pyModification);
  enable("DataExternalPY", state.externalPY);
  enable("DataSprings", state.springs);
  enable("DataEICurves", state.eiCurves);
  // Options
  for (int system = 1; system <= 3; ++system) check(QStringLiteral("OptUnits%1").arg(system), state.unitSystem == system);
  for (int choice = 1; choice <= 3; ++choice)
    check(QStringLiteral("OptPressure%1").arg(choice), state.earthPressureChoice == choice);
  check("OptGeneratePY", state.generatePY);
  check("OptConcLoads", state.applyConcLoads);
  check("OptTieback", state.applyTieback);
  check("OptRestraints", state.applyRestraints);
  check("OptExternalPY", state.applyExternalPY);
  check("OptSprings", state.applySprings);
  check("OptPYMod", state.applyPYMod);
  check("OptSurcharge", state.applySurcharge);
  check("OptEICurves", state.applyEICurves);
  enable("OptLongTerm", state.longTermEnabled);
  check("OptLongTerm", state.longTermChecked);
  enable("OptStaged", state.stagedEnabled);
  check("OptStaged", state.stagedChecked);
  // Stage Construction: the menu and the stage buttons
  m_stageMenu->menuAction()->setVisible(state.stageMenuVisible);
  for (int stage = 1; stage <= kMostStages; ++stage) {
    const bool available = state.stages[static_cast<std::size_t>(stage - 1)];
    for (const QString& name : {QStringLiteral("Stage%1").arg(stage), QStringLiteral("BtnStage%1").arg(stage)}) {
      enable(name, available);
      check(name, stage == state.currentStage);
    }
    action(QStringLiteral("BtnStage%1").arg(stage))->setVisible(state.stageMenuVisible);
  }
  enable("StageCopyPrevious", state.copyPreviousStage);
  // Computation, Graphics and the results buttons
  enable("CompEditInput", state.editInput);
  enable("CompEditMonitor", state.editMonitor);
  enable("CompEditOutput", state.editOutput);
  enable("BtnViewOutput", state.editOutput);
  enable("CompWallGeometry", state.viewWallGeometry);
  enable("BtnSoilProfile", state.viewWallGeometry);
  for (int graph = 0; graph < kGraphCount; ++graph) enable(QStringLiteral("Graph%1").arg(graph), state.graphs[graph]);
  for (int graph = 0; graph < 7; ++graph) enable(QStringLiteral("BtnGraph%1").arg(graph), state.graphs[graph]);
  enable("GraphExport", state.exportPlots);
  enable("BtnStageOption", state.stageOptionButton);
  enable("BtnSoilLayers", state.soilLayersButton);
  applyViewState();
}

void TMainForm::fillRecentFiles() {
  const RecentFiles& recent = m_session->recentFiles();
  const std::string folder = QDir::currentPath().toStdString();
  for (int i = 0; i < RecentFiles::kCapacity; ++i) {
    QAction* item = m_recentActions[static_cast<std::size_t>(i)];
    const bool shown = i < recent.count();
    item->setVisible(shown);
    if (shown) item->setText(QString::fromStdString(recent.menuCaption(i + 1, folder)));
  }
  m_recentSeparator->setVisible(recent.count() > 0);
}

void TMainForm::fillWindowMenu() {
  m_windowMenu->clear();
  QAction* cascade = m_windowMenu->addAction(QStringLiteral("&Cascade"));
  connect(cascade, &QAction::triggered, m_mdi, &QMdiArea::cascadeSubWindows);
  QAction* arrange = m_windowMenu->addAction(QStringLiteral("&Arrange Icons"));
  connect(arrange, &QAction::triggered, m_mdi, &QMdiArea::tileSubWindows);
  const QList<QMdiSubWindow*> children = m_mdi->subWindowList();
  if (children.isEmpty()) return;
  m_windowMenu->addSeparator();
  constexpr int kWindowEntries = 50;
  for (int i = 0; i < children.size() && i < kWindowEntries; ++i) {
    QMdiSubWindow* child = children[i];
    QAction* entry = m_windowMenu->addAction(child->windowTitle());
    entry->setCheckable(true);
    entry->setChecked(child == m_mdi->activeSubWindow());
    connect(entry, &QAction::triggered, this, [this, child = QPointer<QMdiSubWindow>(child)] {
      if (child) m_mdi->setActiveSubWindow(child);
    });
  }
}

// ---------------------------------------------------------------------------------------------
// Child windows

bool TMainForm::commitActiveChild() {
  if (m_committing) return false;
  QMdiSubWindow* active = m_mdi->activeSubWindow();
  if (active == nullptr) active = m_lastActive;
  auto* window = active != nullptr ? qobject_cast<TDataWindow*>(active->widget()) : nullptr;
  if (window == nullptr) return true;
  m_committing = true;
  const bool committed = window->commitToProject();
  m_committing = false;
  if (!committed) m_mdi->setActiveSubWindow(active);
  return committed;
}

void TMainForm::onSubWindowActivated(QMdiSubWindow* window) {
  // The main window losing the focus (to a message box, another program) reports no active
  // child: nothing moves between data windows then.
  if (window == nullptr || window == m_lastActive || m_committing) return;
  if (m_lastActive != nullptr) {
    if (auto* previous = qobject_cast<TDataWindow*>(m_lastActive->widget())) {
      m_committing = true;
      const bool committed = previous->commitToProject();
      m_committing = false;
      if (!committed) {
        // The invalid entry keeps its window in front.
        QPointer<QMdiSubWindow> back = m_lastActive;
        QTimer::singleShot(0, this, [this, back] {
          if (back) m_mdi->setActiveSubWindow(back);
        });
        return;
      }
    }
  }
  m_lastActive = window;
  if (auto* next = qobject_cast<TDataWindow*>(window->widget())) next->loadFromProject();
  // A view shows the tables as they are when it comes to the front.
  if (window == m_view3DWindow) view3D()->RedrawComplete();
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
  // A data window refuses to close while one of its entries is invalid.
  if (event->type() == QEvent::Close) {
    if (auto* child = qobject_cast<QMdiSubWindow*>(watched)) {
      if (auto* window = qobject_cast<TDataWindow*>(child->widget())) {
        if (!m_committing && !window->commitToProject()) {
          event->ignore();
          return true;
        }
      }
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void TMainForm::closeAllChildren() {
  for (QMdiSubWindow* child : m_mdi->subWindowList()) child->close();
}

void TMainForm::closeTableWindow(const std::string& tableName) {
  if (TGridTable* table = m_session->tables().ByName(tableName)) table->CloseSubTables();
}

QMdiSubWindow* TMainForm::addChildWindow(TDataWindow* window) {
  window->setDialogs(m_dialogs.get());
  window->setAttribute(Qt::WA_DeleteOnClose);
  QMdiSubWindow* child = m_mdi->addSubWindow(window);
  child->setAttribute(Qt::WA_DeleteOnClose);
  child->installEventFilter(this);
  window->loadFromProject();
  child->show();
  child->adjustSize();
  // A new window stands wholly inside the area where it fits.
  const QSize area = m_mdi->viewport()->size();
  child->move(std::max(0, std::min(child->x(), area.width() - child->width())),
              std::max(0, std::min(child->y(), area.height() - child->height())));
  m_mdi->setActiveSubWindow(child);
  return child;
}

void TMainForm::showDataWindow(DataWindowKind kind) {
  if (!commitActiveChild()) return;
  if (QMdiSubWindow* open = m_dataWindows[kind]) {
    m_mdi->setActiveSubWindow(open);
    return;
  }
  TDataWindow* window = nullptr;
  switch (kind) {
    case DataWindowKind::Title: window = new TdlgTitle(*m_session); break;
    case DataWindowKind::Options: window = new TDlgOptions(*m_session); break;
    case DataWindowKind::WallProperties: window = new TDlgProp(*m_session); break;
    case DataWindowKind::WallConfiguration: window = new TdlgCSD(*m_session); break;
    case DataWindowKind::Surcharge: window = new TDlgRebar(*m_session); break;
    case DataWindowKind::Springs: window = new TDlgSpring(*m_session); break;
    case DataWindowKind::ConcentratedLoads: window = new TDlgConLoads(*m_session); break;
    case DataWindowKind::Tieback: window = new TDlgTieback(*m_session); break;
  }
  m_dataWindows[kind] = addChildWindow(window);
}

void TMainForm::showTable(TGridTable& table) {
  if (commitActiveChild()) table.Show();
}

namespace {

// A table window shown modally: closing it (Escape, the close box) first stores its open cell
// entry and is refused while that entry is.
class ModalTableDialog : public QDialog {
 public:
  ModalTableDialog(TTableForm* form, QWidget* parent) : QDialog(parent), m_form(form) {
    form->setParent(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(form);
    setWindowTitle(form->windowTitle());
    connect(form, &QWidget::windowTitleChanged, this, &QWidget::setWindowTitle);
  }
  void reject() override {
    if (m_form->commitToProject()) QDialog::reject();
  }

 private:
  TTableForm* m_form;
};

TTableForm* makeTableForm(ProjectSession& session, TGridTable& table, bool modal) {
  if (auto* chart = dynamic_cast<TGridTableChart*>(&table)) return new TTableChartForm(session, *chart, modal);
  return new TTableForm(session, table, modal);
}

}  // namespace

void TMainForm::openTableWindow(TGridTable& table, bool modal) {
  if (modal) {
    TTableForm* form = makeTableForm(*m_session, table, true);
    form->setDialogs(m_dialogs.get());
    ModalTableDialog dialog(form, this);
    form->loadFromProject();
    dialog.exec();
    return;
  }
  for (QMdiSubWindow* child : m_mdi->subWindowList()) {
    auto* form = qobject_cast<TTableForm*>(child->widget());
    if (form != nullptr && form->table() == &table) {
      m_mdi->setActiveSubWindow(child);
      return;
    }
  }
  addChildWindow(makeTableForm(*m_session, table, false));
}

void TMainForm::reloadChildWindows() {
  for (QMdiSubWindow* child : m_mdi->subWindowList()) {
    if (auto* window = qobject_cast<TDataWindow*>(child->widget())) window->loadFromProject();
  }
}

// ---------------------------------------------------------------------------------------------
// Window events

void TMainForm::closeEvent(QCloseEvent* event) {
  if (!m_session->queryClose()) {
    event->ignore();
    return;
  }
  m_committing = true;  // every window was committed by the close query
  closeAllChildren();
  m_committing = false;
  event->accept();
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls() && event->mimeData()->urls().front().isLocalFile()) event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.isEmpty() || !urls.front().isLocalFile()) return;
  event->acceptProposedAction();
  m_session->openDropped(urls.front().toLocalFile().toStdString());
  refresh();
}

// ---------------------------------------------------------------------------------------------
// Commands

void TMainForm::fileNew() {
  m_session->fileNew();
  refresh();
}

void TMainForm::fileOpen() {
  m_session->fileOpen();
  refresh();
}

void TMainForm::fileSave() {
  m_session->fileSave();
  refresh();
}

void TMainForm::fileSaveAs() {
  m_session->fileSaveAs();
  refresh();
}

void TMainForm::fileExit() { close(); }

void TMainForm::dataTitle() { showDataWindow(DataWindowKind::Title); }

void TMainForm::optionsEditor() { showDataWindow(DataWindowKind::Options); }

void TMainForm::optionsStaged() {
  applyMenuState();  // the item's check mark shows the project, not the click
  if (!commitActiveChild()) return;
  // Modal from the menu and from its tool button alike: the project cannot turn long-term
  // while the window is open.
  TDlgStage dialog(*m_session, *m_dialogs, this);
  dialog.exec();
  refresh();
}

void TMainForm::stageCopyPrevious() {
  m_session->copyPreviousStage();
  refresh();
}

void TMainForm::compRun() {
  m_session->runAnalysis();
  refresh();
}

void TMainForm::compEditInput() { m_session->editInput(); }
void TMainForm::compEditMonitor() { m_session->editMonitor(); }
void TMainForm::compEditOutput() { m_session->editOutput(); }

void TMainForm::graphExport() {
  if (!commitActiveChild()) return;
  // The export's messages go through the main window's dialogs; its file dialog is Qt's.
  class Messages : public ExportDialogs {
   public:
    explicit Messages(Dialogs& dialogs) : m_dialogs(dialogs) {}
    void information(QWidget* parent, const std::string& text) override { m_dialogs.information(parent, text); }
    void warning(QWidget* parent, const std::string& text) override { m_dialogs.warning(parent, text); }

   private:
    Dialogs& m_dialogs;
  } messages(*m_dialogs);
  std::error_code error;
  std::filesystem::path project = std::filesystem::absolute(m_session->project().FileName, error);
  if (error) project = m_session->project().FileName;
  TDlgExport dialog(m_graphs, m_session->menuState().graphs, proposedWorkbookPath(project).string(), messages, this);
  dialog.exec();
}

void TMainForm::openGuide(const QString& fileName) {
  if (!commitActiveChild()) return;
  const QString path = QDir(m_programFolder).filePath(fileName);
  if (!QFileInfo::exists(path) || !QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
    m_dialogs->warning(this, "The guide " + path.toStdString() + " could not be opened.");
}

void TMainForm::helpContents() { openGuide(kUserGuide); }
void TMainForm::helpUsersManual() { openGuide(kUserGuide); }
void TMainForm::helpTechnicalManual() { openGuide(kDataFileGuide); }

void TMainForm::helpAbout() {
  TAboutBox about(this);
  about.exec();
}

void TMainForm::helpCheckForUpdates() {
  m_dialogs->information(this, "No update service is configured for this installation of KORVEX 2015.");
}

}  // namespace korvex
