// The start dialog, the user gadget window, the Info box and the licence window on the headless
// toolkit: clicks are injected, requesters answered from queues, state read back.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <vector>

#include "app/app.h"
#include "app/numbers.h"
#include "dialogs/info_licence.h"
#include "dialogs/start_dialog.h"
#include "dialogs/user_gadget_dialog.h"
#include "platform/toolkit/headless/headless_toolkit.h"
#include "rename/replace_dialog.h"
#include "test_util.h"

namespace corvane {
namespace {

using testing::Exists;
using testing::ReadBytes;
using testing::TempDir;

struct GadgetSpec {
  int number;
  GadgetKind kind;
  Rect geometry;
  const char* text;
};

class DialogsTest : public ::testing::Test {
 protected:
  DialogsTest() : app(tk, model, state) {
    tk.OpenWindow(kWindowMain, 0, 0, 800, 600, U"Main", kWindowTitleBar | kWindowCloseBox);
    tk.ButtonGadget(kGadgetCommand, kWindowMain, 0, 0, 0, 0, U"CMD");
    tk.DisableGadget(kGadgetCommand, true);
    tk.ListViewGadget(kGadgetLog, kWindowMain, 0, 30, 800, 500);
  }

  // Delivers the queued events to the dialogs' handlers, as the handler table does.
  void Pump() {
    Event event;
    while (tk.PollEvent(event)) {
      if (event.kind == EventKind::kCloseWindow) {
        if (event.window == kWindowStart) CloseStartWindow(app);
        if (event.window == kWindowUserGadget) CloseUserGadgetWindow(app);
      } else if (event.kind == EventKind::kGadget) {
        RouteGadget(event.object, event.type);
      }
    }
  }

  void RouteGadget(int gadget, int type) {
    if (gadget >= kGadgetFirstSwitch && gadget <= kGadgetLastSwitch)
      SwitchBoxClick(app, gadget, type);
    if (gadget == kGadgetStart) StartButtonClick(app, type);
    if (gadget == kGadgetUserList) UserGadgetEdit(app, type);
    if (gadget == kGadgetUserAdd) UserGadgetAdd(app, type);
    if (gadget == kGadgetUserDel) UserGadgetDelete(app, type);
    if (gadget == kGadgetUserOk) SaveUserGadgets(app, type);
  }

  void ExpectGadgets(const std::vector<GadgetSpec>& gadgets, int window) {
    for (const GadgetSpec& g : gadgets) {
      SCOPED_TRACE(g.number);
      ASSERT_TRUE(tk.IsGadget(g.number));
      EXPECT_EQ(tk.GadgetWindow(g.number), window);
      EXPECT_EQ(tk.KindOfGadget(g.number), g.kind);
      EXPECT_EQ(tk.GadgetGeometry(g.number), g.geometry);
      if (g.kind != GadgetKind::kListView) {
        EXPECT_EQ(tk.GetGadgetText(g.number), T(g.text));
      }
    }
  }

  Switches& switches() { return state.switches; }

