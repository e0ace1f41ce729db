#include "input/data_reader.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace korvex {

namespace {

constexpr std::size_t kTitleWidth = 70;
constexpr std::size_t kQuotedTokenLimit = 20;

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool endsToken(char c) { return isBlank(c) || c == ',' || c == '/'; }

// A token as it may be quoted in a report line: printable, and not too long.
std::string quoted(std::string_view token) {
  std::string text;
  for (std::size_t i = 0; i < token.size() && i < kQuotedTokenLimit; ++i) {
    const unsigned char c = static_cast<unsigned char>(token[i]);
    text += c >= 32 && c < 127 ? static_cast<char>(c) : '?';
  }
  if (token.size() > kQuotedTokenLimit) text += "...";
  return "'" + text + "'";
}

std::string upper(std::string_view text) {
  std::string result(text);
  for (char& c : result)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return result;
}

[[noreturn]] void failToken(std::string_view record, DataPosition at, bool integerField, std::string_view token) {
  std::string reason = std::string(integerField ? "AN INTEGER" : "A NUMBER") + " IS EXPECTED, NOT " + quoted(token) +
                       " (" + upper(record) + ")";
  throw InputError("ERROR STOP -- INPUT DATA LINE " + std::to_string(at.line) + ", ITEM " + std::to_string(at.item) +
                       ": " + reason,
                   at, reason);
}

[[noreturn]] void failEnd(std::string_view record, int lastLine, std::size_t field) {
  std::string reason = "ITEM " + std::to_string(field + 1) + " OF THE " + upper(record) + " IS MISSING";
  throw InputError("ERROR STOP -- INPUT DATA FILE ENDS AT LINE " + std::to_string(lastLine) + ": " + reason,
                   DataPosition{lastLine, 0}, "THE INPUT DATA FILE ENDS: " + reason);
}

}  // namespace

bool parseFortranInteger(std::string_view token, int& value) {
  std::size_t start = 0;
  if (!token.empty() && (token[0] == '+' || token[0] == '-')) start = 1;
  if (start == token.size()) return false;
  for (std::size_t i = start; i < token.size(); ++i)
    if (!isDigit(token[i])) return false;
  long long result = 0;
  const char* first = token.data() + (token[0] == '+' ? 1 : 0);
  const auto [end, error] = std::from_chars(first, token.data() + token.size(), result);
  if (error != std::errc() || end != token.data() + token.size()) return false;
  if (result < std::numeric_limits<int>::min() || result > std::numeric_limits<int>::max()) return false;
  value = static_cast<int>(result);
  return true;
}

bool parseFortranReal(std::string_view token, double& value) {
  // Normalise to the form from_chars reads: [-]digits[.digits][e[-]digits].
  std::string text;
  std::size_t i = 0;
  if (i < token.size() && (token[i] == '+' || token[i] == '-')) {
    if (token[i] == '-') text += '-';
    ++i;
  }
  std::size_t mantissaDigits = 0;
  while (i < token.size() && isDigit(token[i])) {
    text += token[i++];
    ++mantissaDigits;
  }
  if (i < token.size() && token[i] == '.') {
    text += token[i++];
    while (i < token.size() && isDigit(token[i])) {
      text += token[i++];
      ++mantissaDigits;
    }
  }
  if (mantissaDigits == 0) return false;
  if (i < token.size()) {
    const char c = token[i];
    if (c == 'E' || c == 'e' || c == 'D' || c == 'd' || c == 'Q' || c == 'q') {
      ++i;
    } else if (c != '+' && c != '-') {
      return false;
    }
    text += 'e';
    if (i < token.size() && (token[i] == '+' || token[i] == '-')) {
      if (token[i] == '-') text += '-';
      ++i;
    }
    std::size_t exponentDigits = 0;
    while (i < token.size() && isDigit(token[i])) {
      text += token[i++];
      ++exponentDigits;
    }
    if (exponentDigits == 0) return false;
  }
  if (i != token.size()) return false;
  double result = 0.0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), result);
  if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(result)) return false;
  value = result;
  return true;
}

