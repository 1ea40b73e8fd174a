// Reading the common files into the form code: their procedures go to LinesSource (form files
// converted to the program's naming), image and font loading outside procedures to ListImage and
// ListFont.
#pragma once

#include "analysis/run_log.h"
#include "analysis/source_model.h"

namespace corvane {

// Reads every file of ListCommonFile in order and appends to LinesSource, ListImage and ListFont.
// A file that cannot be opened is logged ("Error " + path + ": " + error text) and skipped.
void ConvertFormFiles(SourceModel& model, RunLog& log);

}  // namespace corvane
