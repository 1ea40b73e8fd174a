// The two optional rewrites of the window-opening lines of the form code: every later window as a
// child of the first one, and x and y left to the system.
#pragma once

#include "analysis/source_model.h"

namespace corvane {

// Opens every OpenWindow(# line after the first as a child of the first window: the flags argument
// (PB_Any when there is none) is followed by WindowID(<first window>), later arguments dropped.
void SetParentWindow(SourceModel& model);

// Replaces the x and y arguments of every OpenWindow(# line by #PB_Ignore.
void IgnoreWindowPosition(SourceModel& model);

}  // namespace corvane
