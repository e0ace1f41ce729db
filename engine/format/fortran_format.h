// Fixed-format output in the notation of Fortran edit descriptors.
//
// Every line of the report, the iteration monitor file and the plot data file is produced
// here, so that one set of rules decides rounding, field widths and overflow asterisks.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace korvex {

// One item of an output list: an integer, a real, a logical or a text.
class FieldValue {
 public:
  enum class Kind { Integer, Real, Logical, Text };

  // An empty text: a place in a list of items, filled later.
  FieldValue() : m_kind(Kind::Text) {}
  FieldValue(int value) : m_kind(Kind::Integer), m_integer(value) {}
  FieldValue(long value) : m_kind(Kind::Integer), m_integer(value) {}
  FieldValue(long long value) : m_kind(Kind::Integer), m_integer(value) {}
  FieldValue(std::size_t value) : m_kind(Kind::Integer), m_integer(static_cast<long long>(value)) {}
  FieldValue(double value) : m_kind(Kind::Real), m_real(value) {}
  FieldValue(bool value) : m_kind(Kind::Logical), m_integer(value ? 1 : 0) {}
  FieldValue(std::string_view value) : m_kind(Kind::Text), m_text(value) {}
  FieldValue(const char* value) : m_kind(Kind::Text), m_text(value) {}
  FieldValue(const std::string& value) : m_kind(Kind::Text), m_text(value) {}

  Kind kind() const { return m_kind; }
  long long integer() const { return m_integer; }
  double real() const { return m_kind == Kind::Real ? m_real : static_cast<double>(m_integer); }
  bool logical() const { return m_integer != 0; }
  std::string_view text() const { return m_text; }

 private:
  Kind m_kind;
  long long m_integer = 0;
  double m_real = 0.0;
  std::string_view m_text;
};

// A parsed format such as "5X, I4, 2X, E10.3, 6E12.3" or "/, 6X, 'Stage No :', I2".
//
// Supported descriptors: 'text' (a doubled quote stands for one), nX, Iw, Iw.m, Fw.d, Ew.d,
// Dw.d, Lw, Aw, A, kP, / and repeat counts on descriptors and parenthesised groups.
// Output follows the Fortran rules: values are rounded correctly to the printed digits,
// a value that does not fit prints as w asterisks, output stops at the first data descriptor
// for which no item is left, and items left over at the end of the format start a new line at
// the last top-level group (format reversion). nX always writes n blanks.
//
// A malformed format is a programming error and throws std::invalid_argument; an item of the
// wrong kind for its descriptor throws std::logic_error.
class Format {
 public:
  explicit Format(std::string_view text);

  // Appends the lines produced for `items` to `out`, each ended by '\n'.
  void write(std::string& out, std::span<const FieldValue> items) const;

  // Convenience: the lines produced for `items`, each ended by '\n'.
  std::string format(std::span<const FieldValue> items) const;

  // One descriptor of a parsed format; a group holds its descriptors as children.
  struct Node {
    enum class Kind { Literal, Blanks, Integer, Fixed, Exponent, Logical, Text, NewLine, Scale, Group };
    Kind kind = Kind::Literal;
    int repeat = 1;
    int width = 0;      // field width; 0 with Text means "the item's own length"
    int digits = 0;     // d of Fw.d and Ew.d, m of Iw.m, k of kP
    char letter = 'E';  // exponent letter of E and D fields
    std::string literal;
    std::vector<Node> children;
  };

 private:
  std::vector<Node> m_nodes;
  std::size_t m_reversionStart = 0;
};

// The field formatters behind the descriptors, for callers that need one field alone.
// Each gives exactly `width` characters; the append forms add them to `out` without a
// string of their own.
std::string formatInteger(long long value, int width, int minDigits = 1);
std::string formatFixed(double value, int width, int decimals, int scale = 0);
std::string formatExponent(double value, int width, int decimals, int scale = 0, char letter = 'E');
void appendInteger(std::string& out, long long value, int width, int minDigits = 1);
void appendFixed(std::string& out, double value, int width, int decimals, int scale = 0);
void appendExponent(std::string& out, double value, int width, int decimals, int scale = 0, char letter = 'E');

// List-directed output of one line: every item preceded by one blank; integers in 11 columns,
// reals as G25.17 with a three-digit exponent in the exponent form, logicals as T or F, texts
// as they are. Ends the line with '\n'.
void writeListDirected(std::string& out, std::span<const FieldValue> items);

}  // namespace korvex
