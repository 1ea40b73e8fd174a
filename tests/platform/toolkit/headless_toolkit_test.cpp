#include "platform/toolkit/headless/headless_toolkit.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace corvane {
namespace {

constexpr int kMainFlags = kWindowTitleBar | kWindowCloseBox | kWindowScreenCentered;

class HeadlessToolkitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(tk.OpenWindow(0, 0, 0, 800, 600, U"Main", kMainFlags | kWindowResizable), 0);
    ASSERT_EQ(tk.ListViewGadget(1, 0, 0, 0, 800, 280), 1);
  }
  std::vector<Text> Items() { return tk.GetListItems(1); }

  HeadlessToolkit tk;
};

TEST_F(HeadlessToolkitTest, ListViewEditsKeepTheSelectionOnItsItem) {
  for (const char32_t* text : {U"a", U"b", U"c"}) tk.AppendListItem(1, text);
  tk.SelectListItem(1, 1);
  tk.InsertListItem(1, 0, U"first");  // before the selection: it moves along
  EXPECT_EQ(tk.GetListSelected(1), 2);
  tk.InsertListItem(1, 3, U"after");  // after it: unchanged
  tk.InsertListItem(1, 99, U"end");   // out of range appends
  tk.InsertListItem(1, -5, U"end2");
  EXPECT_EQ(Items(), (std::vector<Text>{U"first", U"a", U"b", U"after", U"c", U"end", U"end2"}));
  EXPECT_EQ(tk.GetListSelected(1), 2);
  tk.RemoveListItem(1, 0);  // before the selection
  EXPECT_EQ(tk.GetListSelected(1), 1);
  EXPECT_EQ(tk.GetListItemText(1, 1), U"b");
  tk.RemoveListItem(1, 1);  // the selected item itself
  EXPECT_EQ(tk.GetListSelected(1), -1);
  tk.SetListItemText(1, 0, U"A");
  EXPECT_EQ(Items(), (std::vector<Text>{U"A", U"after", U"c", U"end", U"end2"}));
  EXPECT_EQ(tk.CountListItems(1), 5);
  tk.SelectListItem(1, 4);
  tk.ClearList(1);
  EXPECT_EQ(tk.CountListItems(1), 0);
  EXPECT_EQ(tk.GetListSelected(1), -1);
}

TEST_F(HeadlessToolkitTest, ListViewOutOfRangeDoesNothing) {
  tk.AppendListItem(1, U"only");
  tk.SelectListItem(1, 0);
  tk.RemoveListItem(1, 1);
  tk.RemoveListItem(1, -1);
  tk.SetListItemText(1, 5, U"x");
  EXPECT_EQ(tk.GetListItemText(1, 7), U"");
  EXPECT_EQ(Items(), std::vector<Text>{U"only"});
  EXPECT_EQ(tk.GetListSelected(1), 0);
  tk.SelectListItem(1, 3);  // an item that does not exist clears the selection
  EXPECT_EQ(tk.GetListSelected(1), -1);
  // A list call on a gadget of another kind, or on no gadget, is ignored.
  tk.ButtonGadget(5, 0, 0, 0, 10, 10, U"B");
  tk.AppendListItem(5, U"x");
  tk.AppendListItem(77, U"x");
  EXPECT_EQ(tk.CountListItems(5), 0);
  EXPECT_EQ(tk.GetListSelected(77), -1);
}

TEST_F(HeadlessToolkitTest, ChosenNumbersNeverCollideWithFixedOnes) {
  const int window = tk.OpenWindow(kAnyNumber, 0, 0, 600, 480, U"Licence", kMainFlags);
  const int list = tk.ListViewGadget(kAnyNumber, window, 0, 0, 600, 480);
  EXPECT_GE(window, kFirstChosenNumber);
  EXPECT_GE(list, kFirstChosenNumber);
  // A fixed number placed where the next chosen one would go is skipped over.
  tk.ButtonGadget(list + 1, 0, 0, 0, 1, 1, U"fixed");
  const int next = tk.ButtonGadget(kAnyNumber, 0, 0, 0, 1, 1, U"chosen");
  EXPECT_NE(next, list);
  EXPECT_NE(next, list + 1);
  EXPECT_EQ(tk.GetGadgetText(list + 1), U"fixed");
  EXPECT_EQ(tk.KindOfGadget(list), GadgetKind::kListView);
  EXPECT_EQ(tk.GadgetWindow(list), window);
  // Closing the window takes its gadgets with it.
  tk.CloseWindow(window);
  EXPECT_FALSE(tk.IsWindow(window));
  EXPECT_FALSE(tk.IsGadget(list));
  EXPECT_TRUE(tk.IsGadget(1));
}

