#include "generate/common_file.h"

#include <iterator>

namespace corvane {
namespace {

constexpr TextView kCommonFileHeader = U"; Corvane Commonfile (Do Not Edit - Allways Overwrite)";
constexpr TextView kLoadLanguageInclude = U"IncludeFile \"LoadLanguage.pb\"";

// Window, menu ... toolbar constants are held without "#"; font and image constants carry theirs.
constexpr TextView kHashIndent = U"  #";
constexpr TextView kPlainIndent = U"  ";

// One section: title, ";", "Enumeration", one line per name, "EndEnumeration", an empty line.
template <typename List, typename NameOf>
void AddEnumerationSection(TextList& out, TextView title, const List& list, TextView indent,
                           NameOf name_of) {
  out.emplace_back(title);
  out.emplace_back(U";");
  out.emplace_back(U"Enumeration");
  for (const auto& element : list) {
    Text line(indent);
    line += name_of(element);
    out.push_back(std::move(line));
  }
  out.emplace_back(U"EndEnumeration");
  out.emplace_back();
}

void AppendAll(TextList& out, const TextList& lines) {
  out.insert(out.end(), lines.begin(), lines.end());
}

void MoveAll(TextList& out, TextList& lines) {
  out.insert(out.end(), std::make_move_iterator(lines.begin()),
             std::make_move_iterator(lines.end()));
  lines.clear();
  lines.shrink_to_fit();
}

}  // namespace

void BuildConstantSections(SourceModel& model) {
  TextList& out = model.LinesConstants;
  auto same = [](const Text& name) -> const Text& { return name; };
  AddEnumerationSection(out, U";- Window Constants", model.ListWindowID, kHashIndent, same);
  AddEnumerationSection(out, U";- Menubar Constants", model.ListMenuID, kHashIndent, same);
  AddEnumerationSection(out, U";- MenuItem Constants", model.ListMenuItemID, kHashIndent, same);
  AddEnumerationSection(out, U";- Gadget Constants", model.ListGadgetID, kHashIndent,
                        [](const GadgetRecord& g) -> const Text& { return g.Name; });
  AddEnumerationSection(out, U";- StatusBar Constants", model.ListStatusBarID, kHashIndent, same);
  AddEnumerationSection(out, U";- ToolBar Constants", model.ListToolBarID, kHashIndent, same);
  AddEnumerationSection(out, U";- Font Constants", model.ListFont, kPlainIndent,
                        [](const FontRecord& f) -> const Text& { return f.Name; });
  AddEnumerationSection(out, U";- Image Constants", model.ListImage, kPlainIndent,
                        [](const ImageRecord& i) -> const Text& { return i.Name; });
}

void BuildCommonFile(SourceModel& model, const Switches& switches) {
  TextList& out = model.LinesCommonFile;
  out.reserve(out.size() + model.LinesConstants.size() + model.LinesFonts.size() +
              model.LinesImages.size() + model.LinesSource.size() + 16);
  out.emplace_back(kCommonFileHeader);
  AddSeparatorBlock(out);
  MoveAll(out, model.LinesConstants);
  AddSeparatorBlock(out);
  AppendAll(out, model.LinesFonts);
  AppendAll(out, model.LinesImages);
  AddSeparatorBlock(out);
  if (switches.SwitchMultilang != 0) {
    out.emplace_back(kLoadLanguageInclude);
    AddSeparatorBlock(out);
  }
  MoveAll(out, model.LinesSource);
}

}  // namespace corvane
