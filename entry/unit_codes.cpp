#include "entry/unit_codes.h"

#include <algorithm>
#include <array>
#include <initializer_list>

namespace korvex {

namespace {

struct UnitElement {
  char letter;        // 'F' or 'L'
  char digit;         // '0' for the plain F and L
  long double factor;  // English units in one SI unit
  std::array<std::string_view, 3> labels;  // English, SI, other units
};

constexpr UnitElement kF0{'F', '0', 224.8089237L, {"lbs", "kN", "F"}};
constexpr UnitElement kF1{'F', '1', 0.2248089237L, {"kips", "kN", "F"}};
constexpr UnitElement kF2{'F', '2', 0.1124044745L, {"tons", "kN", "F"}};
constexpr UnitElement kF4{'F', '4', 5.7101483L, {"lb-sec2/in", "Mg", "M"}};
constexpr UnitElement kF5{'F', '5', 1.0L, {"sec", "sec", "T"}};
// 1 Mg = 1000 kg / 14.593902937 kg per slug (a slug is 1 lbf s^2/ft).
constexpr UnitElement kF6{'F', '6', 68.52176586L, {"slug", "Mg", "F"}};
constexpr UnitElement kL0{'L', '0', 39.37007874L, {"in", "m", "L"}};
constexpr UnitElement kL1{'L', '1', 0.03937007874L, {"in", "mm", "L"}};
constexpr UnitElement kL2{'L', '2', 3.280839895L, {"ft", "m", "L"}};
constexpr UnitElement kL3{'L', '3', 1.0L, {"rad", "rad", "L"}};

constexpr std::array<const UnitElement*, 10> kAllElements{&kF0, &kF1, &kF2, &kF4, &kF5,
                                                          &kF6, &kL0, &kL1, &kL2, &kL3};

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The element digits a code may carry after F or L in the given element set.
std::string_view elementDigits(char letter, UnitElementSet elements) {
  if (elements == UnitElementSet::Chart) return "012";
  return letter == 'F' ? "012456" : "0123";
}

const UnitElement& elementFor(char letter, char digit) {
  for (const UnitElement* element : kAllElements)
    if (element->letter == letter && element->digit == digit) return *element;
  return letter == 'F' ? kF0 : kL0;
}

// Characters of `text` at `pos` that spell `element`, 0 when it is not there. The plain F and L
// take a following "0" with them (F0 is F); in the chart set they also take any digit other
// than 1 and 2, which that set reads as 0.
std::size_t matchLength(std::string_view text, std::size_t pos, const UnitElement& element,
                        UnitElementSet elements) {
  if (text[pos] != element.letter) return 0;
  const bool hasNext = pos + 1 < text.size();
  const char next = hasNext ? text[pos + 1] : '\0';
  if (element.digit != '0') return next == element.digit ? 2 : 0;
  if (next == '0') return 2;
  if (elements == UnitElementSet::Chart && isDigit(next) && next != '1' && next != '2') return 2;
  return 1;
}

bool containsElement(std::string_view text, const UnitElement& element, UnitElementSet elements) {
  for (std::size_t pos = 0; pos < text.size(); ++pos)
    if (matchLength(text, pos, element, elements) > 0) return true;
  return false;
}

// Replaces every occurrence of `element` by its label; the search goes on after the inserted
// label, so a label that spells its own element ("F" in other units) is left alone.
void replaceElement(std::string& text, const UnitElement& element, int system,
                    UnitElementSet elements) {
  const std::string_view label = element.labels[static_cast<std::size_t>(clampUnitSystem(system) - 1)];
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t length = matchLength(text, pos, element, elements);
    if (length == 0) {
      ++pos;
      continue;
    }
    text.replace(pos, length, label);
    pos += label.size();
  }
}

// Replaces only the first of `candidates` that the text holds, else the plain `fallback`.
void replaceFirstFound(std::string& text, std::initializer_list<const UnitElement*> candidates,
                       const UnitElement& fallback, int system) {
  for (const UnitElement* element : candidates) {
    if (containsElement(text, *element, UnitElementSet::Full)) {
      replaceElement(text, *element, system, UnitElementSet::Full);
      return;
    }
  }
  replaceElement(text, fallback, system, UnitElementSet::Full);
}

long double power(long double base, int exponent) {
  long double result = 1.0L;
  for (int i = 0; i < exponent; ++i) result *= base;
  return result;
}

// The element digit after the leading letter of `part`: a missing or foreign character gets a
// "0" inserted before it; in the chart set a digit it does not know is read as 0.
void settleElementDigit(std::string& part, UnitElementSet elements) {
  const std::string_view known = elementDigits(part[0], elements);
  if (part.size() >= 2 && known.find(part[1]) != std::string_view::npos) return;
  if (elements == UnitElementSet::Chart && part.size() >= 2 && isDigit(part[1])) {
    part[1] = '0';
    return;
  }
  part.insert(1, 1, '0');
}

// Factor of one side of the "/": force element, optional "^digit", one separator character,
// then length element with an optional "^digit".
long double partFactor(std::string_view text, UnitElementSet elements) {
  std::string part(text);
  long double factor = 1.0L;
  if (!part.empty() && part[0] == 'F') {
    settleElementDigit(part, elements);
    const UnitElement& force = elementFor('F', part[1]);
    int exponent = 1;
    std::size_t consumed = 3;  // F, digit, separator
    if (part.size() >= 3 && part[2] == '^') {
      if (part.size() >= 4 && isDigit(part[3])) exponent = part[3] - '0';
      consumed = 5;  // F, digit, ^, exponent, separator
    }
    part.erase(0, std::min(consumed, part.size()));
    factor *= power(force.factor, exponent);
  }
  if (!part.empty() && part[0] == 'L') {
    settleElementDigit(part, elements);
    const UnitElement& length = elementFor('L', part[1]);
    int exponent = 1;
    if (part.size() >= 4 && part[2] == '^' && isDigit(part[3])) exponent = part[3] - '0';
    factor *= power(length.factor, exponent);
  }
  return factor;
}

}  // namespace

