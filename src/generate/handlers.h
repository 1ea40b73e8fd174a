// The handler files EventMenu.pb, EventGadget.pb and EventWindow.pb: each operation appends the
// header to an empty list and an empty skeleton for every handler procedure not yet present.
// A procedure is present when some line of its list contains its head line exactly.
#pragma once

#include "analysis/source_model.h"

namespace corvane {

// The handler names, shared with the dispatcher that calls them.
inline constexpr TextView kEventMenuPrefix = U"EventMenu_";
inline constexpr TextView kEventGadgetPrefix = U"EventGadget_";
inline constexpr TextView kEventSizePrefix = U"EventSize_";
inline constexpr TextView kEventExitPrefix = U"EventExit_";
inline constexpr TextView kGadgetParameters = U"(EventType)";

// EventMenu_MacAbout, EventMenu_MacPreferences and EventMenu_MacQuit into LinesEventMenu. The
// caller runs it only when SwitchMacMenuEvents is on.
void AddMacMenuHandlers(SourceModel& model);

// EventMenu_<name>() for every ListMenuItemID element, into LinesEventMenu.
void AddMenuHandlers(SourceModel& model);

// EventSize_<name>() for every ListWindowID element, into LinesEventWindow.
void AddSizeHandlers(SourceModel& model);

// EventExit_<name>() for every ListWindowID element, into LinesEventWindow; the first window's
// procedure ends the program, the others close their window.
void AddExitHandlers(SourceModel& model);

// EventGadget_<Name>(EventType) for every gadget that is neither a text nor a frame gadget, into
// LinesEventGadget.
void AddGadgetHandlers(SourceModel& model);

// False for text and frame gadgets, which get no handler procedure and no Select case.
bool HasGadgetHandler(const GadgetRecord& gadget);

// Appends the seven lines of a gadget handler that follow its head line; the same for every
// `gadget_function`.
void AddGadgetHandlerBody(TextList& lines, TextView gadget_function);

}  // namespace corvane
