// A project with user code in every file a run rewrites, snapshots of whole directory trees, and
// corvane-cli started as a separate process: what the kill and file-system fault tests share.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli.h"
#include "test_util.h"

namespace corvane::testing {

// Relative path (from the project directory) -> bytes of every regular file below it.
using Snapshot = std::map<std::string, std::string>;

inline Snapshot TakeSnapshot(const std::string& dir) {
  Snapshot files;
  namespace fs = std::filesystem;
  std::error_code ec;
  for (fs::recursive_directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    if (!it->is_regular_file()) continue;
    files[fs::relative(it->path(), dir).string()] = ReadBytes(it->path().string());
  }
  return files;
}

// True for the names the atomic writer gives its temporary files: ".<name>.corvane-<hex>-...".
inline bool IsWriterTempName(const std::string& path) {
  const std::string name = std::filesystem::path(path).filename().string();
  constexpr std::string_view kMarker = ".corvane-";
  const size_t marker = name.rfind(kMarker);
  if (name.size() < 2 || name[0] != '.' || marker == std::string::npos || marker < 2) return false;
  // Three groups of hexadecimal digits separated by "-".
  int groups = 0;
  bool digits = false;
  for (size_t i = marker + kMarker.size(); i < name.size(); ++i) {
    const char c = name[i];
    if (c == '-') {
      if (!digits) return false;
      ++groups;
      digits = false;
    } else if ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')) {
      digits = true;
    } else {
      return false;
    }
  }
  return digits && groups == 2;
}

inline std::vector<std::string> TempFilesIn(const Snapshot& files) {
  std::vector<std::string> temps;
  for (const auto& [path, bytes] : files) {
    if (IsWriterTempName(path)) temps.push_back(path);
  }
  return temps;
}

// Makes the tree below `dir` hold exactly `files` again, except for writer temp files, which are
// left where they are for the engine to clean up.
inline void Restore(const std::string& dir, const Snapshot& files) {
  for (const auto& [path, bytes] : TakeSnapshot(dir)) {
    if (!files.count(path) && !IsWriterTempName(path)) std::filesystem::remove(dir + path);
  }
  for (const auto& [path, bytes] : files) {
    std::filesystem::create_directories(std::filesystem::path(dir + path).parent_path());
    WriteBytes(dir + path, bytes);
  }
}

// The sizes of the project RenameProject builds.
struct ProjectSize {
  int gadgets = 40;
  int include_lines = 40;
};

inline std::string FormCode(const std::string& window, int gadgets) {
  std::ostringstream form;
  form << "Procedure Open_" << window << "()\n"
       << "  OpenWindow(#" << window << ", 10, 20, 400, 300, \"Main\", #PB_Window_SystemMenu)\n"
       << "  CreateMenu(#Menu_0, WindowID(#" << window << "))\n"
       << "  MenuTitle(\"File\")\n"
       << "  MenuItem(#MenuItem_Open, \"Open\")\n";
  for (int i = 0; i < gadgets; ++i) {
    form << "  ButtonGadget(#Button_" << i << ", 10, " << 40 + i << ", 80, 24, \"B" << i << "\")\n";
  }
  form << "EndProcedure\n";
  return form.str();
}

// Lines of user code naming the gadgets of `window`.
inline std::string UserLines(const std::string& window, int count) {
  std::ostringstream out;
  out << "Procedure UserCode()\n";
  for (int i = 0; i < count; ++i) {
    out << "  SetGadgetText(#" << window << "_Button_" << i << ", \"user " << i << "\")\n";
  }
  out << "EndProcedure\n";
  return out.str();
}

// Runs the command line in this process; the log goes to `log` when given.
inline int RunInProcess(const std::vector<std::string>& args, std::string* log = nullptr) {
  std::ostringstream out, err;
  const int status = CliMain(args, out, err);
  if (log != nullptr) *log = out.str();
  return status;
}

// A project in `dir` after one completed run of the form with window Window_0, with user code
// added to Main.pb, the handler files and the include file lib/Helpers.pbi, and the form then
// changed to name its window Window_Main. A run with kRenameBind rewrites all of them.
inline constexpr char kRenameBind[] = "Window_0=Window_Main";

inline bool BuildRenameProject(const std::string& dir, ProjectSize size) {
  namespace fs = std::filesystem;
  fs::create_directories(dir + "lib");
  WriteBytes(dir + "Form.pb", FormCode("Window_0", size.gadgets));
  WriteBytes(dir + "Main.pb", ReadBytes(CORVANE_FIXTURES "/runs/rename_bound/input/Main.pb"));
  WriteBytes(dir + "Untouched.pb", "; nothing to rename here\n");
  WriteBytes(dir + "lib/Helpers.pbi", "; helpers\n" + UserLines("Window_0", size.include_lines));
  const std::string project = dir + "project.pbm";
  if (RunInProcess({"init", project, dir + "Form.pb"}) != kExitReady) return false;
  if (RunInProcess({"generate", project}) != kExitReady) return false;
  for (const char* name : {"Main.pb", "EventMenu.pb", "EventGadget.pb", "EventWindow.pb"}) {
    WriteBytes(dir + name, ReadBytes(dir + name) + "; user code\n" + UserLines("Window_0", 5));
  }
  WriteBytes(dir + "Form.pb", FormCode("Window_Main", size.gadgets));
  return true;
}

// corvane-cli run as a child process.
class CliProcess {
 public:
  // Starts corvane-cli with `args`; its standard output and error go to `output` (or nowhere).
  // `setup` runs in the child just before it becomes corvane-cli (limits, another user).
  explicit CliProcess(const std::vector<std::string>& args, const std::string& output = "/dev/null",
                      void (*setup)() = nullptr) {
    std::vector<std::string> argv_store = {CORVANE_CLI};
    argv_store.insert(argv_store.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : argv_store) argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_ = fork();
    if (pid_ == 0) {
      const int fd = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      if (fd < 0 || dup2(fd, 1) < 0 || dup2(fd, 2) < 0) _exit(127);
      if (setup != nullptr) setup();
      execv(argv[0], argv.data());
      _exit(127);
    }
  }
  CliProcess(const CliProcess&) = delete;
  CliProcess& operator=(const CliProcess&) = delete;
  ~CliProcess() {
    if (pid_ > 0 && !reaped_) {
      kill(pid_, SIGKILL);
      Wait();
    }
  }

  pid_t pid() const { return pid_; }
  void Kill() { kill(pid_, SIGKILL); }
  // Waits for the end; the raw wait status.
  int Wait() {
    if (!reaped_) {
      while (waitpid(pid_, &status_, 0) < 0 && errno == EINTR) {
      }
      reaped_ = true;
    }
    return status_;
  }

 private:
  pid_t pid_ = -1;
  int status_ = 0;
  bool reaped_ = false;
};

// The pid of a process that has ended and been reaped.
inline pid_t DeadPid() {
  const pid_t child = fork();
  if (child == 0) _exit(0);
  int status = 0;
  waitpid(child, &status, 0);
  return child;
}

// A file name of the writer's temporary pattern for `name`, as a process `pid` would make it.
inline std::string TempNameOf(const std::string& name, pid_t pid) {
  std::ostringstream out;
  out << "." << name << ".corvane-" << std::hex << pid << "-0-1a2b";
  return out.str();
}

}  // namespace corvane::testing
