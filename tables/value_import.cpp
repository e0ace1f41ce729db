#include "tables/value_import.h"

#include <charconv>
#include <cmath>

#include "tables/column_types.h"

namespace korvex {

namespace {

bool isSeparator(char c) { return c == ' ' || c == '\t' || c == ',' || c == '\r'; }

// The word as a number, or nothing when any of it is not part of one.
std::optional<long double> wordNumber(std::string_view word) {
  if (!word.empty() && word.front() == '+') word.remove_prefix(1);
  long double value = 0;
  const auto result = std::from_chars(word.data(), word.data() + word.size(), value);
  if (word.empty() || result.ec != std::errc() || result.ptr != word.data() + word.size()) return std::nullopt;
  return value;
}

}  // namespace

std::vector<std::string_view> textLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

ValueRow lineNumbers(std::string_view line) {
  ValueRow numbers;
  std::size_t i = 0;
  while (static_cast<int>(numbers.size()) < kMaxNumbersPerLine) {
    while (i < line.size() && isSeparator(line[i])) ++i;
    if (i == line.size()) break;
    std::size_t end = i;
    while (end < line.size() && !isSeparator(line[end])) ++end;
    const std::optional<long double> number = wordNumber(line.substr(i, end - i));
    if (!number) break;
    numbers.push_back(*number);
    i = end;
  }
  return numbers;
}

std::vector<ValueRow> readValueRows(std::string_view text, int columns, int maxRows) {
  std::vector<ValueRow> rows;
  for (std::string_view line : textLines(text)) {
    if (maxRows > 0 && static_cast<int>(rows.size()) >= maxRows) break;
    ValueRow numbers = lineNumbers(line);
    if (static_cast<int>(numbers.size()) == columns) rows.push_back(std::move(numbers));
  }
  return rows;
}

std::optional<std::string> importValueRows(TGridTable& table, std::string_view text) {
  const int columns = table.VisibleColumnCount();
  const std::vector<ValueRow> rows = readValueRows(text, columns, table.MaxRows());
  const int count = static_cast<int>(rows.size());
  if (count < table.MinRows()) {
    return "The text holds " + std::to_string(count) + (count == 1 ? " line" : " lines") + " of " +
           std::to_string(columns) + " numbers; this table needs at least " + std::to_string(table.MinRows()) +
           ". The table was left as it was.";
  }
  table.SetRowCount(count);
  for (int r = 0; r < count; ++r) {
    for (int c = 0; c < columns; ++c) {
      TColumn& column = table.VisibleColumn(c);
      const long double value = rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
      if (dynamic_cast<TFloatColumn*>(&column) != nullptr) {
        column.SetFloat(r, value);
      } else if (dynamic_cast<TIntColumn*>(&column) != nullptr && std::fabs(value) < 2147483647.0L) {
        column.SetInt(r, static_cast<int>(std::lround(value)));
      }
    }
  }
  table.SetChanged(true);
  return std::nullopt;
}

}  // namespace korvex
