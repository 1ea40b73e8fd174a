// The project file (".pbm"): common files, switches and the identifiers of the last run.
#pragma once

#include <utility>
#include <vector>

#include "analysis/source_model.h"
#include "platform/text/text.h"
#include "project/project_state.h"

namespace corvane {

// The title of the message boxes for failed project and user gadget list files.
inline constexpr TextView kUserGadgetListTitle = U"UserGadgetList";

// What the project file reads and writes outside the model: the common-file list, the log list it
// clears on loading, and the message box for failures. The desktop application plugs in its list
// views and message box; tests and the command line use PlainProjectHost.
class ProjectHost {
 public:
  virtual ~ProjectHost() = default;
  virtual std::vector<Text> CommonFiles() = 0;
  virtual void ClearCommonFiles() = 0;
  virtual void AppendCommonFile(const Text& path) = 0;
  virtual void ClearLog() = 0;
  virtual void ShowMessage(const Text& title, const Text& text) = 0;
};

// A host that keeps everything in plain lists.
class PlainProjectHost : public ProjectHost {
 public:
  std::vector<Text> CommonFiles() override { return files; }
  void ClearCommonFiles() override { files.clear(); }
  void AppendCommonFile(const Text& path) override { files.push_back(path); }
  void ClearLog() override { ++log_clears; }
  void ShowMessage(const Text& title, const Text& text) override {
    messages.emplace_back(title, text);
  }

  std::vector<Text> files;
  int log_clears = 0;
  std::vector<std::pair<Text, Text>> messages;
};

// Which identifier lists WriteProject stores.
enum ProjectWriteMode { kWriteOldLists = 0, kWriteCurrentLists = 1 };

// Writes the project file at `path`. Returns 1 on success; 0 when the common-file list is empty
// (nothing written, nothing shown) or the file cannot be written (a message box says so, and the
// old file stays as it was).
int WriteProject(ProjectHost& host, const SourceModel& model, ProjectState& state, const Text& path,
                 int mode);

// Reads the project file at `path` into the common-file list, the switches it names and the
// previous-run lists. Returns 1 on success, 0 (with a message box) when it cannot be read.
int ReadProject(ProjectHost& host, SourceModel& model, ProjectState& state, const Text& path);

// The lines WriteProject writes.
LineList ProjectLines(const std::vector<Text>& common_files, const Switches& switches,
                      const SourceModel& model, int mode);

}  // namespace corvane
