// The six source texts that generated files start from, embedded in the program byte for byte.
#pragma once

#include <string_view>
#include <vector>

#include "platform/text/line.h"
#include "platform/text/text.h"

namespace corvane {

enum class Template {
  kEventMainSelect,     // Select/Case dispatcher, CR LF line ends
  kEventMainSelectMac,  // Select/Case dispatcher with macOS menu events, LF line ends
  kEventMainTable,      // "Call Event Fast" dispatcher, CR LF line ends
  kEventMainTableMac,   // "Call Event Fast" dispatcher with macOS menu events, LF line ends
  kMain,                // main program
  kLoadLanguage,        // language loader
};

// The stored bytes of a template, line ends included.
std::string_view TemplateText(Template which);

// The dispatcher variant for the project switches SwitchUseCallFast and SwitchMacMenuEvents.
Template EventMainTemplate(bool use_call_fast, bool mac_menu_events);

// Removes every CR, then returns the pieces before each LF (empty ones included), decoded as UTF-8.
// Text after the last LF is not used.
LineList CutTemplate(std::string_view text);

// CutTemplate(TemplateText(which)).
LineList TemplateLines(Template which);

}  // namespace corvane