int clampUnitSystem(int system) { return std::clamp(system, kEnglishUnits, kOtherUnits); }

long double unitCodeFactor(std::string_view code, UnitElementSet elements) {
  const std::size_t slash = code.find('/');
  if (slash == std::string_view::npos) return partFactor(code, elements);
  return partFactor(code.substr(0, slash), elements) / partFactor(code.substr(slash + 1), elements);
}

long double unitConversionFactor(std::string_view code, int fromSystem, int toSystem,
                                 UnitElementSet elements) {
  if (fromSystem == kEnglishUnits && toSystem == kSIUnits) return 1.0L / unitCodeFactor(code, elements);
  if (fromSystem == kSIUnits && toSystem == kEnglishUnits) return unitCodeFactor(code, elements);
  return 1.0L;
}

std::string tableUnitLabel(std::string_view code, int system, UnitElementSet elements) {
  std::string label(code);
  if (elements == UnitElementSet::Chart) {
    for (const UnitElement* element : {&kF2, &kF1, &kF0, &kL2, &kL1, &kL0})
      replaceElement(label, *element, system, elements);
  } else {
    for (const UnitElement* element : {&kF2, &kF1, &kF4, &kF5, &kF6, &kF0, &kL3, &kL2, &kL1, &kL0})
      replaceElement(label, *element, system, elements);
  }
  return label;
}

std::string editUnitLabel(std::string_view code, int system) {
  std::string label(code);
  if (clampUnitSystem(system) == kOtherUnits) return label;
  replaceFirstFound(label, {&kF6, &kF5, &kF4, &kF2, &kF1}, kF0, system);
  replaceFirstFound(label, {&kL2, &kL1, &kL3}, kL0, system);
  return label;
}

std::string axisUnitLabel(std::string_view code, int system) {
  std::string label(code);
  if (clampUnitSystem(system) == kOtherUnits) return label;
  replaceFirstFound(label, {&kF2, &kF1}, kF0, system);
  replaceFirstFound(label, {&kL2, &kL1}, kL0, system);
  return label;
}

}  // namespace korvex
