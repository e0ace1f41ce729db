// The pictures of the main window's tool buttons, drawn by the program itself: simple 24 x 24
// pictograms, made for a normal and a double-density screen.
#pragma once

#include <QIcon>
#include <QPixmap>

class QPainter;

namespace korvex {

// One picture per tool button, in the order of the tool bar.
enum class ToolIcon {
  NewFile,
  OpenFile,
  SaveFile,
  Title,
  WallProperties,
  WallConfiguration,
  SoilLayers,
  RunAnalysis,
  StageOption,  // "Stage Construction Option"
  ViewOutput,   // "View Output File"
  SoilProfile,  // "View Soil Profile"
  View3D,
  PYCurves,
  Deflection,
  Moment,
  Shear,
  NetReaction,
  DMV,          // deflection, moment and shear side by side
  Pressure,
  Stage1,       // "Stage Const. 1" to "Stage Const. 5"
  Stage2,
  Stage3,
  Stage4,
  Stage5,
  Panning,      // the controls of the three-dimensional view from here on
  ZoomWindow,
  Zooming,
  Rotating,
  ZoomIn,
  ZoomOut,
  RestartView,
  DeformedShape,
};

inline constexpr int kToolIconCount = static_cast<int>(ToolIcon::DeformedShape) + 1;
// The side of the pictures in device-independent pixels.
inline constexpr int kToolIconSize = 24;

// The icon of a tool button, with 24 x 24 and 48 x 48 pixel images.
QIcon toolIcon(ToolIcon id);

// The picture alone, `scale` times 24 pixels square on a transparent ground.
QPixmap toolIconImage(ToolIcon id, int scale);

// Draws the picture into the 24 x 24 square at the painter's origin (scale the painter for
// larger images).
void paintToolIcon(QPainter& painter, ToolIcon id);

}  // namespace korvex
