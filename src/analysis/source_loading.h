// Loading the project's own files (main source, handler files, language loader, catalog) into the
// source model, and finding the user include files the main source names.
#pragma once

#include <string>
#include <vector>

#include "analysis/source_model.h"
#include "platform/text/text.h"
#include "project/project_state.h"

namespace corvane {

enum class MainFormat { kCannotOpen, kNone, kUtf8, kUtf16LE, kUtf16BE, kUtf32LE, kUtf32BE };

// The byte order mark of project_dir + "Main.pb", or kCannotOpen. `project_dir` ends in "/".
MainFormat CheckMainFormat(const std::string& project_dir);

// The log line step 1 writes for the result of CheckMainFormat.
Text MainFormatLogLine(MainFormat format);

// Fills LinesMain, LinesEventMain, LinesLoadLanguage, the three handler line lists and MapLanguage
// (expected empty) from the project directory, using the templates for missing files.
void LoadSources(SourceModel& model, const Switches& switches, const std::string& project_dir);

// Adds the entries of the catalog's lines to `map`: the first line is a header; each other line
// maps the key before its first ";" to the value up to the second ";" (quotes stripped; an empty
// value maps the key to itself; an empty key is ignored).
void ParseCatalog(const LineList& lines, TextMap& map);

// Appends to ListIncludeFile the resolved paths of the include files named in the project
// directory's file `file_name`. A file that cannot be opened, or an empty name, adds nothing.
void ScanIncludeFiles(SourceModel& model, const std::string& project_dir, TextView file_name);

}  // namespace corvane
