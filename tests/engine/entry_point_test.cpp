// The engine library as the desktop program uses it: loaded by path, its entry point called
// with an interface code, the control file read from the current directory.
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <sstream>

#include "cli_app.h"
#include "test_support.h"

namespace korvex {
namespace {

using testing::readFile;
using testing::TempFolder;
using testing::writeFile;

using EntryPoint = std::int32_t (*)(std::int32_t);

class EngineLibrary : public ::testing::Test {
 protected:
  void SetUp() override {
    m_handle = dlopen(KORVEX_ENGINE_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(m_handle, nullptr) << dlerror();
    m_entry = reinterpret_cast<EntryPoint>(dlsym(m_handle, "_IKORVEX"));
    m_plainEntry = reinterpret_cast<EntryPoint>(dlsym(m_handle, "IKORVEX"));
    ASSERT_NE(m_entry, nullptr);
    ASSERT_NE(m_plainEntry, nullptr);
    m_previousFolder = std::filesystem::current_path();
    std::filesystem::current_path(m_folder.path());
  }
  void TearDown() override {
    std::filesystem::current_path(m_previousFolder);
    if (m_handle != nullptr) dlclose(m_handle);
  }

  // Calls the entry point with standard error captured; returns the result.
  std::int32_t callCapturingConsole(std::int32_t code, std::string& console) {
    const std::filesystem::path capture = m_previousFolder / ("console-" + std::to_string(getpid()) + ".txt");
    std::fflush(stderr);
    const int saved = dup(STDERR_FILENO);
    const int file = open(capture.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(file, STDERR_FILENO);
    const std::int32_t result = m_entry(code);
    std::fflush(stderr);
    dup2(saved, STDERR_FILENO);
    close(saved);
    close(file);
    console = readFile(capture);
    std::filesystem::remove(capture);
    return result;
  }

  std::size_t filesInFolder() const {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(m_folder.path()), {}));
  }

  void writeControlFile(const std::string& name, const std::string& lines) { writeFile(m_folder / name, lines); }

  TempFolder m_folder;
  void* m_handle = nullptr;
  EntryPoint m_entry = nullptr;
  EntryPoint m_plainEntry = nullptr;
  std::filesystem::path m_previousFolder;
};

TEST_F(EngineLibrary, InterfaceCodesOtherThanElevenReturnOneAndTouchNoFile) {
  const std::string data = readFile(std::string(KORVEX_EXAMPLES) + "/sample_wall.kx5d");
  writeFile(m_folder / "sample_wall.kx5d", data);
  writeControlFile("NAMES.dat", "2015.5.11\n" + (m_folder / "sample_wall.kx5d").string() + "\n" +
                                    (m_folder / "w.kx5o").string() + "\n" + (m_folder / "w.kx5p").string() + "\n" +
                                    (m_folder / "w.kx5r").string() + "\n");
  for (std::int32_t code : {10, 12, 0, -11, 111}) {
    EXPECT_EQ(m_entry(code), 1) << code;
    EXPECT_EQ(m_plainEntry(code), 1) << code;
  }
  EXPECT_EQ(filesInFolder(), 2u);
}

TEST_F(EngineLibrary, AShortOrMissingControlFileGivesTheTwoLineConsoleMessageAndNoReport) {
  const std::string message = " PLEASE CREATE AN INPUT DATA FILE AND SAVE IT\n BEFORE COMPUTATION.  TRY IT AGAIN!\n";
  std::string console;
  EXPECT_EQ(callCapturingConsole(11, console), 0);
  EXPECT_EQ(console, message);

  writeControlFile("names.dat", "2015.5.11\r\n" + (m_folder / "a.kx5d").string() + "\r\n" +
                                    (m_folder / "a.kx5o").string() + "\r\n" + (m_folder / "a.kx5p").string() + "\r\n");
  EXPECT_EQ(callCapturingConsole(11, console), 0);
  EXPECT_EQ(console, message);
  EXPECT_FALSE(std::filesystem::exists(m_folder / "a.kx5o"));
}

TEST_F(EngineLibrary, LibraryRunAndCommandLineRunGiveIdenticalFiles) {
  const std::string data = readFile(std::string(KORVEX_EXAMPLES) + "/sample_wall.kx5d");
  const std::filesystem::path input = m_folder / "sample_wall.kx5d";
  writeFile(input, data);
  // The desktop program writes the control file in lower case with CR LF line ends.
  writeControlFile("names.dat", "2015.5.11   \r\n" + input.string() + "\r\n" +
                                    (m_folder / "sample_wall.kx5o").string() + "\r\n" +
                                    (m_folder / "sample_wall.kx5p").string() + "\r\n" +
                                    (m_folder / "sample_wall.kx5r").string() + "\r\n");
  std::string console;
  ASSERT_EQ(callCapturingConsole(11, console), 0);
  EXPECT_EQ(console, "");
  const std::string report = readFile(m_folder / "sample_wall.kx5o");
  const std::string plot = readFile(m_folder / "sample_wall.kx5p");
  const std::string monitor = readFile(m_folder / "sample_wall.kx5r");
  ASSERT_NE(report.find("END OF ANALYSIS"), std::string::npos);

  std::filesystem::remove(m_folder / "sample_wall.kx5o");
  std::ostringstream out, err;
  ASSERT_EQ(cli::runCli({"run", input.string()}, out, err), cli::kExitOk) << err.str();
  EXPECT_EQ(readFile(m_folder / "sample_wall.kx5o"), report);
  EXPECT_EQ(readFile(m_folder / "sample_wall.kx5p"), plot);
  EXPECT_EQ(readFile(m_folder / "sample_wall.kx5r"), monitor);
}

}  // namespace
}  // namespace korvex