TEST_F(HeadlessToolkitTest, WindowsOpenCentredReplaceAndFail) {
  EXPECT_EQ(tk.WindowGeometry(0), (Rect{560, 240, 800, 600}));
  EXPECT_EQ(tk.OpenWindow(1, 5, 6, 600, 200, U"Start Generate", kWindowTitleBar, 0), 1);
  EXPECT_EQ(tk.WindowGeometry(1), (Rect{5, 6, 600, 200}));
  EXPECT_EQ(tk.WindowParent(1), 0);
  tk.CheckBoxGadget(3, 1, 10, 10, 210, 20, U"box");
  // Opening a number that is open replaces the window and its gadgets.
  EXPECT_EQ(tk.OpenWindow(1, 0, 0, 10, 10, U"Again", 0), 1);
  EXPECT_EQ(tk.GetWindowTitle(1), U"Again");
  EXPECT_FALSE(tk.IsGadget(3));
  tk.SetWindowTitle(1, U"New title");
  EXPECT_EQ(tk.GetWindowTitle(1), U"New title");
  EXPECT_EQ(tk.OpenWindows(), (std::vector<int>{0, 1}));
  tk.FailNextOpenWindow();
  EXPECT_EQ(tk.OpenWindow(2, 0, 0, 10, 10, U"x", 0), kNoObject);
  EXPECT_EQ(tk.OpenWindow(2, 0, 0, 10, 10, U"x", 0), 2);  // fails once only
  EXPECT_EQ(tk.ButtonGadget(9, 42, 0, 0, 1, 1, U"no window"), kNoObject);
}

TEST_F(HeadlessToolkitTest, DisabledWindowsAndGadgetsIgnoreInput) {
  tk.ButtonGadget(0, 0, 0, 0, 0, 0, U"CMD");
  tk.DisableGadget(0, true);
  EXPECT_FALSE(tk.IsGadgetEnabled(0));
  EXPECT_FALSE(tk.ClickGadget(0));
  ASSERT_TRUE(tk.CreateImageMenu(0, 0));
  tk.MenuTitle(U"&File");
  tk.MenuItem(5, U"E&xit");
  tk.AddKeyboardShortcut(0, kShortcutControl | 'N', 0);
  tk.AppendListItem(1, U"item");

  tk.DisableWindow(0, true);
  EXPECT_FALSE(tk.IsWindowEnabled(0));
  EXPECT_FALSE(tk.ChooseMenuItem(0, 5));
  EXPECT_FALSE(tk.PressShortcut(0, kShortcutControl | 'N'));
  EXPECT_FALSE(tk.DoubleClickListItem(1, 0));
  EXPECT_FALSE(tk.ClickCloseBox(0));
  EXPECT_EQ(tk.GetListSelected(1), -1);  // a refused click selects nothing
  EXPECT_EQ(tk.QueuedEvents(), 0);

  tk.DisableWindow(0, false);
  EXPECT_TRUE(tk.ClickCloseBox(0));
  EXPECT_FALSE(tk.ChooseMenuItem(0, 6));  // no such item
  EXPECT_FALSE(tk.ClickCloseBox(99));
  EXPECT_FALSE(tk.IsWindowEnabled(99));
  EXPECT_EQ(tk.QueuedEvents(), 1);
}

struct InputCase {
  const char* name;
  bool (*inject)(HeadlessToolkit&);
  Event expected;
};

