#include "cli/cli_gui.h"

#include <algorithm>

#include "rename/constant_lists.h"

namespace corvane {

namespace {

template <typename T>
T* ParamAs(GuiRequest* request) {
  return reinterpret_cast<T*>(request->Param);
}

// Removes `name` from `names`; false when it is not there.
bool TakeName(std::vector<Text>& names, const Text& name) {
  const auto it = std::find(names.begin(), names.end(), name);
  if (it == names.end()) return false;
  names.erase(it);
  return true;
}

}  // namespace

void CliGui::Post(int type, GuiRequest* request) {
  {
    std::lock_guard lock(mutex_);
    queue_.emplace_back(type, request);
  }
  wake_.notify_one();
}

void CliGui::PostWorkerDone() {
  {
    std::lock_guard lock(mutex_);
    worker_done_ = true;
  }
  wake_.notify_one();
}

void CliGui::Run() {
  for (;;) {
    std::pair<int, GuiRequest*> next;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [this] { return !queue_.empty() || worker_done_; });
      if (queue_.empty()) break;
      next = queue_.front();
      queue_.pop_front();
    }
    Handle(next.first, next.second);
  }
  out_.flush();
}

void CliGui::Handle(int type, GuiRequest* request) {
  switch (type) {
    case RequestLog: {
      const Text& line = *ParamAs<const Text>(request);
      if (line == kLogReady) ready_ = true;
      if (line == kLogCancel) ready_ = false;
      out_ << ToUtf8(line) << '\n' << std::flush;  // progress shows line by line
      ReplyGuiRequest(request, 0);
      return;
    }
    case RequestOpenReplace:
      OpenReplace(static_cast<int>(request->Param), request);
      return;
    case RequestReadTodoList:
      *ParamAs<std::vector<Text>>(request) = todo_;
      ReplyGuiRequest(request, 0);
      return;
    case RequestCloseReplace:
      old_names_.clear();
      new_names_.clear();
      todo_.clear();
      ReplyGuiRequest(request, 0);
      return;
    case RequestReadCommonFiles:
      *ParamAs<std::vector<Text>>(request) = project_.files;
      ReplyGuiRequest(request, 0);
      return;
    case RequestWriteProject: {
      const auto& write = *ParamAs<WriteProjectRequest>(request);
      project_.messages.clear();
      const int result = WriteProject(project_, model_, state_, write.path, write.mode);
      for (const auto& [title, text] : project_.messages) {
        err_ << "corvane-cli: " << ToUtf8(title) << ": " << ToUtf8(text) << " ("
             << ToUtf8(write.path) << ")\n";
      }
      ReplyGuiRequest(request, result);
      return;
    }
    case RequestSaveProjectAs:  // a project on the command line always has its file
    case RequestCloseStart:
    case RequestEnableMain:
    default:
      ReplyGuiRequest(request, 0);
      return;
  }
}

// Binds the command line's pairs as the dialog's "Bind" would, then continues or cancels.
void CliGui::OpenReplace(int kind, GuiRequest* request) {
  old_names_ = model_.ListVanishedConst;
  new_names_ = model_.ListAddedConst;
  todo_.clear();
  for (const Binding& bind : options_.bindings) {
    const auto old_it = std::find(old_names_.begin(), old_names_.end(), bind.old_name);
    const auto new_it = std::find(new_names_.begin(), new_names_.end(), bind.new_name);
    if (old_it == old_names_.end() || new_it == new_names_.end()) continue;
    const Text entry = bind.old_name + U" > " + bind.new_name;
    if (std::find(todo_.begin(), todo_.end(), entry) != todo_.end()) continue;
    todo_.push_back(entry);
    TakeName(old_names_, bind.old_name);
    TakeName(new_names_, bind.new_name);
  }
  if (old_names_.empty() || options_.continue_unbound) {
    ReplyGuiRequest(request, kReplaceContinue);
    return;
  }
  ReportUnbound(kind);
  ReplyGuiRequest(request, kReplaceCancel);
}

void CliGui::ReportUnbound(int kind) const {
  err_ << "corvane-cli: " << ToUtf8(KindWord(kind))
       << " names of the last run have vanished and are not bound.\n";
  err_ << "  vanished (old):";
  for (const Text& name : old_names_) err_ << ' ' << ToUtf8(name);
  err_ << "\n  added (new):";
  for (const Text& name : new_names_) err_ << ' ' << ToUtf8(name);
  err_ << "\n  Bind them with --bind OLD=NEW, or pass --unbound continue to drop them.\n";
}

}  // namespace corvane
