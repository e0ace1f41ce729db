// One call of the engine library: the control file in a private run folder entered only for
// the call, the outcomes the user is told of, and the state put back on every path so that the
// next run works. A stub library records its calls and fails on request; the real engine runs
// the sample wall.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/shell/control_file.h"
#include "app/shell/run_control.h"
#include "shell_fakes.h"

namespace korvex {
namespace {

using Lines = std::vector<std::string>;
using testing::readFile;
using testing::splitLines;
using testing::writeFile;

class RunControlTest : public testing::RunEnvironment {
 protected:
  // Whether a control file of any letter case lies in `folder`.
  static bool holdsControlFile(const std::filesystem::path& folder) {
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      std::string name = entry.path().filename().string();
      for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      if (name == kControlFileName) return true;
    }
    return false;
  }
  // The state every run must leave, however it ended.
  void expectPutBack(const testing::ScriptedUserInterface& ui) const {
    EXPECT_EQ(std::filesystem::current_path(), startFolder());
    EXPECT_EQ(leftInTemporaryFolder(), Lines{});
    EXPECT_FALSE(holdsControlFile(folder()));
    int busy = 0;
    for (const std::string& line : ui.log) busy += line == "busy" ? 1 : line == "idle" ? -1 : 0;
    EXPECT_EQ(busy, 0);
  }
};

TEST_F(RunControlTest, WritesTheControlFileInAPrivateFolderEnteredOnlyForTheCall) {
  writeFile(path("wall.kx5d"), "");
  std::filesystem::current_path(folder());
  RunControl run(KORVEX_STUB_ENGINE_DIR);
  testing::ScriptedUserInterface ui;
  // A name relative to the current folder reaches the engine as a full one.
  EXPECT_EQ(run.callEngine("wall.kx5d", ui), EngineCallResult::Completed);
  EXPECT_EQ(ui.log, (Lines{"busy", "idle", std::string("info: ") + kComputationsCompleted}));
  EXPECT_EQ(std::filesystem::current_path(), folder());

  const std::string record = readFile(recordFile());
  const std::filesystem::path runFolder = record.substr(0, record.find('\n'));
  EXPECT_EQ(runFolder.parent_path(), path("tmp"));
  EXPECT_EQ(record.substr(record.find('\n') + 1), controlFileText(path("wall.kx5d").string()));
  EXPECT_FALSE(std::filesystem::exists(runFolder));
  EXPECT_EQ(leftInTemporaryFolder(), Lines{});
  EXPECT_EQ(readFile(path("wall.kx5o")), "STUB REPORT\n");
}

TEST_F(RunControlTest, FailuresAreToldAndTheNextRunWorks) {
  const std::string data = path("wall.kx5d").string();
  const std::string report = path("wall.kx5o").string();
  const std::string noReport = "warning: The analysis ended without writing its report\r" + report +
                               "\rso no results have been loaded.";
  const struct {
    const char* name;
    std::function<RunControl()> control;
    std::function<void()> arrange;
    EngineCallResult result;
    Lines shown;
  } cases[] = {
      {"engine refuses", [] { return RunControl(KORVEX_STUB_ENGINE_DIR); },
       [] { setenv("KORVEX_STUB_RESULT", "1", 1); }, EngineCallResult::Refused,
       {std::string("info: ") + kEngineRefused}},
      {"engine writes nothing and says why", [] { return RunControl(KORVEX_STUB_ENGINE_DIR); },
       [] { setenv("KORVEX_STUB_NO_REPORT", "1", 1); }, EngineCallResult::NoReport,
       {noReport + "\r\rThe analysis said:\r STUB CANNOT CREATE THE OUTPUT FILE " + report}},
      {"engine writes nothing and returns 0 silently", [] { return RunControl(KORVEX_STUB_ENGINE_DIR); },
       [] { setenv("KORVEX_STUB_RESULT", "0", 1); }, EngineCallResult::NoReport, {noReport}},
      {"no library in the program folder", [this] { return RunControl(path("no-program")); }, [] {},
       EngineCallResult::LibraryFailed, {std::string("info: ") + kInitializeFailed}},
  };
  for (const auto& c : cases) {
    writeFile(path("wall.kx5d"), "");
    writeFile(report, "OLD REPORT\n");  // an earlier run's report is no sign of this one
    RunControl run = c.control();
    testing::ScriptedUserInterface ui;
    c.arrange();
    EXPECT_EQ(run.callEngine(data, ui), c.result) << c.name;
    EXPECT_EQ(ui.shown(), c.shown) << c.name;
    EXPECT_EQ(readFile(report), "OLD REPORT\n") << c.name;
    expectPutBack(ui);

    unsetenv("KORVEX_STUB_RESULT");
    unsetenv("KORVEX_STUB_NO_REPORT");
    RunControl next(KORVEX_STUB_ENGINE_DIR);
    testing::ScriptedUserInterface nextUi;
    EXPECT_EQ(run.callEngine(data, nextUi), c.result == EngineCallResult::LibraryFailed
                                                ? EngineCallResult::LibraryFailed
                                                : EngineCallResult::Completed)
        << c.name;
    EXPECT_EQ(next.callEngine(data, nextUi), EngineCallResult::Completed) << c.name;
    expectPutBack(nextUi);
  }
}

TEST_F(RunControlTest, RefusesANameTheEngineWouldCutWithoutLoadingIt) {
  const std::string data = path(std::string(240, 'w') + ".kx5d").string();
  RunControl run(KORVEX_STUB_ENGINE_DIR);
  testing::ScriptedUserInterface ui;
  EXPECT_EQ(run.callEngine(data, ui), EngineCallResult::ControlFileFailed);
  EXPECT_EQ(ui.log, Lines{"warning: " + *controlFileProblem(data)});
  EXPECT_FALSE(std::filesystem::exists(recordFile()));
  expectPutBack(ui);
}

TEST_F(RunControlTest, RealEngineRunsTheSampleTwiceLeavingNoControlFile) {
  std::filesystem::copy_file(std::filesystem::path(KORVEX_EXAMPLES) / "sample_wall.kx5d", path("sample_wall.kx5d"));
  RunControl run(KORVEX_ENGINE_DIR);
  for (int call = 1; call <= 2; ++call) {
    testing::ScriptedUserInterface ui;
    ASSERT_EQ(run.callEngine(path("sample_wall.kx5d").string(), ui), EngineCallResult::Completed) << call;
    EXPECT_EQ(ui.shown(), Lines{std::string("info: ") + kComputationsCompleted});
    for (const char* extension : {".kx5o", ".kx5p", ".kx5r"})
      EXPECT_FALSE(readFile(path(std::string("sample_wall") + extension)).empty()) << extension;
    EXPECT_NE(readFile(path("sample_wall.kx5o")).find("END OF ANALYSIS"), std::string::npos);
    expectPutBack(ui);
    EXPECT_FALSE(holdsControlFile(KORVEX_ENGINE_DIR));
  }
}

TEST_F(RunControlTest, RealEngineThatCannotReadTheDataIsNoSuccess) {
  const std::string missing = path("gone.kx5d").string();
  writeFile(path("gone.kx5o"), "OLD REPORT\n");
  RunControl run(KORVEX_ENGINE_DIR);
  testing::ScriptedUserInterface ui;
  EXPECT_EQ(run.callEngine(missing, ui), EngineCallResult::NoReport);
  EXPECT_EQ(ui.shown(), Lines{"warning: The analysis ended without writing its report\r" + path("gone.kx5o").string() +
                              "\rso no results have been loaded.\r\rThe analysis said:\r"
                              " CANNOT READ THE INPUT DATA FILE " + missing});
  expectPutBack(ui);

  std::filesystem::copy_file(std::filesystem::path(KORVEX_EXAMPLES) / "sample_wall.kx5d", path("sample_wall.kx5d"));
  testing::ScriptedUserInterface nextUi;
  EXPECT_EQ(run.callEngine(path("sample_wall.kx5d").string(), nextUi), EngineCallResult::Completed);
}

}  // namespace
}  // namespace korvex
