// The user gadget list file: "[USERGADGET]" and one procedure name per line.
#pragma once

#include <string>
#include <vector>

#include "platform/text/line.h"
#include "platform/text/text.h"

namespace corvane {

inline constexpr TextView kUserGadgetHeader = U"[USERGADGET]";

// The names of the "[USERGADGET]" section: a line starting with "[" names the section (the whole
// line, compared exactly), an empty line ends it; names lose their outer blanks.
std::vector<Text> ParseUserGadgetList(const LineList& lines);

// Reads the names from the file at `path`. False when it cannot be read.
bool ReadUserGadgetFile(const std::string& path, std::vector<Text>& names);

// The lines of the file for `names`.
LineList UserGadgetFileLines(const std::vector<Text>& names);

}  // namespace corvane
