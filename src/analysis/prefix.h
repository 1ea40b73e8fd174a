// Window prefixing: writes each window's name in front of the gadget, menu, menu item, toolbar and
// status-bar identifiers of its form code, so that identifiers are unique across the project.
#pragma once

#include <cstddef>

#include "analysis/run_log.h"
#include "analysis/source_model.h"
#include "platform/text/text.h"

namespace corvane {

// Rewrites model.LinesSource in place, one pass from the first line to the last, using the keys of
// model.MapKeyword. Returns false, after logging the error line, at a window opened with #PB_Any;
// the lines before it stay rewritten.
bool PrefixIdentifiers(SourceModel& model, RunLog& log);

// The characters of `line` from the 1-based position `first` up to, not including, position `stop`,
// blanks removed at both ends. A missing stop (0) or one before `first` takes the rest of the line,
// so a line that lacks the expected "," or ")" still gives an identifier and nothing is read past
// its end.
Text IdentifierBetween(TextView line, size_t first, size_t stop);
// The same as a view into `line`.
TextView IdentifierView(TextView line, size_t first, size_t stop);

}  // namespace corvane
