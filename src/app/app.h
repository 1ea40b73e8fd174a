// The desktop application's state: everything the handlers of the program share. One App lives for
// the whole process; tests make their own on the headless toolkit.
#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "analysis/source_model.h"
#include "app/request_channel.h"
#include "platform/toolkit/toolkit.h"
#include "project/project_state.h"

namespace corvane {

struct App {
  App(Toolkit& toolkit, SourceModel& source_model, ProjectState& project_state)
      : tk(toolkit),
        model(source_model),
        state(project_state),
        channel([this](int type, GuiRequest* request) { PostRequest(type, request); }) {}

  // Posts a request of the worker as a gadget event for the hidden command button.
  void PostRequest(int type, GuiRequest* request) {
    Event event;
    event.kind = EventKind::kGadget;
    event.window = 0;
    event.object = 0;
    event.type = type;
    event.data = reinterpret_cast<intptr_t>(request);
    tk.PostEvent(event);
  }

  Toolkit& tk;
  SourceModel& model;
  ProjectState& state;
  RequestChannel channel;

  // The data of the event being handled (a request's record for the hidden command button).
  intptr_t event_data = 0;

  int ExitApplication = 0;
  Text InfoText;
  // The record of the most recent request; `pending_answered` says whether it has had its reply,
  // so that a late "Continue" or close box never replies twice.
  GuiRequest* PendingRequest = nullptr;
  bool pending_answered = true;
  // True from the start of a run to its end (the worker's last request); commands that would touch
  // the model or start a second run are held back meanwhile.
  std::atomic<bool> run_active{false};
  // The main window's splitter (its number is chosen by the toolkit).
  int main_splitter = kNoObject;

  // Files beside the executable.
  std::string SettingsFile;
  std::string UserListFile;
  // Program parameters (without the program's own name); the first names a project to open.
  std::vector<std::string> arguments;
};

}  // namespace corvane