TEST_F(HeadlessToolkitTest, InjectedInputArrivesAsEvents) {
  ASSERT_TRUE(tk.CreateImageMenu(0, 0));
  tk.MenuTitle(U"&File");
  tk.MenuItem(1, U"Project &Load\tCtrl-L", 1);
  tk.MenuItem(kMenuAbout, U"");
  ASSERT_TRUE(tk.CreateToolBar(0, 0));
  tk.ToolBarImageButton(9, 7);
  tk.AddKeyboardShortcut(0, kShortcutControl | 'L', 1);
  tk.CheckBoxGadget(3, 0, 0, 0, 10, 10, U"box");
  tk.AppendListItem(1, U"x");
  tk.AppendListItem(1, U"y");

  const InputCase cases[] = {
      {"menu",
       [](HeadlessToolkit& t) { return t.ChooseMenuItem(0, 1); },
       {EventKind::kMenu, 0, 1, 0, 0}},
      {"shortcut",
       [](HeadlessToolkit& t) { return t.PressShortcut(0, kShortcutControl | 'L'); },
       {EventKind::kMenu, 0, 1, 0, 0}},
      {"toolbar",
       [](HeadlessToolkit& t) { return t.ClickToolBarButton(0, 9); },
       {EventKind::kMenu, 0, 9, 0, 0}},
      {"about",
       [](HeadlessToolkit& t) { return t.ChooseApplicationMenuItem(kMenuAbout); },
       {EventKind::kMenu, 0, kMenuAbout, 0, 0}},
      {"quit",
       [](HeadlessToolkit& t) { return t.ChooseApplicationMenuItem(kMenuQuit); },
       {EventKind::kMenu, 0, kMenuQuit, 0, 0}},
      {"check box",
       [](HeadlessToolkit& t) { return t.ClickGadget(3); },
       {EventKind::kGadget, 0, 3, kEventTypeLeftClick, 0}},
      {"double click",
       [](HeadlessToolkit& t) { return t.DoubleClickListItem(1, 1); },
       {EventKind::kGadget, 0, 1, kEventTypeLeftDoubleClick, 0}},
      {"close box",
       [](HeadlessToolkit& t) { return t.ClickCloseBox(0); },
       {EventKind::kCloseWindow, 0, -1, 0, 0}},
      {"resize",
       [](HeadlessToolkit& t) { return t.ResizeWindowByUser(0, 1000, 700); },
       {EventKind::kSizeWindow, 0, -1, 0, 0}},
  };
  for (const InputCase& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(c.inject(tk));
    Event event;
    ASSERT_TRUE(tk.PollEvent(event));
    EXPECT_EQ(event.kind, c.expected.kind);
    EXPECT_EQ(event.window, c.expected.window);
    EXPECT_EQ(event.object, c.expected.object);
    EXPECT_EQ(event.type, c.expected.type);
    EXPECT_FALSE(tk.PollEvent(event));
  }
  EXPECT_EQ(tk.GetCheckBoxState(3), 1);  // the click toggled it
  EXPECT_EQ(tk.GetListSelected(1), 1);   // the double click selected first
  EXPECT_EQ(tk.WindowInnerWidth(0), 1000);
  EXPECT_EQ(tk.WindowInnerHeight(0), 700);
  EXPECT_FALSE(tk.ChooseApplicationMenuItem(kMenuPreferences));  // never added
}

TEST_F(HeadlessToolkitTest, MenuToolbarAndStatusBarReadBack) {
  ASSERT_TRUE(tk.CreateImageMenu(0, 0));
  tk.MenuTitle(U"&File");
  tk.MenuItem(0, U"Project &New\tCtrl-N", 0);
  tk.MenuBar();
  tk.OpenSubMenu(U"&Preferences", 9);
  tk.MenuItem(4, U"User&Gadget", 9);
  tk.CloseSubMenu();
  tk.MenuItem(kMenuPreferences, U"");
  const std::vector<MenuEntry> expected = {
      {MenuEntryKind::kTitle, -1, U"&File", kNoImage},
      {MenuEntryKind::kItem, 0, U"Project &New\tCtrl-N", 0},
      {MenuEntryKind::kSeparator, -1, U"", kNoImage},
      {MenuEntryKind::kSubMenu, -1, U"&Preferences", 9},
      {MenuEntryKind::kItem, 4, U"User&Gadget", 9},
      {MenuEntryKind::kEndSubMenu, -1, U"", kNoImage},
  };
  EXPECT_EQ(tk.MenuEntries(0), expected);
  EXPECT_EQ(tk.ApplicationMenuItems(),
            (std::vector<MenuEntry>{{MenuEntryKind::kItem, kMenuPreferences, U"", kNoImage}}));

  ASSERT_TRUE(tk.CreateToolBar(0, 0));
  tk.ToolBarSeparator();
  tk.ToolBarImageButton(0, 0);
  tk.ToolBarToolTip(0, 0, U"Project New");
  EXPECT_EQ(tk.ToolBarEntries(0),
            (std::vector<ToolBarEntry>{{true, -1, kNoImage, U""}, {false, 0, 0, U"Project New"}}));

  ASSERT_TRUE(tk.CreateStatusBar(0, 0));
  tk.AddStatusBarField(kFieldFullWidth);
  tk.StatusBarText(0, 0, U"project.pbm");
  tk.StatusBarText(0, 3, U"no such field");
  EXPECT_EQ(tk.GetStatusBarText(0, 0), U"project.pbm");
  EXPECT_EQ(tk.GetStatusBarText(0, 3), U"");
  EXPECT_EQ(tk.StatusBarFields(0), std::vector<int>{kFieldFullWidth});

  tk.SetBarHeights(0, 0, 24);  // the macOS layout
  EXPECT_EQ(tk.MenuBarHeight(0) + tk.ToolBarHeight(0) + tk.StatusBarHeight(0), 24);
  EXPECT_EQ(tk.ToolBarHeight(5), 0);

  tk.FailNextMenu();
  EXPECT_FALSE(tk.CreateImageMenu(1, 0));
}

