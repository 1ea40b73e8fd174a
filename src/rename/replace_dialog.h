// The search-and-replace dialog in which the user binds vanished names to new ones.
#pragma once

#include <vector>

#include "app/app.h"

namespace corvane {

// Opens window 2 for `kind`, filled from ListVanishedConst and ListAddedConst; the request in
// app.PendingRequest stays unanswered until Continue or the close box.
void OpenReplaceDialog(App& app, int kind);
// Enables the main window and closes window 2.
void CloseReplaceDialog(App& app);
int BindSelected(App& app, int event_type);
int ReleaseSelected(App& app, int event_type);
int ContinueReplace(App& app, int event_type);
// The close box: replies 2 (cancel); the window stays until the worker closes it.
int CancelReplace(App& app);
// The items of the "Todo List", first to last.
std::vector<Text> TodoListItems(App& app);

}  // namespace corvane
