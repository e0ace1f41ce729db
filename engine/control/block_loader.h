// Reads the records of one analysis block after its control line, echoes each in the report
// as it is read, checks it, and distributes the stiffness, load, spring and tieback records
// into the station tables at once.
#pragma once

#include <array>
#include <functional>
#include <string_view>
#include <vector>

#include "beamcolumn/soil_curves.h"
#include "beamcolumn/station_tables.h"
#include "beamcolumn/tieback.h"
#include "earthpressure/pressure_diagram.h"
#include "format/text_output.h"
#include "format/unit_labels.h"
#include "input/input_model.h"
#include "input/record_reader.h"
#include "py/py_generator.h"

namespace korvex {

// One block as read: its records, the station tables they fill, the tiebacks and the p-y
// curves as the iteration uses them.
struct LoadedBlock {
  BlockInput input;
  UnitLabels units;
  StationTables tables;
  std::vector<TiebackSupport> tiebacks;
  std::vector<SoilCurve> curves;
  double excavationStress = 0.0;  // effective overburden at the excavation level; 0 without generated pressure
  std::vector<GeneratedCurve> generatedCurves;  // as the solution reads them, after the user's curves
};

// The curve the solution forms from a generated one: its 33 points (py/py_generator.h), p
// times h, attached to the station nearest to depth / h and chained to the next.
SoilCurve solutionCurve(const GeneratedCurve& curve, double h);

class BlockLoader {
 public:
  // `monitor` and `console` receive the warnings and stop codes of the earth-pressure module;
  // `progress` the progress line of the p-y generation.
  BlockLoader(RecordReader& reader, TextOutput& report, TextOutput& plot, TextOutput& monitor,
              std::function<void(std::string_view)> console, std::function<void(std::string_view)> progress)
      : m_reader(reader),
        m_report(report),
        m_plot(plot),
        m_monitor(monitor),
        m_console(std::move(console)),
        m_progress(std::move(progress)) {}

  // Checks the control line just read (its fields were echoed already): the unit system,
  // the modes and the record counts. Returns the unit system its code names; throws ErrorStop.
  UnitSystem checkControlLine(const ControlLine& control);

  // Reads, echoes and checks the wall line and groups 4 to 12 into `block`, whose title
  // and control line are set. Moment-EI curves set EI at once from the deflections `w` that
  // the previous block left. Throws ErrorStop or InputError.
  void readRecords(LoadedBlock& block, const StationTable& w);

 private:
  void readWallLine(LoadedBlock& block);
  void readRestraints(LoadedBlock& block);
  void readStiffness(LoadedBlock& block);
  void readLoads(LoadedBlock& block);
  void readSpringsAndTiebacks(LoadedBlock& block);
  void readPYModifications(LoadedBlock& block);
  void readSpecifiedPressure(LoadedBlock& block);
  void readSoilData(LoadedBlock& block);
  void writeEarthPressure(LoadedBlock& block);
  // The single-station springs and the tiebacks, in the order the solution stores them.
  SupportDepths singleStationSupports(const LoadedBlock& block) const;
  void readUserCurves(LoadedBlock& block);
  void readEICurves(LoadedBlock& block, const StationTable& w);
  // Generates the p-y curves of a block that asks for them and appends them to its curves.
  void generateCurves(LoadedBlock& block);
  void writeCurveRecords(LoadedBlock& block);

  // Checks a count read from the data file: not negative and within `capacity`.
  void checkCount(int value, int capacity, DataPosition at) const;
  // Checks the CONTD field of a record and the stations it touches.
  void checkRecord(const LoadedBlock& block, int contd, DataPosition contdAt, int from, DataPosition fromAt, int to,
                   DataPosition toAt) const;
  void checkStation(const LoadedBlock& block, int station, DataPosition at) const;
  // After the last record of a group: a group must not end inside a segment.
  void checkGroupClosed(bool segmentOpen) const;

  RecordReader& m_reader;
  TextOutput& m_report;
  TextOutput& m_plot;
  TextOutput& m_monitor;
  std::function<void(std::string_view)> m_console;
  std::function<void(std::string_view)> m_progress;
  std::array<DataPosition, 10> m_controlPositions{};  // where each control line field was read
  DataPosition m_activeWidthAt{};                      // where the wall line's active width was read
};

}  // namespace korvex
