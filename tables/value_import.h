// Rows of numbers read into a chart table from a text file or from text on the clipboard.
//
// The text is taken line by line; a line ends with CR LF, CR or LF, and the text after the last
// line break is a line too. Each line is split at blanks, tabs and commas into numbers (at most
// 15, stopping at the first word that is not a number). A line with exactly as many numbers as
// the table has data columns is a row; every other line (a title, a blank line, a note) is
// skipped. At most MaxRows rows are taken (0: no limit).
//
// The rows are gathered first and the table changed only when they are enough: fewer than the
// table's MinRows leave it as it was, with a message. Otherwise the table gets exactly the rows
// read, each cell set from its number.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tables/grid_table.h"

namespace korvex {

inline constexpr const char* kNoClipboardText = "There is no text on the Clipboard";
// Numbers a line gives at the most.
inline constexpr int kMaxNumbersPerLine = 15;

using ValueRow = std::vector<long double>;

// The lines of `text`, whatever their line ends.
std::vector<std::string_view> textLines(std::string_view text);

// The numbers at the start of `line`, as the rules above read them.
ValueRow lineNumbers(std::string_view line);

// The rows of `text` for a table of `columns` data columns, at most `maxRows` (0: no limit).
std::vector<ValueRow> readValueRows(std::string_view text, int columns, int maxRows);

// Reads `text` into the visible columns of `table`. Returns the message when the text holds
// fewer rows than MinRows (the table is then unchanged); otherwise the table holds the rows read
// and is marked changed.
std::optional<std::string> importValueRows(TGridTable& table, std::string_view text);

}  // namespace korvex
