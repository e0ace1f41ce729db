#include "run_summary.h"

#include <charconv>
#include <ostream>

#include "cli_app.h"
#include "key_results.h"

namespace korvex::cli {

namespace {

std::string shortestText(double value) {
  char buffer[32];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return error == std::errc() ? std::string(buffer, end) : "null";
}

bool isUpper(char c) { return c >= 'A' && c <= 'Z'; }
bool isLetter(char c) { return isUpper(c) || (c >= 'a' && c <= 'z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string blockStatus(const BlockOutcome& block) {
  const std::string iterations = std::to_string(block.iterations) + (block.iterations == 1 ? " iteration" : " iterations");
  std::string text;
  if (block.stationsOverMaxDeflection > 0) {
    text = "the deflection exceeds the allowed maximum at " + std::to_string(block.stationsOverMaxDeflection) +
           " stations (iteration " + std::to_string(block.iterations) + ")";
  } else if (block.stationsNotClosed > 0) {
    text = "not closed within the tolerance after " + iterations;
  } else {
    text = "closed in " + iterations;
  }
  if (block.offCurve) text += "; a deflection lies beyond its p-y curve (the curve's end is extended)";
  return text;
}

std::string errorStopText(const DataErrorStop& stop) {
  std::string text = "ERROR STOP";
  if (stop.at.line > 0) {
    text += " at line " + std::to_string(stop.at.line);
    if (stop.at.item > 0) text += " item " + std::to_string(stop.at.item);
  }
  return text + ": " + sentenceCase(stop.reason);
}

// " at 156 in (13 ft)": the depth in the block's length unit, and in feet for English blocks.
std::string depthText(double depth, UnitSystem unitSystem, const FigureUnits& units) {
  std::string text = " at " + figureText(depth) + " " + std::string(units.length);
  if (unitSystem == UnitSystem::English) text += " (" + figureText(depth / kInchesPerFoot) + " ft)";
  return text;
}

std::string padded(std::string text, std::size_t width) {
  if (text.size() < width) text.append(width - text.size(), ' ');
  return text;
}

// "  Maximum moment       1.966E+05 lb-in  at 204 in (17 ft)": name, value right-aligned, unit.
std::string figureLine(const std::string& indent, const std::string& name, double value, std::string_view unit) {
  const std::string number = figureText(value);
  return indent + padded(name, 19) + std::string(number.size() < 11 ? 11 - number.size() : 0, ' ') + number + " " +
         padded(std::string(unit), 5);
}

void writeBlockFigures(std::ostream& out, const BlockOutcome& block, const std::string& indent) {
  const KeyResults key = keyResults(block);
  const FigureUnits units = figureUnits(block.unitSystem);
  const auto at = [&](const ValueAtDepth& v) { return depthText(v.depth, block.unitSystem, units); };
  out << figureLine(indent, "Maximum moment", key.maxMoment.value, units.moment) << at(key.maxMoment) << '\n';
  out << figureLine(indent, "Minimum moment", key.minMoment.value, units.moment) << at(key.minMoment) << '\n';
  out << figureLine(indent, "Maximum shear", key.maxShear.value, units.force) << at(key.maxShear) << '\n';
  std::string top = figureLine(indent, "Top deflection", key.topDeflection, units.length);
  top.erase(top.find_last_not_of(' ') + 1);
  out << top << '\n';
  out << figureLine(indent, "Maximum deflection", key.maxDeflection.value, units.length) << at(key.maxDeflection)
      << '\n';
  for (std::size_t i = 0; i < block.tiebacks.size(); ++i) {
    const TiebackForce& tieback = block.tiebacks[i];
    const char* sense = tieback.perTieback < 0 ? ": tension" : tieback.perTieback > 0 ? ": compression" : ":";
    out << figureLine(indent, "Tieback " + std::to_string(i + 1), tieback.perTieback, units.force)
        << depthText(tieback.depth, block.unitSystem, units) << sense << " per tieback\n";
  }
}

// JSON text of a string: quotes, backslashes and control characters escaped.
std::string jsonString(std::string_view text) {
  static const char* const kHex = "0123456789abcdef";
  std::string json = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      json += '\\';
      json += c;
    } else if (byte < 0x20) {
      json += "\\u00";
      json += kHex[byte >> 4];
      json += kHex[byte & 15];
    } else {
      json += c;
    }
  }
  return json + "\"";
}

std::string jsonAtDepth(const ValueAtDepth& v) {
  return "{\"value\": " + shortestText(v.value) + ", \"depth\": " + shortestText(v.depth) + "}";
}

const char* verdictName(Verdict verdict) {
  switch (verdict) {
    case Verdict::Closed:
      return "closed";
    case Verdict::NotClosed:
      return "not-closed";
    case Verdict::ErrorStop:
      return "error-stop";
    case Verdict::NotRun:
      break;
  }
  return "not-run";
}

const char* roleName(BlockRole role) {
  switch (role) {
    case BlockRole::Stage:
      return "stage";
    case BlockRole::ShortTerm:
      return "short-term";
    case BlockRole::LongTerm:
      return "long-term";
    case BlockRole::Single:
      break;
  }
  return "single";
}

void writeJsonBlock(std::ostream& out, const BlockOutcome& block, std::size_t blockCount) {
  const KeyResults key = keyResults(block);
  const FigureUnits units = figureUnits(block.unitSystem);
  out << "      {\"block\": " << std::to_string(block.block) << ", \"role\": \"" << roleName(block.role)
      << "\", \"label\": " << jsonString(blockLabel(block, blockCount)) << ",\n"
      << "       \"units\": {\"system\": " << std::to_string(unitSystemCode(block.unitSystem)) << ", \"length\": " << jsonString(units.length)
      << ", \"force\": " << jsonString(units.force) << ", \"moment\": " << jsonString(units.moment) << "},\n"
      << "       \"iterations\": " << std::to_string(block.iterations) << ", \"closed\": " << (block.closed() ? "true" : "false")
      << ", \"stationsOverMaxDeflection\": " << std::to_string(block.stationsOverMaxDeflection)
      << ", \"stationsNotClosed\": " << std::to_string(block.stationsNotClosed)
      << ", \"offCurve\": " << (block.offCurve ? "true" : "false") << ",\n"
      << "       \"maxMoment\": " << jsonAtDepth(key.maxMoment) << ", \"minMoment\": " << jsonAtDepth(key.minMoment)
      << ",\n       \"maxShear\": " << jsonAtDepth(key.maxShear)
      << ", \"topDeflection\": " << shortestText(key.topDeflection)
      << ", \"maxDeflection\": " << jsonAtDepth(key.maxDeflection) << ",\n       \"tiebacks\": [";
  for (std::size_t i = 0; i < block.tiebacks.size(); ++i) {
    const TiebackForce& t = block.tiebacks[i];
    out << (i > 0 ? ", " : "") << "{\"number\": " << std::to_string(i + 1) << ", \"station\": " << std::to_string(t.station)
        << ", \"depth\": " << shortestText(t.depth) << ", \"horizontalForcePerStation\": "
        << shortestText(t.horizontalPerStation) << ", \"forcePerStation\": " << shortestText(t.alongPerStation)
        << ", \"forcePerTieback\": " << shortestText(t.perTieback) << "}";
  }
  out << "]}";
}

}  // namespace

