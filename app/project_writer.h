// Writing a project as the current kind of data file (.kx5d), the file the analysis engine
// reads: the groups of the data-file layout in their order, values separated by TAB or SP as
// the layout has them, numbers in the G8 form, CR LF line ends.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

#include "app/program_data.h"
#include "app/project_tables.h"

namespace korvex {

// A data file that could not be written; what() is the message for the user (the system's own
// where the system refused).
class ProjectWriteError : public std::runtime_error {
 public:
  explicit ProjectWriteError(const std::string& message) : std::runtime_error(message) {}
};

// Why a project that holds a number beyond the range of numbers (grown there by a change of
// unit system) is not saved.
inline constexpr const char* kNumberTooLargeToSave =
    "The project holds a number too large for a data file; it was not saved.";

// `value` with at most 8 significant digits, trailing zeros and point dropped, plain decimal
// from 0.0001 up to below 1E8 and otherwise mantissa, "E" and exponent (1E-5, 1.2345679E8).
std::string formatG8(long double value);

// The text of the data file of a single-stage project. Derives the mode numbers first and sets the last PileSect row to a
// constant value, as saving does. Tables whose option is off are written as empty and keep
// their rows. ProjectWriteError kNumberTooLargeToSave when a value written is not finite.
std::string DataFileText(TProgramData& data, ProjectTables& tables);

// The title line of stage `stage` (2 to 5) in a staged data file: " Stage No : 2".
std::string StageTitle(int stage);

// The stage block of the project's CurrentStage, as its stage file and its part of the staged
// data file hold it: the groups of one block, derived and written as DataFileText writes them,
// titled with Title for stage 1 and StageTitle for a later stage, then the continuation line
// holding the stage's number. The control line carries StageCount; a stage block never has a
// long-term block.
std::string StageBlockText(TProgramData& data, ProjectTables& tables);

// Writes the data file to data.FileName and marks the project unmodified. The text goes to a
// temporary file in the same folder, which replaces the old file only when it was written
// completely; on failure ProjectWriteError is raised and the old file is left as it was.
void WriteDataFile(TProgramData& data, ProjectTables& tables);

// Replaces `path` by `text` through a temporary file in the same folder (see WriteDataFile).
// A file that is replaced keeps its permissions. When `path` is a symbolic link, the file it
// leads to is replaced (through a temporary file in that file's folder) and the link stays.
void WriteFileSafely(const std::filesystem::path& path, const std::string& text);

}  // namespace korvex
