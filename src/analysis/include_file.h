// Reading and writing back one of the user's include files.
#pragma once

#include "analysis/run_log.h"
#include "analysis/source_model.h"
#include "platform/text/textfile.h"

namespace corvane {

// Empties LinesInclude and fills it with the lines of the file at `path`; a missing file is created
// empty. A file without a byte order mark is read as single-byte text, one with a mark in the
// format it names (stored in `*format` when given). When the file cannot be opened, logs " -> Error
// OpenFile " + path + " / " + the error text and returns false.
bool ReadIncludeFile(SourceModel& model, const Text& path, RunLog& log,
                     TextFormat* format = nullptr);

// The encoding an include file read in `format` is written back in, given its new lines: a file
// that had a mark gets UTF-8 with its mark; one without stays single-byte text unless a character
// does not fit, in which case it becomes UTF-8 with a mark.
WriteEncoding IncludeWriteEncoding(TextFormat format, const LineList& lines);

}  // namespace corvane
