#include "report/report_frame.h"

#include <cstdlib>
#include <ctime>

namespace korvex {

namespace {

std::string trimTrailingBlanks(std::string_view text) {
  const std::size_t end = text.find_last_not_of(' ');
  return std::string(end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1));
}

constexpr const char* kMonthNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                       "July",    "August",   "September", "October", "November", "December"};

bool readDigits(std::string_view text, std::size_t at, std::size_t count, int& value) {
  value = 0;
  for (std::size_t i = at; i < at + count; ++i) {
    if (i >= text.size() || text[i] < '0' || text[i] > '9') return false;
    value = value * 10 + (text[i] - '0');
  }
  return true;
}

}  // namespace

FileNameParts splitFileName(std::string_view name) {
  FileNameParts parts;
  std::string_view rest = name;
  if (rest.size() >= 2 && rest[1] == ':' &&
      ((rest[0] >= 'A' && rest[0] <= 'Z') || (rest[0] >= 'a' && rest[0] <= 'z'))) {
    parts.drive = std::string(rest.substr(0, 2));
    rest.remove_prefix(2);
  }
  const std::size_t separator = rest.find_last_of("/\\");
  if (separator != std::string_view::npos) {
    parts.directory = std::string(rest.substr(0, separator + 1));
    rest.remove_prefix(separator + 1);
  }
  const std::size_t dot = rest.find_last_of('.');
  if (dot != std::string_view::npos) {
    parts.extension = std::string(rest.substr(dot));
    rest = rest.substr(0, dot);
  }
  parts.base = std::string(rest);
  return parts;
}

std::optional<RunTime> parseRunTime(std::string_view text) {
  RunTime time;
  if (text.size() != 19 || text[4] != '-' || text[7] != '-' || text[10] != ' ' || text[13] != ':' ||
      text[16] != ':')
    return std::nullopt;
  if (!readDigits(text, 0, 4, time.year) || !readDigits(text, 5, 2, time.month) || !readDigits(text, 8, 2, time.day) ||
      !readDigits(text, 11, 2, time.hour) || !readDigits(text, 14, 2, time.minute) ||
      !readDigits(text, 17, 2, time.second))
    return std::nullopt;
  if (time.month < 1 || time.month > 12 || time.day < 1 || time.day > 31 || time.hour > 23 || time.minute > 59 ||
      time.second > 60)
    return std::nullopt;
  return time;
}

RunTime currentRunTime() {
  if (const char* fixed = std::getenv("KORVEX_FIXED_TIME")) {
    if (const auto time = parseRunTime(fixed)) return *time;
  }
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return RunTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

void writeBanner(TextOutput& report, std::string_view version) {
  static const Format kRule("5X,73('=')");
  static const Format kVersion("20X,'  KORVEX for Windows, Version ',A12");
  static const Format kTitle("20X,'   A Program for the Analysis of ',/,20X,'   Flexible Retaining Walls '");
  report.write(kRule);
  writeEmptyLines(report, 1);
  // The version string is the control file's first line, 12 characters wide.
  std::string version12(version.substr(0, 12));
  version12.resize(12, ' ');
  report.write(kVersion, version12);
  writeEmptyLines(report, 1);
  report.write(kTitle);
  writeEmptyLines(report, 1);
  report.write(kRule);
  writeEmptyLines(report, 2);
}

void writeFileNames(TextOutput& report, std::string_view inputFile, std::string_view reportFile,
                    std::string_view plotFile) {
  static const Format kPath("5X,'Path to file locations      : ',A");
  static const Format kInput("5X,'Name of input data file     : ',A");
  static const Format kOutput("5X,'Name of output file         : ',A");
  static const Format kPlot("5X,'Name of plot output file    : ',A");
  const FileNameParts input = splitFileName(inputFile);
  const FileNameParts output = splitFileName(reportFile);
  const FileNameParts plot = splitFileName(plotFile);
  report.write(kPath, trimTrailingBlanks(input.drive) + trimTrailingBlanks(input.directory));
  report.write(kInput, trimTrailingBlanks(input.base) + trimTrailingBlanks(input.extension));
  report.write(kOutput, trimTrailingBlanks(output.base) + trimTrailingBlanks(output.extension));
  report.write(kPlot, trimTrailingBlanks(plot.base) + trimTrailingBlanks(plot.extension));
}

void writeRunTime(TextOutput& report, const RunTime& time) {
  static const Format kHeading("5X,73('-'),/,26X,'Time and Date of Analysis',/,5X,73('-'),/");
  static const Format kDateTime("15X,'Date:  ',A,' ',I2.2,', ',I4,5X,'Time:  ',I2.2,':',I2.2,':',I2.2");
  report.write(kHeading);
  const int month = time.month >= 1 && time.month <= 12 ? time.month : 1;
  report.write(kDateTime, kMonthNames[month - 1], time.day, time.year, time.hour, time.minute, time.second);
}

void writeBlockHeading(TextOutput& report, int stageCount, int blockNumber, std::string_view firstTitle) {
  static const Format kStage("/,6X,'Stage No :',I2,2X,A70");
  static const Format kFirst("/,6X,A70");
  static const Format kLongTerm("/,6X,'Long Term :',2X,A70");
  if (stageCount >= 2) {
    report.write(kStage, blockNumber, firstTitle);
  } else if (blockNumber == 1) {
    report.write(kFirst, firstTitle);
  } else {
    report.write(kLongTerm, firstTitle);
  }
}

void writeBoxHeading(TextOutput& report, std::string_view boxLine) {
  static const Format kBox("/,/,6X,50('*'),/,6X,A,/,6X,50('*'),/");
  report.write(kBox, boxLine);
}

void writeEmptySection(TextOutput& report) {
  static const Format kEmptySection("/,20X");
  report.write(kEmptySection);
}

void writeEmptyLines(TextOutput& report, int count) {
  static const Format kEmpty("''");
  for (int i = 0; i < count; ++i) report.write(kEmpty);
}

void writeEndOfAnalysis(TextOutput& report) {
  static const Format kEnd("/,/,/,'     END OF ANALYSIS                             '");
  report.write(kEnd);
}

void writeMessage(TextOutput& report, std::string_view message) {
  static const Format kMessage("/,5X,A");
  report.write(kMessage, message);
}

}  // namespace korvex
