// Where the six values of a soil layer's line in the data file come from in the layer's
// parameter sub-table, by soil type. Two lines per layer hold the values at the top (row 1) and
// the bottom (row 2). A position the soil type does not have is written as the literal "0.0  "
// and skipped on reading. Version 2.0 files hold the first five values of the same layout once
// per layer.
//
//   type             sub-table    six values
//   clays 1, 2, 3    TblClay1     gamma, c, -, E50, k, K
//   sand 4           TblSand1     gamma, -, phi, -, k, K
//   silt 5           TblSilt1     gamma, c, phi, E50, k, K      (the table holds phi before c)
//   strong rock 6    TblRock1     gamma, qu, -, -, -, -
//   weak rock 7      TblRock2     gamma, qu, -, krm, Er, RQD
#pragma once

#include <array>

namespace korvex {

// How a value is scaled between the table (display units) and the file in English units.
enum class SoilScale {
  None,
  UnitWeight,  // lb/ft^3 in the table, lb/in^3 in the file: divided by 1728 on writing
  Cohesion,    // lb/ft^2 in the table, lb/in^2 in the file: divided by 144 on writing
};

struct SoilValueSlot {
  int column = -1;  // sub-table column, -1 where the soil type has no value
  SoilScale scale = SoilScale::None;
  bool isCoefficientK = false;  // the optional earth-pressure coefficient (not in long-term blocks)
};

using SoilValueLayout = std::array<SoilValueSlot, 6>;

inline constexpr const char* kNoSoilValue = "0.0  ";
inline constexpr int kSoilValuesPerLine = 6;
inline constexpr int kVersion2SoilValues = 5;

// The layout of soil type `type` (1..7), or nullptr for any other value.
inline const SoilValueLayout* soilValueLayout(int type) {
  using S = SoilValueSlot;
  static constexpr SoilValueLayout kClay = {S{0, SoilScale::UnitWeight}, S{1, SoilScale::Cohesion}, S{},
                                            S{2}, S{3}, S{4, SoilScale::None, true}};
  static constexpr SoilValueLayout kSand = {S{0, SoilScale::UnitWeight}, S{}, S{1}, S{}, S{2},
                                            S{3, SoilScale::None, true}};
  static constexpr SoilValueLayout kSilt = {S{0, SoilScale::UnitWeight}, S{2, SoilScale::Cohesion}, S{1},
                                            S{3}, S{4}, S{5, SoilScale::None, true}};
  static constexpr SoilValueLayout kStrongRock = {S{0, SoilScale::UnitWeight}, S{1}, S{}, S{}, S{}, S{}};
  static constexpr SoilValueLayout kWeakRock = {S{0, SoilScale::UnitWeight}, S{1}, S{}, S{2}, S{3}, S{4}};
  switch (type) {
    case 1:
    case 2:
    case 3: return &kClay;
    case 4: return &kSand;
    case 5: return &kSilt;
    case 6: return &kStrongRock;
    case 7: return &kWeakRock;
    default: return nullptr;
  }
}

// The English-unit divisor of a scale (table value / divisor = file value).
inline long double soilScaleDivisor(SoilScale scale) {
  switch (scale) {
    case SoilScale::UnitWeight: return 1728.0L;
    case SoilScale::Cohesion: return 144.0L;
    case SoilScale::None: break;
  }
  return 1.0L;
}

}  // namespace korvex
