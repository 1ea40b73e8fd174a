// The settings file "CV4.INI" and the user gadget list "UserList.INI" beside the executable.
#pragma once

#include "app/app.h"

namespace corvane {

// Reads the user gadget list (creating it), builds the key sets, opens the project named on the
// command line or the last one. Returns 1 when a project was opened.
int LoadSettings(App& app);
// Writes "Path" (Last, Project) and "Default" (the eight switches) into the settings file.
int SaveSettings(App& app);

}  // namespace corvane
