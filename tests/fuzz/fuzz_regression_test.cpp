// The three fuzzing harnesses run over fixed inputs in the ordinary test build (and so under the
// sanitizers as well): the seed corpus (data files of every kind the desktop program opens), the
// bundled examples, every input fuzzing once found faulty (tests/fuzz/regressions), and each of
// those cut short and mangled in the ways damaged files arrive. A harness aborts on any breach
// of its checks, which fails the test with the harness's message.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

extern "C" int korvexFuzzDataReader(const std::uint8_t* data, std::size_t size);
extern "C" int korvexFuzzEngineRun(const std::uint8_t* data, std::size_t size);
extern "C" int korvexFuzzProjectReader(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

struct Input {
  std::string name;
  std::string bytes;
};

std::string readBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Every regular file of `folder` (none when it does not exist), in name order.
std::vector<Input> filesIn(const fs::path& folder) {
  std::vector<Input> inputs;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    if (!entry.is_regular_file() || entry.path().filename().string().front() == '.') continue;
    if (entry.path().extension() == ".md") continue;
    inputs.push_back({entry.path().filename().string(), readBytes(entry.path())});
  }
  std::sort(inputs.begin(), inputs.end(), [](const Input& a, const Input& b) { return a.name < b.name; });
  return inputs;
}

std::vector<Input> kx5dFilesIn(const fs::path& folder) {
  std::vector<Input> inputs = filesIn(folder);
  std::erase_if(inputs, [](const Input& input) { return !input.name.ends_with(".kx5d"); });
  return inputs;
}

// Damaged forms of a data file: cut at tenths of its length and in the middle of a line,
// with Windows line ends, without its last line end, with a NUL byte in the middle.
std::vector<Input> damagedForms(const Input& input) {
  std::vector<Input> forms;
  const std::size_t size = input.bytes.size();
  for (int tenth = 1; tenth < 10; ++tenth) {
    const std::size_t cut = size * static_cast<std::size_t>(tenth) / 10;
    forms.push_back({input.name + " cut at " + std::to_string(cut), input.bytes.substr(0, cut)});
  }
  std::string crlf;
  for (char c : input.bytes) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  forms.push_back({input.name + " with CR LF line ends", crlf});
  std::string unterminated = input.bytes;
  while (!unterminated.empty() && (unterminated.back() == '\n' || unterminated.back() == '\r')) unterminated.pop_back();
  forms.push_back({input.name + " without a last line end", unterminated});
  std::string withNul = input.bytes;
  if (!withNul.empty()) withNul[withNul.size() / 2] = '\0';
  forms.push_back({input.name + " with a NUL byte", withNul});
  return forms;
}

std::vector<Input> allInputs() {
  std::vector<Input> inputs = {{"an empty file", ""}, {"one line end", "\n"}, {"blanks only", "   \n  \n"}};
  std::vector<Input> files = filesIn(KORVEX_FUZZ_SEEDS);
  for (Input& example : kx5dFilesIn(KORVEX_EXAMPLES)) files.push_back(std::move(example));
  for (const Input& file : files) {
    inputs.push_back(file);
    for (Input& form : damagedForms(file)) inputs.push_back(std::move(form));
  }
  for (Input& found : filesIn(KORVEX_FUZZ_REGRESSIONS)) inputs.push_back(std::move(found));
  return inputs;
}

const std::uint8_t* bytesOf(const Input& input) { return reinterpret_cast<const std::uint8_t*>(input.bytes.data()); }

TEST(FuzzRegressions, TheInputsIncludeEverySeedAndExample) {
  const std::vector<Input> inputs = allInputs();
  const auto named = [&](const std::string& name) {
    return std::any_of(inputs.begin(), inputs.end(), [&](const Input& input) { return input.name == name; });
  };
  EXPECT_TRUE(named("sample_wall.kx5d"));
  EXPECT_TRUE(named("staged_three_blocks.kx5d"));
  EXPECT_TRUE(named("version2_layers_by_thickness.kxd"));
  EXPECT_GT(inputs.size(), 100u);
}

TEST(FuzzRegressions, TheDataReaderKeepsItsInvariantsOnEveryInput) {
  for (const Input& input : allInputs()) {
    SCOPED_TRACE(input.name);
    EXPECT_EQ(korvexFuzzDataReader(bytesOf(input), input.bytes.size()), 0);
  }
}

TEST(FuzzRegressions, EveryRunEndsInOrderWithBoundedOutput) {
  for (const Input& input : allInputs()) {
    SCOPED_TRACE(input.name);
    EXPECT_EQ(korvexFuzzEngineRun(bytesOf(input), input.bytes.size()), 0);
  }
}

TEST(FuzzRegressions, EveryProjectReadSavesAndReopensAlike) {
  for (const Input& input : allInputs()) {
    SCOPED_TRACE(input.name);
    EXPECT_EQ(korvexFuzzProjectReader(bytesOf(input), input.bytes.size()), 0);
  }
}

}  // namespace