TEST_F(HeadlessToolkitTest, SplitterLaysOutItsChildrenAndKeepsItsDivider) {
  ASSERT_EQ(tk.ListViewGadget(2, 0, 0, 280, 800, 280), 2);
  const int splitter = tk.SplitterGadget(kAnyNumber, 0, 0, 0, 800, 600, 1, 2, kSplitterSeparator);
  ASSERT_NE(splitter, kNoObject);
  EXPECT_EQ(tk.SplitterChildren(splitter), (std::pair<int, int>{1, 2}));
  tk.SetSplitterPosition(splitter, 100);
  EXPECT_EQ(tk.GetSplitterPosition(splitter), 100);
  EXPECT_EQ(tk.GadgetGeometry(1), (Rect{0, 0, 800, 100}));
  EXPECT_EQ(tk.GadgetGeometry(2), (Rect{0, 100, 800, 500}));
  // Enlarging keeps the upper part's height and gives the rest to the lower one.
  tk.ResizeGadget(splitter, 0, 0, 1000, 700);
  EXPECT_EQ(tk.GadgetGeometry(1), (Rect{0, 0, 1000, 100}));
  EXPECT_EQ(tk.GadgetGeometry(2), (Rect{0, 100, 1000, 600}));
  // The divider never leaves the splitter.
  tk.SetSplitterPosition(splitter, 5000);
  EXPECT_EQ(tk.GetSplitterPosition(splitter), 700);
  tk.ResizeGadget(splitter, 0, 0, 1000, 50);
  EXPECT_EQ(tk.GetSplitterPosition(splitter), 50);
  EXPECT_EQ(tk.GadgetGeometry(2), (Rect{0, 50, 1000, 0}));
  tk.SetSplitterPosition(splitter, -3);
  EXPECT_EQ(tk.GetSplitterPosition(splitter), 0);
}

