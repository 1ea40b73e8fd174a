#include "collect/window_params.h"

#include <array>

#include "analysis/scan.h"

namespace corvane {
namespace {

constexpr TextView kOpenWindowKey = U"OPENWINDOW(#";
constexpr TextView kParentWithoutFlags = U", PB_Any, WindowID(";
constexpr TextView kParentAfterFlags = U", WindowID(";
constexpr TextView kIgnorePosition = U" #PB_Ignore, #PB_Ignore,";

// Fields 1 to 7 of the argument list are all a rewrite keeps.
constexpr size_t kKeptFields = 7;

// The first window's name: from its first "(" to the next "," (or, failing that, the next ")" or
// the end of the line), blanks trimmed.
Text ParentName(const Text& line) {
  size_t open = line.find(U'(');
  size_t from = open + 1;
  size_t end = line.find(U',', from);
  if (end == Text::npos) end = line.find(U')', from);
  if (end == Text::npos) end = line.size();
  return Trim(TextView(line).substr(from, end - from));
}

// Fields 1 to 7 of `args` split at every "," regardless of quotes; missing fields are empty.
std::array<Text, kKeptFields> SplitArguments(TextView args) {
  std::array<Text, kKeptFields> fields;
  size_t from = 0;
  for (size_t k = 0; k < kKeptFields && from <= args.size(); ++k) {
    size_t comma = args.find(U',', from);
    if (comma == TextView::npos) comma = args.size();
    fields[k] = Text(args.substr(from, comma - from));
    from = comma + 1;
  }
  return fields;
}

Text JoinFields(const std::array<Text, kKeptFields>& fields, size_t count) {
  Text joined;
  for (size_t k = 0; k < count; ++k) {
    if (k > 0) joined.push_back(U',');
    joined += fields[k];
  }
  return joined;
}

// Rewrites one later window line; a line without a ")" after its first "(" stays as it is. The
// whole rest of the line from the last ")" on is kept, however long.
void AddParentArgument(Text& line, const Text& parent) {
  size_t open = line.find(U'(');
  size_t close = FindReverse(line, U")", 0);
  if (close == 0 || close - 1 < open) return;
  close -= 1;  // 0-based index of the last ")"
  auto fields = SplitArguments(TextView(line).substr(open + 1, close - open - 1));
  Text args = fields[kKeptFields - 1].empty()
                  ? JoinFields(fields, kKeptFields - 1) + Text(kParentWithoutFlags)
                  : JoinFields(fields, kKeptFields) + Text(kParentAfterFlags);
  args += parent;
  args.push_back(U')');
  line = line.substr(0, open + 1) + args + line.substr(close);
}

}  // namespace

void SetParentWindow(SourceModel& model) {
  bool first_met = false;
  Text parent;
  EditLinesHolding(model.LinesSource, kOpenWindowKey, [&](Text& line) {
    if (!first_met) {
      first_met = true;
      parent = ParentName(line);
      return;
    }
    AddParentArgument(line, parent);
  });
}

// x and y are the second and third comma-separated pieces; a line with fewer than three commas is
// left unchanged. Everything after the third comma is kept.
void IgnoreWindowPosition(SourceModel& model) {
  EditLinesHolding(model.LinesSource, kOpenWindowKey, [](Text& line) {
    size_t c1 = line.find(U',');
    size_t c2 = c1 == Text::npos ? Text::npos : line.find(U',', c1 + 1);
    size_t c3 = c2 == Text::npos ? Text::npos : line.find(U',', c2 + 1);
    if (c3 == Text::npos) return;
    line = line.substr(0, c1 + 1) + Text(kIgnorePosition) + line.substr(c3 + 1);
  });
}

}  // namespace corvane
