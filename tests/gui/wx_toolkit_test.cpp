// The wx toolkit on a real display (Xvfb in CI): windows, bars, gadgets, list views, the event
// queue fed from wx handlers and from another thread, and screenshots for a person to look at.
#include "platform/toolkit/wx/wx_toolkit.h"

#include <gtest/gtest.h>
#include <wx/checkbox.h>
#include <wx/frame.h>
#include <wx/listbox.h>
#include <wx/menu.h>
#include <wx/splitter.h>
#include <wx/timer.h>
#include <wx/toolbar.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "analysis/source_model.h"
#include "app/app.h"
#include "app/application.h"
#include "app/numbers.h"
#include "project/project_state.h"
#include "test_util.h"

namespace corvane {
namespace {

// One toolkit for the whole program: wx starts once per process.
WxToolkit* g_toolkit = nullptr;

class WxEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') return;
    static char name[] = "gui_test";
    static char* argv[] = {name, nullptr};
    static int argc = 1;
    toolkit_ = CreateWxToolkit(argc, argv);
    g_toolkit = static_cast<WxToolkit*>(toolkit_.get());
  }
  void TearDown() override {
    g_toolkit = nullptr;
    toolkit_.reset();
  }

 private:
  std::unique_ptr<Toolkit> toolkit_;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new WxEnvironment);

std::string ScreenshotPath(const std::string& name) {
  std::filesystem::create_directories(CORVANE_SCREENSHOTS);
  return std::string(CORVANE_SCREENSHOTS) + "/" + name;
}

constexpr int kTimeoutEvent = 0x7ffe;

// Waits for the first event `wanted` accepts, skipping others; a watchdog thread posts a marker
// event after `timeout`, so a missing event fails the test instead of hanging it.
Event WaitFor(WxToolkit& tk, const std::function<bool(const Event&)>& wanted,
              std::chrono::milliseconds timeout = std::chrono::seconds(5)) {
  std::atomic<bool> done{false};
  std::thread watchdog([&] {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!done && std::chrono::steady_clock::now() < end) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (!done) tk.PostEvent({EventKind::kOther, -1, -1, kTimeoutEvent, 0});
  });
  Event event;
  for (;;) {
    event = tk.WaitEvent();
    if (wanted(event) || (event.kind == EventKind::kOther && event.type == kTimeoutEvent)) break;
  }
  done = true;
  watchdog.join();
  return event;
}

// Takes every event queued by now.
void Drain(WxToolkit& tk) {
  tk.ProcessPendingWork();
  Event ignored;
  while (tk.PollEvent(ignored)) {
  }
}

wxFrame* FrameTitled(const Text& title) {
  for (wxWindow* window : wxTopLevelWindows) {
    auto* frame = dynamic_cast<wxFrame*>(window);
    if (frame != nullptr && frame->IsShown() && frame->GetTitle() == ToUtf8(title)) return frame;
  }
  return nullptr;
}

// A 16 x 16 square of one colour with a transparent border.
std::vector<uint8_t> Square(uint8_t r, uint8_t g, uint8_t b) {
  std::vector<uint8_t> rgba;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      const bool border = x < 2 || y < 2 || x > 13 || y > 13;
      rgba.insert(rgba.end(), {r, g, b, static_cast<uint8_t>(border ? 0 : 255)});
    }
  }
  return rgba;
}

class WxToolkitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (g_toolkit == nullptr) GTEST_SKIP() << "no display";
  }
  void TearDown() override {
    if (g_toolkit == nullptr) return;
    for (int window : opened_) g_toolkit->CloseWindow(window);
    Drain(*g_toolkit);
  }
  int Open(int number, int width, int height, const Text& title, int flags, int parent = -1) {
    const int window = tk().OpenWindow(number, 10, 10, width, height, title, flags, parent);
    opened_.push_back(window);
    return window;
  }
  WxToolkit& tk() { return *g_toolkit; }

  std::vector<int> opened_;
};

constexpr int kMainFlags = kWindowTitleBar | kWindowCloseBox | kWindowMinimize | kWindowMaximize |
                           kWindowResizable | kWindowScreenCentered;

