// The verdict of a check that a calculation makes on the data on its way: the data pass, or
// they cannot be analysed, with the message the report and the console are to show.
//
// Calculations return it with what they made up to the check and go no further; only the run
// turns a failed check into an error stop (input/error_stop.h), after it has written what was
// made. A caller without a run, a test or a program showing the values, reads it as it is.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace korvex {

enum class CheckStatus {
  Passed,
  DataError,  // the data cannot be analysed; the lines say why
};

struct CheckResult {
  CheckStatus status = CheckStatus::Passed;
  std::vector<std::string> reportLines;   // the message as the report prints it
  std::vector<std::string> consoleLines;  // stop codes and warnings for the console

  bool passed() const { return status == CheckStatus::Passed; }

  static CheckResult dataError(std::vector<std::string> reportLines, std::vector<std::string> consoleLines = {}) {
    return CheckResult{CheckStatus::DataError, std::move(reportLines), std::move(consoleLines)};
  }
};

// The fixed messages of the engine's data checks.
inline constexpr const char* kStationsNotInOrder = "ERROR STOP -- STATIONS NOT IN ORDER";
inline constexpr const char* kTooMuchData = "TOO MUCH DATA FOR AVAILABLE STORAGE";
inline constexpr const char* kDataBeyondEnd = "ERROR -- NON-ZERO TABLE 4 DATA BEYOND END";

}  // namespace korvex
