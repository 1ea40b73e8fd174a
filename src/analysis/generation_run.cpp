#include "analysis/generation_run.h"

#include "analysis/collect_objects.h"
#include "analysis/prefix.h"
#include "analysis/source_loading.h"
#include "collect/form_conversion.h"
#include "collect/images_fonts.h"
#include "collect/language.h"
#include "collect/window_params.h"
#include "generate/common_file.h"
#include "generate/dispatcher.h"
#include "generate/handlers.h"
#include "generate/main_program.h"
#include "generate/update_sources.h"
#include "generate/write_files.h"
#include "platform/fs/fs.h"
#include "platform/parallel.h"
#include "project/project_file.h"
#include "rename/constant_lists.h"

namespace corvane {

namespace {

// Relative common-file paths are taken relative to the project directory, so a project can move.
Text ResolveCommonFile(const Text& item, const std::string& project_dir) {
  if (item.empty() || item[0] == U'/') return item;
  return FromUtf8(project_dir) + item;
}

void LogCountLines(RunContext& run) {
  const SourceModel& m = run.model;
  const std::pair<TextView, size_t> counts[] = {
      {U" -> Count Window: ", m.ListWindowID.size()},
      {U" -> Count MenuBar: ", m.ListMenuID.size()},
      {U" -> Count MenuItem: ", m.ListMenuItemID.size()},
      {U" -> Count StatusBar: ", m.ListStatusBarID.size()},
      {U" -> Count ToolBar: ", m.ListToolBarID.size()},
      {U" -> Count Gadget: ", m.ListGadgetID.size()},
      {U" -> Count Image: ", m.ListImage.size()},
  };
  for (const auto& [text, count] : counts) {
    run.host.WriteLog(Text(text) + Decimal(static_cast<int64_t>(count)));
  }
}

void CopyCurrentListsToOld(SourceModel& m) {
  m.ListOldWindowID = m.ListWindowID;
  m.ListOldMenuID = m.ListMenuID;
  m.ListOldMenuItemID = m.ListMenuItemID;
  m.ListOldStatusBarID = m.ListStatusBarID;
  m.ListOldToolBarID = m.ListToolBarID;
  m.ListOldGadgetID.clear();
  for (const GadgetRecord& gadget : m.ListGadgetID) m.ListOldGadgetID.push_back(gadget.Name);
}

void EndCancelled(RunContext& run) {
  run.host.WriteLog(Text(kLogCancel));
  run.host.WriteLog(Text());
  run.host.EnableMainWindow();
}

}  // namespace

std::string ProjectDirectory(const ProjectState& state) {
  return DirectoryPart(AbsolutePath(ToUtf8(state.ProjectFile)));
}

bool GenerateStep1(RunContext& run) {
  SourceModel& m = run.model;
  const Switches& sw = run.state.switches;
  if (!run.state.ProjectHasFile && !run.host.SaveProjectAs()) return false;
  const std::string dir = ProjectDirectory(run.state);

  run.host.WriteLog(U"Generate Code Step 1 ...");
  run.host.WriteLog(U"- Check Main.pb");
  const MainFormat format = CheckMainFormat(dir);
  run.host.WriteLog(MainFormatLogLine(format));
  // A main source with a UTF-8 mark keeps UTF-8 with its mark, on the first run as on every other.
  if (format == MainFormat::kUtf8) {
    m.WriteFormat = WriteEncoding::kUtf8Bom;
  } else {
    m.WriteFormat = sw.SwitchUtf8 ? WriteEncoding::kUtf8Bom : WriteEncoding::kLatin1;
  }

  run.host.WriteLog(U"- Load Files...");
  ResetSourceModel(m);
  for (const Text& item : run.host.ReadCommonFiles()) {
    m.ListCommonFile.push_back(ResolveCommonFile(item, dir));
  }
  // The form code and the sources beside it are read at the same time: the first fills LinesSource,
  // ListImage and ListFont (and logs), the second the main, handler and language lists.
  RunSideBySide([&] { ConvertFormFiles(m, run.host); }, [&] { LoadSources(m, sw, dir); });
  if (m.ListCommonFile.empty()) {
    run.host.WriteLog(U"None Files to Generate.");
    run.host.EnableMainWindow();
    return false;
  }
  ScanIncludeFiles(m, dir, U"Main.pb");

  run.host.WriteLog(U"- Interpret code...");
  if (!PrefixIdentifiers(m, run.host) || !CollectObjects(m, run.host)) {
    run.host.EnableMainWindow();
    return false;
  }
  if (sw.SwitchParend) SetParentWindow(m);
  if (sw.SwitchPBIgnore) IgnoreWindowPosition(m);
  ExpandMenuItemTab(m);
  if (sw.SwitchMultilang) {
    WrapLanguageTexts(m);
    CollectLanguageTexts(m, run.host);
    UpdateLoadLanguage(m);
  }
  BuildFontSection(m);
  ReplaceLoadImageCalls(m);
  BuildImageSection(m, sw);
  if (sw.SwitchImageNull) ClearImageGadgetImages(m);
  BuildConstantSections(m);
  return true;
}

bool GenerateStep2(RunContext& run) {
  run.host.WriteLog(U"Generate Code Step 2 ...");
  run.host.WriteLog(U"- Check Constants...");
  for (int kind = 1; kind <= 6; ++kind) {
    if (!CheckConstants(run.model, kind, run.host)) return false;
  }
  // The per-kind name lists are done with; the renames found are in ListReplace.
  NameList().swap(run.model.ListOldConst);
  NameList().swap(run.model.ListNewConst);
  return true;
}

void GenerateStep3(RunContext& run) {
  SourceModel& m = run.model;
  run.host.WriteLog(U"Generate Code Step 3 ...");
  run.host.WriteLog(U"- Make Backup...");
  MakeBackup(ProjectDirectory(run.state), run.host);
  run.host.WriteLog(U"- Update Prefix");
  UpdatePrefixes(m);
  run.host.WriteLog(U"- Update Procedure");
  UpdateProcedures(m);
  run.host.WriteLog(U"- Update Constants");
  UpdateConstants(m);
  run.host.WriteLog(U"- Update Open Window");
  UpdateOpenWindow(m);
  run.host.WriteLog(U"- Update IncludeFiles");
  UpdateIncludeFiles(m, run.host);
}

void GenerateStep4(RunContext& run) {
  SourceModel& m = run.model;
  const Switches& sw = run.state.switches;
  run.host.WriteLog(U"Generate Code Step 4 ...");
  run.host.WriteLog(U"- Create new code...");
  // The gadget handlers (LinesEventGadget) are made beside the other files, which none of them
  // reads.
  RunSideBySide(
      [&] {
        UpdateMainProgram(m, sw);
        BuildCommonFile(m, sw);
        if (sw.SwitchUseCallFast) {
          FillCallEventTables(m);
        } else {
          FillSelectDispatch(m);
        }
        if (sw.SwitchMacMenuEvents) AddMacMenuHandlers(m);
        AddMenuHandlers(m);
        AddSizeHandlers(m);
        AddExitHandlers(m);
      },
      [&] { AddGadgetHandlers(m); });
  LogCountLines(run);

  run.host.WriteLog(U"- Write Files...");
  WriteGeneratedFiles(m, sw, ProjectDirectory(run.state), run.host);
  run.host.WriteProjectFile(run.state.ProjectFile, kWriteCurrentLists);
  CopyCurrentListsToOld(m);
  run.host.WriteLog(Text(kLogReady));
  run.host.WriteLog(Text());
  run.host.EnableMainWindow();
}

void GenerateThread(RunContext& run) {
  run.host.CloseStartDialog();
  if (!GenerateStep1(run) || !GenerateStep2(run)) {
    EndCancelled(run);
    return;
  }
  GenerateStep3(run);
  GenerateStep4(run);
}

}  // namespace corvane
