// The main window: menus, toolbar, the two lists, the status bar, and the small display routines.
#pragma once

#include "app/app.h"

namespace corvane {

inline constexpr TextView kMainTitle = U"Corvane Sartel Version v5.20";

int OpenMainWindow(App& app);
int CreateMainToolBar(App& app);
// Lays the splitter out over the inner area minus the menu, toolbar and status bar heights.
int ResizeMain(App& app);
int SetStatusText(App& app, const Text& text);
int ShowMessage(App& app, const Text& title, const Text& text);
// Appends a log line, selects it (scrolling it into view) and clears the selection again.
int AddLogLine(App& app, const Text& text);
// The splitter's number (chosen by the toolkit).
int MainSplitter(const App& app);

}  // namespace corvane
