#include "report/plot_records.h"

namespace korvex {

void writePlotPressure(TextOutput& plot, std::span<const DiagramPoint> points) {
  static const Format kPoint("4(2X,E10.3)");
  plot.writeListDirected(points.size());
  for (const DiagramPoint& point : points)
    plot.write(kPoint, point.depth, point.total, point.earth == 0.0 ? 1.0e-7 : point.earth, point.surcharge);
}

void writePlotCurves(TextOutput& plot, UnitSystem unitSystem, std::span<const PlotCurve> curves, bool onlyGenerated) {
  static const Format kGeneratedDepth("1X,F10.2,1X,I5");
  plot.writeListDirected(unitSystemCode(unitSystem), curves.size());
  for (const PlotCurve& curve : curves) {
    if (onlyGenerated) {
      plot.write(kGeneratedDepth, curve.depth, static_cast<int>(curve.y.size()));
    } else {
      plot.writeListDirected(curve.depth, curve.y.size());
    }
    for (std::size_t i = 0; i < curve.y.size() && i < curve.p.size(); ++i) plot.writeListDirected(curve.y[i], curve.p[i]);
  }
}

void writePlotResults(TextOutput& plot, int resultSetCount, int codeOfLastBlock, const BlockResults* results) {
  static const Format kRow("5(1X,E13.4)");
  if (results == nullptr) {
    plot.writeListDirected(resultSetCount, 0, codeOfLastBlock);
    return;
  }
  plot.writeListDirected(resultSetCount, results->rows.size(), unitSystemCode(results->unitSystem));
  for (const ResultRow& row : results->rows) plot.write(kRow, row.depth, row.deflection, row.moment, row.shear, row.reaction);
}

}  // namespace korvex
