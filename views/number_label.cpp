#include "views/number_label.h"

#include <charconv>
#include <cmath>

namespace korvex {

namespace {

constexpr double kSmallestFixed = 0.001;
constexpr double kLargestFixed = 100000;

std::string toText(double value, std::chars_format format, int precision) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format, precision);
  return std::string(buffer, result.ptr);
}

}  // namespace

std::string numberLabel(double value) {
  const double magnitude = std::abs(value);
  if (magnitude <= kSmallestFixed || magnitude >= kLargestFixed) {
    std::string text = toText(value, std::chars_format::scientific, 3);
    for (char& c : text)
      if (c == 'e') c = 'E';
    return text;
  }
  return toText(value, std::chars_format::fixed, 3);
}

std::string shortestNumber(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string fixedNumber(double value, int decimals) {
  std::string text = toText(value, std::chars_format::fixed, decimals);
  if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
  return text;
}

}  // namespace korvex
