#include "cli_app.h"

#include <ostream>

#include "control/engine.h"
#include "convert_command.h"
#include "export_command.h"
#include "plot_command.h"
#include "run_command.h"

namespace korvex::cli {

namespace {

const std::string kUsage = std::string(
    "Usage: korvex COMMAND [ARGUMENTS]\n"
    "\n"
    "Commands:\n") + kRunUsage + kConvertUsage + kPlotUsage + kExportUsage + std::string(
    "  help [COMMAND]              print this help, or a command's own (also COMMAND --help)\n"
    "  --version                   print the program version\n"
    "\n"
    "Exit status of run: 0 when every block closed, 4 when a block did not close or exceeded\n"
    "the allowed deflection, 3 when an error in the data ended a run, 2 when a file could not be\n"
    "read or written or the arguments are wrong. Of convert: 0 when the whole file was\n"
    "converted, 3 when it was written in part, 2 when nothing could be written. Of plot: 0 when\n"
    "every picture was written, 2 otherwise. Of export: 0 when the workbook was written, 2\n"
    "otherwise.\n");

int commandHelp(const std::string& command, std::ostream& out, std::ostream& err) {
  if (command == "run") return runRun({"run", "--help"}, out, err, false);
  if (command == "convert") return runConvert({"convert", "--help"}, out, err);
  if (command == "plot") return runPlot({"plot", "--help"}, out, err);
  if (command == "export") return runExport({"export", "--help"}, out, err);
  return fail(err, "unknown command " + command + " (see korvex --help)");
}

}  // namespace

int fail(std::ostream& err, const std::string& message) {
  err << "korvex: " << message << '\n';
  return kExitFailure;
}

bool asksForHelp(const std::vector<std::string>& args) {
  for (std::size_t i = 1; i < args.size(); ++i)
    if (args[i] == "--help" || args[i] == "-h") return true;
  return false;
}

int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, bool terminal) {
  if (args.empty()) {
    err << kUsage;
    return kExitFailure;
  }
  const std::string& command = args[0];
  if (command == "--help" || command == "-h" || command == "help") {
    if (args.size() > 1) return commandHelp(args[1], out, err);
    out << kUsage;
    return kExitOk;
  }
  if (command == "--version") {
    out << "korvex " << kEngineVersion << '\n';
    return kExitOk;
  }
  if (command == "run") return runRun(args, out, err, terminal);
  if (command == "convert") return runConvert(args, out, err);
  if (command == "plot") return runPlot(args, out, err);
  if (command == "export") return runExport(args, out, err);
  return fail(err, "unknown command " + command + " (see korvex --help)");
}

}  // namespace korvex::cli
