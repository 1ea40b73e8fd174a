// Object collection: fills the six identifier lists of the source model from the prefixed form
// code and refuses identifiers that would make the generated code ambiguous.
#pragma once

#include "analysis/run_log.h"
#include "analysis/source_model.h"

namespace corvane {

// Walks model.LinesSource once and appends each new window, menu, menu item (toolbar buttons
// included), status bar, toolbar and gadget identifier to its list; gadgets are recognised through
// model.MapGadgetFunction. Returns false, after logging the error line, at the first repeated
// window, menu, status bar or toolbar; the lists keep what was collected up to that line.
bool CollectObjects(SourceModel& model, RunLog& log);

}  // namespace corvane
