// The display name of a data file, the window title and the status bar text.
#include <gtest/gtest.h>

#include "app/program_data.h"
#include "app/shell/window_title.h"

namespace korvex {
namespace {

TEST(WindowTitle, DisplayNameDropsTheFolderAndOnlyTheOldestExtension) {
  const struct {
    const char* path;
    const char* name;
  } cases[] = {
      {"/x/abc.kxd", "Abc"},          {"/x/abc.kx5d", "Abc.kx5d"},   {"/x/abc.KxD", "Abc"},
      {"/x/abc.kx4d", "Abc.kx4d"},    {"/x/a", "a"},                 {"/x/a.kxd", "a"},
      {"NewWall.kx5d", "NewWall.kx5d"}, {"/x.kxd/wall.kx5d", "Wall.kx5d"}, {"/x/9walls.kxd", "9walls"},
  };
  for (const auto& c : cases) EXPECT_EQ(displayName(c.path), c.name) << c.path;
}

TEST(WindowTitle, TitleNamesTheFileAndStatusTheStageOfAStagedProject) {
  TProgramData project;
  EXPECT_EQ(windowTitle(project), "KORVEX 2015.5.11 - NewWall.kx5d");
  EXPECT_EQ(statusText(project), "");
  project.FileName = "/walls/pier.kxd";
  project.StageCount = 3;
  project.CurrentStage = 2;
  EXPECT_EQ(windowTitle(project), "KORVEX 2015.5.11 - Pier");
  EXPECT_EQ(statusText(project), "Construction Stage Number: 2");
}

}  // namespace
}  // namespace korvex
