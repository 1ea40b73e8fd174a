// What a generation run needs from its front end. The worker reaches the GUI only through these
// calls; the desktop application and the command line each answer them on their GUI thread (through
// the request channel), tests answer them directly.
#pragma once

#include <vector>

#include "analysis/run_log.h"
#include "platform/text/text.h"

namespace corvane {

// The reply of the search-and-replace dialog.
inline constexpr int kReplaceContinue = 0;
inline constexpr int kReplaceCancel = 2;

class RunHost : public RunLog {
 public:
  // Enables the main window and closes the start dialog.
  virtual void CloseStartDialog() = 0;
  // Enables the main window again (end of a run, or a stop).
  virtual void EnableMainWindow() = 0;
  // The items of the common-file list, top to bottom.
  virtual std::vector<Text> ReadCommonFiles() = 0;
  // The save-as command for a project without a file; true when the project was written.
  virtual bool SaveProjectAs() = 0;
  // Opens the search-and-replace dialog for `kind` (1..6) filled from ListVanishedConst and
  // ListAddedConst, and waits for the user: kReplaceContinue or kReplaceCancel.
  virtual int OpenReplaceDialog(int kind) = 0;
  // The items of the dialog's "Todo List" ("old > new"), read after a continue reply.
  virtual std::vector<Text> ReadTodoList() = 0;
  // Enables the main window and closes the search-and-replace dialog.
  virtual void CloseReplaceDialog() = 0;
  // WriteProject on the GUI side (it reads the common-file list and may show a message box).
  virtual int WriteProjectFile(const Text& path, int mode) = 0;
};

}  // namespace corvane
