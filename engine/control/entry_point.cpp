// The engine library's entry point: one 32-bit integer in, one out.
//
// Code 11 runs the analysis named by the control file "NAMES.dat" in the current directory
// and returns 0 whatever the run found in the data (errors are in the report). Any other
// code returns 1 and touches no file. No exception leaves the library.
#include <cstdint>
#include <exception>
#include <filesystem>
#include <system_error>

#include "control/control_file.h"

namespace {

constexpr std::int32_t kRunCode = 11;

std::int32_t runEngine(std::int32_t code) noexcept {
  if (code != kRunCode) return 1;
  try {
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::current_path(error);
    korvex::runFromControlFile(error ? std::filesystem::path(".") : folder);
  } catch (...) {
    // The caller goes on after every run; what went wrong is in the report or on the console.
  }
  return 0;
}

}  // namespace

extern "C" {

__attribute__((visibility("default"))) std::int32_t IKORVEX(std::int32_t code) { return runEngine(code); }

__attribute__((visibility("default"))) std::int32_t _IKORVEX(std::int32_t code) { return runEngine(code); }

}  // extern "C"
