// Starting the configured text editor on a file, as the main window's Computation commands and
// a curve window's "View/Edit File" do.
#pragma once

#include <string>

namespace korvex {

// Starts `editor` on `file` without waiting. The stored editor may carry arguments ("gedit
// --new-window"): it is split as a shell would split it, and the file added as one argument of
// its own, never through a shell. False when nothing could be started.
bool startEditorProcess(const std::string& editor, const std::string& file);

}  // namespace korvex