  HeadlessToolkit tk;
  SourceModel model;
  ProjectState state;
  App app;
};

// --- Start dialog.

constexpr int kDialogFlags = kWindowTitleBar | kWindowCloseBox | kWindowScreenCentered;

TEST_F(DialogsTest, StartDialogShowsTheSwitchesAsTheyAre) {
  // Both image switches on, as a project file may carry them: the exclusion is for clicks only.
  const std::array<int64_t, 8> values = {1, 0, 0, 1, 1, 0, 1, 0};
  for (size_t i = 0; i < values.size(); ++i) switches().*kSwitchTable[i].member = values[i];
  OpenStartDialog(app);

  EXPECT_EQ(tk.GetWindowTitle(kWindowStart), U"Start Generate");
  EXPECT_EQ(tk.WindowGeometry(kWindowStart).width, 600);
  EXPECT_EQ(tk.WindowGeometry(kWindowStart).height, 200);
  EXPECT_EQ(tk.WindowFlags(kWindowStart), kDialogFlags);
  EXPECT_EQ(tk.WindowParent(kWindowStart), kWindowMain);
  EXPECT_FALSE(tk.IsWindowEnabled(kWindowMain));
  ExpectGadgets({{3, GadgetKind::kCheckBox, {10, 10, 210, 20}, "First Window as Parend Window"},
                 {4, GadgetKind::kCheckBox, {10, 40, 210, 20}, "Windowposition Auto"},
                 {5, GadgetKind::kCheckBox, {10, 70, 210, 20}, "Multi Language"},
                 {6, GadgetKind::kCheckBox, {10, 100, 210, 20}, "Images Include"},
                 {7, GadgetKind::kCheckBox, {10, 130, 210, 20}, "ImageGadget set Zero"},
                 {8, GadgetKind::kCheckBox, {230, 10, 210, 20}, "Call Event Fast"},
                 {9, GadgetKind::kCheckBox, {230, 40, 210, 20}, "Fileformat UTF8"},
                 {10, GadgetKind::kCheckBox, {230, 70, 210, 20}, "MacOS MenuEvents"},
                 {11, GadgetKind::kButton, {10, 160, 120, 30}, "Start"}},
                kWindowStart);
  for (size_t i = 0; i < values.size(); ++i) {
    EXPECT_EQ(tk.GetCheckBoxState(kGadgetFirstSwitch + static_cast<int>(i)), values[i]) << i;
  }
}

TEST_F(DialogsTest, CloseBoxKeepsClickedSwitchesAndMarksTheProjectModified) {
  OpenStartDialog(app);
  // Other event types than a left click change nothing.
  SwitchBoxClick(app, 3, kEventTypeLeftDoubleClick);
  EXPECT_EQ(state.ProjectSaved, 1);

  ASSERT_TRUE(tk.ClickGadget(3));   // Parend on
  ASSERT_TRUE(tk.ClickGadget(10));  // MacOS MenuEvents on
  ASSERT_TRUE(tk.ClickGadget(10));  // ... and off again
  Pump();
  EXPECT_EQ(switches().SwitchParend, 1);
  EXPECT_EQ(switches().SwitchMacMenuEvents, 0);
  EXPECT_EQ(state.ProjectSaved, 0);

  ASSERT_TRUE(tk.ClickCloseBox(kWindowStart));
  Pump();
  EXPECT_FALSE(tk.IsWindow(kWindowStart));
  EXPECT_TRUE(tk.IsWindowEnabled(kWindowMain));
  EXPECT_EQ(switches().SwitchParend, 1);
  EXPECT_EQ(state.ProjectSaved, 0);
}

TEST_F(DialogsTest, ImageBoxesExcludeEachOtherOnlyWhenTicked) {
  struct Case {
    int64_t include, null;
    int click;
    int64_t want_include, want_null;
  };
  const Case cases[] = {
      {0, 1, 6, 1, 0},  // ticking "Images Include" clears "ImageGadget set Zero"
      {1, 0, 7, 0, 1},  // and the reverse
      {1, 1, 6, 0, 1},  // clearing one leaves the other as it is
      {1, 1, 7, 1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.click);
    switches().SwitchImageInclude = c.include;
    switches().SwitchImageNull = c.null;
    OpenStartDialog(app);
    ASSERT_TRUE(tk.ClickGadget(c.click));
    Pump();
    EXPECT_EQ(switches().SwitchImageInclude, c.want_include);
    EXPECT_EQ(switches().SwitchImageNull, c.want_null);
    EXPECT_EQ(tk.GetCheckBoxState(6), c.want_include);
    EXPECT_EQ(tk.GetCheckBoxState(7), c.want_null);
    CloseStartWindow(app);
  }
}

TEST_F(DialogsTest, StartCannotBeClickedTwice) {
  // A run is under way (its first request not handled yet): the click starts nothing more, and
  // the button takes no second click.
  app.run_active = true;
  OpenStartDialog(app);
  ASSERT_TRUE(tk.ClickGadget(kGadgetStart));
  Pump();
  EXPECT_FALSE(tk.IsGadgetEnabled(kGadgetStart));
  EXPECT_FALSE(tk.ClickGadget(kGadgetStart));
  EXPECT_EQ(tk.QueuedEvents(), 0);  // no worker posted a request
  EXPECT_TRUE(tk.IsWindow(kWindowStart));
}

// --- User gadget window.

class UserGadgetTest : public DialogsTest {
 protected:
  UserGadgetTest() {
    app.UserListFile = dir / "UserList.INI";
    model.ListUserGadget = {U"MyButton", U"MyCanvas"};
  }
  std::vector<Text> Items() { return tk.GetListItems(kGadgetUserList); }

