// The side view and a three-dimensional snapshot of a project written as pictures, for
// `korvex plot --views`. The snapshot looks at the model obliquely from above the excavation
// side, with the layers labelled and, when the results fit the model, the wall deflected (its
// undeflected outline too) by a factor that shows the largest deflection as a tenth of the wall.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "graphs/paint/graph_image.h"

namespace korvex {

class ProjectTables;
class TGraphPlot;
class TProgramData;

struct ViewPicturesRequest {
  std::filesystem::path folder;
  std::string stem;                 // pictures are named STEM-side-view.EXT and STEM-3d-view.EXT
  ImageFormat format = ImageFormat::Png;
  std::optional<ImageSize> size;    // default 1000 x 750 pixels at 96 per inch
};

struct ViewPicturesResult {
  std::vector<std::filesystem::path> written;
  std::vector<std::string> notes;     // what the snapshot shows of the results
  std::vector<std::string> problems;  // pictures that could not be written, and why
};

inline constexpr ImageSize kViewPictureSize{1000, 750, 96};

// Writes both pictures of `project` with `tables`; `deflection` is the loaded "Deflection vs
// Depth" graph (`plotLoaded` false when there are no results). Needs a QGuiApplication; the
// snapshot needs OpenGL (see model_snapshot.h) and is reported as a problem without it.
ViewPicturesResult writeViewPictures(const TProgramData& project, const ProjectTables& tables,
                                     const TGraphPlot& deflection, bool plotLoaded, const ViewPicturesRequest& request);

}  // namespace korvex
