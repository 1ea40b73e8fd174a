// A generation run: four steps on the worker thread, from the project's sources to the written
// files.
#pragma once

#include <string>

#include "analysis/run_host.h"
#include "analysis/source_model.h"
#include "project/project_state.h"

namespace corvane {

struct RunContext {
  SourceModel& model;
  ProjectState& state;
  RunHost& host;
};

// The directory of the current project file, absolute, with a trailing "/".
std::string ProjectDirectory(const ProjectState& state);

// Load and analyse; false stops the run.
bool GenerateStep1(RunContext& run);
// Compare the constants with the previous run and bind renames; false stops the run.
bool GenerateStep2(RunContext& run);
// Backup and updates of the existing sources.
void GenerateStep3(RunContext& run);
// Generate, write the files, save the project.
void GenerateStep4(RunContext& run);

// The body of the worker thread: every step in order, ending the log with "Ready." or "Cancel."
// and an empty line.
void GenerateThread(RunContext& run);

}  // namespace corvane
