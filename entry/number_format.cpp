#include "entry/number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace korvex {

std::string formatGeneral(long double value, int significantDigits, int smallestFixedExponent) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (value == 0) return "0";
  const int digits = std::clamp(significantDigits, 1, kEntryDigits);

  // to_chars rounds the exact binary value to `digits` significant digits ("d.ddde+XX") and,
  // unlike printf, writes a full stop whatever the C locale of the program.
  char buffer[64];
  const char* const end =
      std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific, digits - 1).ptr;
  std::string mantissa;
  const char* p = buffer;
  for (; *p != 'e'; ++p)
    if (*p != '.') mantissa.push_back(*p);
  ++p;  // 'e'
  if (*p == '+') ++p;
  int exponent = 0;
  std::from_chars(p, end, exponent);
  while (mantissa.size() > 1 && mantissa.back() == '0') mantissa.pop_back();

  std::string text = value < 0 ? "-" : "";
  if (exponent >= digits || exponent < smallestFixedExponent) {
    text += mantissa[0];
    if (mantissa.size() > 1) text += "." + mantissa.substr(1);
    text += "E" + std::to_string(exponent);  // an integer: no locale is involved
  } else if (exponent >= 0) {
    const auto whole = static_cast<std::size_t>(exponent) + 1;
    if (mantissa.size() <= whole) {
      text += mantissa + std::string(whole - mantissa.size(), '0');
    } else {
      text += mantissa.substr(0, whole) + "." + mantissa.substr(whole);
    }
  } else {
    text += "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + mantissa;
  }
  return text;
}

long double roundHalfEven(long double value) {
  const long double whole = std::trunc(value);
  const long double part = std::fabs(value - whole);
  if (part < 0.5L) return whole;
  const long double away = whole + (value < 0 ? -1.0L : 1.0L);
  if (part > 0.5L) return away;
  return std::fmod(whole, 2.0L) == 0 ? whole : away;
}

std::string formatHexadecimal(long double value) {
  constexpr long double kTwoTo64 = 18446744073709551616.0L;
  if (!std::isfinite(value)) return formatGeneral(value, kEntryDigits);
  const long double rounded = roundHalfEven(value);
  const long double magnitude = std::fabs(rounded);
  if (magnitude >= kTwoTo64) return formatGeneral(value, kEntryDigits);

  char buffer[32];
  const char* const end = std::to_chars(buffer, buffer + sizeof buffer, static_cast<std::uint64_t>(magnitude), 16).ptr;
  std::string digits(buffer, static_cast<std::size_t>(end - buffer));
  for (char& c : digits)
    if (c >= 'a' && c <= 'f') c = static_cast<char>(c - 'a' + 'A');
  if (digits.size() < 4) digits.insert(0, 4 - digits.size(), '0');
  return (rounded < 0 ? "-$" : "$") + digits;
}

}  // namespace korvex
