// The GUI side of the request channel for the command line: it runs on the main thread while the
// worker runs the generation, prints the log, binds renames from the command line and writes the
// project file.
#pragma once

#include <condition_variable>
#include <deque>
#include <mutex>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "analysis/source_model.h"
#include "app/request_channel.h"
#include "project/project_file.h"
#include "project/project_state.h"

namespace corvane {

struct Binding {
  Text old_name;
  Text new_name;
};

struct CliOptions {
  std::vector<Binding> bindings;
  bool continue_unbound = false;
};

class CliGui {
 public:
  CliGui(SourceModel& model, ProjectState& state, PlainProjectHost& project,
         const CliOptions& options, std::ostream& out, std::ostream& err)
      : model_(model), state_(state), project_(project), options_(options), out_(out), err_(err) {}

  // Thread-safe: queues a request for the main loop.
  void Post(int type, GuiRequest* request);
  // Thread-safe: ends the main loop once the queue is empty.
  void PostWorkerDone();
  // Handles requests until the worker is done.
  void Run();

  // The last "Ready." or "Cancel." seen in the log.
  bool ready() const { return ready_; }

 private:
  void Handle(int type, GuiRequest* request);
  void OpenReplace(int kind, GuiRequest* request);
  void ReportUnbound(int kind) const;

  SourceModel& model_;
  ProjectState& state_;
  PlainProjectHost& project_;
  const CliOptions& options_;
  std::ostream& out_;
  std::ostream& err_;

  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<std::pair<int, GuiRequest*>> queue_;
  bool worker_done_ = false;

  // The dialog's three lists while it is open.
  std::vector<Text> old_names_;
  std::vector<Text> new_names_;
  std::vector<Text> todo_;
  bool ready_ = false;
};

}  // namespace corvane
