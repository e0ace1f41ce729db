// The six station tables of the finite-difference wall model and the distribution of the
// stiffness, load and spring records into them.
//
// Stations run from -3 to N+3 (N = NumIncrements); station j lies at depth j*h. Stations
// -3..-1 above the top and N+1..N+3 below the toe are fictitious, so that the difference
// equation needs no special form at the ends:
//
//     -3  -2  -1 | 0   1   2  ...  N-1  N | N+1 N+2 N+3
//      fictitious| top              toe   | fictitious
#pragma once

#include <array>
#include <optional>
#include <span>
#include <vector>

#include "input/input_model.h"

namespace korvex {

inline constexpr int kFirstStation = -3;
inline constexpr int kTableSize = kMaxIncrements + 7;
inline constexpr int kLastStoredStation = kFirstStation + kTableSize - 1;

// Ends the process with a message naming `station`: a station-table index outside the
// storage is a fault of the engine, never of the data.
[[noreturn]] void stationOutOfStorage(int station);

// The storage index of `station` in a per-station table. Debug and sanitizer builds
// (KORVEX_CHECKED_STATIONS) check every index against the storage, so that a read outside
// it stops the test that made it instead of reading a neighbour's memory.
inline std::size_t stationIndex(int station) {
#ifdef KORVEX_CHECKED_STATIONS
  if (station < kFirstStation || station > kLastStoredStation) stationOutOfStorage(station);
#endif
  return static_cast<std::size_t>(station - kFirstStation);
}

// One per-station table, indexed by station number (-3 .. N+3).
class StationTable {
 public:
  double& operator[](int station) { return m_values[stationIndex(station)]; }
  double operator[](int station) const { return m_values[stationIndex(station)]; }
  void clear() { m_values.fill(0.0); }

 private:
  std::array<double, kTableSize> m_values{};
};

// A concentrated moment of a load record: its station and the couple force T/(2h).
struct ConcentratedMoment {
  int station = 0;
  double coupleForce = 0.0;
};

struct StationTables {
  int numIncrements = 0;
  StationTable ei;  // flexural rigidity
  StationTable q;   // transverse load
  StationTable s;   // lateral spring stiffness
  StationTable t;   // applied moment (torque)
  StationTable r;   // rotational spring stiffness
  StationTable p;   // the negative of the axial load
  std::vector<ConcentratedMoment> moments;

  // Clears every table for a wall of `n` increments.
  void reset(int n);
  // True when a station lies inside the tables (-3 .. N+3).
  bool holds(int station) const { return station >= kFirstStation && station <= numIncrements + 3; }
  // True when EI, T, R and P at N+1 and N+2 and Q and S at N+1 do not sum to exactly zero.
  bool hasDataBeyondToe() const;
};

// Distributes the records of one group (stiffness, loads or springs) into its tables.
//
// CONTD 1 is a constant record, CONTD 2 opens (or continues) a segment interpolated linearly
// to the TO station of the next record. With K = CONTD - 1 and Kp the K of the previous
// record, KEY = 2*Kp + K + 1: 1 constant, 2 opens a segment, 3 closes it, 4 continues it.
// End stations of a constant record or segment receive half the value, so that two records
// meeting at a station add up to the full value there.
class GroupDistributor {
 public:
  // `tables` receive the record's values in order.
  explicit GroupDistributor(std::vector<StationTable*> tables) : m_tables(std::move(tables)) {}

  // The KEY a record with `contd` (1 or 2) has after the records distributed so far.
  int keyFor(int contd) const { return 2 * m_previousK + (contd - 1) + 1; }

  // Adds one record and returns its KEY. A record whose TO lies above the station its values
  // start from (its FROM, or the start of the open segment) adds nothing and returns nothing:
  // its stations are not in order.
  std::optional<int> distribute(int from, int to, int contd, std::span<const double> values);

  // True while a segment is open (the last record had CONTD 2).
  bool segmentOpen() const { return m_previousK == 1; }

 private:
  void addConstant(int from, int to, std::span<const double> values);
  void addSegment(int to, std::span<const double> values);

  std::vector<StationTable*> m_tables;
  int m_previousK = 0;
  int m_segmentStart = 0;
  std::array<double, 3> m_segmentValues{};
};

}  // namespace korvex