// The main window as the application builds it: menu with images and a submenu, toolbar, status
// bar, two lists in a splitter, shortcuts.
class MainWindowTest : public WxToolkitTest {
 protected:
  void SetUp() override {
    WxToolkitTest::SetUp();
    if (IsSkipped()) return;
    const uint8_t colours[12][3] = {{250, 250, 250}, {230, 180, 40}, {130, 60, 170},
                                    {40, 160, 60},   {40, 180, 40},  {210, 40, 40},
                                    {40, 170, 90},   {200, 60, 60},  {150, 100, 50},
                                    {70, 120, 200},  {90, 160, 220}, {120, 50, 150}};
    for (int i = 0; i < 12; ++i) {
      const std::vector<uint8_t> pixels = Square(colours[i][0], colours[i][1], colours[i][2]);
      ASSERT_EQ(tk().CreateImage(i, 16, 16, pixels), i);
    }
    ASSERT_EQ(Open(0, 800, 600, U"Corvane Sartel Version v5.20", kMainFlags), 0);
    ASSERT_EQ(tk().ButtonGadget(0, 0, 0, 0, 0, 0, U"CMD"), 0);
    tk().DisableGadget(0, true);
    ASSERT_TRUE(tk().CreateImageMenu(0, 0));
    tk().MenuTitle(U"&File");
    tk().MenuItem(0, U"Project &New\tCtrl-N", 0);
    tk().MenuBar();
    tk().MenuItem(1, U"Project &Load\tCtrl-L", 1);
    tk().OpenSubMenu(U"&Preferences", 9);
    tk().MenuItem(4, U"User&Gadget", 9);
    tk().CloseSubMenu();
    tk().MenuItem(5, U"E&xit", 8);
    tk().MenuTitle(U"&Action");
    tk().MenuItem(9, U"&Start Generate", 7);
    tk().MenuItem(kMenuAbout, U"");
    tk().MenuItem(kMenuPreferences, U"");
    ASSERT_TRUE(tk().CreateStatusBar(0, 0));
    ASSERT_EQ(tk().ListViewGadget(1, 0, 0, 0, 800, 280), 1);
    ASSERT_EQ(tk().ListViewGadget(2, 0, 0, 280, 800, 280), 2);
    ASSERT_TRUE(tk().CreateToolBar(0, 0));
    tk().ToolBarSeparator();
    tk().ToolBarImageButton(0, 0);
    tk().ToolBarImageButton(1, 1);
    tk().ToolBarSeparator();
    tk().ToolBarImageButton(9, 7);
    tk().ToolBarToolTip(0, 9, U"Generate");
    tk().AddStatusBarField(kFieldFullWidth);
    splitter_ = tk().SplitterGadget(kAnyNumber, 0, 0, 0, 800, 600, 1, 2, kSplitterSeparator);
    tk().AddKeyboardShortcut(0, kShortcutControl | 'N', 0);
    tk().StatusBarText(0, 0, U"/home/user/project.pbm");
    frame_ = FrameTitled(U"Corvane Sartel Version v5.20");
    ASSERT_NE(frame_, nullptr);
  }

  // Delivers a menu command of the frame as wx would for a click or a key.
  void SendCommand(int command) {
    wxCommandEvent event(wxEVT_MENU, command);
    event.SetEventObject(frame_);
    frame_->GetEventHandler()->ProcessEvent(event);
  }

  bool IsMenuEvent(const Event& event, int item) {
    return event.kind == EventKind::kMenu && event.window == 0 && event.object == item;
  }

  int splitter_ = -1;
  wxFrame* frame_ = nullptr;
};

