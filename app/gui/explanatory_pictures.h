// The explanatory pictures of the data windows and under some tables, drawn by the program
// itself: the wall in section and in plan (Wall Configuration), the surcharge loads, the springs
// and rotational restraints, the concentrated loads, the tieback and the distributed pressure
// diagram. Each is drawn into a design box of kPictureWidth x kPictureHeight units, scaled to
// the rectangle it is given.
#pragma once

#include <QImage>
#include <QWidget>

#include <optional>
#include <string>

class QPainter;

namespace korvex {

enum class Picture {
  WallSection,        // H, the water tables DWb and DWe, the backfill slope and its load
  WallPlan,           // the wall units in plan: spacing Wa and width Wp
  Surcharge,          // point, line and strip loads behind the wall, distance X, width W
  Springs,            // lateral springs and a rotational restraint at nodes
  ConcentratedLoads,  // lateral load, moment and axial load at a node
  Tieback,            // a ground anchor: depth, angle, unbonded and bonded length, spacing
  PressureDiagram,    // a pressure diagram against depth, given point by point
};

inline constexpr int kPictureCount = static_cast<int>(Picture::PressureDiagram) + 1;
inline constexpr int kPictureWidth = 300;
inline constexpr int kPictureHeight = 200;

// Draws `picture` into `rect`, scaled evenly and centred.
void paintPicture(QPainter& painter, Picture picture, const QRectF& rect);

// The picture as an image of `width` x `height` pixels on white.
QImage pictureImage(Picture picture, int width, int height);

// The picture a table's HelpPicture names ("pressure_diagram", "tieback"), if any.
std::optional<Picture> pictureNamed(const std::string& name);

// A widget that shows one picture at its natural size or larger.
class PictureBox : public QWidget {
 public:
  explicit PictureBox(Picture picture, QWidget* parent = nullptr);
  void setPicture(Picture picture);
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Picture m_picture;
};

}  // namespace korvex
