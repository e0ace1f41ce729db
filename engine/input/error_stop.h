// The orderly end of a run on a fatal data error.
//
// The checks of the records as they are read, and the run for the failed checks that the
// calculations return (input/check_result.h), throw ErrorStop with the report lines (and, for
// the checks that speak to the console, console lines); the run catches it, writes the lines
// and ends the run in order: "END OF ANALYSIS", the closing plot records, every file closed.
#pragma once

#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "input/check_result.h"
#include "input/data_reader.h"

namespace korvex {

class ErrorStop : public std::exception {
 public:
  explicit ErrorStop(std::string reportLine) { m_reportLines.push_back(std::move(reportLine)); }
  ErrorStop(std::vector<std::string> reportLines, std::vector<std::string> consoleLines)
      : m_reportLines(std::move(reportLines)), m_consoleLines(std::move(consoleLines)) {}
  // A stop whose reason (without heading and place) and place are known apart from its lines.
  ErrorStop(std::vector<std::string> reportLines, std::string reason, DataPosition at)
      : m_reportLines(std::move(reportLines)), m_reason(std::move(reason)), m_at(at) {}

  const char* what() const noexcept override {
    return m_reportLines.empty() ? "error stop" : m_reportLines.front().c_str();
  }
  const std::vector<std::string>& reportLines() const { return m_reportLines; }
  const std::vector<std::string>& consoleLines() const { return m_consoleLines; }
  // Empty when only the report lines tell the reason.
  const std::string& reason() const { return m_reason; }
  DataPosition at() const { return m_at; }

 private:
  std::vector<std::string> m_reportLines;
  std::vector<std::string> m_consoleLines;
  std::string m_reason;
  DataPosition m_at;
};

// Ends the run on a check that failed.
inline void stopOnFailure(const CheckResult& check) {
  if (!check.passed()) throw ErrorStop(check.reportLines, check.consoleLines);
}

// "(INPUT DATA LINE 7, ITEM 3)": where a value that failed a check was read.
inline std::string inputLocation(DataPosition at) {
  std::string text = "(INPUT DATA LINE " + std::to_string(at.line);
  if (at.item > 0) text += ", ITEM " + std::to_string(at.item);
  return text + ")";
}

// An error stop with a message of this engine's own checks, naming where the value was read.
[[noreturn]] inline void stopAt(const std::string& message, DataPosition at) {
  throw ErrorStop({"ERROR STOP -- " + message + " " + inputLocation(at)}, message, at);
}

// An error stop with one of the fixed messages, followed by a line naming where the value
// that caused it was read.
[[noreturn]] inline void stopWithFixedMessage(const char* message, DataPosition at) {
  std::string_view reason = message;
  for (std::string_view heading : {"ERROR STOP -- ", "ERROR -- "})
    if (reason.starts_with(heading)) reason.remove_prefix(heading.size());
  throw ErrorStop({message, inputLocation(at)}, std::string(reason), at);
}

}  // namespace korvex
