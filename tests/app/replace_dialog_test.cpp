// The search-and-replace dialog on the headless toolkit, answering a request record of its own so
// that every reply (and every reply held back) can be read from the record.
#include "rename/replace_dialog.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/app.h"
#include "app/numbers.h"
#include "platform/toolkit/headless/headless_toolkit.h"

namespace corvane {
namespace {

constexpr int64_t kNoReply = -1;

class ReplaceDialogTest : public ::testing::Test {
 protected:
  ReplaceDialogTest() : app(tk, model, state) {
    tk.OpenWindow(kWindowMain, 0, 0, 800, 600, U"Main", kWindowTitleBar | kWindowCloseBox);
    model.ListVanishedConst = {U"A", U"B"};
    model.ListAddedConst = {U"C", U"D"};
  }

  // What the request channel does on RequestOpenReplace before it opens the dialog.
  void Open(int kind = 6) {
    request.Result = kNoReply;
    app.PendingRequest = &request;
    app.pending_answered = false;
    OpenReplaceDialog(app, kind);
  }

  // Delivers the queued events to the dialog's handlers, as the handler table does.
  void Pump() {
    Event event;
    while (tk.PollEvent(event)) {
      if (event.kind == EventKind::kCloseWindow && event.window == kWindowReplace) {
        CancelReplace(app);
      } else if (event.kind == EventKind::kGadget) {
        const bool list = event.object >= kGadgetOldList && event.object <= kGadgetTodoList;
        if (list && event.type != kEventTypeLeftDoubleClick) continue;
        if (event.object == kGadgetOldList || event.object == kGadgetNewList ||
            event.object == kGadgetBind) {
          BindSelected(app, event.type);
        }
        if (event.object == kGadgetTodoList || event.object == kGadgetRelease) {
          ReleaseSelected(app, event.type);
        }
        if (event.object == kGadgetContinue) ContinueReplace(app, event.type);
      }
    }
  }

  std::vector<Text> Old() { return tk.GetListItems(kGadgetOldList); }
  std::vector<Text> New() { return tk.GetListItems(kGadgetNewList); }
  std::vector<Text> Todo() { return tk.GetListItems(kGadgetTodoList); }

  void Select(int gadget, int position) { tk.SelectListItem(gadget, position); }

