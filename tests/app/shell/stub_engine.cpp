// A stand-in for the engine library with the same entry point, for tests of the run control.
// Each call records the current folder and the control file it found there into the file
// named by KORVEX_STUB_RECORD (the folder on the first line, the control file's text after it).
// It then writes a small report, plot file and monitor file under the names of the control
// file, each under a temporary name that is renamed, as the engine does. On request it
// misbehaves:
//   KORVEX_STUB_RESULT=n     returns n instead of 0 (1 is the engine's refusal) and writes nothing
//   KORVEX_STUB_NO_REPORT=1  writes no file and says so on standard error, returning 0
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string controlFileText() {
  std::ifstream in("names.dat", std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void record(const std::string& controlText) {
  const char* recordFile = std::getenv("KORVEX_STUB_RECORD");
  if (recordFile == nullptr) return;
  std::ofstream out(recordFile, std::ios::binary | std::ios::trunc);
  out << std::filesystem::current_path().string() << '\n' << controlText;
}

std::vector<std::string> controlLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

void writeReplacing(const std::string& path, const std::string& text) {
  const std::string temporary = path + ".stub-tmp";
  std::ofstream(temporary, std::ios::binary | std::ios::trunc) << text;
  std::filesystem::rename(temporary, path);
}

}  // namespace

extern "C" __attribute__((visibility("default"))) std::int32_t _IKORVEX(std::int32_t code) {
  const std::string text = controlFileText();
  record(text);
  if (const char* result = std::getenv("KORVEX_STUB_RESULT")) {
    std::int32_t value = 0;
    std::from_chars(result, result + std::strlen(result), value);
    return value;
  }
  const std::vector<std::string> lines = controlLines(text);
  if (code != 11 || lines.size() < 5) return 1;
  if (std::getenv("KORVEX_STUB_NO_REPORT") != nullptr) {
    std::fprintf(stderr, " STUB CANNOT CREATE THE OUTPUT FILE %s\n", lines[2].c_str());
    return 0;
  }
  try {
    writeReplacing(lines[2], "STUB REPORT\n");
    writeReplacing(lines[3], "STUB PLOT\n");
    writeReplacing(lines[4], "STUB MONITOR\n");
  } catch (...) {
    std::fprintf(stderr, " STUB COULD NOT WRITE ITS FILES\n");
  }
  return 0;
}
