// The control file of a run and the file names the engine could not read as written.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "app/shell/control_file.h"

namespace korvex {
namespace {

TEST(ControlFile, NamesTheDataFileAndItsThreeOutputsWithCrLf) {
  EXPECT_EQ(controlFileText("/w/a b.kx5d"),
            "2015.5.11\r\n/w/a b.kx5d\r\n/w/a b.kx5o\r\n/w/a b.kx5p\r\n/w/a b.kx5r\r\n");
  EXPECT_EQ(controlFileText("/w/old.kx4d"),
            "2015.5.11\r\n/w/old.kx4d\r\n/w/old.kx5o\r\n/w/old.kx5p\r\n/w/old.kx5r\r\n");
}

TEST(ControlFile, RefusesNamesTheEngineWouldCutTrimOrBreak) {
  const std::string folder = "/w/";
  // A name of exactly 255 bytes is read whole; the outputs of an extensionless name are longer.
  const std::string longest = folder + std::string(255 - folder.size() - 5, 'a') + ".kx5d";
  const std::string bare = folder + std::string(255 - folder.size() - 3, 'b');
  const std::string tooLong = folder + std::string(255 - folder.size() - 4, 'c') + ".kx5d";
  const struct {
    std::string dataFile;
    std::optional<std::string> problem;
  } cases[] = {
      {longest, std::nullopt},
      {"/w/a b.kx5d", std::nullopt},
      {tooLong, "The file name \"" + tooLong + "\" is 256 bytes long; the analysis reads at most 255.\r"
                "Please save the project under a shorter name or in a folder with a shorter path before running it."},
      {bare, "The file name \"" + bare + ".kx5o\" is 257 bytes long; the analysis reads at most 255.\r"
             "Please save the project under a shorter name or in a folder with a shorter path before running it."},
      {"/w/wall ", "The file name \"/w/wall \" ends in a blank, which the analysis would drop.\r"
                   "Please save the project under another name before running it."},
      {"/w/a\nb.kx5d", "The file name \"/w/a\nb.kx5d\" holds a line break, which the analysis cannot read.\r"
                       "Please save the project under another name before running it."},
  };
  for (const auto& c : cases) EXPECT_EQ(controlFileProblem(c.dataFile), c.problem) << c.dataFile.size();
}

}  // namespace
}  // namespace korvex
