#include "app/settings.h"

#include "project/project_file.h"

#include <string>

#include "app/main_window.h"
#include "platform/fs/fs.h"
#include "platform/prefs/prefs.h"
#include "project/project_commands.h"
#include "project/user_gadget_list.h"

namespace corvane {

namespace {

constexpr TextView kPathGroup = U"Path";
constexpr TextView kLastKey = U"Last";
constexpr TextView kProjectKey = U"Project";
constexpr TextView kDefaultGroup = U"Default";

void SetSettingsPaths(App& app) {
  // Paths a caller has chosen already (tests, a front end) are kept.
  if (app.SettingsFile.empty()) app.SettingsFile = ExecutableDirectory() + "CV4.INI";
  if (app.UserListFile.empty()) app.UserListFile = ExecutableDirectory() + "UserList.INI";
}

// Opens the user gadget list, creating it with its header when missing or empty, and reads its
// names into ListUserGadget.
void LoadUserGadgetList(App& app) {
  const std::string& path = app.UserListFile;
  if (!OpenOrCreate(path)) {
    ShowMessage(app, Text(kUserGadgetListTitle), U"Error open file usergadgetlist");
    return;
  }
  if (FileSize(path) == 0) {
    // A fresh file holds only its header, so no name is read from it.
    WriteFileAtomic(path, ToUtf8(kUserGadgetHeader) + "\n");
    return;
  }
  std::vector<Text> names;
  if (ReadUserGadgetFile(path, names)) {
    app.model.ListUserGadget.insert(app.model.ListUserGadget.end(), names.begin(), names.end());
  }
}

// Reads the project at ProjectFile when that names a file of more than 0 bytes.
bool OpenProjectIfPresent(App& app) {
  if (FileSize(ToUtf8(app.state.ProjectFile)) <= 0) return false;
  AppProjectHost host(app);
  ReadProject(host, app.model, app.state, app.state.ProjectFile);
  SetStatusText(app, app.state.ProjectFile);
  return true;
}

bool OpenCommandLineProject(App& app) {
  if (app.arguments.empty()) return false;
  const Text path = FromUtf8(app.arguments.front());
  if (FileSize(ToUtf8(path)) <= 0) return false;
  app.state.ProjectFile = path;
  return OpenProjectIfPresent(app);
}

void ReadDefaultSwitches(App& app) {
  for (const SwitchInfo& info : kSwitchTable) {
    const Text value =
        ReadSetting(kDefaultGroup, info.key, app.SettingsFile, Decimal(info.settings_default));
    app.state.switches.*info.member = ParseInteger(value);
  }
}

}  // namespace

int LoadSettings(App& app) {
  SetSettingsPaths(app);
  LoadUserGadgetList(app);
  BuildKeySets(app.model);
  if (OpenCommandLineProject(app)) return 1;
  app.state.ProjectFile = ReadSetting(kPathGroup, kProjectKey, app.SettingsFile, U"");
  if (OpenProjectIfPresent(app)) return 1;

  app.state.ProjectFile = U"project.pbm";
  app.state.LastPath = ReadSetting(kPathGroup, kLastKey, app.SettingsFile, U"");
  ReadDefaultSwitches(app);
  app.state.ProjectHasFile = 0;
  app.state.ProjectSaved = 1;
  SetStatusText(app, app.state.ProjectFile);
  return 0;
}

int SaveSettings(App& app) {
  WriteSetting(kPathGroup, kLastKey, app.state.LastPath, app.SettingsFile);
  WriteSetting(kPathGroup, kProjectKey, app.state.ProjectFile, app.SettingsFile);
  for (const SwitchInfo& info : kSwitchTable) {
    WriteSetting(kDefaultGroup, info.key, Decimal(app.state.switches.*info.member),
                 app.SettingsFile);
  }
  return 0;
}

}  // namespace corvane
