// A shared library loaded by path: the errors of a missing file, of a file that is no library,
// and of asking a closed library for a name.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/shell/dynamic_library.h"
#include "app/shell/run_control.h"
#include "test_support.h"

namespace korvex {
namespace {

// The message of the EDLLError `action` raises, or "none".
template <class Action>
std::string errorOf(Action action) {
  try {
    action();
  } catch (const EDLLError& error) {
    return error.what();
  }
  return "none";
}

TEST(DynamicLibrary, TellsAMissingFileFromAFileThatIsNoLibrary) {
  testing::TempFolder folder;
  testing::writeFile(folder / "text.so", "not a library");
  TDynamicLibrary library;
  library.SetLibraryName((folder / "missing.so").string());
  EXPECT_EQ(errorOf([&] { library.Open(); }), "Library could not be located");
  library.SetLibraryName((folder / "text.so").string());
  EXPECT_EQ(errorOf([&] { library.Open(); }), "Library failed to properly initialize");
  library.SetLibraryName(folder.path().string());
  EXPECT_EQ(errorOf([&] { library.Open(); }), "Library could not be located");
  EXPECT_FALSE(library.IsOpen());
  EXPECT_EQ(errorOf([&] { library.GetProcAddress(kEngineEntryName); }), "Library is not open");
}

TEST(DynamicLibrary, ResolvesExportedNamesUntilClosed) {
  TDynamicLibrary library;
  library.SetLibraryName(std::string(KORVEX_STUB_ENGINE_DIR) + "/" + kEngineLibraryName);
  library.Open();
  ASSERT_TRUE(library.IsOpen());
  EXPECT_NE(library.GetProcAddress(kEngineEntryName), nullptr);
  EXPECT_EQ(library.GetProcAddress("NoSuchEntry"), nullptr);
  library.SetLibraryName(library.LibraryName());
  EXPECT_FALSE(library.IsOpen());
  EXPECT_EQ(errorOf([&] { library.GetProcAddress(kEngineEntryName); }), "Library is not open");
}

}  // namespace
}  // namespace korvex