std::string figureText(double value) {
  char buffer[32];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 4);
  if (error != std::errc()) return "?";
  std::string text(buffer, end);
  const std::size_t e = text.find('e');
  if (e == std::string::npos) return text;
  text[e] = 'E';
  return text;
}

std::string sentenceCase(const std::string& message) {
  std::string text;
  bool quoted = false;
  for (std::size_t i = 0; i < message.size();) {
    if (message[i] == '\'') {
      quoted = !quoted;
      text += message[i++];
      continue;
    }
    if (quoted || !(isLetter(message[i]) || isDigit(message[i]))) {
      text += message[i++];
      continue;
    }
    std::size_t end = i;
    bool digits = false;
    while (end < message.size() && (isLetter(message[end]) || isDigit(message[end]))) digits |= isDigit(message[end++]);
    std::string word = message.substr(i, end - i);
    if (!digits && word != "EI")
      for (char& c : word)
        if (isUpper(c)) c = static_cast<char>(c - 'A' + 'a');
    text += word;
    i = end;
  }
  return text;
}

Verdict verdictOf(const FileRun& run) {
  if (!run.failure.empty()) return Verdict::NotRun;
  switch (run.outcome.status) {
    case RunStatus::Completed:
      break;
    case RunStatus::ErrorStop:
      return Verdict::ErrorStop;
    case RunStatus::FileError:
    case RunStatus::InternalError:
      return Verdict::NotRun;
  }
  for (const BlockOutcome& block : run.outcome.blocks)
    if (!block.closed()) return Verdict::NotClosed;
  return Verdict::Closed;
}

int exitStatusOf(Verdict verdict) {
  switch (verdict) {
    case Verdict::Closed:
      return kExitOk;
    case Verdict::NotClosed:
      return kExitNotClosed;
    case Verdict::ErrorStop:
      return kExitErrorStop;
    case Verdict::NotRun:
      break;
  }
  return kExitFailure;
}

