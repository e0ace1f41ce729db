#include "report/report_frame.h"

#include <gtest/gtest.h>

#include "format/output_file.h"
#include "test_support.h"

namespace korvex {
namespace {


TEST(FileNameParts, SplitAtTheLastSeparatorAndTheLastFullStopAfterIt) {
  FileNameParts parts = splitFileName("C:\\Walls\\Job 7\\wall.v2.kx5d");
  EXPECT_EQ(parts.drive, "C:");
  EXPECT_EQ(parts.directory, "\\Walls\\Job 7\\");
  EXPECT_EQ(parts.base, "wall.v2");
  EXPECT_EQ(parts.extension, ".kx5d");

  parts = splitFileName("/home/eng/run.d/wall");
  EXPECT_EQ(parts.drive, "");
  EXPECT_EQ(parts.directory, "/home/eng/run.d/");
  EXPECT_EQ(parts.base, "wall");
  EXPECT_EQ(parts.extension, "");

  parts = splitFileName("wall.kx5o");
  EXPECT_EQ(parts.directory, "");
  EXPECT_EQ(parts.base, "wall");
  EXPECT_EQ(parts.extension, ".kx5o");
}

TEST(RunTime, FixedTimeTextIsAcceptedOnlyInItsExactForm) {
  const auto time = parseRunTime("2026-03-09 18:05:07");
  ASSERT_TRUE(time.has_value());
  EXPECT_EQ(time->year, 2026);
  EXPECT_EQ(time->month, 3);
  EXPECT_EQ(time->day, 9);
  EXPECT_EQ(time->hour, 18);
  EXPECT_EQ(time->minute, 5);
  EXPECT_EQ(time->second, 7);
  for (const char* bad : {"", "2026-03-09", "2026-13-09 18:05:07", "2026-03-09T18:05:07", "2026-3-9 18:05:07",
                          "2026-03-09 24:00:00", "2026-03-09 18:05:07 "}) {
    EXPECT_FALSE(parseRunTime(bad).has_value()) << bad;
  }
}

// Writes with `write` into a fresh report in memory and returns its text.
template <class Write>
std::string reportOf(Write write) {
  MemoryOutput report;
  write(report);
  return report.text();
}

TEST(ReportFrame, DateLineSpellsTheMonthAndPadsDayAndTime) {
  const std::string text = reportOf([](TextOutput& r) { writeRunTime(r, RunTime{2015, 3, 4, 9, 0, 5}); });
  const std::string dashes(73, '-');
  EXPECT_EQ(text, "     " + dashes + "\n                          Time and Date of Analysis\n     " + dashes +
                      "\n\n               Date:  March 04, 2015     Time:  09:00:05\n");
  const std::string december = reportOf([](TextOutput& r) { writeRunTime(r, RunTime{2026, 12, 31, 23, 59, 59}); });
  EXPECT_NE(december.find("Date:  December 31, 2026     Time:  23:59:59"), std::string::npos);
}

TEST(ReportFrame, BlockHeadingsNameStagesAndTheLongTermBlockUnderTheFirstTitle) {
  const std::string title = "RIVER WALL" + std::string(60, ' ');
  EXPECT_EQ(reportOf([&](TextOutput& r) { writeBlockHeading(r, 0, 1, title); }), "\n      " + title + "\n");
  EXPECT_EQ(reportOf([&](TextOutput& r) { writeBlockHeading(r, 1, 2, title); }),
            "\n      Long Term :  " + title + "\n");
  EXPECT_EQ(reportOf([&](TextOutput& r) { writeBlockHeading(r, 3, 2, title); }),
            "\n      Stage No : 2  " + title + "\n");
}

TEST(ReportFrame, BannerCarriesTheVersionInTwelveColumns) {
  const std::string text = reportOf([](TextOutput& r) { writeBanner(r, "2015.5.11"); });
  EXPECT_NE(text.find("\n                      KORVEX for Windows, Version 2015.5.11   \n"), std::string::npos);
  const std::string longVersion = reportOf([](TextOutput& r) { writeBanner(r, "2015.5.11-extended"); });
  EXPECT_NE(longVersion.find("Version 2015.5.11-ex\n"), std::string::npos);
}

TEST(ReportFrame, FileNameLinesShowTheDirectoryAndTheBareNames) {
  const std::string text =
      reportOf([](TextOutput& r) { writeFileNames(r, "/jobs/a/wall.kx5d", "/out/wall.kx5o", "/out/wall.kx5p"); });
  EXPECT_EQ(text,
            "     Path to file locations      : /jobs/a/\n"
            "     Name of input data file     : wall.kx5d\n"
            "     Name of output file         : wall.kx5o\n"
            "     Name of plot output file    : wall.kx5p\n");
}

TEST(ReportFrame, BoxHeadingAndClosingLine) {
  const std::string stars(50, '*');
  EXPECT_EQ(reportOf([](TextOutput& r) { writeBoxHeading(r, "*  TITLE  *"); }),
            "\n\n      " + stars + "\n      *  TITLE  *\n      " + stars + "\n\n");
  EXPECT_EQ(reportOf([](TextOutput& r) { writeEndOfAnalysis(r); }),
            "\n\n\n     END OF ANALYSIS                             \n");
  EXPECT_EQ(reportOf([](TextOutput& r) { writeEmptySection(r); }), "\n" + std::string(20, ' ') + "\n");
}

TEST(OutputFile, ReportsAFileThatCannotBeCreated) {
  OutputFile file;
  EXPECT_FALSE(file.open("/nonexistent-folder/x/report.kx5o"));
  EXPECT_FALSE(file.isOpen());
}

}  // namespace
}  // namespace korvex
