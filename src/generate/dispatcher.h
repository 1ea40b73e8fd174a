// EventMain.pb: fills the dispatcher template with one Select case or one table entry per object.
#pragma once

#include "analysis/source_model.h"

namespace corvane {

// Select style: inserts the Case lines of menu items, gadgets with a handler, and windows (size
// and exit) behind the line that follows each dispatch procedure's marker line in LinesEventMain.
void FillSelectDispatch(SourceModel& model);

// Table style: sets the three count constants and inserts the four address tables behind the
// first "DataSection" line of LinesEventMain (at its end when there is none).
void FillCallEventTables(SourceModel& model);

}  // namespace corvane
