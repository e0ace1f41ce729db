// The main window's part of the model views: the "3D View" and "View Wall Geometry" commands,
// the "Show 3DView" menu and the eight tool buttons of the 3-D View, shown while it is open.
#include <QAction>
#include <QActionGroup>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>

#include <utility>

#include "app/gui/main_form.h"
#include "views/deformed_shape.h"
#include "views/side_view_model.h"
#include "views/view_model.h"
#include "views/widgets/side_view_form.h"
#include "views/widgets/view3d_form.h"

namespace korvex {

namespace {

// The show toggles of the "Show 3DView" menu: object name, caption, option.
struct ShowItem {
  const char* name;
  const char* caption;
  bool ShowOptions::*option;
};

constexpr ShowItem kShowItems[] = {
    {"View3DWall", "Wall", &ShowOptions::wall},
    {"View3DSoil", "Soil Layers", &ShowOptions::soilLayers},
    {"View3DWater", "Water Level", &ShowOptions::water},
    {"View3DSurcharge", "Additional Surcharge", &ShowOptions::surcharge},
    {"View3DLoads", "Concentrated Loads", &ShowOptions::loads},
    {"View3DTiebacks", "Tie Backs", &ShowOptions::tiebacks},
    {"View3DRestraints", "Boundary Conditions", &ShowOptions::restraints},
    {"View3DSprings", "Lateral Springs", &ShowOptions::springs},
    // Reached from nowhere else: the axis triad and the layers' labels.
    {"View3DAxes", "Axes", &ShowOptions::axes},
    {"View3DLayerLabels", "Soil Layer Labels", &ShowOptions::layerLabels},
    {"View3DDepthLabels", "Soil Layer Depth Labels", &ShowOptions::depthLabels},
};
constexpr int kFirstLabelItem = 8;

// The mouse modes of the first four view buttons, a radio group.
constexpr MouseMode kButtonModes[] = {MouseMode::Panning, MouseMode::ZoomWindow, MouseMode::Zooming, MouseMode::Rotating};

}  // namespace

TDlgBlock* TMainForm::view3D() const {
  return m_view3DWindow ? qobject_cast<TDlgBlock*>(m_view3DWindow->widget()) : nullptr;
}

TDlgSideView* TMainForm::sideView() const {
  return m_sideViewWindow ? qobject_cast<TDlgSideView*>(m_sideViewWindow->widget()) : nullptr;
}

void TMainForm::buildView3DMenu() {
  m_view3DMenu = addMenu(QStringLiteral("Show 3DView"), false);
  for (int i = 0; i < static_cast<int>(std::size(kShowItems)); ++i) {
    if (i == kFirstLabelItem) m_view3DMenu->addSeparator();
    const ShowItem& item = kShowItems[i];
    QAction* toggle = addCommand(m_view3DMenu, item.name, item.caption, nullptr);
    toggle->setCheckable(true);
    connect(toggle, &QAction::triggered, this, [this, option = item.option](bool on) {
      if (TDlgBlock* view = view3D()) {
        ShowOptions show = view->showOptions();
        show.*option = on;
        view->setShowOptions(show);
      }
    });
  }
  m_view3DMenu->addSeparator();
  QAction* deformed = addCommand(m_view3DMenu, "View3DDeformed", "Deformed Shape", nullptr);
  connect(deformed, &QAction::triggered, this, [this] {
    if (TDlgBlock* view = view3D()) view->DeformedShapeWindow();
  });
  m_view3DMenu->menuAction()->setVisible(false);
}

void TMainForm::connectViewButtons() {
  auto* modes = new QActionGroup(this);
  for (int i = 0; i < 4; ++i) {
    QAction* button = action(QStringLiteral("BtnView%1").arg(i));
    button->setCheckable(true);
    modes->addAction(button);
    connect(button, &QAction::triggered, this, [this, mode = kButtonModes[i]] {
      if (TDlgBlock* view = view3D()) view->setMouseMode(mode);
    });
  }
  const std::pair<int, double> zooms[] = {{4, kZoomStep}, {5, 1 / kZoomStep}};
  for (const auto& [index, factor] : zooms) {
    connect(action(QStringLiteral("BtnView%1").arg(index)), &QAction::triggered, this, [this, factor = factor] {
      if (TDlgBlock* view = view3D()) view->Zooming(factor);
    });
  }
  connect(action("BtnView6"), &QAction::triggered, this, [this] {
    if (TDlgBlock* view = view3D()) view->RestartViewButtonClick();
  });
  connect(action("BtnView7"), &QAction::triggered, action("View3DDeformed"), &QAction::trigger);
}

void TMainForm::setView3DControlsVisible(bool visible) {
  m_view3DMenu->menuAction()->setVisible(visible);
  for (int i = 0; i < 8; ++i) {
    QAction* button = action(QStringLiteral("BtnView%1").arg(i));
    button->setVisible(visible);
    if (i < 4) button->setChecked(false);
  }
}

void TMainForm::applyViewState() {
  const bool offered = deformedShapeOffered(m_graphs.graph(kGraphDeflection), m_session->plotLoaded());
  action("View3DDeformed")->setEnabled(offered);
  action("BtnView7")->setEnabled(offered);
  if (TDlgBlock* view = view3D()) {
    for (const ShowItem& item : kShowItems) action(item.name)->setChecked(view->showOptions().*item.option);
  }
}

void TMainForm::open3DView() {
  if (!commitActiveChild()) return;
  if (m_view3DWindow) {
    m_mdi->setActiveSubWindow(m_view3DWindow);
    return;
  }
  ViewSources sources;
  sources.model = [this] { return viewModelOf(m_session->project(), m_session->tables()); };
  sources.deflections = [this](const ViewModel& model) {
    return deflectedStationsOf(m_graphs.graph(kGraphDeflection), m_session->plotLoaded(), model,
                               m_session->project().CurrentStage);
  };
  m_view3DWindow = hostView(new TDlgBlock(std::move(sources)), QSize(870, 640));
  // Closing the view frees it, and its controls go with it; the next one starts afresh.
  connect(m_view3DWindow, &QObject::destroyed, this, [this] { setView3DControlsVisible(false); });
  setView3DControlsVisible(true);
  applyViewState();
}

void TMainForm::openSideView() {
  if (!commitActiveChild()) return;
  if (m_sideViewWindow) {
    m_mdi->setActiveSubWindow(m_sideViewWindow);
    return;
  }
  m_sideViewWindow = hostView(
      new TDlgSideView([this] { return sideViewModelOf(m_session->project(), m_session->tables()); }, plotDialogs()),
      QSize(580, 431));
}

QMdiSubWindow* TMainForm::hostView(QWidget* view, QSize size) {
  view->setAttribute(Qt::WA_DeleteOnClose);
  QMdiSubWindow* child = m_mdi->addSubWindow(view);
  child->setAttribute(Qt::WA_DeleteOnClose);
  child->resize(child->sizeHint().expandedTo(size));
  child->show();
  m_mdi->setActiveSubWindow(child);
  return child;
}

}  // namespace korvex
