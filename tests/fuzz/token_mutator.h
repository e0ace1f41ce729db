// A libFuzzer custom mutator for input data files: half of the mutations work on the
// blank-separated tokens and the lines of the text, the other half are libFuzzer's own byte
// mutations.
//
// Byte mutations rarely turn a valid record into another valid record; the token mutations
// do: a number becomes a boundary value of the engine's capacities and modes, a large or
// tiny real, its negative or a neighbour, and whole lines are repeated, dropped or copied
// elsewhere, which changes record counts and block structure while the file stays readable.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <vector>

extern "C" std::size_t LLVMFuzzerMutate(std::uint8_t* data, std::size_t size, std::size_t maxSize);

namespace korvex::fuzz {

// Values at the edges of the engine's checks: modes, unit systems, continuation codes, the
// capacities and one beyond them, and reals at the ends of the double range.
inline constexpr const char* kInterestingValues[] = {
    "0",     "1",      "2",      "3",       "4",      "5",      "6",       "7",          "8",
    "9",     "-1",     "-2",     "-3",      "-4",     "20",     "21",      "34",         "35",
    "50",    "51",     "63",     "64",      "100",    "101",    "406",     "407",        "408",
    "410",   "411",    "2000",   "2001",    "0.5",    "-0.5",   "1E-5",    "1E-300",     "-1E-300",
    "1E+30", "-1E+30", "1E+308", "-1E+308", "1.7E+308", "4.9E-324", "90",    "180",        "45",
    "360",   "1E+9",   "2147483647", "-2147483648", "0.0001", "3.0E+10", "1E+20", "-1E+20", "1E-20"};

struct Token {
  std::size_t start = 0;
  std::size_t length = 0;
};

inline bool isSeparator(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == ','; }

inline std::vector<Token> tokensOf(std::string_view text) {
  std::vector<Token> tokens;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && isSeparator(text[i])) ++i;
    const std::size_t start = i;
    while (i < text.size() && !isSeparator(text[i])) ++i;
    if (i > start) tokens.push_back(Token{start, i - start});
  }
  return tokens;
}

// Line starts of `text`, with text.size() appended as the end of the last line.
inline std::vector<std::size_t> lineStartsOf(std::string_view text) {
  std::vector<std::size_t> starts{0};
  for (std::size_t i = 0; i < text.size(); ++i)
    if (text[i] == '\n' && i + 1 < text.size()) starts.push_back(i + 1);
  starts.push_back(text.size());
  return starts;
}

inline std::string realText(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.9G", value);
  return text;
}

inline std::string numberNear(std::string_view token, std::mt19937& random) {
  const std::string text(token);
  const double value = std::strtod(text.c_str(), nullptr);
  // Integers step by one; other numbers and those too large to step are scaled.
  const bool integral = text.find_first_of(".eEdD") == std::string::npos && std::fabs(value) < 1.0e15;
  switch (random() % 4) {
    case 0:
      return integral ? std::to_string(static_cast<long long>(value) + 1) : realText(value * 1.5);
    case 1:
      return integral ? std::to_string(static_cast<long long>(value) - 1) : realText(value / 10.0);
    case 2:
      return text.empty() || text[0] != '-' ? "-" + text : text.substr(1);
    default:
      return std::to_string(random() % 500);
  }
}

// Mutates `text` in place by one token or line operation. Returns false when it found
// nothing to work on.
inline bool mutateTokens(std::string& text, std::mt19937& random) {
  const std::vector<Token> tokens = tokensOf(text);
  const std::vector<std::size_t> lines = lineStartsOf(text);
  const std::size_t lineCount = lines.size() - 1;
  switch (random() % 6) {
    case 0:
    case 1:
    case 2: {  // replace a token
      if (tokens.empty()) return false;
      const Token token = tokens[random() % tokens.size()];
      std::string replacement;
      if (random() % 2 == 0) {
        replacement = kInterestingValues[random() % std::size(kInterestingValues)];
      } else {
        replacement = numberNear(std::string_view(text).substr(token.start, token.length), random);
      }
      text.replace(token.start, token.length, replacement);
      return true;
    }
    case 3: {  // repeat one to three lines in place (a layer is three lines, a curve point one)
      if (lineCount == 0) return false;
      const std::size_t line = random() % lineCount;
      const std::size_t last = std::min(lineCount, line + 1 + random() % 3);
      std::string copy = text.substr(lines[line], lines[last] - lines[line]);
      if (copy.empty() || copy.back() != '\n') copy += '\n';
      text.insert(lines[line], copy);
      return true;
    }
    case 4: {  // drop a line
      if (lineCount < 2) return false;
      const std::size_t line = random() % lineCount;
      text.erase(lines[line], lines[line + 1] - lines[line]);
      return true;
    }
    default: {  // copy a line to another place
      if (lineCount < 2) return false;
      const std::size_t from = random() % lineCount;
      const std::size_t to = random() % (lineCount + 1);
      std::string copy = text.substr(lines[from], lines[from + 1] - lines[from]);
      if (copy.empty() || copy.back() != '\n') copy += '\n';
      text.insert(lines[to], copy);
      return true;
    }
  }
}

// The custom mutation libFuzzer asks for: token or line operations or, when they find
// nothing to do or the result would not fit, a byte mutation of libFuzzer's own.
inline std::size_t mutate(std::uint8_t* data, std::size_t size, std::size_t maxSize, unsigned int seed) {
  std::mt19937 random(seed);
  if (random() % 2 == 0) {
    std::string text(reinterpret_cast<const char*>(data), size);
    const int steps = 1 + static_cast<int>(random() % 3);
    bool changed = false;
    for (int step = 0; step < steps; ++step) changed = mutateTokens(text, random) || changed;
    if (changed && text.size() <= maxSize) {
      std::memcpy(data, text.data(), text.size());
      return text.size();
    }
  }
  return LLVMFuzzerMutate(data, size, maxSize);
}

}  // namespace korvex::fuzz

// The harness's libFuzzer mutator: token-aware edits half the time, libFuzzer's own otherwise.
// The regression test compiles the harnesses without it.
#ifndef KORVEX_FUZZ_WITHOUT_MUTATOR
extern "C" std::size_t LLVMFuzzerCustomMutator(std::uint8_t* data, std::size_t size, std::size_t maxSize,
                                               unsigned int seed) {
  return korvex::fuzz::mutate(data, size, maxSize, seed);
}
#endif
