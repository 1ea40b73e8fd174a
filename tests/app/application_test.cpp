#include "app/application.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <future>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/settings.h"
#include "app_test_util.h"
#include "dialogs/info_licence.h"
#include "dialogs/start_dialog.h"
#include "project/project_file.h"
#include "rename/replace_dialog.h"

namespace corvane {
namespace {

using namespace std::chrono_literals;
using testing::AppFixture;
using testing::Do;
using testing::Exists;
using testing::ReadBytes;
using testing::Step;
using testing::WriteBytes;

constexpr int kControl = kShortcutControl;

std::string Project(const std::string& files, const std::string& windows = "") {
  return "[FILES]\n" + files + "\n[SWITCH]\nParend=0\nUtf8=0\n\n[WINDOW]\n" + windows +
         "\n[MENU]\n\n[MENUITEM]\n\n[STATUSBAR]\n\n[TOOLBAR]\n\n[GADGET]\n\n";
}

// --- Start-up and settings.

TEST(StartUpTest, FirstStartInAnEmptyDirectory) {
  AppFixture f;
  f.Run({});
  EXPECT_EQ(f.exit_status, 0);
  EXPECT_EQ(ReadBytes(f.app.UserListFile), "[USERGADGET]\n");
  EXPECT_TRUE(f.model.ListUserGadget.empty());
  EXPECT_TRUE(f.model.MapKeyword.count(U"BUTTONGADGET"));
  EXPECT_EQ(f.Status(), U"project.pbm");
  EXPECT_EQ(f.state.ProjectFile, U"project.pbm");
  EXPECT_EQ(f.state.ProjectHasFile, 0);
  EXPECT_EQ(f.app.InfoText, ComposeInfoText());
  const Switches& s = f.state.switches;
  EXPECT_EQ((std::vector<int64_t>{s.SwitchParend, s.SwitchPBIgnore, s.SwitchMultilang,
                                  s.SwitchImageInclude, s.SwitchImageNull, s.SwitchUseCallFast,
                                  s.SwitchUtf8, s.SwitchMacMenuEvents}),
            (std::vector<int64_t>{1, 1, 0, 0, 0, 1, 1, 1}));
  EXPECT_EQ(ReadBytes(f.app.SettingsFile),
            "\xEF\xBB\xBF\n[Path]\nLast = \nProject = project.pbm\n[Default]\nParend = 1\n"
            "PB_Ignore = 1\nMultilang = 0\nImage_Include = 0\nImage_Null = 0\nUseCallFast = 1\n"
            "Utf8 = 1\nMacMenuEvents = 1\n");
}

TEST(StartUpTest, UserGadgetNamesReachTheKeySets) {
  AppFixture f;
  WriteBytes(f.app.UserListFile, "[USERGADGET]\n  MyGadget \r\nOther\n\nAfterEmptyLine\n");
  f.Run({});
  EXPECT_EQ(f.model.ListUserGadget, (std::vector<Text>{U"MyGadget", U"Other"}));
  EXPECT_TRUE(f.model.MapKeyword.count(U"MYGADGET"));
  EXPECT_TRUE(f.model.MapGadgetFunction.count(U"OTHER"));
  EXPECT_FALSE(f.model.MapGadgetFunction.count(U"AFTEREMPTYLINE"));
}

TEST(StartUpTest, UnopenableUserGadgetListIsReportedAndTheStartGoesOn) {
  AppFixture f;
  f.app.UserListFile = f.dir / "UserList.INI.d";
  std::filesystem::create_directory(f.app.UserListFile);
  f.Run({});
  ASSERT_EQ(f.tk.Messages().size(), 1u);
  EXPECT_EQ(f.tk.Messages()[0].title, U"UserGadgetList");
  EXPECT_EQ(f.tk.Messages()[0].text, U"Error open file usergadgetlist");
  EXPECT_TRUE(f.model.MapKeyword.count(U"BUTTONGADGET"));
  EXPECT_EQ(f.Status(), U"project.pbm");
}

struct ProjectChoiceCase {
  const char* name;
  const char* argument;  // "" none; otherwise a file name in the temp dir
  const char* expected;  // the project opened, "" for none
};

class ProjectChoiceTest : public ::testing::TestWithParam<ProjectChoiceCase> {};

TEST_P(ProjectChoiceTest, CommandLineWinsOverTheRememberedProject) {
  const ProjectChoiceCase& c = GetParam();
  AppFixture f;
  WriteBytes(f.dir / "named.pbm", Project("/src/Named.pb\n"));
  WriteBytes(f.dir / "last.pbm", Project("/src/Last.pb\n"));
  WriteBytes(f.dir / "empty.pbm", "");
  WriteBytes(f.app.SettingsFile, "[Path]\nLast = /last/dir/\nProject = " + (f.dir / "last.pbm") +
                                     "\n[Default]\nParend = 1\nUtf8 = 1\nMultilang = 1\n");
  if (*c.argument) f.app.arguments = {f.dir / c.argument};
  f.Run({});
  const Text expected = FromUtf8(f.dir / c.expected);
  EXPECT_EQ(f.state.ProjectFile, expected);
  EXPECT_EQ(f.Status(), expected);
  EXPECT_EQ(f.state.ProjectHasFile, 1);
  // The project's switches, not the defaults; switches it does not name stay 0.
  EXPECT_EQ(f.state.switches.SwitchParend, 0);
  EXPECT_EQ(f.state.switches.SwitchMultilang, 0);
  EXPECT_EQ(f.state.switches.SwitchUseCallFast, 0);
  EXPECT_TRUE(f.state.LastPath.empty());
  EXPECT_EQ(f.Items(kGadgetCommonFiles).size(), 1u);
  EXPECT_NE(ReadBytes(f.app.SettingsFile).find("Last = \n"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProjectChoiceTest,
    ::testing::Values(ProjectChoiceCase{"CommandLine", "named.pbm", "named.pbm"},
                      ProjectChoiceCase{"Remembered", "", "last.pbm"},
                      ProjectChoiceCase{"EmptyArgument", "empty.pbm", "last.pbm"},
                      ProjectChoiceCase{"MissingArgument", "nothing.pbm", "last.pbm"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StartUpTest, WithoutAProjectTheDefaultsAndLastPathAreRead) {
  AppFixture f;
  WriteBytes(f.app.SettingsFile,
             "[Path]\nLast = /last/dir/\nProject = " + (f.dir / "gone.pbm") +
                 "\n[Other]\nKeep = me\n[Default]\nParend = 0\nMultilang = 1\n");
  f.Run({});
  EXPECT_EQ(f.state.ProjectFile, U"project.pbm");
  EXPECT_EQ(f.state.LastPath, U"/last/dir/");
  EXPECT_EQ(f.state.switches.SwitchParend, 0);
  EXPECT_EQ(f.state.switches.SwitchMultilang, 1);
  EXPECT_EQ(f.state.switches.SwitchUtf8, 1);
  const std::string settings = ReadBytes(f.app.SettingsFile);
  EXPECT_NE(settings.find("Project = project.pbm\n[Other]\nKeep = me\n[Default]\n"),
            std::string::npos);
}

TEST(StartUpTest, MainWindowThatCannotOpenEndsAtOnce) {
  AppFixture f;
  f.tk.FailNextOpenWindow();
  f.Run({});
  EXPECT_NE(f.exit_status, 0);
  EXPECT_FALSE(Exists(f.app.UserListFile));
  EXPECT_FALSE(Exists(f.app.SettingsFile));
}

TEST(StartUpTest, MissingMenuLeavesTheRestOfTheWindow) {
  AppFixture f;
  f.tk.FailNextMenu();
  f.Run({});
  EXPECT_EQ(f.tk.MenuOfWindow(kWindowMain), -1);
  EXPECT_EQ(f.tk.ToolBarEntries(kMainToolBar).size(), 10u);
  EXPECT_TRUE(f.tk.IsGadget(kGadgetLog));
  EXPECT_EQ(f.Status(), U"project.pbm");
}

// --- The main window.

TEST(MainWindowTest, WindowMenuToolbarAndLayout) {
  AppFixture f;
  f.Run({});
  HeadlessToolkit& tk = f.tk;
  EXPECT_EQ(tk.GetWindowTitle(kWindowMain), U"Corvane Sartel Version v5.20");
  EXPECT_EQ(tk.WindowGeometry(kWindowMain), (Rect{560, 240, 800, 600}));
  EXPECT_EQ(tk.WindowFlags(kWindowMain), kWindowTitleBar | kWindowCloseBox | kWindowMinimize |
                                             kWindowMaximize | kWindowResizable |
                                             kWindowScreenCentered);
  EXPECT_EQ(tk.GetGadgetText(kGadgetCommand), U"CMD");
  EXPECT_FALSE(tk.IsGadgetEnabled(kGadgetCommand));
  EXPECT_EQ(tk.GadgetGeometry(kGadgetCommand), Rect{});

  using K = MenuEntryKind;
  const std::vector<MenuEntry> menu = {
      {K::kTitle, -1, U"&File", kNoImage},
      {K::kItem, 0, U"Project &New\tCtrl-N", 0},
      {K::kSeparator, -1, U"", kNoImage},
      {K::kItem, 1, U"Project &Load\tCtrl-L", 1},
      {K::kItem, 2, U"Project &Save\tCtrl-S", 2},
      {K::kItem, 3, U"Project Save &As", 3},
      {K::kSeparator, -1, U"", kNoImage},
      {K::kSubMenu, -1, U"&Preferences", 9},
      {K::kItem, 4, U"User&Gadget", 9},
      {K::kEndSubMenu, -1, U"", kNoImage},
      {K::kSeparator, -1, U"", kNoImage},
      {K::kItem, 5, U"E&xit", 8},
      {K::kTitle, -1, U"&Action", kNoImage},
      {K::kItem, 6, U"Common &Add", 4},
      {K::kSeparator, -1, U"", kNoImage},
      {K::kItem, 7, U"Common &Delete", 5},
      {K::kItem, 8, U"Common &First File", 6},
      {K::kSeparator, -1, U"", kNoImage},
      {K::kItem, 9, U"&Start Generate", 7},
      {K::kTitle, -1, U"&?", kNoImage},
      {K::kItem, 10, U"&Info", 10},
      {K::kItem, 11, U"&Licence", 11},
  };
  ASSERT_EQ(tk.MenuOfWindow(kWindowMain), kMainMenu);
  EXPECT_EQ(tk.MenuEntries(kMainMenu), menu);
  EXPECT_EQ(tk.ApplicationMenuItems(), (std::vector<MenuEntry>{{K::kItem, kMenuAbout, U""},
                                                               {K::kItem, kMenuPreferences, U""}}));

  const std::vector<ToolBarEntry> toolbar = {
      {true, -1, kNoImage, U""},           {false, 0, 0, U"Project New"},
      {false, 1, 1, U"Project Load"},      {false, 2, 2, U"Project Save"},
      {true, -1, kNoImage, U""},           {false, 6, 4, U"Add Commonfile"},
      {false, 7, 5, U"Remove Commonfile"}, {false, 8, 6, U"Selected Commonfile as first"},
      {true, -1, kNoImage, U""},           {false, 9, 7, U"Generate"},
  };
  EXPECT_EQ(tk.ToolBarEntries(kMainToolBar), toolbar);
  EXPECT_EQ(tk.Shortcuts(kWindowMain),
            (std::map<int, int>{{kControl | 'N', 0}, {kControl | 'L', 1}, {kControl | 'S', 2}}));
  EXPECT_EQ(tk.StatusBarFields(kMainStatusBar), std::vector<int>{kFieldFullWidth});

  const int splitter = MainSplitter(f.app);
  EXPECT_GE(splitter, kFirstChosenNumber);
  EXPECT_EQ(tk.SplitterChildren(splitter), std::make_pair(kGadgetCommonFiles, kGadgetLog));
  EXPECT_EQ(tk.GetSplitterPosition(splitter), 100);
  EXPECT_EQ(tk.GadgetGeometry(splitter), (Rect{0, 0, 800, 600 - 24 - 28 - 24}));
}

TEST(MainWindowTest, ResizeLaysTheSplitterOutAndKeepsTheDivider) {
  AppFixture f;
  f.tk.SetBarHeights(0, 0, 24);  // macOS: menu bar and toolbar outside the inner area
  f.Run({Do([&] { f.tk.ResizeWindowByUser(kWindowMain, 1000, 700); })});
  const int splitter = MainSplitter(f.app);
  EXPECT_EQ(f.tk.GadgetGeometry(splitter), (Rect{0, 0, 1000, 676}));
  EXPECT_EQ(f.tk.GetSplitterPosition(splitter), 100);
}

TEST(MainWindowTest, AddLogLineLeavesNoLineSelected) {
  AppFixture f;
  f.Run({Do([&] {
    for (const char32_t* line : {U"one", U"", U"three"}) AddLogLine(f.app, Text(line));
  })});
  EXPECT_EQ(f.Items(kGadgetLog), (std::vector<Text>{U"one", U"", U"three"}));
  EXPECT_EQ(f.tk.GetListSelected(kGadgetLog), -1);
}

// --- Dispatch.

TEST(DispatchTest, NumbersOutsideTheTablesAreIgnored) {
  AppFixture f;
  f.Run({Do([&] {
    for (int item : {-3, -2, -1, 12, kFirstChosenNumber}) MyEventMenu(f.app, item);
    for (int gadget : {-1, 25, MainSplitter(f.app)}) MyEventGadget(f.app, gadget, 0);
    for (int window : {-1, 1, 2, 3, 4}) MyEventSize(f.app, window);
    for (int window : {-1, 4, kFirstChosenNumber}) MyEventExit(f.app, window);
  })});
  EXPECT_EQ(f.tk.OpenWindows(), std::vector<int>{kWindowMain});
  EXPECT_TRUE(f.tk.Messages().empty());
  EXPECT_TRUE(f.tk.Requesters().empty());
  EXPECT_EQ(f.tk.QueuedEvents(), 0);  // a direct call posts nothing; only the loop maps -3..-1
}

// The dialog lists bind and release on a double click only; the buttons on a click.
TEST(DispatchTest, ReplaceDialogListsActOnDoubleClickButtonsOnClick) {
  AppFixture f;
  f.Run({Do([&] {
    f.model.ListVanishedConst = {U"A", U"B"};
    f.model.ListAddedConst = {U"C", U"D"};
    OpenReplaceDialog(f.app, 6);
    f.tk.SelectListItem(kGadgetOldList, 0);
    f.tk.SelectListItem(kGadgetNewList, 1);
    MyEventGadget(f.app, kGadgetOldList, kEventTypeLeftClick);
    MyEventGadget(f.app, kGadgetNewList, kEventTypeLeftClick);
    MyEventGadget(f.app, kGadgetBind, kEventTypeLeftDoubleClick);
    EXPECT_TRUE(f.Items(kGadgetTodoList).empty());
    MyEventGadget(f.app, kGadgetNewList, kEventTypeLeftDoubleClick);
    EXPECT_EQ(f.Items(kGadgetTodoList), std::vector<Text>{U"A > D"});
    f.tk.SelectListItem(kGadgetTodoList, 0);
    MyEventGadget(f.app, kGadgetTodoList, kEventTypeLeftClick);
    EXPECT_EQ(f.Items(kGadgetTodoList).size(), 1u);
    MyEventGadget(f.app, kGadgetRelease, kEventTypeLeftClick);
    EXPECT_TRUE(f.Items(kGadgetTodoList).empty());
    CloseReplaceDialog(f.app);
  })});
}

TEST(DispatchTest, ApplicationMenuEntriesActLikeTheirItems) {
  {
    AppFixture f;  // About: the Info box
    f.Run({Do([&] { f.tk.ChooseApplicationMenuItem(kMenuAbout); })});
    ASSERT_EQ(f.tk.Messages().size(), 1u);
    EXPECT_EQ(f.tk.Messages()[0].text, f.app.InfoText);
  }
  {
    AppFixture f;  // Preferences: the user gadget window
    f.Run({Do([&] { f.tk.ChooseApplicationMenuItem(kMenuPreferences); })});
    EXPECT_TRUE(f.tk.IsWindow(kWindowUserGadget));
  }
  {
    AppFixture f;  // Quit: the quit request
    const size_t steps = f.Run({Do([&] { f.tk.ChooseApplicationMenuItem(kMenuQuit); }),
                                Do([] { ADD_FAILURE() << "still running after Quit"; })});
    EXPECT_EQ(steps, 1u);
    EXPECT_EQ(f.app.ExitApplication, 1);
  }
}

TEST(DispatchTest, ControlSOnAnUnsavedProjectOpensSaveAs) {
  AppFixture f;
  f.Run({Do([&] { f.tk.PressShortcut(kWindowMain, kControl | 'S'); })});
  ASSERT_EQ(f.tk.Requesters().size(), 1u);
  EXPECT_EQ(f.tk.Requesters()[0].title, U"Save project");
}

// --- Quitting.

struct QuitCase {
  const char* name;
  bool modified;
  bool named;
  std::vector<MessageResult> answers;
  bool quits;
  bool written;
};

class QuitTest : public ::testing::TestWithParam<QuitCase> {};

TEST_P(QuitTest, CloseBoxAsksOnlyForAModifiedProject) {
  const QuitCase& c = GetParam();
  AppFixture f;
  const std::string project = f.dir / "app.pbm";
  if (c.named) WriteBytes(project, Project("/src/Form.pb\n"));
  if (c.named) f.app.arguments = {project};
  const std::string before = ReadBytes(project);
  const size_t steps = f.Run({Do([&] {
                                if (!c.named) f.tk.AppendListItem(kGadgetCommonFiles, U"/a.pb");
                                if (c.modified) f.state.ProjectSaved = 0;
                                if (c.modified) f.state.switches.SwitchMultilang = 1;
                                for (MessageResult answer : c.answers) {
                                  f.tk.QueueMessageAnswer(answer);
                                }
                                f.tk.ClickCloseBox(kWindowMain);
                              }),
                              Do([] {})});
  EXPECT_EQ(steps, c.quits ? 1u : 2u);
  EXPECT_EQ(f.tk.Messages().size(), c.modified ? 1u : 0u);
  EXPECT_EQ(ReadBytes(project) != before, c.written);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, QuitTest,
    ::testing::Values(
        QuitCase{"Unchanged", false, true, {}, true, false},
        QuitCase{"ModifiedNo", true, true, {MessageResult::kNo}, true, false},
        QuitCase{"ModifiedYes", true, true, {MessageResult::kYes}, true, true},
        // Yes on an unnamed project opens save-as; cancelling it keeps running.
        QuitCase{"UnnamedSaveAsCancelled", true, false, {MessageResult::kYes}, false, false}),
    [](const auto& info) { return std::string(info.param.name); });

// --- The request channel, GUI side: each request sent as the worker sends it.

class ChannelTest : public ::testing::Test {
 protected:
  ChannelTest() {
    OpenMainWindow(f.app);
    f.tk.AddStatusBarField(kFieldFullWidth);
    f.tk.SetWaitTimeout(5s);
  }

  // Sends the request from another thread and handles one event on this one. The result, or -1
  // when no reply came.
  int64_t Send(int type, intptr_t param) {
    auto reply =
        std::async(std::launch::async, [&] { return f.app.channel.SendGuiRequest(type, param); });
    DispatchEvent(f.app, f.tk.WaitEvent());
    if (reply.wait_for(5s) != std::future_status::ready) return -1;
    return reply.get();
  }

  AppFixture f;
};

TEST_F(ChannelTest, ImmediateRequestsAreDoneAndAnswered) {
  const Text line = U"- Load Files...";
  EXPECT_EQ(Send(RequestLog, reinterpret_cast<intptr_t>(&line)), 0);
  EXPECT_EQ(f.Items(kGadgetLog), std::vector<Text>{line});
  EXPECT_EQ(f.tk.GetListSelected(kGadgetLog), -1);

  f.tk.AppendListItem(kGadgetCommonFiles, U"/src/Form.pb");
  std::vector<Text> files;
  EXPECT_EQ(Send(RequestReadCommonFiles, reinterpret_cast<intptr_t>(&files)), 0);
  EXPECT_EQ(files, std::vector<Text>{U"/src/Form.pb"});

  WriteProjectRequest write{FromUtf8(f.dir / "run.pbm"), kWriteCurrentLists};
  f.model.ListWindowID = {U"Window_0"};
  EXPECT_EQ(Send(RequestWriteProject, reinterpret_cast<intptr_t>(&write)), 1);
  EXPECT_NE(ReadBytes(f.dir / "run.pbm").find("[WINDOW]\nWindow_0\n"), std::string::npos);

  f.tk.QueueSaveAnswer(FromUtf8(f.dir / "saved"));
  EXPECT_EQ(Send(RequestSaveProjectAs, 0), 1);
  EXPECT_EQ(f.state.ProjectFile, FromUtf8(f.dir / "saved.pbm"));
  EXPECT_EQ(Send(RequestSaveProjectAs, 0), 0);  // cancelled

  OpenStartDialog(f.app);
  EXPECT_FALSE(f.tk.IsWindowEnabled(kWindowMain));
  EXPECT_EQ(Send(RequestCloseStart, 0), 0);
  EXPECT_FALSE(f.tk.IsWindow(kWindowStart));
  EXPECT_TRUE(f.tk.IsWindowEnabled(kWindowMain));

  f.tk.DisableWindow(kWindowMain, true);
  EXPECT_EQ(Send(RequestEnableMain, 0), 0);
  EXPECT_TRUE(f.tk.IsWindowEnabled(kWindowMain));

  f.app.run_active = true;
  EXPECT_EQ(Send(RequestRunEnded, 0), 0);
  EXPECT_FALSE(f.app.run_active);
  EXPECT_TRUE(f.app.pending_answered);
}

TEST_F(ChannelTest, OpenReplaceWaitsForTheDialog) {
  f.model.ListVanishedConst = {U"Window_Old"};
  f.model.ListAddedConst = {U"Window_0"};
  auto reply = std::async(std::launch::async,
                          [&] { return f.app.channel.SendGuiRequest(RequestOpenReplace, 1); });
  DispatchEvent(f.app, f.tk.WaitEvent());
  EXPECT_EQ(reply.wait_for(50ms), std::future_status::timeout);
  EXPECT_TRUE(f.tk.IsWindow(kWindowReplace));
  EXPECT_FALSE(f.app.pending_answered);
  EXPECT_NE(f.app.PendingRequest, nullptr);
  CancelReplace(f.app);
  ASSERT_EQ(reply.wait_for(5s), std::future_status::ready);
  EXPECT_EQ(reply.get(), kReplaceCancel);
  EXPECT_EQ(Send(RequestCloseReplace, 0), 0);
  EXPECT_FALSE(f.tk.IsWindow(kWindowReplace));
  EXPECT_TRUE(f.tk.IsWindowEnabled(kWindowMain));
}

TEST_F(ChannelTest, StrayCommandEventsAreIgnored) {
  GuiRequest request;
  const Text line = U"never shown";
  request.Param = reinterpret_cast<intptr_t>(&line);
  for (int type : {kEventTypeLeftClick, 0x400, 0x40B}) {
    f.app.event_data = reinterpret_cast<intptr_t>(&request);
    EventGadget_Cmd(f.app, type);
  }
  f.app.event_data = 0;  // a request type without its record
  EventGadget_Cmd(f.app, RequestLog);
  EXPECT_TRUE(f.Items(kGadgetLog).empty());
  EXPECT_EQ(f.app.PendingRequest, nullptr);
  EXPECT_EQ(request.Result, 0);
}

// --- Whole runs on the real loop, with the worker thread.

class RunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string input = std::string(CORVANE_FIXTURES) + "/runs/first_run/input/";
    std::filesystem::copy_file(input + "Form.pb", f.dir / "Form.pb");
    f.app.arguments = {f.dir / "project.pbm"};
  }
  void UseProject(const std::string& windows) {
    WriteBytes(f.dir / "project.pbm", Project("Form.pb\n", windows));
  }

  bool RunFinished() {
    const std::vector<Text> log = f.Items(kGadgetLog);
    return !f.app.run_active && log.size() >= 2 && log.back().empty();
  }
  Step StartRun() {
    return Do([&] { ASSERT_TRUE(f.tk.ChooseMenuItem(kWindowMain, kMenuStartGenerate)); });
  }
  Step ClickStart() {
    return Do([&] {
      ASSERT_TRUE(f.tk.IsWindow(kWindowStart));
      ASSERT_TRUE(f.tk.ClickGadget(kGadgetStart));
    });
  }
  Step WaitForEnd() {
    return [&] { return RunFinished(); };
  }

  AppFixture f;
};

TEST_F(RunTest, StartGenerateRunsToReady) {
  UseProject("");
  f.Run({StartRun(), ClickStart(), WaitForEnd()});
  const std::vector<Text> log = f.Items(kGadgetLog);
  ASSERT_GE(log.size(), 3u);
  EXPECT_EQ(log.front(), U"Generate Code Step 1 ...");
  EXPECT_EQ(log[log.size() - 2], U"Ready.");
  EXPECT_EQ(f.tk.GetListSelected(kGadgetLog), -1);
  EXPECT_FALSE(f.tk.IsWindow(kWindowStart));
  EXPECT_TRUE(f.tk.IsWindowEnabled(kWindowMain));
  EXPECT_FALSE(f.app.run_active);
  EXPECT_TRUE(Exists(f.dir / "CommonFile.pb"));
  EXPECT_TRUE(Exists(f.dir / "EventGadget.pb"));
  EXPECT_NE(ReadBytes(f.dir / "project.pbm").find("[WINDOW]\nWindow_0\n"), std::string::npos);
  EXPECT_EQ(f.exit_status, 0);
}

TEST_F(RunTest, RunBlocksQuittingUntilItEnds) {
  // The old window name has vanished: the run waits in the search-and-replace dialog.
  UseProject("Window_Old\n");
  size_t info_before = 0;
  const size_t steps = f.Run({
      StartRun(),
      ClickStart(),
      [&] { return f.tk.IsWindow(kWindowReplace); },
      Do([&] {
        info_before = f.tk.Messages().size();
        // The main window is disabled; the application menu's Quit still arrives.
        EXPECT_TRUE(f.tk.ChooseApplicationMenuItem(kMenuQuit));
      }),
      Do([&] {
        EXPECT_EQ(f.app.ExitApplication, 0);
        ASSERT_EQ(f.tk.Messages().size(), info_before + 1);
        EXPECT_EQ(f.tk.Messages().back().title, U"Info");
        EXPECT_TRUE(f.app.run_active);
        f.tk.ClickCloseBox(kWindowReplace);  // cancels the run
      }),
      WaitForEnd(),
      Do([&] {
        EXPECT_EQ(f.Items(kGadgetLog).end()[-2], U"Cancel.");
        f.tk.ClickCloseBox(kWindowMain);  // given back: quits now
      }),
      Do([] { ADD_FAILURE() << "still running after the run ended"; }),
  });
  EXPECT_EQ(steps, 7u);
  EXPECT_EQ(f.app.ExitApplication, 1);
}

TEST_F(RunTest, CommandsAreRefusedDuringARun) {
  UseProject("");
  f.Run({Do([&] {
    f.app.run_active = true;
    for (int item : {0, 1, 2, 3, 5, 6, 7, 8, 9}) MyEventMenu(f.app, item);
    MyEventExit(f.app, kWindowMain);
    StartGenerationRun(f.app);
    EXPECT_EQ(f.app.ExitApplication, 0);
    f.app.run_active = false;
  })});
  EXPECT_EQ(f.tk.Messages().size(), 11u);
  for (const MessageRecord& message : f.tk.Messages()) EXPECT_EQ(message.title, U"Info");
  EXPECT_TRUE(f.tk.Requesters().empty());
  EXPECT_EQ(f.tk.OpenWindows(), std::vector<int>{kWindowMain});
  EXPECT_EQ(f.Items(kGadgetCommonFiles), std::vector<Text>{U"Form.pb"});
  EXPECT_EQ(f.state.ProjectFile, FromUtf8(f.dir / "project.pbm"));
}

}  // namespace
}  // namespace corvane