  TempDir dir;
};

TEST_F(UserGadgetTest, OpensAsChildWindowWithTheNames) {
  OpenUserGadgetList(app);
  EXPECT_EQ(tk.GetWindowTitle(kWindowUserGadget), U"UserGadget");
  EXPECT_EQ(tk.WindowGeometry(kWindowUserGadget).width, 220);
  EXPECT_EQ(tk.WindowGeometry(kWindowUserGadget).height, 400);
  EXPECT_EQ(tk.WindowFlags(kWindowUserGadget), kDialogFlags);
  EXPECT_EQ(tk.WindowParent(kWindowUserGadget), kWindowMain);
  EXPECT_FALSE(tk.IsWindowEnabled(kWindowMain));
  ExpectGadgets({{21, GadgetKind::kListView, {0, 0, 220, 350}, ""},
                 {22, GadgetKind::kButton, {10, 360, 60, 30}, "Add"},
                 {23, GadgetKind::kButton, {80, 360, 60, 30}, "Del"},
                 {24, GadgetKind::kButton, {150, 360, 60, 30}, "Ok"}},
                kWindowUserGadget);
  EXPECT_EQ(Items(), (std::vector<Text>{U"MyButton", U"MyCanvas"}));
}

TEST_F(UserGadgetTest, AddEditAndDeleteWorkOnTheWindowsList) {
  OpenUserGadgetList(app);
  tk.QueueInputAnswer(U" my gadget ");  // taken unchanged, blanks and all
  tk.ClickGadget(kGadgetUserAdd);
  tk.ClickGadget(kGadgetUserAdd);  // cancelled: nothing added
  Pump();
  EXPECT_EQ(Items(), (std::vector<Text>{U"MyButton", U"MyCanvas", U" my gadget "}));
  ASSERT_GE(tk.Requesters().size(), 1u);
  EXPECT_EQ(tk.Requesters()[0].title, U"Add Gadget");
  EXPECT_EQ(tk.Requesters()[0].message, U"");
  EXPECT_EQ(tk.Requesters()[0].default_text, U"");

  tk.QueueInputAnswer(U"MyPanel");
  tk.DoubleClickListItem(kGadgetUserList, 1);
  Pump();
  tk.DoubleClickListItem(kGadgetUserList, 0);  // cancelled: the name stays
  Pump();
  EXPECT_EQ(Items(), (std::vector<Text>{U"MyButton", U"MyPanel", U" my gadget "}));
  EXPECT_EQ(tk.Requesters()[2].title, U"Edit Gadget");
  EXPECT_EQ(tk.Requesters()[2].default_text, U"MyCanvas");
  EXPECT_EQ(tk.Requesters()[3].default_text, U"MyButton");

  tk.ClickListItem(kGadgetUserList, 0);
  tk.ClickGadget(kGadgetUserDel);
  Pump();
  EXPECT_EQ(Items(), (std::vector<Text>{U"MyPanel", U" my gadget "}));
  // Without a selection, Del and Edit do nothing.
  tk.ClickGadget(kGadgetUserDel);
  Pump();
  UserGadgetEdit(app, kEventTypeLeftDoubleClick);
  EXPECT_EQ(Items().size(), 2u);
  EXPECT_EQ(tk.Requesters().size(), 4u);
  // Nothing of it reaches the names before "Ok".
  EXPECT_EQ(model.ListUserGadget, (std::vector<Text>{U"MyButton", U"MyCanvas"}));
}

TEST_F(UserGadgetTest, OkWritesTheFileAndTakesTheListOver) {
  struct Case {
    std::vector<Text> names;
    std::string bytes;
  };
  const Case cases[] = {
      {{U"MyButton", U"Grüße"},
       "[USERGADGET]\nMyButton\nGr\xC3\xBC\xC3\x9F"
       "e\n"},
      {{}, "[USERGADGET]\n"},
  };
  for (const Case& c : cases) {
    model.ListUserGadget = c.names;
    OpenUserGadgetList(app);
    tk.ClickGadget(kGadgetUserOk);
    Pump();
    EXPECT_EQ(ReadBytes(app.UserListFile), c.bytes);
    EXPECT_EQ(model.ListUserGadget, c.names);
    EXPECT_FALSE(tk.IsWindow(kWindowUserGadget));
    EXPECT_TRUE(tk.IsWindowEnabled(kWindowMain));
  }
}

TEST_F(UserGadgetTest, CloseBoxDropsTheChanges) {
  OpenUserGadgetList(app);
  tk.QueueInputAnswer(U"MyPanel");
  tk.ClickGadget(kGadgetUserAdd);
  tk.ClickCloseBox(kWindowUserGadget);
  Pump();
  EXPECT_FALSE(tk.IsWindow(kWindowUserGadget));
  EXPECT_TRUE(tk.IsWindowEnabled(kWindowMain));
  EXPECT_EQ(model.ListUserGadget, (std::vector<Text>{U"MyButton", U"MyCanvas"}));
  EXPECT_FALSE(Exists(app.UserListFile));
  OpenUserGadgetList(app);
  EXPECT_EQ(Items(), (std::vector<Text>{U"MyButton", U"MyCanvas"}));
}

TEST_F(UserGadgetTest, FileThatCannotBeWrittenGivesTheMessageAndStillCloses) {
  app.UserListFile = dir / "missing/UserList.INI";
  OpenUserGadgetList(app);
  tk.QueueInputAnswer(U"MyPanel");
  tk.ClickGadget(kGadgetUserAdd);
  tk.ClickGadget(kGadgetUserOk);
  Pump();
  ASSERT_EQ(tk.Messages().size(), 1u);
  EXPECT_EQ(tk.Messages()[0].title, U"Save UserGadget");
  EXPECT_EQ(tk.Messages()[0].text, U"Errorcode: 1");
  EXPECT_EQ(model.ListUserGadget, (std::vector<Text>{U"MyButton", U"MyCanvas", U"MyPanel"}));
  EXPECT_FALSE(tk.IsWindow(kWindowUserGadget));
  EXPECT_TRUE(tk.IsWindowEnabled(kWindowMain));
}

// --- Info and licence.

std::vector<Text> SplitAtLineFeeds(const Text& text) {
  std::vector<Text> lines(1);
  for (char32_t c : text) {
    if (c == U'\n') {
      lines.emplace_back();
    } else {
      lines.back().push_back(c);
    }
  }
  return lines;
}

TEST_F(DialogsTest, InfoBoxShowsProductRevisionAndNotice) {
  app.InfoText = ComposeInfoText();
  const std::vector<Text> lines = SplitAtLineFeeds(app.InfoText);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], U"Corvane Sartel Version v5.20");
  EXPECT_EQ(lines[1], U"Rev. 398323");
  EXPECT_EQ(lines[2], U"");
  EXPECT_FALSE(lines[3].empty());

