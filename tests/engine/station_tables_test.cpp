#include "beamcolumn/station_tables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "beamcolumn/tieback.h"

namespace korvex {
namespace {

class Distribution : public ::testing::Test {
 protected:
  void SetUp() override { tables.reset(20); }
  std::optional<int> add(GroupDistributor& group, int from, int to, int contd, double value) {
    const double values[] = {value};
    return group.distribute(from, to, contd, values);
  }
  StationTables tables;
};

TEST_F(Distribution, AConstantRecordGivesHalfValuesAtItsEndStations) {
  GroupDistributor group({&tables.ei});
  EXPECT_EQ(add(group, 0, 20, 1, 8.0), 1);
  EXPECT_EQ(tables.ei[0], 4.0);
  EXPECT_EQ(tables.ei[1], 8.0);
  EXPECT_EQ(tables.ei[19], 8.0);
  EXPECT_EQ(tables.ei[20], 4.0);
  EXPECT_EQ(tables.ei[-1], 0.0);
  EXPECT_EQ(tables.ei[21], 0.0);
}

TEST_F(Distribution, ASingleStationRecordGetsTheFullValue) {
  GroupDistributor group({&tables.q});
  add(group, 5, 5, 1, 1000.0);
  EXPECT_EQ(tables.q[5], 1000.0);
  EXPECT_EQ(tables.q[4], 0.0);
}

TEST_F(Distribution, ConstantRecordsMeetingAtAStationAddUpToTheFullValue) {
  GroupDistributor group({&tables.ei});
  add(group, 0, 10, 1, 6.0);
  add(group, 10, 20, 1, 6.0);
  EXPECT_EQ(tables.ei[10], 6.0);
  EXPECT_EQ(tables.ei[0], 3.0);
  EXPECT_EQ(tables.ei[20], 3.0);
}

TEST_F(Distribution, ASegmentInterpolatesFromItsFirstValueToTheNextRecordsToStation) {
  GroupDistributor group({&tables.ei});
  EXPECT_EQ(add(group, 0, 10, 2, 100.0), 2);  // opens: the TO of this record takes no part
  EXPECT_EQ(tables.ei[5], 0.0);
  EXPECT_EQ(add(group, 10, 20, 1, 200.0), 3);  // closes at 20
  EXPECT_EQ(tables.ei[0], 50.0);
  EXPECT_EQ(tables.ei[10], 150.0);
  EXPECT_EQ(tables.ei[19], 195.0);
  EXPECT_EQ(tables.ei[20], 100.0);
  EXPECT_FALSE(group.segmentOpen());
}

TEST_F(Distribution, AContinuingRecordStartsTheNextSegmentAtItsToStation) {
  GroupDistributor group({&tables.s});
  add(group, 0, 0, 2, 0.0);
  EXPECT_EQ(add(group, 0, 10, 2, 10.0), 4);
  EXPECT_TRUE(group.segmentOpen());
  EXPECT_EQ(add(group, 10, 20, 1, 30.0), 3);
  EXPECT_EQ(tables.s[5], 5.0);
  // Both segments give station 10 half of 10 each.
  EXPECT_EQ(tables.s[10], 10.0);
  EXPECT_EQ(tables.s[15], 20.0);
  EXPECT_EQ(tables.s[20], 15.0);
}

TEST_F(Distribution, ASegmentClosingAtItsStartStationAddsTheStartValueThere) {
  GroupDistributor group({&tables.q});
  add(group, 7, 9, 2, 4.0);
  add(group, 7, 7, 1, 9.0);
  EXPECT_EQ(tables.q[7], 4.0);
  EXPECT_EQ(tables.q[8], 0.0);
}

TEST_F(Distribution, SeveralTablesReceiveTheirOwnValues) {
  GroupDistributor group({&tables.q, &tables.t, &tables.p});
  const double values[] = {2.0, 4.0, -6.0};
  group.distribute(3, 5, 1, values);
  EXPECT_EQ(tables.q[4], 2.0);
  EXPECT_EQ(tables.t[4], 4.0);
  EXPECT_EQ(tables.p[4], -6.0);
  EXPECT_EQ(tables.p[3], -3.0);
}

TEST_F(Distribution, AToStationAboveTheStartIsRefusedAndAddsNothing) {
  GroupDistributor constant({&tables.ei});
  EXPECT_EQ(add(constant, 10, 5, 1, 1.0), std::nullopt);
  GroupDistributor segment({&tables.ei});
  add(segment, 10, 12, 2, 1.0);
  EXPECT_EQ(add(segment, 11, 9, 1, 1.0), std::nullopt);  // above the segment's start at 10
  for (int j = 5; j <= 12; ++j) EXPECT_EQ(tables.ei[j], 0.0) << "station " << j;
}

TEST(StationTables, DataBeyondTheToeIsTheSumOfTenEntries) {
  StationTables tables;
  tables.reset(10);
  EXPECT_FALSE(tables.hasDataBeyondToe());
  tables.ei[11] = 1.0;
  EXPECT_TRUE(tables.hasDataBeyondToe());
  tables.p[12] = -1.0;  // cancels: the check adds the entries up
  EXPECT_FALSE(tables.hasDataBeyondToe());
  tables.reset(10);
  tables.q[12] = 5.0;  // Q and S count at N+1 only
  tables.s[13] = 5.0;
  EXPECT_FALSE(tables.hasDataBeyondToe());
  tables.s[11] = 5.0;
  EXPECT_TRUE(tables.hasDataBeyondToe());
  EXPECT_TRUE(tables.holds(-3));
  EXPECT_TRUE(tables.holds(13));
  EXPECT_FALSE(tables.holds(14));
  EXPECT_FALSE(tables.holds(-4));
}

// Debug and sanitizer builds check every index, so that a read outside the tables ends the
// test that made it; optimised builds leave the check out of the solver's inner loops.
TEST(StationTablesDeathTest, AnIndexOutsideTheStorageEndsTheProcessInCheckedBuilds) {
#ifdef KORVEX_CHECKED_STATIONS
  StationTable table;
  EXPECT_DEATH(table[kFirstStation - 1] = 1.0, "station-table index -4 lies outside the tables");
  EXPECT_DEATH(table[kLastStoredStation + 1] = 1.0, "station-table index 411 lies outside the tables");
  table[kFirstStation] = 1.0;
  table[kLastStoredStation] = 2.0;
  EXPECT_EQ(table[kFirstStation] + table[kLastStoredStation], 3.0);
#else
  GTEST_SKIP() << "station indices are checked in Debug and sanitizer builds";
#endif
}

TEST(Tieback, StationIsTheNearestWithHalvesRoundedAwayFromZero) {
  TiebackRecord record{10.0, 1.0, 1.0, 1.0, 0.0, 1.0, 0.0};
  EXPECT_EQ(convertTieback(record, UnitSystem::English, 12.0, 12.0).station, 10);
  record.depth = 10.5;
  EXPECT_EQ(convertTieback(record, UnitSystem::English, 12.0, 12.0).station, 11);
  record.depth = 2.5;
  EXPECT_EQ(convertTieback(record, UnitSystem::SI, 1.0, 1.0).station, 3);
  EXPECT_EQ(nearestStation(-2.5), -3);
  EXPECT_EQ(nearestStation(2.4999), 2);
}

TEST(Tieback, SpringAndPrestressLoadAreScaledByWidthOverSpacing) {
  // English: E = 29e6 psi, A = 1.5 in^2, Lu = 20 ft, 15 degrees, s = 8 ft, F0 = 50000 lb, Wa = 96 in.
  const TiebackRecord english{10.0, 1.5, 29.0e6, 20.0, 15.0, 8.0, 50000.0};
  const TiebackSupport e = convertTieback(english, UnitSystem::English, 12.0, 96.0);
  const double cosine = std::cos(15.0 * 3.1416 / 180.0);
  // 12 s / Wa = 1: one tieback per model width.
  EXPECT_DOUBLE_EQ(e.spring, 29.0e6 * 1.5 * cosine / (12.0 * 20.0));
  EXPECT_DOUBLE_EQ(e.load, -50000.0 * cosine);
  // SI: s = 2 m, Wa = 1 m: half a tieback per model width.
  const TiebackRecord si{3.0, 0.001, 2.0e8, 6.0, 0.0, 2.0, 400.0};
  const TiebackSupport s = convertTieback(si, UnitSystem::SI, 0.5, 1.0);
  EXPECT_EQ(s.station, 6);
  EXPECT_DOUBLE_EQ(s.spring, 2.0e8 * 0.001 / (2.0 * 6.0));
  EXPECT_DOUBLE_EQ(s.load, -200.0);
}

}  // namespace
}  // namespace korvex
