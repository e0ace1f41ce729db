#include "control/engine.h"

#include <exception>
#include <memory>

#include "control/analysis_run.h"

namespace korvex {

RunOutcome Engine::run(const RunFiles& files, const RunOptions& options) {
  try {
    // The run holds the station tables of a block; it lives on the heap, not the caller's stack.
    auto run = std::make_unique<AnalysisRun>(files, options);
    return run->execute();
  } catch (const std::exception& error) {
    return RunOutcome::failed(RunStatus::InternalError, std::string("internal error: ") + error.what());
  } catch (...) {
    return RunOutcome::failed(RunStatus::InternalError, "internal error");
  }
}

}  // namespace korvex
