#include "rename/constant_lists.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane {

// Found by argument lookup, so it lives beside the record's namespace rather than in the test's.
bool operator==(const ReplaceRecord& a, const ReplaceRecord& b) {
  return a.Old == b.Old && a.New == b.New && a.Kind == b.Kind;
}

namespace {

// Stands in for the dialog: continues (or cancels for `cancel_kind`) with a scripted Todo List, and
// records what it was asked and what the dialog would have shown.
class FakeHost : public RunHost {
 public:
  explicit FakeHost(const SourceModel& model) : model_(model) {}

  void WriteLog(const Text&) override {}
  void CloseStartDialog() override {}
  void EnableMainWindow() override {}
  std::vector<Text> ReadCommonFiles() override { return {}; }
  bool SaveProjectAs() override { return false; }
  int WriteProjectFile(const Text&, int) override { return 0; }

  int OpenReplaceDialog(int kind) override {
    calls.push_back("open " + std::to_string(kind));
    shown_old = model_.ListVanishedConst;
    shown_new = model_.ListAddedConst;
    return kind == cancel_kind ? kReplaceCancel : kReplaceContinue;
  }
  std::vector<Text> ReadTodoList() override {
    calls.push_back("read");
    return todo;
  }
  void CloseReplaceDialog() override { calls.push_back("close"); }

  int cancel_kind = 0;
  std::vector<Text> todo;
  std::vector<std::string> calls;
  NameList shown_old, shown_new;

