// An App on the headless toolkit with its settings files in a temporary directory, and a driver
// that runs the real start-up and event loop with a script of steps.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "analysis/source_model.h"
#include "app/app.h"
#include "app/application.h"
#include "app/numbers.h"
#include "platform/toolkit/headless/headless_toolkit.h"
#include "project/project_state.h"
#include "test_util.h"

namespace corvane::testing {

// One step of a script; false means "not yet", and the step runs again on the next idle pass.
using Step = std::function<bool()>;

inline Step Do(std::function<void()> action) {
  return [action = std::move(action)] {
    action();
    return true;
  };
}

struct AppFixture {
  AppFixture() {
    app.SettingsFile = dir / "CV4.INI";
    app.UserListFile = dir / "UserList.INI";
  }

  // Runs Main. Each step runs when the event queue has run dry, so the events it injects are
  // handled before the next step; after the last step the loop is ended. A script that is not
  // through after `limit` fails the test. Returns the number of steps run (fewer when the program
  // quit by itself).
  size_t Run(std::vector<Step> steps, std::chrono::seconds limit = std::chrono::seconds(30)) {
    size_t next = 0;
    const auto deadline = std::chrono::steady_clock::now() + limit;
    tk.SetWaitTimeout(std::chrono::milliseconds(20));
    tk.SetIdleHandler([&] {
      if (std::chrono::steady_clock::now() > deadline) {
        ADD_FAILURE() << "script stuck at step " << next;
        app.ExitApplication = 1;
      } else if (next == steps.size()) {
        app.ExitApplication = 1;
      } else if (steps[next]()) {
        ++next;
      }
    });
    exit_status = Main(app);
    tk.SetIdleHandler(nullptr);
    return next;
  }

  std::vector<Text> Items(int gadget) { return tk.GetListItems(gadget); }
  Text Status() { return tk.GetStatusBarText(kMainStatusBar, 0); }

  TempDir dir;
  HeadlessToolkit tk;
  SourceModel model;
  ProjectState state;
  App app{tk, model, state};
  int exit_status = -1;
};

}  // namespace corvane::testing