TEST_F(HeadlessToolkitTest, RequestersTakeQueuedAnswersElseCountAsCancelled) {
  tk.QueueMessageAnswer(MessageResult::kYes);
  tk.QueueInputAnswer(U"MyGadget");
  tk.QueueOpenAnswer({U"/p/a.pb", U"/p/b.pb"});
  tk.QueueOpenAnswer({U"/p/x.pbm", U"/p/y.pbm"});
  tk.QueueSaveAnswer(U"/p/new.pbm");
  EXPECT_EQ(tk.PendingAnswers(), 5);

  EXPECT_EQ(tk.MessageRequester(U"Frage", U"Q1", MessageButtons::kYesNo), MessageResult::kYes);
  EXPECT_EQ(tk.InputRequester(U"Add Gadget", U"", U""), U"MyGadget");
  EXPECT_EQ(tk.OpenFileRequester(U"Commonfile", U"/p/", U"Common|*.pb*", true),
            (std::vector<Text>{U"/p/a.pb", U"/p/b.pb"}));
  // A single-file requester returns one path even when more were queued.
  EXPECT_EQ(tk.OpenFileRequester(U"Load project", U"/p/", U"Project (*.pbm)|*.pbm", false),
            std::vector<Text>{U"/p/x.pbm"});
  EXPECT_EQ(tk.SaveFileRequester(U"Save project", U"/p/a.pbm", U"P|*.pbm"), U"/p/new.pbm");
  EXPECT_EQ(tk.PendingAnswers(), 0);

  // Nothing queued: message boxes are dismissed, the others cancelled.
  EXPECT_EQ(tk.MessageRequester(U"Info", U"I", MessageButtons::kOk), MessageResult::kOk);
  EXPECT_EQ(tk.MessageRequester(U"Frage", U"Q2", MessageButtons::kYesNo), MessageResult::kNo);
  EXPECT_EQ(tk.MessageRequester(U"Info", U"Q3", MessageButtons::kYesNoCancel),
            MessageResult::kCancel);
  EXPECT_EQ(tk.InputRequester(U"Edit Gadget", U"", U"Old"), U"");
  EXPECT_TRUE(tk.OpenFileRequester(U"Commonfile", U"", U"", true).empty());
  EXPECT_EQ(tk.SaveFileRequester(U"Save project", U"", U""), U"");

  const std::vector<MessageRecord>& shown = tk.Messages();
  ASSERT_EQ(shown.size(), 4u);
  EXPECT_EQ(shown[0].title, U"Frage");
  EXPECT_EQ(shown[0].text, U"Q1");
  EXPECT_EQ(shown[0].buttons, MessageButtons::kYesNo);
  EXPECT_EQ(shown[0].result, MessageResult::kYes);
  EXPECT_EQ(shown[3].buttons, MessageButtons::kYesNoCancel);
  const std::vector<RequesterRecord>& asked = tk.Requesters();
  ASSERT_EQ(asked.size(), 7u);
  EXPECT_EQ(asked[1].kind, RequesterKind::kOpenFile);
  EXPECT_EQ(asked[1].pattern, U"Common|*.pb*");
  EXPECT_TRUE(asked[1].multiple);
  EXPECT_EQ(asked[4].kind, RequesterKind::kInput);
  EXPECT_EQ(asked[4].default_text, U"Old");
}

TEST_F(HeadlessToolkitTest, CheckBoxAndImages) {
  tk.CheckBoxGadget(3, 0, 0, 0, 10, 10, U"First Window as Parend Window");
  tk.SetCheckBoxState(3, 1);
  EXPECT_EQ(tk.GetCheckBoxState(3), 1);
  tk.SetCheckBoxState(3, 0);
  EXPECT_EQ(tk.GetCheckBoxState(3), 0);
  const std::vector<uint8_t> pixels(16 * 16 * 4, 0xff);
  EXPECT_EQ(tk.CreateImage(7, 16, 16, pixels), 7);
  EXPECT_TRUE(tk.IsImage(7));
  EXPECT_EQ(tk.CreateImage(8, 16, 15, pixels), kNoObject);  // data does not fit the size
  EXPECT_FALSE(tk.IsImage(8));
}

TEST_F(HeadlessToolkitTest, WaitEventRunsTheIdleHandlerAndNeverHangsByDefault) {
  EXPECT_EQ(tk.WaitEvent().kind, EventKind::kNone);
  int idle_calls = 0;
  tk.SetIdleHandler([&] {
    if (++idle_calls == 1) tk.ClickCloseBox(0);
  });
  EXPECT_EQ(tk.WaitEvent().kind, EventKind::kCloseWindow);
  EXPECT_EQ(tk.WaitEvent().kind, EventKind::kNone);
  EXPECT_EQ(idle_calls, 2);
}

TEST_F(HeadlessToolkitTest, PostEventFromAWorkerWakesABlockedWaitEvent) {
  tk.SetWaitTimeout(HeadlessToolkit::kWaitForever);
  constexpr int kRequests = 200;
  std::atomic<bool> started{false};
  std::thread worker([&] {
    started = true;
    for (int i = 0; i < kRequests; ++i) {
      tk.PostEvent({EventKind::kGadget, 0, 0, 0x404, static_cast<intptr_t>(i)});
      if (i % 50 == 0) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
  });
  // The loop blocks between posts and sees every request in order.
  for (int i = 0; i < kRequests; ++i) {
    const Event event = tk.WaitEvent();
    ASSERT_EQ(event.kind, EventKind::kGadget);
    EXPECT_EQ(event.type, 0x404);
    ASSERT_EQ(event.data, i);
  }
  worker.join();
  EXPECT_TRUE(started);
  EXPECT_EQ(tk.QueuedEvents(), 0);
}

TEST_F(HeadlessToolkitTest, WaitTimeoutReturnsNoneWhenNobodyPosts) {
  tk.SetWaitTimeout(std::chrono::milliseconds(20));
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(tk.WaitEvent().kind, EventKind::kNone);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(20));
}

}  // namespace
}  // namespace corvane
