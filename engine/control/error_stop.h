// The orderly end of a run on a fatal data error.
//
// Whoever finds the error throws ErrorStop with the report lines (and, for the checks that
// speak to the console, console lines); the run catches it, writes the lines and ends the
// run in order: "END OF ANALYSIS", the closing plot records, every file closed.
#pragma once

#include <exception>
#include <string>
#include <vector>

#include "input/data_reader.h"

namespace korvex {

class ErrorStop : public std::exception {
 public:
  explicit ErrorStop(std::string reportLine) { m_reportLines.push_back(std::move(reportLine)); }
  ErrorStop(std::vector<std::string> reportLines, std::vector<std::string> consoleLines)
      : m_reportLines(std::move(reportLines)), m_consoleLines(std::move(consoleLines)) {}

  const char* what() const noexcept override {
    return m_reportLines.empty() ? "error stop" : m_reportLines.front().c_str();
  }
  const std::vector<std::string>& reportLines() const { return m_reportLines; }
  const std::vector<std::string>& consoleLines() const { return m_consoleLines; }

 private:
  std::vector<std::string> m_reportLines;
  std::vector<std::string> m_consoleLines;
};

// The fixed messages of the engine's data checks.
inline constexpr const char* kStationsNotInOrder = "ERROR STOP -- STATIONS NOT IN ORDER";
inline constexpr const char* kTooMuchData = "TOO MUCH DATA FOR AVAILABLE STORAGE";
inline constexpr const char* kDataBeyondEnd = "ERROR -- NON-ZERO TABLE 4 DATA BEYOND END";

// "(INPUT DATA LINE 7, ITEM 3)": where a value that failed a check was read.
inline std::string inputLocation(DataPosition at) {
  std::string text = "(INPUT DATA LINE " + std::to_string(at.line);
  if (at.item > 0) text += ", ITEM " + std::to_string(at.item);
  return text + ")";
}

// An error stop with a message of this engine's own checks, naming where the value was read.
[[noreturn]] inline void stopAt(const std::string& message, DataPosition at) {
  throw ErrorStop("ERROR STOP -- " + message + " " + inputLocation(at));
}

// An error stop with one of the fixed messages, followed by a line naming where the value
// that caused it was read.
[[noreturn]] inline void stopWithFixedMessage(const char* message, DataPosition at) {
  throw ErrorStop({message, inputLocation(at)}, {});
}

}  // namespace korvex