DataReader::DataReader(std::string text) : m_text(std::move(text)) {
  std::string_view rest(m_text);
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    m_lines.push_back(line);
    if (end == std::string_view::npos) break;
    rest.remove_prefix(end + 1);
  }
}

std::string DataReader::readTitle(std::string_view record) {
  if (atEnd()) failEnd(record, m_lastLine, 0);
  std::string title(m_lines[m_nextLine].substr(0, kTitleWidth));
  title.resize(kTitleWidth, ' ');
  m_lastLine = static_cast<int>(++m_nextLine);
  return title;
}

void DataReader::read(std::string_view record, std::span<const ReadTarget> targets) {
  m_fieldPositions.assign(targets.size(), DataPosition{});
  if (atEnd()) failEnd(record, m_lastLine, 0);

  std::size_t lineIndex = m_nextLine;
  std::size_t pos = 0;
  int itemInLine = 0;
  bool valueBeforeComma = false;  // a value was read and its separating comma not yet seen
  std::size_t field = 0;

  auto here = [&] { return DataPosition{static_cast<int>(lineIndex + 1), itemInLine}; };

  while (field < targets.size()) {
    const std::string_view line = m_lines[lineIndex];
    while (pos < line.size() && isBlank(line[pos])) ++pos;
    if (pos >= line.size()) {
      // A line end separates like a blank; the record continues on the next line.
      if (lineIndex + 1 >= m_lines.size()) {
        m_lastLine = static_cast<int>(lineIndex + 1);
        m_nextLine = m_lines.size();
        failEnd(record, m_lastLine, field);
      }
      ++lineIndex;
      pos = 0;
      itemInLine = 0;
      continue;
    }
    const char c = line[pos];
    if (c == ',') {
      ++pos;
      if (valueBeforeComma) {
        valueBeforeComma = false;
      } else {
        ++itemInLine;
        m_fieldPositions[field++] = here();  // null value: the field keeps its value
      }
      continue;
    }
    if (c == '/') break;

    const std::size_t start = pos;
    while (pos < line.size() && !endsToken(line[pos])) ++pos;
    const std::string_view token = line.substr(start, pos - start);
    ++itemInLine;
    valueBeforeComma = true;

    // r*v repeats v r times; r* leaves r fields unchanged.
    std::size_t repeat = 1;
    std::string_view value = token;
    const std::size_t star = token.find('*');
    if (star != std::string_view::npos) {
      int count = 0;
      if (!parseFortranInteger(token.substr(0, star), count) || count < 1 || token[0] == '+' || token[0] == '-') {
        failToken(record, here(), targets[field].integer() != nullptr, token);
      }
      repeat = static_cast<std::size_t>(count);
      value = token.substr(star + 1);
    }
    for (std::size_t r = 0; r < repeat && field < targets.size(); ++r) {
      const ReadTarget& target = targets[field];
      m_fieldPositions[field] = here();
      if (!value.empty()) {
        if (target.integer() != nullptr) {
          int parsed = 0;
          if (!parseFortranInteger(value, parsed)) failToken(record, here(), true, token);
          *target.integer() = parsed;
        } else {
          double parsed = 0.0;
          if (!parseFortranReal(value, parsed)) failToken(record, here(), false, token);
          *target.real() = parsed;
        }
      }
      ++field;
    }
  }
  // Fields a slash left unread keep their values; report them where the read stopped.
  for (std::size_t rest = field; rest < targets.size(); ++rest) m_fieldPositions[rest] = here();
  m_nextLine = lineIndex + 1;
  m_lastLine = static_cast<int>(lineIndex + 1);
}

DataPosition DataReader::fieldPosition(std::size_t index) const {
  if (index < m_fieldPositions.size()) return m_fieldPositions[index];
  return DataPosition{m_lastLine, 0};
}

}  // namespace korvex
