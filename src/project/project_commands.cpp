#include "project/project_commands.h"

#include <string>

#include "app/main_window.h"
#include "app/numbers.h"
#include "platform/fs/fs.h"

namespace corvane {

namespace {

constexpr TextView kQuestionTitle = U"Frage";
constexpr TextView kProjectPattern = U"Project (*.pbm)|*.pbm";
constexpr TextView kProjectExtension = U".pbm";
constexpr TextView kNewProjectName = U"Unbekannt.pbm";

// The directory part of a path, with its trailing separator.
Text DirectoryOf(const Text& path) { return FromUtf8(DirectoryPart(ToUtf8(path))); }

bool AskYesNo(App& app, TextView text) {
  return app.tk.MessageRequester(Text(kQuestionTitle), Text(text), MessageButtons::kYesNo) ==
         MessageResult::kYes;
}

// The path the save requester returned, with ".pbm" when it names no extension.
Text WithProjectExtension(const Text& path) {
  if (!ExtensionPart(ToUtf8(path)).empty()) return path;
  return path + Text(kProjectExtension);
}

// False when an existing file of that name is not to be overwritten. A directory is not asked
// about (writing to it fails later with the project file's own message).
bool MayOverwrite(App& app, const Text& path) {
  if (FileSize(ToUtf8(path)) < 0) return true;
  return AskYesNo(app, U"Datei überschreiben?");
}

int WriteCurrentProject(App& app, const Text& path) {
  AppProjectHost host(app);
  return WriteProject(host, app.model, app.state, path, kWriteOldLists);
}

void ShowProjectFile(App& app) { SetStatusText(app, app.state.ProjectFile); }

}  // namespace

std::vector<Text> AppProjectHost::CommonFiles() { return app_.tk.GetListItems(kGadgetCommonFiles); }

void AppProjectHost::ClearCommonFiles() { app_.tk.ClearList(kGadgetCommonFiles); }

void AppProjectHost::AppendCommonFile(const Text& path) {
  app_.tk.AppendListItem(kGadgetCommonFiles, path);
}

void AppProjectHost::ClearLog() { app_.tk.ClearList(kGadgetLog); }

void AppProjectHost::ShowMessage(const Text& title, const Text& text) {
  corvane::ShowMessage(app_, title, text);
}

int QuerySaveProject(App& app) {
  if (app.state.ProjectSaved == 1) return 1;
  if (!AskYesNo(app, U"Aktuelles Projekt speichern?")) return 1;
  if (app.state.ProjectHasFile == 1) {
    WriteCurrentProject(app, app.state.ProjectFile);
    return 1;
  }
  return ProjectSaveAs(app);
}

int ProjectNew(App& app) {
  if (QuerySaveProject(app) == 0) return 0;
  app.tk.ClearList(kGadgetCommonFiles);
  app.tk.ClearList(kGadgetLog);
  ClearProjectLists(app.model, /*with_project_lines=*/true);
  app.state.ProjectHasFile = 0;
  app.state.ProjectSaved = 1;
  app.state.ProjectFile = Text(kNewProjectName);
  ShowProjectFile(app);
  return 0;
}

int ProjectLoad(App& app) {
  if (QuerySaveProject(app) == 0) return 0;
  const std::vector<Text> chosen =
      app.tk.OpenFileRequester(U"Load project", app.state.LastPath, Text(kProjectPattern), false);
  if (chosen.empty() || chosen.front().empty()) return 0;
  const Text& path = chosen.front();
  AppProjectHost host(app);
  if (ReadProject(host, app.model, app.state, path) == 0) return 0;
  app.state.LastPath = DirectoryOf(path);
  app.state.ProjectFile = path;
  ShowProjectFile(app);
  return 0;
}

int ProjectSave(App& app) {
  if (app.state.ProjectHasFile == 1) {
    WriteCurrentProject(app, app.state.ProjectFile);
    return 0;
  }
  ProjectSaveAs(app);
  return 0;
}

int ProjectSaveAs(App& app) {
  const Text default_path = app.state.LastPath + FromUtf8(FilePart(ToUtf8(app.state.ProjectFile)));
  const Text chosen =
      app.tk.SaveFileRequester(U"Save project", default_path, Text(kProjectPattern));
  if (chosen.empty()) return 0;
  const Text path = WithProjectExtension(chosen);
  if (!MayOverwrite(app, path)) return 0;
  if (WriteCurrentProject(app, path) == 0) return 0;
  app.state.LastPath = DirectoryOf(path);
  app.state.ProjectFile = path;
  ShowProjectFile(app);
  return 1;
}

int CommonAdd(App& app) {
  const std::vector<Text> chosen = app.tk.OpenFileRequester(U"Commonfile", app.state.LastPath,
                                                            U"Common|*.pb*|Alle Dateien|*.*", true);
  if (chosen.empty()) return 0;
  app.state.LastPath = DirectoryOf(chosen.front());
  app.state.ProjectSaved = 0;
  for (const Text& path : chosen) app.tk.AppendListItem(kGadgetCommonFiles, path);
  return 0;
}

int CommonDelete(App& app) {
  const int selected = app.tk.GetListSelected(kGadgetCommonFiles);
  if (selected < 0) return 0;
  app.tk.RemoveListItem(kGadgetCommonFiles, selected);
  app.state.ProjectSaved = 0;
  return 0;
}

int CommonFirst(App& app) {
  Toolkit& tk = app.tk;
  const int selected = tk.GetListSelected(kGadgetCommonFiles);
  if (selected < 0) return 0;
  const Text text = tk.GetListItemText(kGadgetCommonFiles, selected);
  tk.RemoveListItem(kGadgetCommonFiles, selected);
  tk.InsertListItem(kGadgetCommonFiles, 0, text);
  tk.SelectListItem(kGadgetCommonFiles, -1);
  app.state.ProjectSaved = 0;
  return 0;
}

}  // namespace corvane
