// Start-up, the main event loop and the handler table of the desktop application.
#pragma once

#include "app/app.h"

namespace corvane {

// The whole program on `app.tk`: start-up, the event loop until ExitApplication, saving the
// settings. Returns the process exit status.
int Main(App& app);

// One pass of the event loop for `event` (the macOS menu items mapped, then the handler called).
void DispatchEvent(App& app, const Event& event);

// Each calls the handler of that number when 0 <= number < table length; returns 0.
int MyEventMenu(App& app, int item);
int MyEventGadget(App& app, int gadget, int event_type);
int MyEventSize(App& app, int window);
int MyEventExit(App& app, int window);

// The quit request (menu item 5, the main window's close box).
int QueryExit(App& app);
// The start command (menu item 9, toolbar button 9).
int MenuStartGenerate(App& app);

// The GUI side of the request channel: the handler of the hidden command button. Reads the
// request's record from app.event_data.
int EventGadget_Cmd(App& app, int event_type);

// Starts a generation run on a worker thread (the "Start" button); refused while a run is active.
void StartGenerationRun(App& app);

}  // namespace corvane