TEST_F(MainWindowTest, BuildsTheWindowWithBarsOutsideTheInnerArea) {
  tk().ProcessPendingWork();
  EXPECT_EQ(tk().GetWindowTitle(0), U"Corvane Sartel Version v5.20");
  EXPECT_EQ(tk().WindowInnerWidth(0), 800);
  EXPECT_EQ(tk().WindowInnerHeight(0), 600);
  EXPECT_EQ(tk().MenuBarHeight(0) + tk().ToolBarHeight(0) + tk().StatusBarHeight(0), 0);
  EXPECT_EQ(tk().GetStatusBarText(0, 0), U"/home/user/project.pbm");
  EXPECT_EQ(tk().GetStatusBarText(0, 1), U"");

  ASSERT_NE(frame_->GetMenuBar(), nullptr);
  EXPECT_EQ(frame_->GetMenuBar()->GetMenuCount(), 2u);
  EXPECT_EQ(frame_->GetMenuBar()->GetMenuLabel(0), "&File");
  const int user_gadget = frame_->GetMenuBar()->FindMenuItem("&File", "UserGadget");
  EXPECT_NE(user_gadget, wxNOT_FOUND);  // inside the submenu
  ASSERT_NE(frame_->GetToolBar(), nullptr);
  EXPECT_EQ(frame_->GetToolBar()->GetToolsCount(), 5u);
  EXPECT_EQ(frame_->GetToolBar()->GetToolShortHelp(frame_->GetToolBar()->GetToolByPos(4)->GetId()),
            "Generate");

  // The hidden command button never shows.
  EXPECT_FALSE(tk().IsGadgetEnabled(0));
  EXPECT_EQ(tk().GadgetGeometry(0), (Rect{0, 0, 0, 0}));

  // The splitter starts at half its height, the first list above the divider.
  EXPECT_EQ(tk().GetSplitterPosition(splitter_), 300);
  tk().SetSplitterPosition(splitter_, 100);
  tk().ProcessPendingWork();
  EXPECT_EQ(tk().GetSplitterPosition(splitter_), 100);
  EXPECT_EQ(tk().GadgetGeometry(1), (Rect{0, 0, 800, 100}));
  const Rect lower = tk().GadgetGeometry(2);
  EXPECT_GT(lower.y, 100);
  EXPECT_EQ(lower.y + lower.height, 600);

  // A taller splitter gives the room to the lower list; the upper one keeps its height.
  tk().ResizeGadget(splitter_, 0, 0, 800, 500);
  tk().ProcessPendingWork();
  EXPECT_EQ(tk().GadgetGeometry(1), (Rect{0, 0, 800, 100}));
  EXPECT_EQ(tk().GadgetGeometry(2).y + tk().GadgetGeometry(2).height, 500);
  tk().ResizeGadget(splitter_, 0, 0, 800, 600);

  for (int i = 0; i < 3; ++i) tk().AppendListItem(1, U"/home/user/form" + Decimal(i) + U".pb");
  for (const char32_t* line : {U"Generate Code Step 1 ...", U"- Load Main.pb", U"Ready.", U""}) {
    tk().AppendListItem(2, line);
  }
  tk().SelectListItem(1, 1);
  EXPECT_TRUE(tk().SaveWindowScreenshot(0, ScreenshotPath("toolkit_main_window.png")));
  EXPECT_GT(testing::ReadBytes(ScreenshotPath("toolkit_main_window.png")).size(), 1000u);
}

TEST_F(MainWindowTest, MenuToolbarAndShortcutReportTheirItemNumbers) {
  Drain(tk());
  wxMenuBar* bar = frame_->GetMenuBar();
  SendCommand(bar->FindMenuItem("&Action", "&Start Generate"));
  EXPECT_TRUE(
      IsMenuEvent(WaitFor(tk(), [](const Event& e) { return e.kind == EventKind::kMenu; }), 9));

  SendCommand(frame_->GetToolBar()->GetToolByPos(1)->GetId());  // the first button after the gap
  EXPECT_TRUE(
      IsMenuEvent(WaitFor(tk(), [](const Event& e) { return e.kind == EventKind::kMenu; }), 0));

  // The shortcut uses the same command as the menu item.
  const wxAcceleratorTable* accelerators = frame_->GetAcceleratorTable();
  ASSERT_TRUE(accelerators->IsOk());
  SendCommand(bar->FindMenuItem("&File", "UserGadget"));
  EXPECT_TRUE(
      IsMenuEvent(WaitFor(tk(), [](const Event& e) { return e.kind == EventKind::kMenu; }), 4));

  // The application-menu ids report as -3, -2, -1, also while the window is disabled.
  tk().DisableWindow(0, true);
  EXPECT_FALSE(tk().IsWindowEnabled(0));
  SendCommand(bar->FindMenuItem("&File", "E&xit"));  // an ordinary item: ignored now
  for (auto [command, item] :
       {std::pair{wxID_ABOUT, kMenuAbout}, std::pair{wxID_PREFERENCES, kMenuPreferences},
        std::pair{wxID_EXIT, kMenuQuit}}) {
    SendCommand(command);
    EXPECT_TRUE(
        IsMenuEvent(WaitFor(tk(), [](const Event& e) { return e.kind == EventKind::kMenu; }), item))
        << item;
  }
  tk().DisableWindow(0, false);
  EXPECT_TRUE(tk().IsWindowEnabled(0));
}

