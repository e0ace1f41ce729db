#include "views/widgets/view3d_form.h"

#include <QVBoxLayout>

#include "views/model_extents.h"
#include "views/widgets/deformed_shape_form.h"
#include "views/widgets/gl_window.h"

namespace korvex {

TDlgBlock::TDlgBlock(ViewSources sources, QWidget* parent) : QWidget(parent), m_sources(std::move(sources)) {
  setWindowTitle(QStringLiteral("3-D View"));
  m_gl = new TglWindow(this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(m_gl);
  resize(870, 640);
  RedrawComplete();
}

void TDlgBlock::setShowOptions(const ShowOptions& show) {
  m_show = show;
  RedrawComplete();
}

void TDlgBlock::RedrawComplete() {
  const ViewModel model = m_sources.model ? m_sources.model() : ViewModel{};
  const ModelExtents extents = extentsOf(model);
  m_gl->camera().setModel(extents);
  DeformedWall deformed;
  bool deflected = false;
  if (m_show.deformedShape && m_sources.deflections) {
    const DeflectedStations stations = m_sources.deflections(model);
    deflected = stations.available();
    if (deflected) {
      deformed.displacement = magnified(stations.deflection, m_factor);
      m_deformedText = QStringLiteral("Deflections of %1").arg(QString::fromStdString(stations.resultName));
    } else {
      m_deformedText = QString::fromStdString(stations.unavailable);
    }
  } else {
    m_deformedText.clear();
  }
  m_gl->setScene(buildScene(model, extents, m_show, deflected ? &deformed : nullptr), m_show.axes);
  syncDeformedForm();
}

void TDlgBlock::Zooming(double factor) {
  m_gl->camera().zoomBy(factor);
  m_gl->update();
}

void TDlgBlock::RestartViewButtonClick() {
  m_gl->camera().restart();
  m_gl->update();
}

void TDlgBlock::setMouseMode(MouseMode mode) { m_gl->setMouseMode(mode); }

void TDlgBlock::DeformedShapeWindow() {
  if (!m_deformedForm) {
    m_deformedForm = new TDeformedShapeForm(this);
    m_deformedForm->setWindowFlag(Qt::Tool);
    connect(m_deformedForm, &TDeformedShapeForm::deformedChanged, this, &TDlgBlock::setDeformedShape);
    connect(m_deformedForm, &TDeformedShapeForm::undeformedChanged, this, &TDlgBlock::setUndeformedModel);
    connect(m_deformedForm, &TDeformedShapeForm::factorChanged, this, &TDlgBlock::setDeformedShapeFactor);
    syncDeformedForm();
  }
  m_deformedForm->show();
  m_deformedForm->raise();
}

void TDlgBlock::setDeformedShapeFactor(double factor) {
  m_factor = factor;
  RedrawComplete();
}

void TDlgBlock::setDeformedShape(bool shown) {
  m_show.deformedShape = shown;
  if (shown && !(m_factor > 0) && m_sources.model && m_sources.deflections) {
    const ViewModel model = m_sources.model();
    const DeflectedStations stations = m_sources.deflections(model);
    if (stations.available()) m_factor = fittingFactor(stations.deflection, model.wallLength());
  }
  RedrawComplete();
}

void TDlgBlock::setUndeformedModel(bool shown) {
  m_show.undeformedModel = shown;
  RedrawComplete();
}

void TDlgBlock::syncDeformedForm() {
  if (m_deformedForm)
    m_deformedForm->setState(m_show.deformedShape, m_show.undeformedModel, m_factor, m_deformedText);
}

}  // namespace korvex
