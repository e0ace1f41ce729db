// One call of the analysis engine on a saved data file: the control file written into a fresh
// private run folder, which is the current folder only for the call; the engine library loaded
// from the program's folder, its entry "_IKORVEX" called with 11 and the library unloaded; the
// engine's console output kept; every exit path leaving the state as it was before.
#pragma once

#include <filesystem>
#include <string>

namespace korvex {

class UserInterface;

inline constexpr const char* kEngineLibraryName = "Korvex2015_DLL.so";
inline constexpr const char* kEngineEntryName = "_IKORVEX";
inline constexpr int kEngineRunCode = 11;

inline constexpr const char* kComputationsCompleted =
    "Computations are completed. Please, check output file for results or error messages.";
inline constexpr const char* kEngineRefused =
    "Computations can not be performed. Executable files are not consistent.\r"
    "You may need to reinstall the program.\r"
    "If problem persist please contact ORVANE support at\r"
    "support@korvex.example";
inline constexpr const char* kInitializeFailed = "Attempt to initialize DLL failed";
inline constexpr const char* kReinitialize = "Attempt to reinitialize DLL";

enum class EngineCallResult {
  Completed,        // the engine ran and wrote this run's report
  NoReport,         // the engine returned but wrote no report (its console output was shown)
  Refused,          // the engine returned 1
  LibraryFailed,    // the library or its entry could not be loaded
  Reentered,        // a run is already in progress
  ControlFileFailed // the control file could not be written, or the names cannot be given
};

class RunControl {
 public:
  // `programFolder` holds the engine library.
  explicit RunControl(std::filesystem::path programFolder) : m_programFolder(std::move(programFolder)) {}

  // Runs the engine on the saved data file `dataFile` (made a full path first): refuses a name
  // the engine would misread, writes the control file into a fresh run folder, loads the
  // library, calls its entry with the wait cursor on, unloads it and removes the run folder;
  // shows the message of each outcome through `ui` (the completion message too). The caller
  // loads the plot file after Completed.
  EngineCallResult callEngine(const std::string& dataFile, UserInterface& ui);

  // The engine library's full name.
  std::filesystem::path libraryPath() const { return m_programFolder / kEngineLibraryName; }

 private:
  std::filesystem::path m_programFolder;
  bool m_running = false;  // a library object of a run exists
};

}  // namespace korvex
