// The project commands of the "&File" and "&Action" menus.
#pragma once

#include "app/app.h"
#include "project/project_file.h"

namespace corvane {

// The project file's view of the main window: the common-file list (gadget 1), the log list
// (gadget 2) and the message box.
class AppProjectHost : public ProjectHost {
 public:
  explicit AppProjectHost(App& app) : app_(app) {}
  std::vector<Text> CommonFiles() override;
  void ClearCommonFiles() override;
  void AppendCommonFile(const Text& path) override;
  void ClearLog() override;
  void ShowMessage(const Text& title, const Text& text) override;

 private:
  App& app_;
};

// 1 when the calling command may go on, 0 when it must stop.
int QuerySaveProject(App& app);
int ProjectNew(App& app);
int ProjectLoad(App& app);
int ProjectSave(App& app);
// 1 when the project was written.
int ProjectSaveAs(App& app);
int CommonAdd(App& app);
int CommonDelete(App& app);
int CommonFirst(App& app);

}  // namespace corvane
