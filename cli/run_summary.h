// What the tool tells the user after analysing data files: how each file's run ended, its key
// results per block (as text or JSON), the one-line reasons of runs that did not end well, and
// the count of a batch.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

#include "control/engine.h"

namespace korvex::cli {

// One data file's run: its files, why it could not be run (empty when it ran), the engine's
// outcome and the lines it wrote to the console.
struct FileRun {
  std::filesystem::path input;
  RunFiles files;
  std::string failure;
  RunOutcome outcome;
  std::vector<std::string> console;   // warnings and stop codes
  std::vector<std::string> progress;  // " READ SOIL DATA...."
};

// How a file's run ended, from best to worst; the exit status of a batch is its worst verdict's.
enum class Verdict {
  Closed,     // every block closed (a deflection beyond a p-y curve is only a warning)
  NotClosed,  // a block did not close or exceeded the allowed deflection
  ErrorStop,  // an error in the data ended the run
  NotRun,     // the file could not be read or the outputs not written
};

Verdict verdictOf(const FileRun& run);
int exitStatusOf(Verdict verdict);

// The reasons a run did not end well, one line each, without the file's name: "ERROR STOP at
// line 3 item 3: a number is expected, not '1O' (wall line)", "Stage 2: not closed within the
// tolerance after 100 iterations". None for a run whose blocks all closed.
std::vector<std::string> problemsOf(const FileRun& run);

// The key results of every block of a run, in the blocks' units, as an engineer reads them.
void writeTextSummary(std::ostream& out, const FileRun& run);

// The same as a JSON array, one object per file; the keys are listed in docs/korvex-cli.md.
void writeJsonSummary(std::ostream& out, const std::vector<FileRun>& runs);

// "6 data files: 4 analysed and closed, 1 not closed, 1 stopped on data errors".
std::string batchCountLine(const std::vector<FileRun>& runs);

// An engine message in sentence case: upper-case words become lower case, except quoted text,
// words with digits and the name EI.
std::string sentenceCase(const std::string& message);

// A figure with four significant digits, in plain or E notation ("0.1536", "1.966E+05").
std::string figureText(double value);

}  // namespace korvex::cli