 private:
  const SourceModel& model_;
};

// Runs step 2 as the run does: kinds 1 to 6, stopping at the first cancel; returns its result.
int CheckAll(SourceModel& model, RunHost& host) {
  for (int kind = kKindWindow; kind <= kKindGadget; ++kind) {
    if (CheckConstants(model, kind, host) == 0) return 0;
  }
  return 1;
}

void SetGadgets(SourceModel& model, const NameList& names) {
  model.ListGadgetID.clear();
  for (const Text& name : names) model.ListGadgetID.push_back({name, U"BUTTONGADGET"});
}

TEST(KindWordTest, NamesEachKind) {
  const TextView words[] = {U"Window",    U"MenuBar", U"MenuItem",
                            U"StatusBar", U"ToolBar", U"Gadget"};
  for (int kind = 1; kind <= 6; ++kind) EXPECT_EQ(KindWord(kind), words[kind - 1]);
  EXPECT_EQ(KindWord(0), U"");
  EXPECT_EQ(KindWord(7), U"");
}

// Cases in which no old name vanished: no dialog for any kind.
TEST(CheckConstantsTest, NoDialogWhenNothingVanished) {
  struct Case {
    const char* what;
    NameList old_gadgets, new_gadgets;
  } cases[] = {
      {"first run", {}, {U"Window_0_Button_0"}},
      {"same names", {U"Window_0_A", U"Window_0_B"}, {U"Window_0_B", U"Window_0_A"}},
      {"a gadget added", {U"Window_0_A"}, {U"Window_0_A", U"Window_0_New"}},
  };
  for (const Case& c : cases) {
    SourceModel model;
    model.ListOldWindowID = c.old_gadgets.empty() ? NameList{} : NameList{U"Window_0"};
    model.ListWindowID = {U"Window_0"};
    model.ListOldMenuItemID = model.ListMenuItemID = {U"Window_0_Open"};
    model.ListOldGadgetID = c.old_gadgets;
    SetGadgets(model, c.new_gadgets);
    model.ListReplace = {{U"stale", U"pair", 6}};  // of an earlier run; kind 1 empties it
    FakeHost host(model);
    EXPECT_EQ(CheckAll(model, host), 1) << c.what;
    EXPECT_TRUE(host.calls.empty()) << c.what;
    EXPECT_TRUE(model.ListReplace.empty()) << c.what;
  }
}

TEST(CheckConstantsTest, RenamedGadgetIsOfferedAndTheBoundPairRecorded) {
  SourceModel model;
  model.ListOldWindowID = model.ListWindowID = {U"Window_0"};
  model.ListOldGadgetID = {U"Window_0_Button_0", U"Window_0_Text"};
  SetGadgets(model, {U"Window_0_Text", U"Window_0_Button_Ok"});
  FakeHost host(model);
  host.todo = {U"Window_0_Button_0 > Window_0_Button_Ok"};

  EXPECT_EQ(CheckAll(model, host), 1);
  EXPECT_EQ(host.calls, (std::vector<std::string>{"open 6", "read", "close"}));
  EXPECT_EQ(host.shown_old, NameList{U"Window_0_Button_0"});
  EXPECT_EQ(host.shown_new, NameList{U"Window_0_Button_Ok"});
  EXPECT_EQ(model.ListReplace,
            (std::vector<ReplaceRecord>{{U"Window_0_Button_0", U"Window_0_Button_Ok", 6}}));
}

TEST(CheckConstantsTest, BoundWindowPairCarriesItsGadgetsAlong) {
  SourceModel model;
  model.ListOldWindowID = {U"Window_0"};
  model.ListWindowID = {U"Window_Main"};
  model.ListOldMenuItemID = {U"Window_0_Open"};
  model.ListMenuItemID = {U"Window_Main_Open"};
  model.ListOldGadgetID = {U"Window_0_Button_0", U"Window_0_Button_1"};
  SetGadgets(model, {U"Window_Main_Button_0", U"Window_Main_Button_1"});
  FakeHost host(model);
  host.todo = {U"Window_0 > Window_Main"};

  EXPECT_EQ(CheckAll(model, host), 1);
  EXPECT_EQ(host.calls, (std::vector<std::string>{"open 1", "read", "close"}));
  EXPECT_EQ(model.ListReplace, (std::vector<ReplaceRecord>{{U"Window_0", U"Window_Main", 1}}));
  // The work copy of the last kind shows the renamed prefixes.
  EXPECT_EQ(model.ListOldConst, (NameList{U"Window_Main_Button_0", U"Window_Main_Button_1"}));
}

TEST(CheckConstantsTest, WindowPairsApplyInOrderAndMatchExactly) {
  SourceModel model;
  model.ListReplace = {{U"A", U"B", 1}, {U"B", U"C", 1}, {U"x", U"y", 6}};
  model.ListOldGadgetID = {U"A_Button_0", U"B_Ok", U"a_Low", U"AB_0", U"A_"};
  SetGadgets(model, {U"C_Button_0", U"C_Ok", U"A_Low", U"AB_0", U"C_"});
  FakeHost host(model);
  host.todo = {};

  EXPECT_EQ(CheckConstants(model, kKindGadget, host), 1);
  EXPECT_EQ(model.ListOldConst, (NameList{U"C_Button_0", U"C_Ok", U"a_Low", U"AB_0", U"C_"}));
  // Names differing only in case count as different; an empty Todo List binds nothing.
  EXPECT_EQ(host.shown_old, NameList{U"a_Low"});
  EXPECT_EQ(host.shown_new, NameList{U"A_Low"});
  EXPECT_EQ(host.calls, (std::vector<std::string>{"open 6", "read", "close"}));
  EXPECT_EQ(model.ListReplace.size(), 3u);  // the pairs of earlier kinds are kept
}

TEST(CheckConstantsTest, VanishedAndAddedKeepTheirListOrder) {
  SourceModel model;
  model.ListOldMenuID = {U"W_M3", U"W_Keep", U"W_M1", U"W_M2"};
  model.ListMenuID = {U"W_N2", U"W_Keep", U"W_N1"};
  FakeHost host(model);
  EXPECT_EQ(CheckConstants(model, kKindMenu, host), 1);
  EXPECT_EQ(host.shown_old, (NameList{U"W_M3", U"W_M1", U"W_M2"}));
  EXPECT_EQ(host.shown_new, (NameList{U"W_N2", U"W_N1"}));
  EXPECT_EQ(model.ListNewConst, model.ListMenuID);
}

TEST(CheckConstantsTest, CancelAtMenuItemsLeavesTheLaterKindsUnchecked) {
  SourceModel model;
  model.ListOldMenuID = {U"W_Old"};
  model.ListMenuID = {U"W_New"};
  model.ListOldMenuItemID = {U"W_Open"};
  model.ListMenuItemID = {U"W_Load"};
  model.ListOldGadgetID = {U"W_Gone"};
  FakeHost host(model);
  host.todo = {U"W_Old > W_New"};
  host.cancel_kind = kKindMenuItem;

  EXPECT_EQ(CheckAll(model, host), 0);
  EXPECT_EQ(host.calls, (std::vector<std::string>{"open 2", "read", "close", "open 3", "close"}));
  EXPECT_EQ(model.ListReplace, (std::vector<ReplaceRecord>{{U"W_Old", U"W_New", 2}}));
}

TEST(CheckConstantsTest, TodoItemsSplitAtTheArrow) {
  struct Case {
    Text item;
    bool is_pair;
    Text old_name, new_name;
  } cases[] = {
      {U"W_Old > W_New", true, U"W_Old", U"W_New"},
      {U"  W_Old>W_New  ", true, U"W_Old", U"W_New"},
      {U"W_Old > W_New > extra", true, U"W_Old", U"W_New"},
      {U"W_Old > W New", true, U"W_Old", U"W New"},
      // Not a pair: renaming to or from nothing would rewrite unrelated text.
      {U"W_Old", false, U"", U""},
      {U"W_Old > ", false, U"", U""},
      {U" > W_New", false, U"", U""},
      {U"", false, U"", U""},
  };
  for (const Case& c : cases) {
    SourceModel model;
    model.ListOldStatusBarID = {U"W_Old"};
    FakeHost host(model);
    host.todo = {c.item};
    EXPECT_EQ(CheckConstants(model, kKindStatusBar, host), 1);
    std::vector<ReplaceRecord> expected;
    if (c.is_pair) expected.push_back({c.old_name, c.new_name, kKindStatusBar});
    EXPECT_EQ(model.ListReplace, expected) << ToUtf8(c.item);
  }
}

TEST(CheckConstantsTest, ManyGadgetsAndWindowPairsStayFast) {
  SourceModel model;
  for (int w = 0; w < 1000; ++w) {
    model.ListReplace.push_back({U"Win_" + Decimal(w), U"Form_" + Decimal(w), 1});
  }
  for (int g = 0; g < 100000; ++g) {
    model.ListOldGadgetID.push_back(U"Win_" + Decimal(g % 1000) + U"_Gadget_" + Decimal(g));
  }
  for (int g = 0; g < 100000; ++g) {
    model.ListGadgetID.push_back({U"Form_" + Decimal(g % 1000) + U"_Gadget_" + Decimal(g), {}});
  }
  FakeHost host(model);
  EXPECT_EQ(CheckConstants(model, kKindGadget, host), 1);
  EXPECT_TRUE(host.calls.empty());
}

}  // namespace
}  // namespace corvane
