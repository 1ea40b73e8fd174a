// Main.pb: adapts the main program to the project's first window on every run.
#pragma once

#include "analysis/source_model.h"
#include "project/project_state.h"

namespace corvane {

// Points the open call placeholder and every "If WindowID(#" line of LinesMain at the first
// window, and with SwitchMacMenuEvents on adds the macOS application menu items once. Leaves
// LinesMain unchanged when there is no window.
void UpdateMainProgram(SourceModel& model, const Switches& switches);

}  // namespace corvane
