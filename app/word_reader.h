// The word reader of project data files: the whole file as lines, each split into words at
// runs of blanks and tabs, read number by number in file order. The desktop program reads every
// kind of data file through it; its messages are the ones the user sees when a file does not
// read.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace korvex {

// A data file that does not read; what() is the message shown to the user ('\r' is a line
// break).
class ProjectReadError : public std::runtime_error {
 public:
  explicit ProjectReadError(const std::string& message) : std::runtime_error(message) {}
};

inline constexpr const char* kIncompleteFile = "This file either invalid or incomplete.";

// The lines of `text`, cut at LF, CR LF or CR, without their line ends. A line end at the very
// end starts no further line; an empty text is one empty line.
std::vector<std::string> SplitLines(const std::string& text);

// The whole text of the file at `path`; ProjectReadError with the system's message when it
// cannot be read.
std::string ReadTextFile(const std::filesystem::path& path);

class TWordReader {
 public:
  // Splits `text` into lines at LF, CR LF or CR; an empty text gives one empty line.
  explicit TWordReader(const std::string& text);
  // The reader of the file at `path`; ProjectReadError with the system's message when it cannot
  // be read.
  static TWordReader FromFile(const std::filesystem::path& path);

  // The next word as a number ("." as decimal separator, optional sign and exponent). Raises
  // ProjectReadError "Error on Line N Item M\rA floating point number was expected but not
  // found." for any other word, and kIncompleteFile past the last line.
  long double ReadFloat();
  // The next word as a whole number in the 32-bit range ("3" and "3.0" give 3); else
  // "Error on Line N Item M\rAn integer was expected but not found.".
  int ReadInteger();
  // The raw text of the current line, whatever words of it were taken; then moves to the start
  // of the next line. kIncompleteFile past the last line.
  std::string ReadLine();
  // Words on the current line.
  int WordCount() const;

  // 1-based number of the current line.
  int LineNumber() const { return m_line + 1; }
  // 1-based position, on the current line, of the word read last (0 before any).
  int LastItem() const { return m_word; }
  // Words not yet read, up to the end of the file.
  long long RemainingWords() const;

 private:
  struct Line {
    std::string raw;
    std::vector<std::string> words;
  };
  // The next word, moving to the next line (one line at most) when the current one is used up;
  // `item` is its 1-based position on its line.
  const std::string& NextWord(const char* expected, int& item);
  [[noreturn]] void Fail(int item, const char* expected) const;

  std::vector<Line> m_lines;
  // Words on the lines from each line to the end of the file (one more entry than lines).
  std::vector<long long> m_wordsFrom;
  int m_line = 0;
  int m_word = 0;
};

}  // namespace korvex
