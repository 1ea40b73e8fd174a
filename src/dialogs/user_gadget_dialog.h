// The user gadget window: the list of the user's own gadget-creating procedures.
#pragma once

#include "app/app.h"

namespace corvane {

int OpenUserGadgetList(App& app);
int UserGadgetEdit(App& app, int event_type);
int UserGadgetAdd(App& app, int event_type);
int UserGadgetDelete(App& app, int event_type);
// "Ok": takes the list over into ListUserGadget and the file, then closes the window.
int SaveUserGadgets(App& app, int event_type);
// Enables the main window and closes the window, dropping unsaved changes.
int CloseUserGadgetWindow(App& app);

}  // namespace corvane
