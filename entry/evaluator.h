// The arithmetic behind every numeric entry of the desktop program: a dialog field or a table
// cell may hold an expression such as 12*3.5, sqrt(2)/2, 2^10 or pi/4 instead of a number.
//
// Grammar, in the order the text is worked on:
//   - blanks and tabs are dropped;
//   - the decimal separator of the program's C locale (a comma for many users) reads as a full
//     stop, so 2,5 and 2.5 are the same entry where the locale writes 2,5;
//   - the innermost parentheses are evaluated first and replaced by their value written in
//     general format with 18 significant digits, until none are left; a bracket must stand
//     apart: before "(" only the start, "(", a binary operator, a minus or a function name,
//     after ")" only the end, ")", a binary operator, a minus or "!" (2(3+4) is refused, not
//     read as 27);
//   - a "-" is the sign of the operand after it when it opens the text, follows one of
//     % & * + / = E ^ e | ~ or another minus, or follows an operand that so far is exactly a
//     function name, "!" or "$" (so 1e-5, 2^-1, 3--2 and sin-30 read as intended); otherwise it
//     subtracts;
//   - binary operators in four passes, each from left to right, each result written back in
//     general format with 18 significant digits:
//       ^            power (2^3^2 is (2^3)^2 = 64)
//       * / % &      multiply, divide, remainder of the operands cut to integers (7.9%2.1 is
//                    7 mod 2 = 1), logical and (1 or 0)
//       + - |        add, subtract, logical or (1 or 0)
//       =            equality (1 or 0)
//     The sign stays with its operand: -2^2 is (-2)^2 = 4.
//   - an operand is pi or e (either with a sign), a prefix function applied to the rest of the
//     operand (sin30 is sin(30), angles in radians), a factorial n!, a hexadecimal integer $1F,
//     or a decimal number with a full stop.
//
// Results are always written with a full stop, whatever the locale. Evaluation never recurses
// with the length of the text, and entries longer than kMaxEntryLength are refused.
//
// Every failure raises AssignmentError with a message that begins "Entry could not be
// evaluated:" and a line break ("\r"); that includes arithmetic that has no finite result
// (division by zero, logarithm of zero or of a negative number, overflow, roots and inverse
// functions outside their domain), so no infinity or NaN ever leaves the evaluator.
#pragma once

#include <cstddef>
#include <string_view>

#include "entry/assignment_error.h"

namespace korvex {

// The messages of the evaluator, exactly as the user sees them ("\r" is a line break).
namespace evaluator_messages {
inline constexpr std::string_view kBlank = "Entry could not be evaluated:\rentry cannot be blank";
inline constexpr std::string_view kParentheses = "Entry could not be evaluated:\r() (parentheses) do not match";
inline constexpr std::string_view kInvalidExpression = "Entry could not be evaluated:\rinvalid expression";
inline constexpr std::string_view kFactorial =
    "Entry could not be evaluated:\r! (factoral) applicable to integers only";
inline constexpr std::string_view kHexadecimal = "Entry could not be evaluated:\rinvalid use of $ (hex function)";
inline constexpr std::string_view kInvalidCharacters =
    "Entry could not be evaluated:\rinvalid character(s) in expression";
// Arithmetic without a finite real result.
inline constexpr std::string_view kDivisionByZero = "Entry could not be evaluated:\rdivision by zero";
inline constexpr std::string_view kLogarithm =
    "Entry could not be evaluated:\rlogarithm of zero or of a negative number";
inline constexpr std::string_view kOverflow = "Entry could not be evaluated:\rnumber too large (overflow)";
inline constexpr std::string_view kNotReal = "Entry could not be evaluated:\rresult is not a real number";
}  // namespace evaluator_messages

// The longest entry taken, in characters as typed. A dialog field or table cell holds a number
// or a short formula; text thousands of characters long is a paste gone wrong, and refusing it
// keeps every evaluation short (each operator rewrites the list of operands, so the work grows
// with the square of the length).
inline constexpr std::size_t kMaxEntryLength = 4000;

// The value of the expression `text`; throws AssignmentError with one of the messages above.
// The result is always finite.
long double evaluateExpression(std::string_view text);

}  // namespace korvex