  ShowInfo(app);
  ASSERT_EQ(tk.Messages().size(), 1u);
  EXPECT_EQ(tk.Messages()[0].title, U"Info");
  EXPECT_EQ(tk.Messages()[0].text, app.InfoText);
  EXPECT_EQ(tk.Messages()[0].buttons, MessageButtons::kOk);
}

class LicenceTest : public DialogsTest {
 protected:
  // Runs ShowLicence; `step` is called each time its loop waits, with the licence window's
  // number and its list's number, and the count of waits so far.
  void RunLicence(std::function<void(int window, int list, int wait)> step) {
    int waits = 0;
    tk.SetIdleHandler([&] {
      const int window = LicenceWindow();
      step(window, LicenceList(window), waits++);
    });
    ShowLicence(app, kWindowMain);
    tk.SetIdleHandler(nullptr);
  }

  int LicenceWindow() {
    for (int window : tk.OpenWindows()) {
      if (window >= kFirstChosenNumber) return window;
    }
    return -1;
  }
  int LicenceList(int window) {
    for (int gadget = kFirstChosenNumber; gadget < kFirstChosenNumber + 10; ++gadget) {
      if (tk.IsGadget(gadget) && tk.GadgetWindow(gadget) == window) return gadget;
    }
    return -1;
  }
};

