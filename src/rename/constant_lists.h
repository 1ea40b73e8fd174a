// Step 2 of a run: finds, kind by kind, the identifiers of the last run that are gone and lets the
// user bind them to new names, collecting the bound pairs in ListReplace.
#pragma once

#include "analysis/run_host.h"
#include "analysis/source_model.h"
#include "platform/text/text.h"

namespace corvane {

// The object kinds of the rename records.
inline constexpr int kKindWindow = 1;
inline constexpr int kKindMenu = 2;
inline constexpr int kKindMenuItem = 3;
inline constexpr int kKindStatusBar = 4;
inline constexpr int kKindToolBar = 5;
inline constexpr int kKindGadget = 6;

// The word of a kind: "Window", "MenuBar", "MenuItem", "StatusBar", "ToolBar", "Gadget"; "" for a
// number outside 1..6.
Text KindWord(int kind);

// Compares the old and new names of `kind` (1..6, called in that order), asks the user through
// `host` when old names vanished and appends the bound pairs to ListReplace (kind 1 empties it
// first). Returns 1 to go on, 0 when the user cancelled the run.
int CheckConstants(SourceModel& model, int kind, RunHost& host);

}  // namespace corvane
