#include "convert_command.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <ostream>
#include <utility>

#include "app/program_data.h"
#include "app/project_reader.h"
#include "app/project_tables.h"
#include "app/project_writer.h"
#include "app/stage_files.h"
#include "app/word_reader.h"
#include "cli_app.h"
#include "file_checks.h"
#include "entry/unit_codes.h"
#include "tables/catalogue.h"

namespace korvex::cli {

namespace {

const char* const kConvertHelp =
    "Usage: korvex convert IN OUT.kx5d [--kind 1|2|3|4] [--units si|english|other] [--force]\n"
    "\n"
    "Opens the project data file IN as the desktop program does and saves it as OUT, always as a\n"
    "current .kx5d file, through the same project model the desktop program saves with. OUT\n"
    "replaces an existing file only once it is written completely. A file of construction stages\n"
    "is converted stage by stage; when its stages cannot be told apart, nothing is written.\n"
    "\n"
    "Options:\n"
    "  --kind K       the kind of IN (not of OUT): 1 .kx5d, 2 .kx4d, 3 version 3.0 .kxd,\n"
    "                 4 version 2.0 .kxd (layers by thickness); without it the extension of IN\n"
    "                 decides (.kx4d 2, .kxd 3, anything else 1, letter case ignored)\n"
    "  --units U      convert the project to si, english or other units on the way\n"
    "  --force        allow OUT to be IN itself (the file is replaced only when it reads whole)\n"
    "\n"
    "Exit status: 0 when the whole file was converted; 3 when OUT was written but IN had a\n"
    "read error or held what the project cannot (each named on standard error); 2 when nothing\n"
    "was written (IN cannot be opened, OUT is IN without --force, OUT cannot be written, or the\n"
    "arguments are wrong).\n";

struct ConvertRequest {
  std::string input;
  std::string output;
  int kind = 0;   // 0: from the input's extension
  int units = 0;  // 0: keep the file's unit system
  bool force = false;
};

std::string parseConvertArguments(const std::vector<std::string>& args, ConvertRequest& request) {
  std::vector<std::string> files;
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "--kind") {
      if (i + 1 >= args.size()) return "--kind needs 1, 2, 3 or 4";
      const std::string& kind = args[++i];
      if (kind.size() != 1 || kind[0] < '1' || kind[0] > '4') return "--kind takes 1, 2, 3 or 4, not " + kind;
      request.kind = kind[0] - '0';
    } else if (args[i] == "--units") {
      if (i + 1 >= args.size()) return "--units needs si, english or other";
      const std::string& units = args[++i];
      if (units == "english") {
        request.units = kEnglishUnits;
      } else if (units == "si") {
        request.units = kSIUnits;
      } else if (units == "other") {
        request.units = kOtherUnits;
      } else {
        return "--units takes si, english or other, not " + units;
      }
    } else if (args[i] == "--force") {
      request.force = true;
    } else if (!args[i].empty() && args[i][0] == '-') {
      return "unknown option " + args[i] + " (see korvex --help)";
    } else {
      files.push_back(args[i]);
    }
  }
  if (files.size() != 2) return "convert needs an input file and an output file (see korvex --help)";
  request.input = files[0];
  request.output = files[1];
  return "";
}

// A message of the project model on one line per part ('\r' breaks its lines).
std::string onLines(std::string message) {
  std::replace(message.begin(), message.end(), '\r', '\n');
  return message;
}

// The staged file `input` of `kind` as the current kind, every stage of it, in the project's
// unit system. What a later stage's reading finds goes to `err`, and `lacking` turns true when
// one does not read whole. Nothing when the file cannot be cut into its stages.
std::optional<std::string> convertedStages(const ConvertRequest& request, int kind, TProgramData& project,
                                           ProjectTables& tables, std::ostream& err, bool& lacking) {
  const StageSplit split = SplitStageBlocks(ReadTextFile(request.input), project.StageCount, kind, tables);
  if (!split.error.empty()) {
    err << "korvex: " << request.input << ": " << onLines(split.error) << '\n';
    return std::nullopt;
  }
  StagedRewrite rewrite = RewriteStages(split.stages, kind, project, tables);
  // The first stage's findings were told when the file was opened.
  for (std::size_t stage = 1; stage < rewrite.findings.size(); ++stage) {
    const BlockReadResult& read = rewrite.findings[stage];
    const std::string where = "korvex: " + request.input + ": stage " + std::to_string(stage + 1) + ": ";
    for (const std::string& note : read.notes) err << where << note << '\n';
    if (!read.error.empty()) err << where << onLines(read.error) << '\n';
    lacking = lacking || !read.error.empty() || !read.notes.empty();
  }
  return std::move(rewrite.text);
}

}  // namespace

int runConvert(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (asksForHelp(args)) {
    out << kConvertHelp;
    return kExitOk;
  }
  ConvertRequest request;
  if (const std::string problem = parseConvertArguments(args, request); !problem.empty()) return fail(err, problem);
  const bool overInput = sameFile(request.input, request.output);
  if (overInput && !request.force)
    return fail(err, request.output + " is the input file itself; give another output name, or --force to replace it");
  const Catalogue catalogue = createCatalogue();
  ProjectTables tables(catalogue);
  const int kind = request.kind != 0 ? request.kind : KindOfFile(request.input);
  ProjectReadResult read = ReadDataFile(request.input, kind, tables);
  if (!read.opened) {
    // Nothing was read: there is no project to write, and OUT stays as it was.
    err << "korvex: " << read.error << '\n';
    return kExitFailure;
  }
  for (const std::string& note : read.notes) err << "korvex: " << request.input << ": " << note << '\n';
  if (!read.error.empty()) err << "korvex: " << request.input << ": " << onLines(read.error) << '\n';
  bool lacking = !read.notes.empty();  // the output lacks what the input holds
  TProgramData& project = read.data;
  if (request.units != 0) project.SetUnits(request.units, tables);
  project.FileName = request.output;
  std::string text;
  try {
    if (project.StageCount > 1) {
      // Every stage, not the first one alone: nothing is written when the stages cannot be told
      // apart.
      const std::optional<std::string> stages = convertedStages(request, kind, project, tables, err, lacking);
      if (!stages) return fail(err, "nothing was written");
      text = *stages;
    } else {
      text = DataFileText(project, tables);
    }
  } catch (const std::exception& error) {
    err << "korvex: " << error.what() << '\n';
    return kExitFailure;
  }
  const bool whole = read.error.empty() && !lacking;
  if (overInput && !whole)
    return fail(err, "the input file is kept as it was: it did not read whole, and converting it onto itself "
                     "would lose what is named above");
  if (!read.error.empty()) err << "korvex: the project as read up to there is written\n";
  if (lacking) err << "korvex: " << request.output << " lacks what is named above\n";
  try {
    WriteFileSafely(request.output, text);
  } catch (const ProjectWriteError& error) {
    err << "korvex: " << error.what() << '\n';
    return kExitFailure;
  }
  out << "Written: " << request.output << '\n';
  return whole ? kExitOk : kExitErrorStop;
}

}  // namespace korvex::cli
