// Reading, checking and echo of the records of one analysis block after its control line:
// each record is read, checked against the block's storage and wall model, echoed in the
// report as it is read, and handed to the block's assembly (control/block_assembly.h).
//
// A record that fails a check ends the run with ErrorStop, naming where the value was read.
#pragma once

#include <array>
#include <cstddef>

#include "control/block_assembly.h"
#include "format/text_output.h"
#include "input/input_model.h"
#include "input/record_reader.h"
#include "report/input_echo.h"

namespace korvex {

class BlockReader {
 public:
  // Reads into `block`, whose title and control line are set; echoes into `report`.
  BlockReader(RecordReader& reader, TextOutput& report, AssembledBlock& block)
      : m_reader(reader), m_report(report), m_block(block) {}

  // Checks the control line just read (its fields were echoed already): the unit system,
  // the modes and the record counts. Returns the unit system its code names.
  UnitSystem checkControlLine(const ControlLine& control);

  // Groups 3 to 7: the wall line, the specified deflections and slopes, the stiffness, load
  // and spring records and the tiebacks.
  void readWallAndSupports(BlockAssembly& assembly);

  // Groups 8 to 10: the p-y modifications, the specified pressure and the soil data (SI
  // surcharge distances and widths converted to metres).
  void readSoilGroups();

  // The apparent-pressure envelope (EarthPressureMode 3) needs a single-station support.
  void checkSupportsForEnvelope() const;

  // Group 11: the user's p-y curves.
  void readUserCurves(BlockAssembly& assembly);

  // Group 12: the moment-EI curves.
  void readMomentEICurves();

 private:
  void readWallLine(BlockAssembly& assembly);
  void readRestraints();
  void readStiffness(BlockAssembly& assembly);
  void readLoads(BlockAssembly& assembly);
  void readSpringsAndTiebacks(BlockAssembly& assembly);
  void readPYModifications();
  void readSpecifiedPressure();
  void readSoilData();

  // Checks a count read from the data file: not negative and within `capacity`.
  void checkCount(int value, int capacity, DataPosition at) const;
  // Where a record of groups 5 to 7 holds its CONTD, FROM and TO.
  struct RecordFields {
    std::size_t contd = 0;
    std::size_t from = 0;
    std::size_t to = 0;
  };
  // Checks the CONTD field of a record and the stations it touches.
  void checkRecord(int contd, int from, int to, RecordFields fields) const;
  // Checks a record of groups 5 to 7 and echoes it by the KEY it takes in its group, with the
  // station values `echoOf` gives once the stations are known to lie in the tables.
  template <class Record, class EchoOf>
  void checkAndEcho(const Record& record, RecordFields fields, const BlockAssembly& assembly, EchoOf echoOf) {
    checkRecord(record.contd, record.from, record.to, fields);
    writeRecordEcho(m_report, assembly.keyFor(record.contd), record.from, record.to, record.contd, echoOf());
  }
  void checkStation(int station, DataPosition at) const;
  // After the last record of a group: a group must not end inside a segment.
  void checkGroupClosed(bool segmentOpen) const;

  RecordReader& m_reader;
  TextOutput& m_report;
  AssembledBlock& m_block;
  std::array<DataPosition, 10> m_controlPositions{};  // where each control line field was read
  DataPosition m_activeWidthAt{};                      // where the wall line's active width was read
};

}  // namespace korvex