TEST_F(MainWindowTest, CloseBoxReportsAndKeepsTheWindow) {
  Drain(tk());
  frame_->Close();
  const Event event =
      WaitFor(tk(), [](const Event& e) { return e.kind != EventKind::kSizeWindow; });
  EXPECT_EQ(event.kind, EventKind::kCloseWindow);
  EXPECT_EQ(event.window, 0);
  EXPECT_TRUE(tk().IsWindow(0));
  EXPECT_TRUE(frame_->IsShown());

  // A disabled window ignores its close box.
  tk().DisableWindow(0, true);
  frame_->Close();
  Drain(tk());
  tk().PostEvent({EventKind::kOther, -1, -1, 1, 0});
  EXPECT_EQ(WaitFor(tk(), [](const Event& e) { return e.kind != EventKind::kSizeWindow; }).kind,
            EventKind::kOther);
  tk().DisableWindow(0, false);
}

TEST_F(WxToolkitTest, PostEventFromAnotherThreadWakesWaitEvent) {
  Drain(tk());
  for (int round = 0; round < 3; ++round) {
    std::thread worker([&] {
      std::this_thread::sleep_for(std::chrono::milliseconds(30));
      tk().PostEvent({EventKind::kGadget, 0, 0, 0x404, 1234 + round});
    });
    const Event event = WaitFor(tk(), [](const Event& e) { return e.kind == EventKind::kGadget; });
    worker.join();
    EXPECT_EQ(event.kind, EventKind::kGadget);
    EXPECT_EQ(event.type, 0x404);
    EXPECT_EQ(event.data, 1234 + round);
  }
  // Many posts from several threads: none is lost, each thread's order is kept.
  std::vector<std::thread> workers;
  for (int t = 0; t < 4; ++t) {
    workers.emplace_back([&, t] {
      for (int i = 0; i < 250; ++i) tk().PostEvent({EventKind::kGadget, t, i, 0x404, 0});
    });
  }
  std::vector<int> next(4, 0);
  int received = 0;
  while (received < 1000) {
    const Event event = WaitFor(tk(), [](const Event& e) { return e.kind == EventKind::kGadget; });
    ASSERT_EQ(event.kind, EventKind::kGadget);
    EXPECT_EQ(event.object, next[event.window]++);
    ++received;
  }
  for (std::thread& worker : workers) worker.join();
}

TEST_F(WxToolkitTest, ListViewKeepsTheSelectionWithItsItem) {
  ASSERT_EQ(Open(kAnyNumber, 300, 200, U"Lists", kWindowTitleBar), kFirstChosenNumber);
  const int window = opened_.back();
  const int list = tk().ListViewGadget(kAnyNumber, window, 0, 0, 300, 200);
  ASSERT_GE(list, kFirstChosenNumber);
  for (const char32_t* item : {U"a", U"b", U"c"}) tk().AppendListItem(list, item);
  EXPECT_EQ(tk().GetListSelected(list), -1);

  tk().SelectListItem(list, 1);  // "b"
  tk().InsertListItem(list, 0, U"Datei überschreiben?");
  EXPECT_EQ(tk().GetListSelected(list), 2);
  tk().InsertListItem(list, 3, U"after");
  EXPECT_EQ(tk().GetListSelected(list), 2);
  tk().InsertListItem(list, 99, U"end");  // out of range appends
  tk().RemoveListItem(list, 0);
  EXPECT_EQ(tk().GetListSelected(list), 1);
  EXPECT_EQ(tk().GetListItems(list), (std::vector<Text>{U"a", U"b", U"after", U"c", U"end"}));
  tk().RemoveListItem(list, 1);  // the selected item
  EXPECT_EQ(tk().GetListSelected(list), -1);
  tk().RemoveListItem(list, 9);  // nothing there
  EXPECT_EQ(tk().CountListItems(list), 4);

  tk().SetListItemText(list, 0, U"ä€𝄞");
  EXPECT_EQ(tk().GetListItemText(list, 0), U"ä€𝄞");
  EXPECT_EQ(tk().GetListItemText(list, 4), U"");
  tk().SelectListItem(list, 3);
  EXPECT_EQ(tk().GetListSelected(list), 3);
  tk().SelectListItem(list, 4);  // out of range clears
  EXPECT_EQ(tk().GetListSelected(list), -1);
  tk().SelectListItem(list, 2);
  tk().SelectListItem(list, -1);
  EXPECT_EQ(tk().GetListSelected(list), -1);
  tk().ClearList(list);
  EXPECT_EQ(tk().CountListItems(list), 0);

  // Many lines, as a long log: each appended and shown at the end.
  for (int i = 0; i < 2000; ++i) {
    tk().AppendListItem(list, U"- line " + Decimal(i));
    tk().SelectListItem(list, i);
  }
  EXPECT_EQ(tk().GetListSelected(list), 1999);
  EXPECT_EQ(tk().GetListItems(list).size(), 2000u);
}

