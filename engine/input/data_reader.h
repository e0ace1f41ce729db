// Free-format reading of the input data file, record group by record group.
//
// Each read operation starts at the beginning of a new line and fills a list of integer and
// real fields from tokens separated by blanks, tabs, a single comma or line ends; a record
// may continue over several lines, and whatever is left of the last line consumed is
// skipped. A slash ends the read early, two commas in a row leave one field unchanged, and
// r*v stands for r copies of v (r* for r unchanged fields). Fields left unchanged keep the
// value they held before the read. The title line alone is read as 70 fixed characters.
#pragma once

#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace korvex {

// Where a field was found: 1-based line of the data file and 1-based item within that line.
struct DataPosition {
  int line = 0;
  int item = 0;
};

// A read that failed: a token that does not fit its field, or the end of the file inside a
// record. `what()` is the report message (upper case, naming line, item and record);
// `reason()` the same without its heading and place.
class InputError : public std::runtime_error {
 public:
  InputError(std::string message, DataPosition position, std::string reason)
      : std::runtime_error(std::move(message)), m_position(position), m_reason(std::move(reason)) {}
  DataPosition position() const { return m_position; }
  const std::string& reason() const { return m_reason; }

 private:
  DataPosition m_position;
  std::string m_reason;
};

// One field of a read operation: an integer or a real variable to fill.
class ReadTarget {
 public:
  ReadTarget(int& value) : m_integer(&value) {}
  ReadTarget(double& value) : m_real(&value) {}
  int* integer() const { return m_integer; }
  double* real() const { return m_real; }

 private:
  int* m_integer = nullptr;
  double* m_real = nullptr;
};

class DataReader {
 public:
  // `text` is the whole data file; line ends may be LF or CR LF.
  explicit DataReader(std::string text);

  // The next line's first 70 characters, padded with blanks. Throws InputError at the end
  // of the file. `record` names the line in messages.
  std::string readTitle(std::string_view record);

  // One read operation filling `targets` in order. Throws InputError when a token does not
  // fit its field or the file ends before the fields are filled; `record` names the record
  // in messages.
  void read(std::string_view record, std::span<const ReadTarget> targets);

  // Where field `index` of the last read was found; a field left unchanged reports where
  // the read stopped.
  DataPosition fieldPosition(std::size_t index) const;

  // 1-based number of the last line the last read consumed (0 before any read).
  int lastLine() const { return m_lastLine; }

  // True when no line is left to read.
  bool atEnd() const { return m_nextLine >= m_lines.size(); }

 private:
  std::string m_text;
  std::vector<std::string_view> m_lines;
  std::size_t m_nextLine = 0;
  int m_lastLine = 0;
  std::vector<DataPosition> m_fieldPositions;
};

// Parses a real in any Fortran input form (80, -0.5, .5, 1., 1E-5, 2.5D+7, 1.5+3).
// Returns false for anything else, including NaN and infinity.
bool parseFortranReal(std::string_view token, double& value);

// Parses an integer (optional sign, digits only) in the 32-bit range.
bool parseFortranInteger(std::string_view token, int& value);

}  // namespace korvex
