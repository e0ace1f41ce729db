// Unit systems and unit codes. A numeric field or table column does not store a unit name but
// a short code built from force and length elements ("F/L2^3", "F-L^2", "L1^2"); the code is
// expanded into a label for the current unit system and gives the factor by which stored values
// are converted when a project changes between English and SI units.
//
// Elements (factor = English units in one SI unit):
//
//   code    quantity  English      SI    other   factor
//   F (F0)  force     lbs          kN    F       224.8089237
//   F1      force     kips         kN    F       0.2248089237
//   F2      force     tons         kN    F       0.1124044745
//   F4      mass      lb-sec2/in   Mg    M       5.7101483
//   F5      time      sec          sec   T       1
//   F6      mass      slug         Mg    F       68.364249
//   L (L0)  length    in           m     L       39.37007874
//   L1      length    in           mm    L       0.03937007874
//   L2      length    ft           m     L       3.280839895
//   L3      angle     rad          rad   L       1
//
// Every other character of a code (/, -, ^, exponent digits, text such as "RAD.") stands as it
// is; a code without elements ("DEG.", "SEE NOTES", "") converts with factor 1 and shows
// unchanged. Element letters are upper case: "deg." holds none.
#pragma once

#include <string>
#include <string_view>

namespace korvex {

// Unit systems of a project, a table or a field.
inline constexpr int kEnglishUnits = 1;  // pounds and inches (feet where the code says L2)
inline constexpr int kSIUnits = 2;       // kilonewtons and metres
inline constexpr int kOtherUnits = 3;    // symbolic force F and length L, never converted

// `system` brought into 1..3: below 1 gives English, above 3 gives other units.
int clampUnitSystem(int system);

// Which elements a code may hold. The chart-variant tables know only F, F1, F2, L, L1 and L2:
// any other digit after F or L is read as 0, so there "F4" is the force F and "L3" the length L.
enum class UnitElementSet { Full, Chart };

// The factor of a code, English units per SI unit: the factor of the part before the first "/"
// divided by that of the part after it. Each part is read as at most one force element with an
// optional one-digit exponent ("F^2"), one separator character, and at most one length element
// with an optional one-digit exponent ("L2^3"); what follows them is ignored. So "F/L2^3" gives
// 224.8089237 / 3.280839895^3 (lb/ft^3 in one kN/m^3) and "F-L^2" 224.8089237 x 39.37007874^2.
long double unitCodeFactor(std::string_view code, UnitElementSet elements = UnitElementSet::Full);

// The multiplier that converts a value with unit code `code` stored in system `fromSystem` into
// system `toSystem`: the code's factor to the power -1 from English to SI, +1 from SI to English,
// and 1 for any other pair (same system, or to or from other units).
long double unitConversionFactor(std::string_view code, int fromSystem, int toSystem,
                                 UnitElementSet elements = UnitElementSet::Full);

// Label of a table column's code: every occurrence of every element replaced by its label in
// `system`, the elements taken in the order F2, F1, F4, F5, F6, F, L3, L2, L1, L ("F/L2^3" ->
// "lbs/ft^3" or "kN/m^3"; in other units "F/L^3"). The chart variant replaces F2, F1, F, L2, L1
// and L only, F or L with another digit counting as F or L.
std::string tableUnitLabel(std::string_view code, int system,
                           UnitElementSet elements = UnitElementSet::Full);

// Label of a numeric edit control's code: only the first force element found among F6, F5, F4,
// F2, F1, else F, is replaced (every occurrence of it), then only the first length element found
// among L2, L1, L3, else L. Other units leave the code as it is.
std::string editUnitLabel(std::string_view code, int system);

// Label of a graph axis's code: F2, else F1, else F; then L2, else L1, else L. Other units leave
// the code as it is.
std::string axisUnitLabel(std::string_view code, int system);

}  // namespace korvex
