// TDlgBlock, the "3-D View" window: the model drawn in three dimensions by its TglWindow, the
// show options, the mouse modes and zoom steps of the main window's tool buttons, and the
// "Deformed Shape" window. The model and the results are read afresh at every rebuild, so edits
// made in the tables show at the next one.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

#include "views/deformed_shape.h"
#include "views/scene_builder.h"
#include "views/view_camera.h"
#include "views/view_model.h"
#include "views/widgets/deformed_shape_form.h"

namespace korvex {

class TglWindow;

// Where the view reads the model and the deflections of the results from.
struct ViewSources {
  std::function<ViewModel()> model;
  std::function<DeflectedStations(const ViewModel& model)> deflections;
};

inline constexpr double kZoomStep = 1.4142;

class TDlgBlock : public QWidget {
  Q_OBJECT

 public:
  explicit TDlgBlock(ViewSources sources, QWidget* parent = nullptr);

  const ShowOptions& showOptions() const { return m_show; }
  // New show options; the view is rebuilt.
  void setShowOptions(const ShowOptions& show);

  // Rebuilds the scene from the model as it stands and redraws.
  void RedrawComplete();
  // Multiplies the zoom (1.4142 for "Zoom In", its inverse for "Zoom Out").
  void Zooming(double factor);
  // Back to the first view: no rotation, zoom 1, the model centred.
  void RestartViewButtonClick();
  void setMouseMode(MouseMode mode);
  // Shows the "Deformed Shape" window, made on first use.
  void DeformedShapeWindow();

  double deformedShapeFactor() const { return m_factor; }
  void setDeformedShapeFactor(double factor);
  // Shows or hides the deformed shape; shown with no factor set, it starts at the factor that
  // draws the largest deflection as a tenth of the wall.
  void setDeformedShape(bool shown);
  void setUndeformedModel(bool shown);

  TglWindow* glWindow() const { return m_gl; }
  TDeformedShapeForm* deformedShapeForm() const { return m_deformedForm; }
  // What the deformed shape shows: the result set's name, or why there is none.
  QString deformedShapeText() const { return m_deformedText; }

 private:
  void syncDeformedForm();

  ViewSources m_sources;
  ShowOptions m_show;
  double m_factor = 0;
  TglWindow* m_gl = nullptr;
  QPointer<TDeformedShapeForm> m_deformedForm;
  QString m_deformedText;
};

}  // namespace korvex