TEST_F(WxToolkitTest, GadgetsReportClicksOnlyWhileTheyAndTheirWindowAreEnabled) {
  const int window = Open(1, 320, 200, U"Start Generate", kWindowTitleBar | kWindowCloseBox);
  ASSERT_EQ(window, 1);
  ASSERT_EQ(tk().CheckBoxGadget(3, 1, 10, 10, 200, 20, U"Parend"), 3);
  ASSERT_EQ(tk().ButtonGadget(11, 1, 10, 100, 100, 30, U"Start"), 11);
  ASSERT_EQ(tk().TextGadget(12, 1, 10, 50, 200, 20, U"A & B"), 12);
  EXPECT_EQ(tk().GetGadgetText(12), U"A & B");
  tk().SetGadgetText(11, U"Go");
  EXPECT_EQ(tk().GetGadgetText(11), U"Go");
  EXPECT_EQ(tk().GadgetGeometry(11), (Rect{10, 100, 100, 30}));
  tk().SetCheckBoxState(3, 1);
  EXPECT_EQ(tk().GetCheckBoxState(3), 1);
  tk().SetCheckBoxState(3, 0);
  EXPECT_EQ(tk().GetCheckBoxState(3), 0);
  EXPECT_EQ(tk().GetCheckBoxState(11), 0);  // not a check box
  Drain(tk());

  wxFrame* frame = FrameTitled(U"Start Generate");
  ASSERT_NE(frame, nullptr);
  auto* box = dynamic_cast<wxCheckBox*>(wxWindow::FindWindowByLabel("Parend", frame));
  ASSERT_NE(box, nullptr);
  auto click = [&] {  // what a click does: the box toggles, then wx reports it
    box->SetValue(!box->GetValue());
    wxCommandEvent event(wxEVT_CHECKBOX, box->GetId());
    event.SetEventObject(box);
    box->GetEventHandler()->ProcessEvent(event);
  };
  auto is_gadget = [](const Event& e) { return e.kind == EventKind::kGadget; };
  click();
  Event event = WaitFor(tk(), is_gadget);
  EXPECT_EQ(event.kind, EventKind::kGadget);
  EXPECT_EQ(event.window, 1);
  EXPECT_EQ(event.object, 3);
  EXPECT_EQ(event.type, kEventTypeLeftClick);
  EXPECT_EQ(tk().GetCheckBoxState(3), 1);

  tk().DisableGadget(3, true);
  EXPECT_FALSE(tk().IsGadgetEnabled(3));
  click();
  tk().DisableGadget(3, false);
  tk().DisableWindow(1, true);
  click();
  EXPECT_TRUE(tk().IsGadgetEnabled(3));  // the gadget's own state
  tk().DisableWindow(1, false);
  tk().PostEvent({EventKind::kOther, -1, -1, 7, 0});
  event = WaitFor(tk(), [](const Event& e) { return e.kind != EventKind::kSizeWindow; });
  EXPECT_EQ(event.kind, EventKind::kOther);  // neither click came through

  tk().SetCheckBoxState(3, 0);
  EXPECT_TRUE(tk().SaveWindowScreenshot(1, ScreenshotPath("toolkit_gadgets.png")));
}

