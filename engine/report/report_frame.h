// The frame every block of the report shares: banner, file names, date and time, block
// headings, box headings and the closing line.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "format/text_output.h"

namespace korvex {

// A file name split at the last path separator and the last full stop after it; the drive
// is a leading letter and colon. The directory keeps its trailing separator.
struct FileNameParts {
  std::string drive;
  std::string directory;
  std::string base;
  std::string extension;  // with its full stop
};
FileNameParts splitFileName(std::string_view name);

// Local date and time of a run.
struct RunTime {
  int year = 0;
  int month = 1;  // 1..12
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// "YYYY-MM-DD HH:MM:SS" as a run time; nothing when the text is not of that form.
std::optional<RunTime> parseRunTime(std::string_view text);

// The local clock, unless KORVEX_FIXED_TIME holds a time of the form above.
RunTime currentRunTime();

void writeBanner(TextOutput& report, std::string_view version);
void writeFileNames(TextOutput& report, std::string_view inputFile, std::string_view reportFile,
                    std::string_view plotFile);
void writeRunTime(TextOutput& report, const RunTime& time);

// The block heading: "Stage No :" with the block number for staged projects, the title
// alone for the first block, "Long Term :" for later blocks; always the first block's title.
void writeBlockHeading(TextOutput& report, int stageCount, int blockNumber, std::string_view firstTitle);

// Two empty lines, the title `boxLine` framed by lines of 50 asterisks, an empty line.
void writeBoxHeading(TextOutput& report, std::string_view boxLine);

// An empty line and a line of 20 blanks: what a section without records prints.
void writeEmptySection(TextOutput& report);

// Empty lines, as many as asked.
void writeEmptyLines(TextOutput& report, int count);

// Three empty lines and "END OF ANALYSIS".
void writeEndOfAnalysis(TextOutput& report);

// A message line of an error stop or warning: an empty line, then the text after 5 blanks.
void writeMessage(TextOutput& report, std::string_view message);

}  // namespace korvex
