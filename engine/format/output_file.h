// A text file of the run (report, plot data or iteration monitor), written line by line
// through the fixed-format writer.
#pragma once

#include <cstdio>
#include <filesystem>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

#include "format/fortran_format.h"

namespace korvex {

// A real that is not a finite number was about to be written: the data drove a calculation
// beyond the range of numbers. Nothing of the line is written; the run ends in order instead.
class NonFiniteOutput : public std::runtime_error {
 public:
  NonFiniteOutput() : std::runtime_error("a value to be written is not a finite number") {}
};

// Throws NonFiniteOutput when any real item is an infinity or not a number.
void requireFiniteItems(std::span<const FieldValue> items);

// Writes no infinity and no NaN: a line with one throws NonFiniteOutput before it is written.
//
// The file is written under a temporary name in its own folder and takes its name only on
// commit(), so a run that fails leaves an earlier file of that name as it was; a file never
// committed is removed.
class OutputFile {
 public:
  OutputFile() = default;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  ~OutputFile();

  // Creates the temporary file beside `path` (beside the file a symbolic link leads to).
  // Returns false when it cannot be created.
  bool open(const std::filesystem::path& path);
  bool isOpen() const { return m_file != nullptr; }

  // Writes the lines `format` produces for the items.
  template <class... Items>
  void write(const Format& format, const Items&... items) {
    if constexpr (sizeof...(Items) == 0) {
      format.write(m_buffer, {});
    } else {
      const FieldValue values[] = {FieldValue(items)...};
      requireFiniteItems(values);
      format.write(m_buffer, values);
    }
    flushIfFull();
  }

  // Writes one list-directed line of the items.
  template <class... Items>
  void writeListDirected(const Items&... items) {
    const FieldValue values[] = {FieldValue(items)...};
    requireFiniteItems(values);
    korvex::writeListDirected(m_buffer, values);
    flushIfFull();
  }

  // Writes what is buffered and closes the file. Returns false when any write failed.
  bool close();
  // Gives the closed file its name, replacing a file of that name (whose permissions it takes).
  // Returns false when the file could not be written or renamed.
  bool commit();
  // Closes and removes the temporary file.
  void discard();

 private:
  void flushIfFull();
  void flush();

  std::FILE* m_file = nullptr;
  std::filesystem::path m_target;     // the name the file takes on commit
  std::filesystem::path m_temporary;  // empty once committed or removed
  std::string m_buffer;
  bool m_failed = false;
};

}  // namespace korvex
