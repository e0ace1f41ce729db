#include "input/record_reader.h"

namespace korvex {

int RecordReader::count(std::string_view record, int& value) {
  const ReadTarget fields[] = {value};
  m_data.read(record, fields);
  return value;
}

ControlLine RecordReader::controlLine() {
  ControlLine& c = m_control;
  const ReadTarget fields[] = {c.unitSystemCode,  c.restraintCount, c.sectionCount, c.pyModCount,   c.earthPressureMode,
                               c.pyCurveMode, c.userPYCount,    c.stageCount,   c.eiCurveCount, c.tiebackCount};
  m_data.read("control line", fields);
  return c;
}

WallLine RecordReader::wallLine() {
  WallLine& w = m_wall;
  const ReadTarget fields[] = {w.numIncrements,    w.incrementLength, w.maxDeflection,
                               w.closureTolerance, w.freeHeight,      w.activeWidth};
  m_data.read("wall line", fields);
  return w;
}

Restraint RecordReader::restraint() {
  Restraint& r = m_restraint;
  const ReadTarget fields[] = {r.caseCode, r.station, r.deflection, r.slope};
  m_data.read("specified deflection and slope record", fields);
  Restraint result = r;
  // A case below 1 counts as 1, above 3 as 3.
  if (result.caseCode < 1) result.caseCode = 1;
  if (result.caseCode > 3) result.caseCode = 3;
  return result;
}

StiffnessRecord RecordReader::stiffness() {
  StiffnessRecord& s = m_stiffness;
  const ReadTarget fields[] = {s.from, s.to, s.contd, s.ei};
  m_data.read("wall stiffness record", fields);
  return s;
}

LoadRecord RecordReader::load() {
  LoadRecord& l = m_load;
  const ReadTarget fields[] = {l.contd, l.from, l.to, l.lateralLoad, l.moment, l.axialLoad};
  m_data.read("load record", fields);
  return l;
}

SpringRecord RecordReader::spring() {
  SpringRecord& s = m_spring;
  const ReadTarget fields[] = {s.from, s.to, s.contd, s.lateralStiffness, s.rotationalStiffness};
  m_data.read("spring record", fields);
  return s;
}

TiebackRecord RecordReader::tieback() {
  TiebackRecord& t = m_tieback;
  const ReadTarget fields[] = {t.depth, t.area, t.modulus, t.unbondedLength, t.angle, t.spacing, t.prestress};
  m_data.read("tieback record", fields);
  return t;
}

PYModification RecordReader::pyModification() {
  PYModification& m = m_pyModification;
  const ReadTarget fields[] = {m.depth, m.pMultiplier, m.yMultiplier};
  m_data.read("p-y modification record", fields);
  return m;
}

PressurePoint RecordReader::pressurePoint() {
  PressurePoint& p = m_pressurePoint;
  const ReadTarget fields[] = {p.depth, p.load};
  m_data.read("earth pressure point", fields);
  return p;
}

SoilDataLine RecordReader::soilDataLine() {
  SoilDataLine& s = m_soilData;
  const ReadTarget fields[] = {s.freeHeight,   s.activeWidth, s.passiveWidth, s.waterDepthBackfill,
                               s.waterDepthExcavation, s.activeFactor, s.waterOption, s.backfillSlope};
  m_data.read("soil data line", fields);
  return s;
}

SurfaceLoadLine RecordReader::surfaceLoadLine() {
  SurfaceLoadLine& s = m_surfaceLoads;
  const ReadTarget fields[] = {s.uniformPressure, s.legacyDistance,  s.legacyPointLoad,
                               s.legacyLineLoad,  s.legacyStripLoad, s.legacyStripWidth};
  m_data.read("surface pressure line", fields);
  return s;
}

Surcharge RecordReader::surcharge() {
  Surcharge& s = m_surcharge;
  const ReadTarget fields[] = {s.type, s.magnitude, s.distance, s.width};
  m_data.read("surcharge record", fields);
  return s;
}

SoilLayer RecordReader::soilLayer() {
  SoilLayer& l = m_layer;
  const ReadTarget layerLine[] = {l.soilType, l.bottomDepth};
  m_data.read("soil layer line", layerLine);
  auto& t = l.top;
  const ReadTarget top[] = {t[0], t[1], t[2], t[3], t[4], t[5]};
  m_data.read("soil layer top values", top);
  auto& b = l.bottom;
  const ReadTarget bottom[] = {b[0], b[1], b[2], b[3], b[4], b[5]};
  m_data.read("soil layer bottom values", bottom);
  return l;
}

UserCurve RecordReader::userCurveLine() {
  UserCurve& c = m_curve;
  const ReadTarget fields[] = {c.station, c.pointCount, c.pMultiplier, c.yMultiplier};
  m_data.read("p-y curve line", fields);
  UserCurve result = c;
  result.points.clear();
  return result;
}

CurvePoint RecordReader::curvePoint() {
  CurvePoint& p = m_curvePoint;
  const ReadTarget fields[] = {p.y, p.p};
  m_data.read("p-y curve point", fields);
  return p;
}

MomentEICurve RecordReader::eiCurveLine() {
  MomentEICurve& c = m_eiCurve;
  const ReadTarget fields[] = {c.from, c.to, c.pointCount};
  m_data.read("moment-EI curve line", fields);
  MomentEICurve result = c;
  result.points.clear();
  return result;
}

MomentEIPoint RecordReader::eiPoint() {
  MomentEIPoint& p = m_eiPoint;
  const ReadTarget fields[] = {p.moment, p.ei};
  m_data.read("moment-EI curve point", fields);
  return p;
}

}  // namespace korvex
