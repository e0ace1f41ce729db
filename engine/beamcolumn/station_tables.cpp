#include "beamcolumn/station_tables.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>

namespace korvex {

void stationOutOfStorage(int station) {
  char digits[16];
  const char* end = std::to_chars(digits, digits + sizeof digits, station).ptr;
  std::fputs("korvex: station-table index ", stderr);
  std::fwrite(digits, 1, static_cast<std::size_t>(end - digits), stderr);
  std::fputs(" lies outside the tables\n", stderr);
  std::abort();
}

void StationTables::reset(int n) {
  numIncrements = n;
  for (StationTable* table : {&ei, &q, &s, &t, &r, &p}) table->clear();
  moments.clear();
}

bool StationTables::hasDataBeyondToe() const {
  const int n1 = numIncrements + 1;
  const int n2 = numIncrements + 2;
  const double sum = ei[n1] + ei[n2] + t[n1] + t[n2] + r[n1] + r[n2] + p[n1] + p[n2] + q[n1] + s[n1];
  return sum != 0.0;
}

std::optional<int> GroupDistributor::distribute(int from, int to, int contd, std::span<const double> values) {
  const int key = keyFor(contd);
  switch (key) {
    case 1:
      if (to < from) return std::nullopt;
      addConstant(from, to, values);
      break;
    case 2:
      m_segmentStart = from;
      for (std::size_t i = 0; i < values.size() && i < m_segmentValues.size(); ++i) m_segmentValues[i] = values[i];
      break;
    default:  // 3 closes the segment, 4 continues it from this record
      if (to < m_segmentStart) return std::nullopt;
      addSegment(to, values);
      if (key == 4) {
        m_segmentStart = to;
        for (std::size_t i = 0; i < values.size() && i < m_segmentValues.size(); ++i) m_segmentValues[i] = values[i];
      }
      break;
  }
  m_previousK = contd - 1;
  return key;
}

void GroupDistributor::addConstant(int from, int to, std::span<const double> values) {
  for (std::size_t i = 0; i < m_tables.size(); ++i) {
    StationTable& table = *m_tables[i];
    const double value = values[i];
    for (int j = from; j <= to; ++j) table[j] += value;
    if (to > from) {
      table[from] += -0.5 * value;
      table[to] += -0.5 * value;
    }
  }
}

void GroupDistributor::addSegment(int to, std::span<const double> values) {
  const int start = m_segmentStart;
  for (std::size_t i = 0; i < m_tables.size(); ++i) {
    StationTable& table = *m_tables[i];
    const double startValue = m_segmentValues[i];
    const double endValue = values[i];
    if (to == start) {
      table[start] += startValue;
      continue;
    }
    for (int j = start; j <= to; ++j)
      table[j] += startValue + (endValue - startValue) * static_cast<double>(j - start) / static_cast<double>(to - start);
    table[start] += -0.5 * startValue;
    table[to] += -0.5 * endValue;
  }
}

}  // namespace korvex
