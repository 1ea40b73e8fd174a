// The project in hand: its file, its flags, the last requester directory and the eight switches.
#pragma once

#include <array>
#include <cstdint>

#include "platform/text/text.h"

namespace corvane {

// The generation switches; 0 is off, anything else on.
struct Switches {
  int64_t SwitchParend = 0;
  int64_t SwitchPBIgnore = 0;
  int64_t SwitchMultilang = 0;
  int64_t SwitchImageInclude = 0;
  int64_t SwitchImageNull = 0;
  int64_t SwitchUseCallFast = 0;
  int64_t SwitchUtf8 = 0;
  int64_t SwitchMacMenuEvents = 0;
};

// One switch: its key in the project file and the settings file, and its settings default.
struct SwitchInfo {
  TextView key;
  int64_t Switches::*member;
  int64_t settings_default;
};

// The eight switches in their fixed order (project "[SWITCH]" lines, settings "Default" group).
inline constexpr std::array<SwitchInfo, 8> kSwitchTable = {{
    {U"Parend", &Switches::SwitchParend, 1},
    {U"PB_Ignore", &Switches::SwitchPBIgnore, 1},
    {U"Multilang", &Switches::SwitchMultilang, 0},
    {U"Image_Include", &Switches::SwitchImageInclude, 0},
    {U"Image_Null", &Switches::SwitchImageNull, 0},
    {U"UseCallFast", &Switches::SwitchUseCallFast, 1},
    {U"Utf8", &Switches::SwitchUtf8, 1},
    {U"MacMenuEvents", &Switches::SwitchMacMenuEvents, 1},
}};

struct ProjectState {
  Text ProjectFile;
  int ProjectHasFile = 0;
  int ProjectSaved = 1;
  Text LastPath;
  Switches switches;
};

// The one project of the process.
ProjectState& GlobalProjectState();

}  // namespace corvane
