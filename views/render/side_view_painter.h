// The side view painted with QPainter: one drawing for the window, the printer and picture
// files, so that what is printed is what the window shows.
#pragma once

#include <QColor>
#include <QRect>

#include "views/side_view_model.h"

class QPainter;

namespace korvex {

struct SideViewColours {
  QColor background = Qt::white;
  QColor wall = QColor(160, 160, 160);  // the button-shadow grey
};

// Fills `rect` with the background and paints the side view of `model` into it.
void paintSideView(QPainter& painter, const QRect& rect, const SideViewModel& model,
                   const SideViewColours& colours = {});

}  // namespace korvex