  HeadlessToolkit tk;
  SourceModel model;
  ProjectState state;
  App app;
  GuiRequest request;
};

using Texts = std::vector<Text>;

TEST_F(ReplaceDialogTest, OpensWithTheNamesAndTheLayout) {
  Open();
  EXPECT_EQ(tk.WindowGeometry(kWindowReplace).width, 770);
  EXPECT_EQ(tk.WindowGeometry(kWindowReplace).height, 400);
  EXPECT_EQ(tk.WindowFlags(kWindowReplace),
            kWindowTitleBar | kWindowCloseBox | kWindowScreenCentered);
  EXPECT_EQ(tk.WindowParent(kWindowReplace), kWindowMain);
  EXPECT_FALSE(tk.IsWindowEnabled(kWindowMain));
  struct Spec {
    int number;
    Rect geometry;
    const char32_t* text;
  };
  const Spec gadgets[] = {
      {12, {10, 10, 130, 20}, U"Old Entry"},  {13, {220, 10, 120, 20}, U"New Entry"},
      {14, {430, 10, 110, 20}, U"Todo List"}, {15, {10, 30, 200, 320}, U""},
      {16, {220, 30, 200, 320}, U""},         {17, {430, 30, 330, 320}, U""},
      {18, {10, 360, 120, 30}, U"Bind"},      {19, {150, 360, 120, 30}, U"Release"},
      {20, {640, 360, 120, 30}, U"Continue"},
  };
  for (const Spec& g : gadgets) {
    SCOPED_TRACE(g.number);
    EXPECT_EQ(tk.GadgetWindow(g.number), kWindowReplace);
    EXPECT_EQ(tk.GadgetGeometry(g.number), g.geometry);
    EXPECT_EQ(tk.GetGadgetText(g.number), g.text);
  }
  EXPECT_EQ(Old(), (Texts{U"A", U"B"}));
  EXPECT_EQ(New(), (Texts{U"C", U"D"}));
  EXPECT_TRUE(Todo().empty());
  EXPECT_EQ(request.Result, kNoReply);  // opening does not reply
}

TEST_F(ReplaceDialogTest, TitleNamesTheKind) {
  const std::pair<int, const char32_t*> cases[] = {
      {1, U"Search and Replace - Window"},   {2, U"Search and Replace - MenuBar"},
      {3, U"Search and Replace - MenuItem"}, {4, U"Search and Replace - StatusBar"},
      {5, U"Search and Replace - ToolBar"},  {6, U"Search and Replace - Gadget"},
  };
  for (const auto& [kind, title] : cases) {
    Open(kind);
    EXPECT_EQ(tk.GetWindowTitle(kWindowReplace), title);
  }
}

TEST_F(ReplaceDialogTest, BindTakesBothSelections) {
  Open();
  Select(kGadgetOldList, 0);
  Select(kGadgetNewList, 1);
  tk.ClickGadget(kGadgetBind);
  Pump();
  EXPECT_EQ(Todo(), (Texts{U"A > D"}));
  EXPECT_EQ(Old(), (Texts{U"B"}));
  EXPECT_EQ(New(), (Texts{U"C"}));
  EXPECT_EQ(TodoListItems(app), (Texts{U"A > D"}));
}

TEST_F(ReplaceDialogTest, DoubleClickInEitherListBinds) {
  for (int list : {kGadgetOldList, kGadgetNewList}) {
    SCOPED_TRACE(list);
    Open();
    Select(kGadgetOldList, 1);
    Select(kGadgetNewList, 0);
    tk.DoubleClickListItem(list, list == kGadgetOldList ? 1 : 0);
    Pump();
    EXPECT_EQ(Todo(), (Texts{U"B > C"}));
    EXPECT_EQ(Old(), (Texts{U"A"}));
    EXPECT_EQ(New(), (Texts{U"D"}));
  }
}

TEST_F(ReplaceDialogTest, BindWithoutBothSelectionsOrTwiceChangesNothing) {
  model.ListVanishedConst = {U"A", U"A"};
  model.ListAddedConst = {U"D", U"D"};
  Open();
  BindSelected(app, kEventTypeLeftClick);
  Select(kGadgetOldList, 0);
  BindSelected(app, kEventTypeLeftClick);
  EXPECT_TRUE(Todo().empty());
  Select(kGadgetNewList, 0);
  BindSelected(app, kEventTypeLeftClick);
  ASSERT_EQ(Todo(), (Texts{U"A > D"}));
  // The same pair once more: already bound, both names stay where they are.
  Select(kGadgetOldList, 0);
  Select(kGadgetNewList, 0);
  BindSelected(app, kEventTypeLeftClick);
  EXPECT_EQ(Todo(), (Texts{U"A > D"}));
  EXPECT_EQ(Old(), (Texts{U"A"}));
  EXPECT_EQ(New(), (Texts{U"D"}));
  // Other event types are ignored.
  BindSelected(app, 1);
  EXPECT_EQ(Old(), (Texts{U"A"}));
}

TEST_F(ReplaceDialogTest, ReleaseAppendsTheNamesAtTheEnd) {
  for (bool double_click : {false, true}) {
    SCOPED_TRACE(double_click);
    Open();
    Select(kGadgetOldList, 0);
    Select(kGadgetNewList, 1);
    BindSelected(app, kEventTypeLeftClick);
    ReleaseSelected(app, kEventTypeLeftClick);  // no selection in the Todo List: nothing
    ASSERT_EQ(Todo(), (Texts{U"A > D"}));
    if (double_click) {
      tk.DoubleClickListItem(kGadgetTodoList, 0);
    } else {
      tk.ClickListItem(kGadgetTodoList, 0);
      tk.ClickGadget(kGadgetRelease);
    }
    Pump();
    EXPECT_TRUE(Todo().empty());
    EXPECT_EQ(Old(), (Texts{U"B", U"A"}));
    EXPECT_EQ(New(), (Texts{U"C", U"D"}));
  }
}

TEST_F(ReplaceDialogTest, ContinueWithEverythingBoundRepliesAtOnce) {
  model.ListVanishedConst = {U"A"};
  Open();
  Select(kGadgetOldList, 0);
  Select(kGadgetNewList, 0);
  tk.ClickGadget(kGadgetBind);
  tk.ClickGadget(kGadgetContinue);
  Pump();
  EXPECT_EQ(request.Result, 0);
  EXPECT_TRUE(app.pending_answered);
  EXPECT_TRUE(tk.Messages().empty());
  EXPECT_TRUE(tk.IsWindow(kWindowReplace));  // the worker closes it after reading the pairs
  EXPECT_EQ(TodoListItems(app), (Texts{U"A > C"}));
}

TEST_F(ReplaceDialogTest, ContinueWithUnboundNamesAsks) {
  struct Case {
    MessageResult answer;
    int64_t result;
  };
  const Case cases[] = {
      {MessageResult::kYes, 0},
      {MessageResult::kNo, kNoReply},
      {MessageResult::kCancel, 2},
  };
  for (const Case& c : cases) {
    Open();
    const size_t shown = tk.Messages().size();
    tk.QueueMessageAnswer(c.answer);
    tk.ClickGadget(kGadgetContinue);
    Pump();
    ASSERT_EQ(tk.Messages().size(), shown + 1);
    const MessageRecord& question = tk.Messages().back();
    EXPECT_EQ(question.title, U"Info");
    EXPECT_EQ(question.text, U"Some old constants not to bind! Continue?");
    EXPECT_EQ(question.buttons, MessageButtons::kYesNoCancel);
    EXPECT_EQ(request.Result, c.result);
    EXPECT_EQ(app.pending_answered, c.result != kNoReply);
    EXPECT_EQ(Old(), (Texts{U"A", U"B"}));
    EXPECT_TRUE(tk.IsWindow(kWindowReplace));
  }
}

TEST_F(ReplaceDialogTest, CloseBoxCancelsButLeavesTheWindowToTheWorker) {
  Open();
  tk.ClickCloseBox(kWindowReplace);
  Pump();
  EXPECT_EQ(request.Result, 2);
  EXPECT_TRUE(tk.IsWindow(kWindowReplace));
  CloseReplaceDialog(app);
  EXPECT_FALSE(tk.IsWindow(kWindowReplace));
  EXPECT_TRUE(tk.IsWindowEnabled(kWindowMain));
}

TEST_F(ReplaceDialogTest, DialogThatCannotOpenCancelsTheRunInsteadOfHanging) {
  tk.FailNextOpenWindow();
  Open();
  EXPECT_FALSE(tk.IsWindow(kWindowReplace));
  EXPECT_EQ(request.Result, 2);
  EXPECT_TRUE(app.pending_answered);
  EXPECT_TRUE(tk.IsWindowEnabled(kWindowMain));
}

// Between a reply and the worker's closing request, neither "Continue" nor the close box may
// answer the record again (it no longer exists once the worker woke).
TEST_F(ReplaceDialogTest, NoSecondReplyAfterTheFirst) {
  for (bool first_by_close_box : {false, true}) {
    SCOPED_TRACE(first_by_close_box);
    model.ListVanishedConst = {};
    Open();
    if (first_by_close_box) {
      tk.ClickCloseBox(kWindowReplace);
    } else {
      tk.ClickGadget(kGadgetContinue);
    }
    Pump();
    ASSERT_NE(request.Result, kNoReply);
    request.Result = kNoReply;
    tk.ClickGadget(kGadgetContinue);
    tk.ClickCloseBox(kWindowReplace);
    Pump();
    EXPECT_EQ(request.Result, kNoReply);
    EXPECT_TRUE(tk.Messages().empty());
  }
}

TEST_F(ReplaceDialogTest, LateContinueWithUnboundNamesDoesNotAskAgain) {
  Open();
  tk.ClickCloseBox(kWindowReplace);
  Pump();
  request.Result = kNoReply;
  tk.QueueMessageAnswer(MessageResult::kYes);
  tk.ClickGadget(kGadgetContinue);
  Pump();
  EXPECT_EQ(request.Result, kNoReply);
  EXPECT_TRUE(tk.Messages().empty());
}

}  // namespace
}  // namespace corvane