TEST_F(WxToolkitTest, NumbersWindowsAndMissingObjects) {
  ASSERT_EQ(Open(0, 200, 100, U"First", kWindowTitleBar), 0);
  ASSERT_EQ(Open(0, 220, 120, U"Second", kWindowTitleBar), 0);  // replaces the first
  EXPECT_EQ(tk().GetWindowTitle(0), U"Second");
  EXPECT_EQ(FrameTitled(U"First"), nullptr);
  tk().SetWindowTitle(0, U"Renamed");
  EXPECT_EQ(tk().GetWindowTitle(0), U"Renamed");
  EXPECT_EQ(tk().WindowInnerWidth(0), 220);

  // A child window closes with its parent.
  const int child = Open(kAnyNumber, 100, 80, U"Child", kWindowTitleBar, 0);
  ASSERT_GE(child, kFirstChosenNumber);
  const int button = tk().ButtonGadget(kAnyNumber, child, 0, 0, 50, 20, U"x");
  ASSERT_GE(button, kFirstChosenNumber);
  tk().CloseWindow(0);
  EXPECT_FALSE(tk().IsWindow(child));
  EXPECT_EQ(tk().GetGadgetText(button), U"");

  // Calls on numbers that name nothing do nothing.
  EXPECT_EQ(tk().ButtonGadget(5, 77, 0, 0, 10, 10, U"x"), kNoObject);
  EXPECT_FALSE(tk().CreateImageMenu(0, 77));
  EXPECT_FALSE(tk().CreateToolBar(0, 77));
  EXPECT_FALSE(tk().CreateStatusBar(0, 77));
  EXPECT_EQ(tk().OpenWindow(-5, 0, 0, 10, 10, U"x", 0), kNoObject);
  const std::vector<uint8_t> short_data(16 * 16 * 4 - 1);
  EXPECT_EQ(tk().CreateImage(kAnyNumber, 16, 16, short_data), kNoObject);
  EXPECT_FALSE(tk().IsImage(4711));
  EXPECT_EQ(tk().WindowInnerHeight(77), 0);
  EXPECT_EQ(tk().GetListSelected(77), -1);
  EXPECT_EQ(tk().GetSplitterPosition(77), 0);
  EXPECT_EQ(tk().GetStatusBarText(77, 0), U"");
  tk().MenuItem(1, U"no menu open");  // must not crash
  tk().ToolBarImageButton(1, 1);
  tk().AddStatusBarField(kFieldFullWidth);
  tk().CloseWindow(77);
}

// --- The real program on the wx toolkit.

// Runs Main with the project in a temporary directory. A timer on the GUI thread plays the user:
// each step waits until its condition holds, then acts (screenshots, posted clicks). The program
// is ended after the last step, or after `limit` with a failure.
class AppOnWxTest : public WxToolkitTest {
 protected:
  using Step = std::function<bool()>;

  void SetUp() override {
    WxToolkitTest::SetUp();
    if (IsSkipped()) return;
    const std::string input = std::string(CORVANE_FIXTURES) + "/runs/first_run/input/";
    std::filesystem::copy_file(input + "Form.pb", dir_ / "Form.pb");
    std::filesystem::copy_file(input + "project.pbm", dir_ / "project.pbm");
    app_ = std::make_unique<App>(tk(), model_, state_);
    app_->SettingsFile = dir_ / "CV4.INI";
    app_->UserListFile = dir_ / "UserList.INI";
    app_->arguments = {dir_ / "project.pbm"};
    opened_ = {kWindowMain};
  }

  // Remembers an old window name, so that the run asks to bind it in the search-and-replace dialog.
  void AddVanishedWindow() {
    std::string project = testing::ReadBytes(dir_ / "project.pbm");
    const std::string section = "[WINDOW]\n";
    project.insert(project.find(section) + section.size(), "Window_Old\n");
    testing::WriteBytes(dir_ / "project.pbm", project);
  }