TEST_F(LicenceTest, ShowsTheThirtyFourLinesUntilItsCloseBox) {
  RunLicence([&](int window, int list, int wait) {
    if (wait == 0) {
      ASSERT_NE(window, -1);
      EXPECT_EQ(tk.GetWindowTitle(window), U"Licence");
      EXPECT_EQ(tk.WindowFlags(window), kDialogFlags | kWindowResizable);
      EXPECT_EQ(tk.WindowParent(window), kNoParent);
      EXPECT_FALSE(tk.IsWindowEnabled(kWindowMain));
      const std::vector<Text> items = tk.GetListItems(list);
      EXPECT_EQ(items.size(), 34u);
      for (const Text& item : items) EXPECT_EQ(item.find_first_of(U"\r\n"), Text::npos);
      EXPECT_EQ(tk.GadgetGeometry(list), (Rect{0, 0, 600, 480}));
      // Other events are swallowed: a click on the (disabled) main window's menu or a resize.
      tk.ResizeWindowByUser(window, 900, 700);
      tk.PostEvent({EventKind::kMenu, kWindowMain, kMenuInfo, 0, 0});
    } else {
      EXPECT_EQ(tk.GadgetGeometry(list), (Rect{0, 0, 600, 480}));
      tk.ClickCloseBox(window);
    }
  });
  EXPECT_TRUE(tk.Messages().empty());
  EXPECT_TRUE(tk.IsWindowEnabled(kWindowMain));
  EXPECT_EQ(tk.OpenWindows(), (std::vector<int>{kWindowMain}));
}

TEST_F(LicenceTest, RequestOfARunningGenerationIsHandledNotSwallowed) {
  const Text line = U"Generate Code Step 1 ...";
  GuiRequest request;
  request.Result = -1;
  request.Param = reinterpret_cast<intptr_t>(&line);
  RunLicence([&](int window, int, int wait) {
    if (wait == 0) {
      app.PostRequest(RequestLog, &request);
    } else {
      tk.ClickCloseBox(window);
    }
  });
  EXPECT_EQ(request.Result, 0);
  EXPECT_EQ(tk.GetListItems(kGadgetLog), (std::vector<Text>{line}));
  EXPECT_TRUE(tk.IsWindowEnabled(kWindowMain));
}

TEST_F(LicenceTest, ReplaceDialogOpenedMeanwhileKeepsTheMainWindowDisabled) {
  model.ListVanishedConst = {U"A"};
  model.ListAddedConst = {U"B"};
  GuiRequest request;
  request.Result = -1;
  request.Param = 6;
  RunLicence([&](int window, int, int wait) {
    if (wait == 0) {
      app.PostRequest(RequestOpenReplace, &request);
    } else {
      EXPECT_TRUE(tk.IsWindow(kWindowReplace));
      tk.ClickCloseBox(window);
    }
  });
  EXPECT_EQ(request.Result, -1);  // pending until the dialog answers
  EXPECT_TRUE(tk.IsWindow(kWindowReplace));
  EXPECT_FALSE(tk.IsWindowEnabled(kWindowMain));
  CancelReplace(app);
  EXPECT_EQ(request.Result, 2);
}

TEST_F(LicenceTest, WindowThatCannotOpenGivesTheOwnerBack) {
  tk.FailNextOpenWindow();
  bool waited = false;
  tk.SetIdleHandler([&] {
    waited = true;
    tk.PostEvent({EventKind::kCloseWindow, kFirstChosenNumber, -1, 0, 0});
  });
  ShowLicence(app, kWindowMain);
  EXPECT_FALSE(waited);
  EXPECT_TRUE(tk.IsWindowEnabled(kWindowMain));
  EXPECT_EQ(tk.OpenWindows(), (std::vector<int>{kWindowMain}));
}

}  // namespace
}  // namespace corvane
