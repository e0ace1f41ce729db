// The echo of the input records in the report: program control parameters, wall line,
// specified deflections and slopes, stiffness and load records, specified earth pressure and
// user-specified p-y curves, in the order the records are read.
#pragma once

#include <span>

#include "format/text_output.h"
#include "format/unit_labels.h"
#include "input/input_model.h"

namespace korvex {

void writeControlParameters(TextOutput& report, const ControlLine& control);
void writeWallLine(TextOutput& report, const WallLine& wall, const UnitLabels& units);

// The box heading and column heads of the specified deflections and slopes, or the empty
// section when there are none.
void writeRestraintsHeading(TextOutput& report, int restraintCount);
void writeRestraint(TextOutput& report, const Restraint& restraint);

// The box heading, legend, column heads and unit line of the stiffness and load data;
// the empty section follows when there are no stiffness records.
void writeStiffnessHeading(TextOutput& report, const UnitLabels& units, int sectionCount);

// The six station values a record echo shows.
struct EchoValues {
  double ei = 0.0;
  double q = 0.0;
  double s = 0.0;
  double t = 0.0;
  double r = 0.0;
  double p = 0.0;
};

// One echo line of a stiffness, load, spring or tieback record; its layout depends on the
// record's KEY (2 opens a segment, 3 and 4 close or continue one, 1 stands alone).
void writeRecordEcho(TextOutput& report, int key, int from, int to, int contd, const EchoValues& values);

void writeSpecifiedPressure(TextOutput& report, const UnitLabels& units, std::span<const PressurePoint> points);

// The column heads of an earth-pressure table (specified or generated).
void writePressureColumnHeads(TextOutput& report, const UnitLabels& units);
// One row of an earth-pressure table: depth and load.
void writePressureRow(TextOutput& report, double depth, double load);

void writeUserCurvesHeading(TextOutput& report);

// How the curve line of a user-specified p-y curve is laid out.
enum class CurveLineForm {
  WithGeneratedCurves,  // generated curves present: station, 0, multipliers, points
  OpensSegment,         // KEY 2
  ClosesSegment,        // KEY 3 or 4
  StandAlone,           // KEY 1: station twice
};

// One user-specified p-y curve: heads, curve line and its points with the multipliers applied.
// `chainingFlag` is printed after the station in the user-curves-only forms.
void writeUserCurve(TextOutput& report, const UnitLabels& units, const UserCurve& curve, CurveLineForm form,
                    int chainingFlag);

}  // namespace korvex
