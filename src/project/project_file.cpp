#include "project/project_file.h"

#include "analysis/error_text.h"
#include "platform/fs/fs.h"
#include "platform/text/textfile.h"

namespace corvane {

namespace {

constexpr TextView kFilesHeader = U"[FILES]";
constexpr TextView kSwitchHeader = U"[SWITCH]";

// The six constant sections with their previous-run list and the list of the current run.
struct ConstantSection {
  TextView header;
  NameList SourceModel::*old_list;
  const NameList SourceModel::*current_list;  // nullptr: gadgets, taken from ListGadgetID
};

constexpr ConstantSection kConstantSections[] = {
    {U"[WINDOW]", &SourceModel::ListOldWindowID, &SourceModel::ListWindowID},
    {U"[MENU]", &SourceModel::ListOldMenuID, &SourceModel::ListMenuID},
    {U"[MENUITEM]", &SourceModel::ListOldMenuItemID, &SourceModel::ListMenuItemID},
    {U"[STATUSBAR]", &SourceModel::ListOldStatusBarID, &SourceModel::ListStatusBarID},
    {U"[TOOLBAR]", &SourceModel::ListOldToolBarID, &SourceModel::ListToolBarID},
    {U"[GADGET]", &SourceModel::ListOldGadgetID, nullptr},
};

void AppendAll(LineList& out, const NameList& names) {
  out.insert(out.end(), names.begin(), names.end());
}

void AppendSection(LineList& out, const ConstantSection& section, const SourceModel& model,
                   int mode) {
  out.emplace_back(section.header);
  if (mode == kWriteOldLists) {
    AppendAll(out, model.*section.old_list);
  } else if (section.current_list != nullptr) {
    AppendAll(out, model.*section.current_list);
  } else {
    for (const GadgetRecord& gadget : model.ListGadgetID) out.push_back(gadget.Name);
  }
  out.emplace_back();
}

// A "[SWITCH]" line: every ";" removed, the key before the first "=", the value between the first
// and the second "=".
void ReadSwitchLine(TextView line, Switches& switches) {
  Text text;
  for (char32_t c : line) {
    if (c != U';') text += c;
  }
  const size_t first = text.find(U'=');
  const Text key = text.substr(0, first);
  Text value;
  if (first != Text::npos) {
    const size_t second = text.find(U'=', first + 1);
    value = text.substr(first + 1, second == Text::npos ? Text::npos : second - first - 1);
  }
  for (const SwitchInfo& info : kSwitchTable) {
    if (key == info.key) switches.*info.member = ParseInteger(value);
  }
}

std::string Utf8Bytes(const LineList& lines) {
  std::string bytes;
  Text line;
  for (const Line& stored : lines) {
    stored.CopyTo(line);
    bytes += ToUtf8(line);
    bytes += '\n';
  }
  return bytes;
}

}  // namespace

LineList ProjectLines(const std::vector<Text>& common_files, const Switches& switches,
                      const SourceModel& model, int mode) {
  LineList out;
  out.emplace_back(kFilesHeader);
  AppendAll(out, common_files);
  out.emplace_back();
  out.emplace_back(kSwitchHeader);
  for (const SwitchInfo& info : kSwitchTable) {
    out.push_back(Text(info.key) + U"=" + Decimal(switches.*info.member));
  }
  out.emplace_back();
  for (const ConstantSection& section : kConstantSections) {
    AppendSection(out, section, model, mode);
  }
  return out;
}

int WriteProject(ProjectHost& host, const SourceModel& model, ProjectState& state, const Text& path,
                 int mode) {
  const std::vector<Text> files = host.CommonFiles();
  if (files.empty()) return 0;
  const std::string bytes = Utf8Bytes(ProjectLines(files, state.switches, model, mode));
  if (!WriteFileAtomic(ToUtf8(path), bytes)) {
    host.ShowMessage(Text(kUserGadgetListTitle), ErrorText(LastErrorCode()));
    return 0;
  }
  state.ProjectSaved = 1;
  state.ProjectHasFile = 1;
  return 1;
}

int ReadProject(ProjectHost& host, SourceModel& model, ProjectState& state, const Text& path) {
  host.ClearCommonFiles();
  host.ClearLog();
  ClearProjectLists(model, /*with_project_lines=*/false);
  state.ProjectHasFile = 0;
  state.ProjectSaved = 1;

  std::string bytes;
  if (!ReadFileBytes(ToUtf8(path), bytes)) {
    host.ShowMessage(Text(kUserGadgetListTitle), ErrorText(LastErrorCode()));
    return 0;
  }
  // A byte order mark is skipped (an editor may add one); without it the file is UTF-8.
  model.LinesProject = DecodeLines(bytes, Unmarked::kUtf8);

  Text section;
  Text line;
  for (const Line& stored : model.LinesProject) {
    stored.CopyTo(line);
    if (!line.empty() && line[0] == U'[') {
      section = line;
    } else if (line.empty()) {
      section.clear();
    } else if (section == kFilesHeader) {
      host.AppendCommonFile(line);
    } else if (section == kSwitchHeader) {
      ReadSwitchLine(line, state.switches);
    } else {
      for (const ConstantSection& s : kConstantSections) {
        if (section == s.header) (model.*s.old_list).push_back(line);
      }
    }
  }
  // The lines were only needed for reading them into the lists; a large project's are let go.
  TextList().swap(model.LinesProject);
  state.ProjectHasFile = 1;
  state.ProjectSaved = 1;
  return 1;
}

}  // namespace corvane
