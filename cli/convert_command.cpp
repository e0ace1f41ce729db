#include "convert_command.h"

#include <algorithm>
#include <ostream>

#include "app/program_data.h"
#include "app/project_reader.h"
#include "app/project_tables.h"
#include "app/project_writer.h"
#include "cli_app.h"
#include "entry/unit_codes.h"
#include "tables/catalogue.h"

namespace korvex::cli {

namespace {

struct ConvertRequest {
  std::string input;
  std::string output;
  int kind = 0;   // 0: from the input's extension
  int units = 0;  // 0: keep the file's unit system
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

}  // namespace

int runConvert(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  ConvertRequest request;
  if (const std::string problem = parseConvertArguments(args, request); !problem.empty()) {
    err << "korvex: " << problem << '\n';
    return kExitFailure;
  }
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
  if (!read.error.empty()) {
    err << "korvex: " << request.input << ": " << onLines(read.error) << '\n';
    err << "korvex: the project as read up to there is written\n";
  }
  TProgramData& project = read.data;
  if (request.units != 0) project.SetUnits(request.units, tables);
  project.FileName = request.output;
  try {
    WriteDataFile(project, tables);
  } catch (const ProjectWriteError& error) {
    err << "korvex: " << error.what() << '\n';
    return kExitFailure;
  }
  out << "Written: " << request.output << '\n';
  return read.error.empty() ? kExitOk : kExitFailure;
}

}  // namespace korvex::cli