std::vector<std::string> problemsOf(const FileRun& run) {
  std::vector<std::string> problems;
  if (!run.failure.empty()) return {run.failure};
  if (run.outcome.status == RunStatus::FileError || run.outcome.status == RunStatus::InternalError) {
    std::string message = run.outcome.message;
    message.erase(0, message.find_first_not_of(' '));
    return {message};
  }
  const std::size_t count = run.outcome.blocks.size() + (run.outcome.status == RunStatus::ErrorStop ? 1 : 0);
  for (const BlockOutcome& block : run.outcome.blocks) {
    if (block.closed()) continue;
    const std::string label = blockLabel(block, count);
    problems.push_back((label.empty() ? "" : label + ": ") + blockStatus(block));
  }
  if (run.outcome.status == RunStatus::ErrorStop) problems.push_back(errorStopText(run.outcome.errorStop));
  return problems;
}

void writeTextSummary(std::ostream& out, const FileRun& run) {
  const std::string name = run.input.filename().string();
  if (verdictOf(run) == Verdict::NotRun) {
    out << name << ": could not be run\n";
    return;
  }
  const std::vector<BlockOutcome>& blocks = run.outcome.blocks;
  const bool stopped = run.outcome.status == RunStatus::ErrorStop;
  const std::size_t count = blocks.size() + (stopped ? 1 : 0);
  if (blocks.size() == 1 && !stopped && blockLabel(blocks[0], 1).empty()) {
    out << name << ": " << blockStatus(blocks[0]) << '\n';
    writeBlockFigures(out, blocks[0], "  ");
  } else {
    out << name << '\n';
    for (const BlockOutcome& block : blocks) {
      const std::string label = blockLabel(block, count);
      out << "  " << (label.empty() ? "Block " + std::to_string(block.block) : label) << ": " << blockStatus(block)
          << '\n';
      writeBlockFigures(out, block, "    ");
    }
    if (stopped) out << "  " << errorStopText(run.outcome.errorStop) << '\n';
  }
  out << "  Report: " << run.files.report.string() << '\n';
}

void writeJsonSummary(std::ostream& out, const std::vector<FileRun>& runs) {
  out << "[";
  for (std::size_t r = 0; r < runs.size(); ++r) {
    const FileRun& run = runs[r];
    const Verdict verdict = verdictOf(run);
    out << (r > 0 ? ",\n" : "\n") << "  {\"file\": " << jsonString(run.input.string())
        << ", \"status\": \"" << verdictName(verdict) << "\", \"exitStatus\": " << std::to_string(exitStatusOf(verdict)) << ",\n";
    if (verdict != Verdict::NotRun) {
      out << "   \"report\": " << jsonString(run.files.report.string()) << ", \"plot\": "
          << jsonString(run.files.plot.string()) << ", \"monitor\": " << jsonString(run.files.monitor.string())
          << ",\n";
    }
    const std::vector<std::string> problems = problemsOf(run);
    out << "   \"problems\": [";
    for (std::size_t i = 0; i < problems.size(); ++i) out << (i > 0 ? ", " : "") << jsonString(problems[i]);
    out << "],\n   \"errorStop\": ";
    if (run.failure.empty() && run.outcome.status == RunStatus::ErrorStop) {
      const DataErrorStop& stop = run.outcome.errorStop;
      out << "{\"reason\": " << jsonString(stop.reason) << ", \"line\": " << std::to_string(stop.at.line)
          << ", \"item\": " << std::to_string(stop.at.item) << "}";
    } else {
      out << "null";
    }
    out << ",\n   \"blocks\": [";
    const std::size_t count = run.outcome.blocks.size() + (run.outcome.status == RunStatus::ErrorStop ? 1 : 0);
    for (std::size_t b = 0; b < run.outcome.blocks.size(); ++b) {
      out << (b > 0 ? ",\n" : "\n");
      writeJsonBlock(out, run.outcome.blocks[b], count);
    }
    out << (run.outcome.blocks.empty() ? "]}" : "\n   ]}");
  }
  out << (runs.empty() ? "]\n" : "\n]\n");
}

std::string batchCountLine(const std::vector<FileRun>& runs) {
  std::size_t counts[4] = {};
  for (const FileRun& run : runs) ++counts[static_cast<int>(verdictOf(run))];
  std::string line = std::to_string(runs.size()) + " data files: " + std::to_string(counts[0]) + " analysed and closed";
  const char* names[] = {"", "not closed", "stopped on data errors", "could not be run"};
  for (int v = 1; v < 4; ++v)
    if (counts[v] > 0) line += ", " + std::to_string(counts[v]) + " " + names[v];
  return line;
}

}  // namespace korvex::cli
