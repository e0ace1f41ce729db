#include "entry/data_edit_rules.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string_view>

#include "entry/evaluator.h"
#include "entry/number_format.h"
#include "entry/unit_codes.h"

namespace korvex {

namespace {

constexpr long double kIntegerLow = std::numeric_limits<std::int32_t>::min();
constexpr long double kIntegerHigh = std::numeric_limits<std::int32_t>::max();

}  // namespace

long double TDataEditRules::number() const { return evaluateExpression(m_text); }

bool TDataEditRules::currentNumber(long double& value) const {
  try {
    value = evaluateExpression(m_text);
    return true;
  } catch (const AssignmentError&) {
    return false;
  }
}

void TDataEditRules::setNumber(long double value) {
  if (!m_loading) value = std::max(std::min(value, m_maxVal), m_minVal);
  m_text = formatNumber(value);
}

void TDataEditRules::setMaxVal(long double value) {
  if (m_loading) {
    m_maxVal = value;
    return;
  }
  value = std::max(value, m_minVal);
  if (m_integerOnly) value = std::clamp(value, kIntegerLow, kIntegerHigh);
  m_maxVal = value;
  long double current = 0;
  if (currentNumber(current) && current > m_maxVal) setNumber(m_maxVal);
}

void TDataEditRules::setMinVal(long double value) {
  if (m_loading) {
    m_minVal = value;
    return;
  }
  value = std::min(value, m_maxVal);
  if (m_integerOnly) value = std::clamp(value, kIntegerLow, kIntegerHigh);
  m_minVal = value;
  long double current = 0;
  if (currentNumber(current) && current < m_minVal) setNumber(m_minVal);
}

void TDataEditRules::setIntegerOnly(bool integerOnly) {
  m_integerOnly = integerOnly;
  if (!integerOnly || m_loading) return;
  setMaxVal(m_maxVal);
  setMinVal(m_minVal);
}

void TDataEditRules::setHex(bool hex) {
  m_hex = hex;
  long double current = 0;
  if (!m_loading && currentNumber(current)) m_text = formatNumber(current);
}

void TDataEditRules::setUnits(int system) { m_units = clampUnitSystem(system); }

std::string TDataEditRules::labelText() const {
  if (m_unitsString.empty()) return m_caption;
  return m_caption + " (" + editUnitLabel(m_unitsString, m_units) + ")";
}

TDataEditRules::LeaveCheck TDataEditRules::leaveCheck() {
  m_lastCheckSucceeded = false;
  long double value = 0;
  try {
    value = evaluateExpression(m_text);
  } catch (const AssignmentError& error) {
    return {false, m_integerOnly ? "Entry must be a valid integer." : error.what()};
  }
  if (m_integerOnly && value != std::trunc(value)) return {false, "Entry must be an integer."};
  if (value < m_minVal) {
    setNumber(m_minVal);
    return {false, "Entry must be greater than or equal to " + formatNumber(m_minVal)};
  }
  if (value > m_maxVal) {
    setNumber(m_maxVal);
    return {false, "Entry must be less than or equal to " + formatNumber(m_maxVal)};
  }
  m_text = formatNumber(value);
  m_lastCheckSucceeded = true;
  return {true, {}};
}

std::string TDataEditRules::formatNumber(long double value) const {
  return m_hex ? formatHexadecimal(value) : formatGeneral(value, kEntryDigits);
}

bool TDataEditRules::keyExtendsValue(char key) {
  return std::string_view("+-/*^=%!").find(key) != std::string_view::npos;
}

}  // namespace korvex
