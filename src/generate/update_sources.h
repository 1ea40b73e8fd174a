// Step 3 of a run: the backup of the project's sources, then the renames of ListReplace carried
// into Main.pb, the three handler files (in memory) and the user's include files (on disk).
#pragma once

#include <string>

#include "analysis/run_log.h"
#include "analysis/source_model.h"

namespace corvane {

// Copies every "*.pb*" file of `project_dir` (ending in "/") into its "Backup" directory; logs
// "- Error CopyDirectory" when any copy fails.
void MakeBackup(const std::string& project_dir, RunLog& log);

// Window renames: handler-name prefixes and "#" + Old + "_" constant prefixes in the code lists.
void UpdatePrefixes(SourceModel& model);
// Handler procedure names of renamed menu items, gadgets and windows, as whole words.
void UpdateProcedures(SourceModel& model);
// "#" + Old as a whole word, for every record, in the four code lists.
void UpdateConstants(SourceModel& model);
// Calls "Open_" + Old + "()" of renamed windows in the four code lists.
void UpdateOpenWindow(SourceModel& model);
// Applies prefixes, constants and open calls to every include file and rewrites the files that
// changed; logs each rewrite and each failure.
void UpdateIncludeFiles(SourceModel& model, RunLog& log);

}  // namespace corvane
