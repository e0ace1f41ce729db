// Numbers as the views label them.
#pragma once

#include <string>

namespace korvex {

// The three-dimensional view's number labels: exponent format with four significant digits and
// two exponent digits ("1.235E+05", "5.000E-04") when the magnitude is at most 0.001 or at
// least 100000, otherwise fixed format with three decimals ("12.500").
std::string numberLabel(double value);

// The shortest text that reads back as `value` ("0.5", "120", "1e-05"), as the side view writes
// soil parameters.
std::string shortestNumber(double value);

// `value` in fixed format with `decimals` decimals; a value that rounds to zero is written
// without a minus sign.
std::string fixedNumber(double value, int decimals);

}  // namespace korvex
