#include "generate/main_program.h"

#include "analysis/scan.h"

namespace corvane {
namespace {

constexpr TextView kOpenPlaceholder = U"Open_WindowXY()";
constexpr TextView kIfWindowId = U"If WindowID(#";
constexpr TextView kMacCompilerIf = U"CompilerIf #PB_Compiler_OS = #PB_OS_MacOS";
constexpr TextView kCompilerEndIf = U"CompilerEndIf";
constexpr TextView kMenuQuit = U"MenuItem(#PB_Menu_Quit";

bool Contains(const Text& line, TextView part) { return line.find(part) != Text::npos; }

// The open call placeholder becomes the first window's open call; any other line naming a
// window in "If WindowID(#" is replaced whole by the If line of the first window.
void PointAtFirstWindow(TextList& lines, const Text& window) {
  const Text open_call = U"Open_" + window + U"()";
  const Text if_line = U"  " + Text(kIfWindowId) + window + U")";
  Text buffer;
  for (Line& stored : lines) {
    LineEdit edit(stored, buffer);
    Text& line = edit.text();
    if (Contains(line, kOpenPlaceholder)) {
      line = ReplaceNoCase(line, kOpenPlaceholder, open_call);
    } else if (Contains(line, kIfWindowId)) {
      line = if_line;
    }
  }
}

// True when a "MenuItem(#PB_Menu_Quit" line stands inside a macOS CompilerIf block.
bool HasMacQuitItem(const TextList& lines) {
  bool in_mac_block = false;
  Text line;
  for (const Line& stored : lines) {
    stored.CopyTo(line);
    if (Contains(line, kMacCompilerIf)) {
      in_mac_block = true;
    } else if (in_mac_block) {
      if (Contains(line, kMenuQuit)) return true;
      if (Contains(line, kCompilerEndIf)) in_mac_block = false;
    }
  }
  return false;
}

TextList MacMenuBlock() {
  return {U"    ",
          U"    " + Text(kMacCompilerIf),
          U"      MenuItem(#PB_Menu_About, \"\")",
          U"      MenuItem(#PB_Menu_Preferences, \"\")",
          U"      " + Text(kMenuQuit) + U", \"\")",
          U"    " + Text(kCompilerEndIf)};
}

void InsertMacMenuBlock(TextList& lines) {
  for (size_t i = 0; i < lines.size(); ++i) {
    if (!Contains(lines[i], kIfWindowId)) continue;
    TextList block = MacMenuBlock();
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(i + 1), block.begin(), block.end());
    return;
  }
}

}  // namespace

void UpdateMainProgram(SourceModel& model, const Switches& switches) {
  if (model.ListWindowID.empty()) return;  // no first window to point at
  TextList& lines = model.LinesMain;
  PointAtFirstWindow(lines, model.ListWindowID.front());
  if (switches.SwitchMacMenuEvents != 0 && !HasMacQuitItem(lines)) InsertMacMenuBlock(lines);
}

}  // namespace corvane
