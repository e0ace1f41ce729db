// Lines of fixed-format text as the engine writes them: into a file of the run (OutputFile)
// or into memory (MemoryOutput), from which a test or a caller that wants the text without a
// file takes it.
#pragma once

#include <cstddef>
#include <span>
#include <stdexcept>
#include <string>

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
class TextOutput {
 public:
  TextOutput(const TextOutput&) = delete;
  TextOutput& operator=(const TextOutput&) = delete;
  virtual ~TextOutput() = default;

  // Writes the lines `format` produces for the items.
  template <class... Items>
  void write(const Format& format, const Items&... items) {
    if constexpr (sizeof...(Items) == 0) {
      writeItems(format, {});
    } else {
      const FieldValue values[] = {FieldValue(items)...};
      writeItems(format, values);
    }
  }

  // The same for a list of items made at run time.
  void writeItems(const Format& format, std::span<const FieldValue> items) {
    requireFiniteItems(items);
    format.write(m_buffer, items);
    if (m_buffer.size() >= kBufferSize) bufferFull();
  }

  // Writes one list-directed line of the items.
  template <class... Items>
  void writeListDirected(const Items&... items) {
    const FieldValue values[] = {FieldValue(items)...};
    requireFiniteItems(values);
    korvex::writeListDirected(m_buffer, values);
    if (m_buffer.size() >= kBufferSize) bufferFull();
  }

 protected:
  TextOutput() = default;

  // Called when the text held reaches kBufferSize: a file passes it on and clears it.
  virtual void bufferFull() {}

  static constexpr std::size_t kBufferSize = std::size_t{1} << 16;
  std::string m_buffer;
};

// Text kept in memory, all of it.
class MemoryOutput : public TextOutput {
 public:
  const std::string& text() const { return m_buffer; }
};

}  // namespace korvex
