// The checks of a saved project before a run: wall-stiffness rows whose nodes lie beyond the
// last node, and a backfill slope steeper than the friction angle of a sand or silt layer.
#pragma once

#include <optional>
#include <string>

namespace korvex {

class TProgramData;
class ProjectTables;

// The warning of the first violation ('\r' between its lines), or nothing when the run may go
// on. Numbers in general format with up to 15 significant digits, integers plainly.
std::optional<std::string> preRunWarning(const TProgramData& project, const ProjectTables& tables);

}  // namespace korvex
