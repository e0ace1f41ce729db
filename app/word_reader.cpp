#include "app/word_reader.h"

#include <fcntl.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <utility>

#include "app/system_error_text.h"

namespace korvex {

namespace {

constexpr const char* kFloatExpected = "A floating point number was expected but not found.";
constexpr const char* kIntegerExpected = "An integer was expected but not found.";

bool isBlankOrTab(char c) { return c == ' ' || c == '\t'; }
bool isControlOrBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

// Control characters and blanks trimmed from both ends, then cut at every run of blanks and
// tabs.
std::vector<std::string> wordsOf(const std::string& line) {
  std::size_t begin = 0;
  std::size_t end = line.size();
  while (begin < end && isControlOrBlank(line[begin])) ++begin;
  while (end > begin && isControlOrBlank(line[end - 1])) --end;
  std::vector<std::string> words;
  std::size_t at = begin;
  while (at < end) {
    std::size_t cut = at;
    while (cut < end && !isBlankOrTab(line[cut])) ++cut;
    words.emplace_back(line, at, cut - at);
    while (cut < end && isBlankOrTab(line[cut])) ++cut;
    at = cut;
  }
  return words;
}

// `word` as a finite number: optional sign, digits with an optional point, optional exponent.
bool parseNumber(const std::string& word, long double& value) {
  const char* begin = word.data();
  const char* end = begin + word.size();
  // One sign at most: from_chars takes a minus but no plus, so a plus is stepped over here and
  // must not be followed by another sign ("+-1", "++1").
  if (begin != end && *begin == '+') ++begin;
  if (begin == end || *begin == '+' || (begin != word.data() && *begin == '-')) return false;
  // Only digits, point, sign and exponent letters: no "inf", "nan" or hexadecimal forms.
  for (const char* p = begin; p != end; ++p) {
    const char c = *p;
    if (!(std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E'))
      return false;
  }
  const auto [stop, error] = std::from_chars(begin, end, value, std::chars_format::general);
  return error == std::errc() && stop == end && std::isfinite(value);
}

}  // namespace

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && text[i] != '\n' && text[i] != '\r') continue;
    std::string raw = text.substr(start, i - start);
    if (i < text.size() || !raw.empty() || lines.empty()) lines.push_back(std::move(raw));
    if (i + 1 < text.size() && text[i] == '\r' && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  return lines;
}

TWordReader::TWordReader(const std::string& text) {
  for (std::string& raw : SplitLines(text)) {
    std::vector<std::string> words = wordsOf(raw);
    m_lines.push_back({std::move(raw), std::move(words)});
  }
  m_wordsFrom.assign(m_lines.size() + 1, 0);
  for (std::size_t line = m_lines.size(); line-- > 0;)
    m_wordsFrom[line] = m_wordsFrom[line + 1] + static_cast<long long>(m_lines[line].words.size());
}

TWordReader TWordReader::FromFile(const std::filesystem::path& path) { return TWordReader(ReadTextFile(path)); }

std::string ReadTextFile(const std::filesystem::path& path) {
  // Read with the system's calls so that its own message names what went wrong: a folder opens
  // but does not read ("Is a directory").
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw ProjectReadError(systemErrorText("Cannot open file", path, errno));
  std::string text;
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      ::close(fd);
      throw ProjectReadError(systemErrorText("Cannot read file", path, error));
    }
    text.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return text;
}

void TWordReader::Fail(int item, const char* expected) const {
  throw ProjectReadError("Error on Line " + std::to_string(m_line + 1) + " Item " + std::to_string(item) + "\r" +
                         expected);
}

const std::string& TWordReader::NextWord(const char* expected, int& item) {
  if (m_line >= static_cast<int>(m_lines.size())) throw ProjectReadError(kIncompleteFile);
  if (m_word >= static_cast<int>(m_lines[static_cast<std::size_t>(m_line)].words.size())) {
    ++m_line;
    m_word = 0;
    if (m_line >= static_cast<int>(m_lines.size())) throw ProjectReadError(kIncompleteFile);
  }
  const Line& line = m_lines[static_cast<std::size_t>(m_line)];
  item = m_word + 1;
  // An empty line where a number is expected fails like a word that is no number.
  if (m_word >= static_cast<int>(line.words.size())) Fail(item, expected);
  return line.words[static_cast<std::size_t>(m_word++)];
}

long double TWordReader::ReadFloat() {
  int item = 0;
  const std::string& word = NextWord(kFloatExpected, item);
  long double value = 0;
  if (!parseNumber(word, value)) Fail(item, kFloatExpected);
  return value;
}

int TWordReader::ReadInteger() {
  int item = 0;
  const std::string& word = NextWord(kIntegerExpected, item);
  long double value = 0;
  if (!parseNumber(word, value) || value != std::trunc(value) || value < -2147483648.0L || value > 2147483647.0L)
    Fail(item, kIntegerExpected);
  return static_cast<int>(value);
}

std::string TWordReader::ReadLine() {
  if (m_line >= static_cast<int>(m_lines.size())) throw ProjectReadError(kIncompleteFile);
  std::string raw = m_lines[static_cast<std::size_t>(m_line)].raw;
  ++m_line;
  m_word = 0;
  return raw;
}

long long TWordReader::RemainingWords() const {
  if (m_line >= static_cast<int>(m_lines.size())) return 0;
  return m_wordsFrom[static_cast<std::size_t>(m_line)] - m_word;
}

int TWordReader::WordCount() const {
  if (m_line >= static_cast<int>(m_lines.size())) return 0;
  return static_cast<int>(m_lines[static_cast<std::size_t>(m_line)].words.size());
}

}  // namespace korvex
