// The assembly of one block's wall model from its records: the station tables that the
// stiffness, load, spring and tieback records fill, the earth pressure (specified or
// generated) added to the loads, the moment-EI stiffness and the user's and the generated p-y
// curves.
//
// The block reader (control/block_reader.h) hands the records over as it reads them; the
// assembly runs the earth-pressure module and the p-y generation and has report/ write what
// they made, in the report's order, before a failed check of theirs ends the run.
#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "beamcolumn/soil_curves.h"
#include "beamcolumn/station_tables.h"
#include "beamcolumn/tieback.h"
#include "earthpressure/pressure_diagram.h"
#include "format/text_output.h"
#include "format/unit_labels.h"
#include "input/input_model.h"
#include "py/py_generator.h"

namespace korvex {

// The check of every p-y curve, the user's as read and the generated ones as assembled: the
// station tables begin at station -3.
inline constexpr const char* kCurveAboveTheTables = "A P-Y CURVE MUST LIE AT STATION -3 OR BELOW IT";

// One block as read and assembled: its records, the station tables they fill, the tiebacks
// and the p-y curves as the iteration uses them.
struct AssembledBlock {
  BlockInput input;
  UnitLabels units;
  StationTables tables;
  std::vector<TiebackSupport> tiebacks;
  std::vector<SoilCurve> curves;
  double excavationStress = 0.0;  // effective overburden at the excavation level; 0 without generated pressure
  std::vector<GeneratedCurve> generatedCurves;  // as the solution reads them, after the user's curves
};

// Where the assembly writes what it generates: report, plot data file, iteration monitor file
// (the slope warning) and console (the net-force warning and the progress line of the p-y
// generation).
struct AssemblyOutputs {
  TextOutput& report;
  TextOutput& plot;
  TextOutput& monitor;
  std::function<void(std::string_view)> console;
  std::function<void(std::string_view)> progress;
};

// The single-station springs and the tiebacks, in the order the solution stores them.
SupportDepths singleStationSupports(const BlockInput& input, std::span<const TiebackSupport> tiebacks);

// The curve the solution forms from a generated one: its 33 points (py/py_generator.h), p
// times h, attached to the station nearest to depth / h and chained to the next.
SoilCurve solutionCurve(const GeneratedCurve& curve, double h);

// The groups of records distributed into the station tables.
enum class TableGroup { Stiffness, Loads, SpringsAndTiebacks };

class BlockAssembly {
 public:
  BlockAssembly(AssembledBlock& block, AssemblyOutputs outputs) : m_block(block), m_outputs(std::move(outputs)) {}

  // Clears the station tables for a wall of `numIncrements` increments.
  void startTables(int numIncrements);

  // The records of one group, in the order read. keyFor gives the KEY the next record takes
  // (the echo prints by it); adding a record throws ErrorStop "STATIONS NOT IN ORDER" with the
  // place `toAt` where its TO was read when TO lies above the record's start.
  void openGroup(TableGroup group);
  int keyFor(int contd) const;
  bool segmentOpen() const;
  void addStiffness(const StiffnessRecord& record, DataPosition toAt);
  void addLoad(const LoadRecord& record, DataPosition toAt);
  void addSpring(const SpringRecord& record, DataPosition toAt);
  // A tieback acts as a single-station spring and load of the springs' group.
  void addTieback(const TiebackSupport& support);

  // The earth pressure of the block's mode, added to the station loads, with its report
  // sections and plot records. Throws ErrorStop when the earth-pressure module's check fails.
  void addEarthPressure();

  // Throws ErrorStop "NON-ZERO TABLE 4 DATA BEYOND END" when the tables hold data below the toe.
  void checkNothingBeyondToe() const;

  void addUserCurve(const UserCurve& curve);

  // Sets EI from the moment-EI curves read, at the deflections `w` the previous block left.
  void applyMomentEI(const StationTable& w);

  // Generates the p-y curves of a block that asks for them, writes the generation's report
  // sections and appends the curves. Throws ErrorStop when a check of the generation fails or
  // a curve lies above the tables.
  void addGeneratedCurves();

  // The p-y curve records of the plot data file: the user's curves, then the generated ones.
  void writeCurveRecords();

 private:
  void distribute(int from, int to, int contd, std::span<const double> values, DataPosition toAt);

  AssembledBlock& m_block;
  AssemblyOutputs m_outputs;
  std::optional<GroupDistributor> m_group;
};

}  // namespace korvex
