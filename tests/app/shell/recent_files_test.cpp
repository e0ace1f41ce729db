// The list of recently used data files: order, capacity, menu captions and the settings.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/shell/recent_files.h"
#include "shell_fakes.h"

namespace korvex {
namespace {

using Paths = std::vector<std::string>;

TEST(RecentFiles, KeepTenMostRecentFirstMovingAReopenedFileToTheFront) {
  RecentFiles recent;
  for (int i = 1; i <= 11; ++i) recent.add("/w/f" + std::to_string(i) + ".kx5d");
  ASSERT_EQ(recent.count(), 10);
  EXPECT_EQ(recent.entries().front(), "/w/f11.kx5d");
  EXPECT_EQ(recent.entries().back(), "/w/f2.kx5d");

  recent.add("/w/f5.kx5d");
  EXPECT_EQ(recent.entries()[0], "/w/f5.kx5d");
  EXPECT_EQ(recent.entries()[1], "/w/f11.kx5d");
  EXPECT_EQ(recent.count(), 10);
  recent.add("/w/f5.kx5d");
  EXPECT_EQ(recent.entries()[1], "/w/f11.kx5d");

  recent.remove("/w/f11.kx5d");
  EXPECT_EQ(recent.entries()[1], "/w/f10.kx5d");
  EXPECT_EQ(recent.count(), 9);
}

TEST(RecentFiles, CaptionShortensAPathBelowTheCurrentFolder) {
  RecentFiles recent;
  recent.add("/data/walls/w1.kx5d");
  const struct {
    const char* folder;
    const char* caption;
  } cases[] = {
      {"/data/walls", "1 w1.kx5d"},
      {"/data/walls/", "1 w1.kx5d"},
      {"/data", "1 walls/w1.kx5d"},
      {"/data/wall", "1 /data/walls/w1.kx5d"},
      {"/other", "1 /data/walls/w1.kx5d"},
  };
  for (const auto& c : cases) EXPECT_EQ(recent.menuCaption(1, c.folder), c.caption) << c.folder;
}

TEST(RecentFiles, SettingsSkipEmptyValuesOnLoadAndClearTheRestOnSave) {
  testing::MemorySettings settings;
  settings.values = {{"File1", "/w/a.kx5d"}, {"File2", ""}, {"File4", "/w/b.kx5d"}, {"File11", "/w/c.kx5d"}};
  RecentFiles recent;
  recent.load(settings);
  EXPECT_EQ(recent.entries(), (Paths{"/w/a.kx5d", "/w/b.kx5d"}));

  recent.save(settings);
  EXPECT_EQ(settings.values["File1"], "/w/a.kx5d");
  EXPECT_EQ(settings.values["File2"], "/w/b.kx5d");
  for (int n = 3; n <= 10; ++n) EXPECT_EQ(settings.values[recentFileKey(n)], "") << n;
}

}  // namespace
}  // namespace korvex
