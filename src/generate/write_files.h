// The last action of step 4: writes every generated file of the run into the project directory.
#pragma once

#include <string>

#include "analysis/run_log.h"
#include "analysis/source_model.h"
#include "project/project_state.h"

namespace corvane {

// Writes Main.pb, CommonFile.pb, EventMain.pb, EventMenu.pb, EventGadget.pb, EventWindow.pb and,
// with SwitchMultilang, LoadLanguage.pb and Catalog into `project_dir` (ending in "/"), in
// WriteFormat, logging one line per file. A failed file is reported and skipped.
void WriteGeneratedFiles(SourceModel& model, const Switches& switches,
                         const std::string& project_dir, RunLog& log);

}  // namespace corvane
