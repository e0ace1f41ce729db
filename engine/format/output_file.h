// A text file of the run (report, plot data or iteration monitor), written line by line
// through the fixed-format writer.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

#include "format/text_output.h"

namespace korvex {

// A file of the run, written through TextOutput.
//
// The file is written under a temporary name in its own folder and takes its name only on
// commit(), so a run that fails leaves an earlier file of that name as it was; a file never
// committed is removed.
class OutputFile : public TextOutput {
 public:
  OutputFile() = default;
  ~OutputFile() override;

  // Creates the temporary file beside `path` (beside the file a symbolic link leads to).
  // Returns false when it cannot be created.
  bool open(const std::filesystem::path& path);
  bool isOpen() const { return m_file != nullptr; }

  // Writes what is buffered and closes the file. Returns false when any write failed.
  bool close();
  // Gives the closed file its name, replacing a file of that name (whose permissions it takes).
  // Returns false when the file could not be written or renamed.
  bool commit();
  // Closes and removes the temporary file.
  void discard();

 private:
  void bufferFull() override { flush(); }
  void flush();

  std::FILE* m_file = nullptr;
  std::filesystem::path m_target;     // the name the file takes on commit
  std::filesystem::path m_temporary;  // empty once committed or removed
  bool m_failed = false;
};

}  // namespace korvex