  int RunProgram(std::vector<Step> steps, std::chrono::seconds limit = std::chrono::seconds(60)) {
    size_t next = 0;
    bool busy = false;
    const auto deadline = std::chrono::steady_clock::now() + limit;
    wxTimer timer;
    timer.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
      // Only while the program waits for input; screenshots pump the loop: no re-entry.
      if (busy || !tk().IsWaiting() || app_->ExitApplication == 1) return;
      busy = true;
      if (std::chrono::steady_clock::now() > deadline) {
        ADD_FAILURE() << "script stuck at step " << next;
        next = steps.size();
      } else if (next < steps.size() && steps[next]()) {
        ++next;
      }
      if (next == steps.size()) {
        app_->ExitApplication = 1;
        tk().PostEvent({EventKind::kOther, -1, -1, 0, 0});  // the loop ends after this event
      }
      busy = false;
    });
    timer.Start(50);
    const int status = Main(*app_);
    timer.Stop();
    return status;
  }

  Step WhenThen(std::function<bool()> condition, std::function<void()> action) {
    return [condition = std::move(condition), action = std::move(action)] {
      if (!condition()) return false;
      action();
      return true;
    };
  }
  // Once the window has been open for a moment, so that wx's loop has drawn it.
  Step Screenshot(int window, const std::string& name) {
    auto since = std::make_shared<std::chrono::steady_clock::time_point>();
    return WhenThen(
        [this, window, since] {
          if (!tk().IsWindow(window)) return false;
          const auto now = std::chrono::steady_clock::now();
          if (*since == std::chrono::steady_clock::time_point()) *since = now;
          return now - *since > std::chrono::milliseconds(400);
        },
        [this, window, name] {
          EXPECT_TRUE(tk().SaveWindowScreenshot(window, ScreenshotPath(name)));
        });
  }
  Step Post(Event event) {
    return [this, event] {
      tk().PostEvent(event);
      return true;
    };
  }
  Step MainWindowReady() {
    return [this] { return tk().IsWindow(kWindowMain) && tk().IsWindowEnabled(kWindowMain); };
  }
  Step RunEndedWith(const Text& last_line) {
    return [this, last_line] {
      const std::vector<Text> log = tk().GetListItems(kGadgetLog);
      return !app_->run_active && log.size() >= 2 && log.back().empty() &&
             log[log.size() - 2] == last_line;
    };
  }

  testing::TempDir dir_;
  SourceModel model_;
  ProjectState state_;
  std::unique_ptr<App> app_;  // made in SetUp, once the toolkit is known to exist
};

const Event kChooseStartGenerate{EventKind::kMenu, kWindowMain, kMenuStartGenerate, 0, 0};
const Event kClickStart{EventKind::kGadget, kWindowStart, kGadgetStart, kEventTypeLeftClick, 0};

TEST_F(AppOnWxTest, StartGenerateRunsToReadyAndWritesTheFiles) {
  const int status = RunProgram({
      MainWindowReady(),
      Screenshot(kWindowMain, "main_window.png"),
      [this] {
        EXPECT_EQ(tk().GetWindowTitle(kWindowMain), U"Corvane Sartel Version v5.20");
        const std::vector<Text> files = tk().GetListItems(kGadgetCommonFiles);
        EXPECT_EQ(files.size(), 1u);
        EXPECT_TRUE(!files.empty() && files[0].ends_with(U"Form.pb"));
        return true;
      },
      Post(kChooseStartGenerate),
      Screenshot(kWindowStart, "start_dialog.png"),
      Post(kClickStart),
      RunEndedWith(U"Ready."),
      Screenshot(kWindowMain, "main_window_after_run.png"),
  });
  EXPECT_EQ(status, 0);
  EXPECT_EQ(tk().GetListSelected(kGadgetLog), -1);
  EXPECT_FALSE(tk().IsWindow(kWindowStart));
  EXPECT_TRUE(testing::Exists(dir_ / "CommonFile.pb"));
  EXPECT_TRUE(testing::Exists(dir_ / "EventMain.pb"));
  EXPECT_TRUE(testing::Exists(dir_ / "CV4.INI"));  // the settings are saved at the end
}

TEST_F(AppOnWxTest, VanishedWindowOpensTheReplaceDialogAndItsCloseBoxCancels) {
  AddVanishedWindow();
  const int status = RunProgram({
      MainWindowReady(),
      Post(kChooseStartGenerate),
      [this] { return tk().IsWindow(kWindowStart); },
      Post(kClickStart),
      Screenshot(kWindowReplace, "replace_dialog.png"),
      Post({EventKind::kCloseWindow, kWindowReplace, -1, 0, 0}),
      RunEndedWith(U"Cancel."),
  });
  EXPECT_EQ(status, 0);
  EXPECT_FALSE(tk().IsWindow(kWindowReplace));
  EXPECT_TRUE(tk().IsWindowEnabled(kWindowMain));
  EXPECT_FALSE(testing::Exists(dir_ / "CommonFile.pb"));
}

}  // namespace
}  // namespace corvane
