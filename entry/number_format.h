// Text forms of extended-precision numbers as the desktop program shows them: the general
// format (fixed or scientific, whichever the magnitude calls for, with a given number of
// significant digits) and the "$" hexadecimal form of numeric entries.
#pragma once

#include <string>

namespace korvex {

// Significant digits of a numeric entry's text and of every intermediate result of an
// expression.
inline constexpr int kEntryDigits = 18;

// Decimal exponent of the smallest magnitude the general format shows in fixed notation: on
// screen 0.00001 (1E-5) is still "0.00001"; in project data files 0.0001 is the smallest.
inline constexpr int kScreenSmallestFixedExponent = -5;
inline constexpr int kFileSmallestFixedExponent = -4;

// `value` rounded to `significantDigits` (1 to 18) significant digits, trailing zeros and a
// bare decimal point dropped, full stop as decimal separator. Fixed notation while the value
// has at most `significantDigits` digits before the point and its rounded magnitude is at
// least 10^smallestFixedExponent; otherwise one digit, the other digits after a point, "E" and
// the decimal exponent with a minus sign only when negative ("1E20", "1.5E-7"): an exponent
// never carries a "+", so the text reads back as a single operand in an expression. Zero (of
// either sign) is "0"; infinities and NaN give "INF", "-INF" and "NAN".
std::string formatGeneral(long double value, int significantDigits,
                          int smallestFixedExponent = kScreenSmallestFixedExponent);

// "$" followed by the upper-case hexadecimal digits of `value` rounded to the nearest integer
// (ties to even), at least four digits ("$001F"); a negative value is "-$" and the digits of its
// magnitude. Magnitudes of 2^64 and above have no such form and are given in general format
// with kEntryDigits digits; so are infinities and NaN.
std::string formatHexadecimal(long double value);

// `value` rounded to the nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4,
// -2.5 -> -2), whatever the processor's rounding mode.
long double roundHalfEven(long double value);

}  // namespace korvex
