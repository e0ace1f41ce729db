// The fills of the soil-layer bands, drawn as clipped lines and dots rather than Qt's pattern
// brushes: those are device pixels, microscopic on a 600 dpi printer and uneven in PDF, while
// these keep their size on every device (lengths scale with its dots per inch).
//
// Fill codes: 1 clay (staggered dashes), 2 forward-diagonal hatch, 3 cross hatch, 4 diagonal
// cross hatch, 5 horizontal hatch, 6 vertical hatch, 7 sand (dots), 8 silt (dots and dashes),
// 9 strong rock (brick courses), 10 weak rock (broken courses), 11 gravel (rings), 12 peat
// (tufts); any other code is left unfilled.
#pragma once

#include <QRectF>

class QPainter;

namespace korvex {

// Fills `area` with the fill of `code`; `scale` is the device's pixels per screen pixel.
void fillSoilPattern(QPainter& painter, const QRectF& area, int code, double scale);

}  // namespace korvex
