// Reads the records of the input data file one at a time, in the order the engine needs
// them. Each kind of record is read into the values of the previous record of the same kind,
// so that fields a slash or a null value leaves unread keep those values, as the variables
// of a free-format read would.
#pragma once

#include <string_view>

#include "input/data_reader.h"
#include "input/input_model.h"

namespace korvex {

class RecordReader {
 public:
  explicit RecordReader(DataReader& data) : m_data(data) {}

  std::string title() { return m_data.readTitle("title line"); }
  ControlLine controlLine();
  WallLine wallLine();
  Restraint restraint();
  StiffnessRecord stiffness();
  int loadCount() { return count("load count line", m_loadCount); }
  LoadRecord load();
  int springCount() { return count("spring count line", m_springCount); }
  SpringRecord spring();
  TiebackRecord tieback();
  PYModification pyModification();
  int pressurePointCount() { return count("earth pressure point count line", m_pressurePointCount); }
  PressurePoint pressurePoint();
  SoilDataLine soilDataLine();
  SurfaceLoadLine surfaceLoadLine();
  int surchargeCount() { return count("surcharge count line", m_surchargeCount); }
  Surcharge surcharge();
  int layerCount() { return count("soil layer count line", m_layerCount); }
  // The layer line and the two lines of six values of one soil layer.
  SoilLayer soilLayer();
  UserCurve userCurveLine();
  CurvePoint curvePoint();
  MomentEICurve eiCurveLine();
  MomentEIPoint eiPoint();
  int continuation() { return count("continuation line", m_continuation); }

  // Where field `index` of the last record was found.
  DataPosition position(std::size_t index) const { return m_data.fieldPosition(index); }
  int lastLine() const { return m_data.lastLine(); }

 private:
  int count(std::string_view record, int& value);

  DataReader& m_data;
  ControlLine m_control;
  WallLine m_wall;
  Restraint m_restraint;
  StiffnessRecord m_stiffness;
  int m_loadCount = 0;
  LoadRecord m_load;
  int m_springCount = 0;
  SpringRecord m_spring;
  TiebackRecord m_tieback;
  PYModification m_pyModification;
  int m_pressurePointCount = 0;
  PressurePoint m_pressurePoint;
  SoilDataLine m_soilData;
  SurfaceLoadLine m_surfaceLoads;
  int m_surchargeCount = 0;
  Surcharge m_surcharge;
  int m_layerCount = 0;
  SoilLayer m_layer;
  UserCurve m_curve;
  CurvePoint m_curvePoint;
  MomentEICurve m_eiCurve;
  MomentEIPoint m_eiPoint;
  int m_continuation = 0;
};

}  // namespace korvex
