// The start dialog "Start Generate" with the eight switches and the "Start" button.
#pragma once

#include "app/app.h"

namespace corvane {

int OpenStartDialog(App& app);
// Enables the main window and closes the dialog (its close box, and the worker's first request).
int CloseStartWindow(App& app);
// A left click on switch box `gadget` (3..10).
int SwitchBoxClick(App& app, int gadget, int event_type);
// A left click on "Start": starts the run (StartGenerationRun).
int StartButtonClick(App& app, int event_type);

}  // namespace corvane
