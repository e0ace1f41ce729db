#include "views/render/view_pictures.h"

#include <QPainter>

#include "app/program_data.h"
#include "app/project_tables.h"
#include "graphs/graph_plot.h"
#include "views/deformed_shape.h"
#include "views/model_extents.h"
#include "views/render/model_snapshot.h"
#include "views/render/side_view_painter.h"
#include "views/scene_builder.h"
#include "views/side_view_model.h"
#include "views/view_camera.h"
#include "views/view_model.h"

namespace korvex {

namespace {

// The snapshot's turn: 30 degrees about the screen's upright, then its near side tipped down by
// 20 degrees, so that the row of panels, the tops of the soil blocks and the tiebacks all show.
constexpr double kTurnDegrees = 30;
constexpr double kTipDegrees = 20;
constexpr double kDragDegreesPerWindow = 90;  // as ViewCamera turns for a drag across the window

std::filesystem::path pictureName(const ViewPicturesRequest& request, const char* view) {
  return request.folder / (request.stem + "-" + view + "." + imageExtension(request.format));
}

ViewCamera snapshotCamera(const ModelExtents& extents, const ImageSize& size) {
  ViewCamera camera;
  camera.setViewport(size.width, size.height);
  camera.setModel(extents);
  camera.drag({0, 0}, {size.width * kTurnDegrees / kDragDegreesPerWindow, 0}, MouseMode::Rotating, false);
  camera.drag({0, 0}, {0, size.height * kTipDegrees / kDragDegreesPerWindow}, MouseMode::Rotating, false);
  return camera;
}

}  // namespace

ViewPicturesResult writeViewPictures(const TProgramData& project, const ProjectTables& tables,
                                     const TGraphPlot& deflection, bool plotLoaded, const ViewPicturesRequest& request) {
  ViewPicturesResult result;
  const ImageSize size = request.size.value_or(kViewPictureSize);
  const auto record = [&](const std::filesystem::path& path, const std::string& problem) {
    if (problem.empty()) {
      result.written.push_back(path);
    } else {
      result.problems.push_back(problem);
    }
  };

  const SideViewModel side = sideViewModelOf(project, tables);
  const std::filesystem::path sidePicture = pictureName(request, "side-view");
  record(sidePicture, writePicture(sidePicture, request.format, size, "Soil-Pile Profile",
                                   [&](QPainter& painter, const QRect& rect) { paintSideView(painter, rect, side); }));

  const ViewModel model = viewModelOf(project, tables);
  const ModelExtents extents = extentsOf(model);
  ShowOptions show;
  show.layerLabels = show.depthLabels = true;
  const DeflectedStations stations = deflectedStationsOf(deflection, plotLoaded, model, project.CurrentStage);
  DeformedWall deformed;
  if (stations.available()) {
    const double factor = fittingFactor(stations.deflection, extents.wallLength);
    deformed.displacement = magnified(stations.deflection, factor);
    show.deformedShape = show.undeformedModel = true;
    result.notes.push_back("3D view: the wall deflected by the results of " + stations.resultName + ", magnified " +
                           graphNumber(factor, 6) + " times");
  } else {
    result.notes.push_back("3D view: the wall undeflected (" + stations.unavailable + ")");
  }
  const Scene scene = buildScene(model, extents, show, show.deformedShape ? &deformed : nullptr);
  const ModelSnapshot snapshot =
      renderModelSnapshot(scene, snapshotCamera(extents, size), show.axes, QSize(size.width, size.height));
  const std::filesystem::path snapshotPicture = pictureName(request, "3d-view");
  if (!snapshot.error.empty()) {
    result.problems.push_back(snapshotPicture.string() + ": " + snapshot.error);
    return result;
  }
  record(snapshotPicture, writePicture(snapshotPicture, request.format, size, "3-D View",
                                       [&](QPainter& painter, const QRect& rect) { painter.drawImage(rect, snapshot.image); }));
  return result;
}

}  // namespace korvex
