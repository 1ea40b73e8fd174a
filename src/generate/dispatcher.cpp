#include "generate/dispatcher.h"

#include <array>

#include "generate/handlers.h"

namespace corvane {
namespace {

constexpr TextView kNoArguments = U"()";

// Index of the first line containing `marker` (case counts), or lines.size().
size_t FindLine(const TextList& lines, TextView marker) {
  Text line;
  for (size_t i = 0; i < lines.size(); ++i) {
    lines[i].CopyTo(line);
    if (line.find(marker) != Text::npos) return i;
  }
  return lines.size();
}

// "    Case #" + name + " : " + prefix + name + arguments.
Text CaseLine(const Text& name, TextView prefix, TextView arguments) {
  Text line = U"    Case #" + name + U" : ";
  line += prefix;
  line += name;
  line += arguments;
  return line;
}

// "    Data.i @" + prefix + name + "()".
Text DataLine(TextView prefix, TextView name) {
  Text line = U"    Data.i @";
  line += prefix;
  line += name;
  line += kNoArguments;
  return line;
}

struct SelectBlock {
  TextView marker;
  TextList cases;
  size_t anchor = 0;  // index of the line the cases follow
};

std::array<SelectBlock, 4> BuildSelectBlocks(const SourceModel& model) {
  std::array<SelectBlock, 4> blocks{
      {{U"MyEventMenu", {}}, {U"MyEventGadget", {}}, {U"MyEventSize", {}}, {U"MyEventExit", {}}}};
  for (const Text& name : model.ListMenuItemID) {
    blocks[0].cases.push_back(CaseLine(name, kEventMenuPrefix, kNoArguments));
  }
  for (const GadgetRecord& gadget : model.ListGadgetID) {
    if (!HasGadgetHandler(gadget)) continue;
    blocks[1].cases.push_back(CaseLine(gadget.Name, kEventGadgetPrefix, kGadgetParameters));
  }
  for (const Text& name : model.ListWindowID) {
    blocks[2].cases.push_back(CaseLine(name, kEventSizePrefix, kNoArguments));
    blocks[3].cases.push_back(CaseLine(name, kEventExitPrefix, kNoArguments));
  }
  return blocks;
}

// Replaces the first line containing `pattern` by `replacement`; a missing line is left alone.
void ReplaceCountLine(TextList& lines, TextView pattern, Text replacement) {
  size_t at = FindLine(lines, pattern);
  if (at < lines.size()) lines[at] = std::move(replacement);
}

TextList BuildCallEventTables(const SourceModel& model) {
  TextList table;
  table.emplace_back(U"  CallEventMenu:");
  for (const Text& name : model.ListMenuItemID) table.push_back(DataLine(kEventMenuPrefix, name));
  table.emplace_back(U"  CallEventGadget:");
  for (const GadgetRecord& gadget : model.ListGadgetID) {
    // Text and frame gadgets keep their table positions through the empty placeholder.
    table.push_back(HasGadgetHandler(gadget) ? DataLine(kEventGadgetPrefix, gadget.Name)
                                             : DataLine(U"", U"MyEventDispatch"));
  }
  table.emplace_back(U"  CallEventSize:");
  for (const Text& name : model.ListWindowID) table.push_back(DataLine(kEventSizePrefix, name));
  table.emplace_back(U"  CallEventExit:");
  for (const Text& name : model.ListWindowID) table.push_back(DataLine(kEventExitPrefix, name));
  return table;
}

}  // namespace

void FillSelectDispatch(SourceModel& model) {
  TextList& lines = model.LinesEventMain;
  std::array<SelectBlock, 4> blocks = BuildSelectBlocks(model);
  // Markers are looked up among the template's own lines, so a Case line whose name happens to
  // contain a later marker cannot pull that block into the wrong procedure.
  for (SelectBlock& block : blocks) {
    size_t marker = FindLine(lines, block.marker);
    if (marker == lines.size()) {
      block.anchor = lines.size();  // no marker: nothing inserted
    } else {
      // The cases follow the line after the marker; a marker on the last line puts them at the end.
      block.anchor = marker + 1 < lines.size() ? marker + 1 : marker;
    }
  }
  TextList out;
  size_t added = 0;
  for (const SelectBlock& block : blocks) added += block.cases.size();
  out.reserve(lines.size() + added);
  for (size_t i = 0; i < lines.size(); ++i) {
    out.push_back(std::move(lines[i]));
    // Blocks sharing an anchor: each later insertion lands directly behind the anchor line, in
    // front of the earlier ones.
    for (auto block = blocks.rbegin(); block != blocks.rend(); ++block) {
      if (block->anchor == i) out.insert(out.end(), block->cases.begin(), block->cases.end());
    }
  }
  lines = std::move(out);
}

void FillCallEventTables(SourceModel& model) {
  TextList& lines = model.LinesEventMain;
  ReplaceCountLine(lines, U"#CallEventMenuCount = 0",
                   U"#CallEventMenuCount   = " + Decimal(model.ListMenuItemID.size()));
  ReplaceCountLine(lines, U"#CallEventGadgetCount = 0",
                   U"#CallEventGadgetCount = " + Decimal(model.ListGadgetID.size()));
  ReplaceCountLine(lines, U"#CallEventWindowCount = 0",
                   U"#CallEventWindowCount = " + Decimal(model.ListWindowID.size()));
  TextList table = BuildCallEventTables(model);
  // Without a "DataSection" line the search of the list model ends on its last line, and the
  // tables are appended there.
  size_t data_section = FindLine(lines, U"DataSection");
  size_t insert_at = data_section < lines.size() ? data_section + 1 : lines.size();
  lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insert_at), table.begin(), table.end());
}

}  // namespace corvane
