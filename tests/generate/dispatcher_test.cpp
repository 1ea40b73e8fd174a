#include "generate/dispatcher.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "generate/templates.h"
#include "test_util.h"

namespace corvane {
namespace {

using testing::FromLines;
using testing::Lines;
using testing::Utf8;

// `lines` with `added` inserted directly after the n-th (from 1) line equal to `after`.
Lines InsertAfter(Lines lines, const std::string& after, const Lines& added, int nth = 1) {
  auto at = lines.begin();
  for (int seen = 0;; ++at) {
    if (at == lines.end()) ADD_FAILURE() << "no line " << after;
    if (at == lines.end() || (*at == after && ++seen == nth)) break;
  }
  if (at != lines.end()) lines.insert(at + 1, added.begin(), added.end());
  return lines;
}

Lines ReplaceLine(Lines lines, const std::string& old_line, const std::string& new_line) {
  auto at = std::find(lines.begin(), lines.end(), old_line);
  EXPECT_NE(at, lines.end()) << old_line;
  if (at != lines.end()) *at = new_line;
  return lines;
}

SourceModel OneWindowModel(Template which) {
  SourceModel model;
  model.ListWindowID = {U"Window_0"};
  model.ListMenuItemID = {U"Window_0_MenuItem_Open"};
  model.ListGadgetID = {{U"Window_0_Text_0", U"TEXTGADGET"},
                        {U"Window_0_Button_0", U"BUTTONGADGET"}};
  model.LinesEventMain = TemplateLines(which);
  return model;
}

TEST(DispatcherTest, SelectStyleOneWindow) {
  for (Template which : {Template::kEventMainSelect, Template::kEventMainSelectMac}) {
    SourceModel model = OneWindowModel(which);
    FillSelectDispatch(model);
    Lines expected = Utf8(TemplateLines(which));
    // Menu cases go directly after "  Select MenuID", so in the macOS variant they stand before
    // its CompilerIf block.
    expected =
        InsertAfter(expected, "  Select MenuID",
                    {"    Case #Window_0_MenuItem_Open : EventMenu_Window_0_MenuItem_Open()"});
    expected =
        InsertAfter(expected, "  Select GadgetID",
                    {"    Case #Window_0_Button_0 : EventGadget_Window_0_Button_0(EventType)"});
    expected =
        InsertAfter(expected, "  Select WindowID", {"    Case #Window_0 : EventSize_Window_0()"});
    expected = InsertAfter(expected, "  Select WindowID",
                           {"    Case #Window_0 : EventExit_Window_0()"}, 2);
    EXPECT_EQ(Utf8(model.LinesEventMain), expected) << static_cast<int>(which);
  }
}

TEST(DispatcherTest, TableStyleOneWindow) {
  for (Template which : {Template::kEventMainTable, Template::kEventMainTableMac}) {
    SourceModel model = OneWindowModel(which);
    FillCallEventTables(model);
    Lines expected = Utf8(TemplateLines(which));
    expected = ReplaceLine(expected, "#CallEventMenuCount = 0", "#CallEventMenuCount   = 1");
    expected = ReplaceLine(expected, "#CallEventGadgetCount = 0", "#CallEventGadgetCount = 2");
    expected = ReplaceLine(expected, "#CallEventWindowCount = 0", "#CallEventWindowCount = 1");
    expected = InsertAfter(expected, "DataSection",
                           {"  CallEventMenu:", "    Data.i @EventMenu_Window_0_MenuItem_Open()",
                            "  CallEventGadget:", "    Data.i @MyEventDispatch()",
                            "    Data.i @EventGadget_Window_0_Button_0()",
                            "  CallEventSize:", "    Data.i @EventSize_Window_0()",
                            "  CallEventExit:", "    Data.i @EventExit_Window_0()"});
    EXPECT_EQ(Utf8(model.LinesEventMain), expected) << static_cast<int>(which);
  }
}

TEST(DispatcherTest, NoMenuItemsAndOnlyTextOrFrameGadgets) {
  SourceModel model;
  model.ListGadgetID = {{U"T", U"TEXTGADGET"}, {U"F", U"FRAME3DGADGET"}};
  model.LinesEventMain = TemplateLines(Template::kEventMainSelect);
  FillSelectDispatch(model);
  EXPECT_EQ(model.LinesEventMain, TemplateLines(Template::kEventMainSelect));

  model.LinesEventMain = TemplateLines(Template::kEventMainTable);
  FillCallEventTables(model);
  Lines expected = Utf8(TemplateLines(Template::kEventMainTable));
  expected = ReplaceLine(expected, "#CallEventMenuCount = 0", "#CallEventMenuCount   = 0");
  expected = ReplaceLine(expected, "#CallEventGadgetCount = 0", "#CallEventGadgetCount = 2");
  expected = InsertAfter(expected, "DataSection",
                         {"  CallEventMenu:", "  CallEventGadget:", "    Data.i @MyEventDispatch()",
                          "    Data.i @MyEventDispatch()", "  CallEventSize:", "  CallEventExit:"});
  EXPECT_EQ(Utf8(model.LinesEventMain), expected);
}

// Lists that are not one of the templates: missing lines and markers on the last line.
TEST(DispatcherTest, MissingLinesAndMarkerOnLastLine) {
  SourceModel model;
  model.ListWindowID = {U"W"};
  model.LinesEventMain = FromLines({"#CallEventWindowCount = 0", "x"});
  FillCallEventTables(model);
  // Count lines not found are left alone; without "DataSection" the tables go at the end.
  EXPECT_EQ(Utf8(model.LinesEventMain),
            (Lines{"#CallEventWindowCount = 1", "x", "  CallEventMenu:", "  CallEventGadget:",
                   "  CallEventSize:", "    Data.i @EventSize_W()",
                   "  CallEventExit:", "    Data.i @EventExit_W()"}));

  model.LinesEventMain = FromLines({"Procedure MyEventExit(WindowID)"});
  FillSelectDispatch(model);
  EXPECT_EQ(Utf8(model.LinesEventMain),
            (Lines{"Procedure MyEventExit(WindowID)", "    Case #W : EventExit_W()"}));

  model.LinesEventMain.clear();
  FillSelectDispatch(model);
  FillCallEventTables(model);
  EXPECT_EQ(model.LinesEventMain.size(), 6u);  // only the tables, appended to the empty list
}

// A menu item whose name contains a later marker must not pull that block into the menu Select.
TEST(DispatcherTest, NameContainingMarkerKeepsBlocksInPlace) {
  SourceModel model;
  model.ListMenuItemID = {U"W_MyEventGadget"};
  model.ListGadgetID = {{U"W_Button", U"BUTTONGADGET"}};
  model.LinesEventMain = TemplateLines(Template::kEventMainSelect);
  FillSelectDispatch(model);
  Lines expected = Utf8(TemplateLines(Template::kEventMainSelect));
  expected = InsertAfter(expected, "  Select MenuID",
                         {"    Case #W_MyEventGadget : EventMenu_W_MyEventGadget()"});
  expected = InsertAfter(expected, "  Select GadgetID",
                         {"    Case #W_Button : EventGadget_W_Button(EventType)"});
  EXPECT_EQ(Utf8(model.LinesEventMain), expected);
}

TEST(DispatcherTest, TablePositionsFollowEnumerationOrder) {
  SourceModel model;
  model.ListWindowID = {U"W0", U"W1"};
  model.ListMenuItemID = {U"W0_Item", U"W0_ToolButton"};  // toolbar buttons are menu items
  model.LinesEventMain = FromLines({"DataSection", "EndDataSection"});
  FillCallEventTables(model);
  EXPECT_EQ(Utf8(model.LinesEventMain),
            (Lines{"DataSection", "  CallEventMenu:", "    Data.i @EventMenu_W0_Item()",
                   "    Data.i @EventMenu_W0_ToolButton()",
                   "  CallEventGadget:", "  CallEventSize:", "    Data.i @EventSize_W0()",
                   "    Data.i @EventSize_W1()", "  CallEventExit:", "    Data.i @EventExit_W0()",
                   "    Data.i @EventExit_W1()", "EndDataSection"}));
}

}  // namespace
}  // namespace corvane
