#include "analysis/collect_objects.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/prefix.h"

namespace corvane {
namespace {

SourceModel ModelWithLines(const std::vector<std::string>& lines,
                           const std::vector<std::string>& user_gadgets = {}) {
  SourceModel model;
  for (const std::string& name : user_gadgets) model.ListUserGadget.push_back(T(name));
  BuildKeySets(model);
  for (const std::string& line : lines) model.LinesSource.push_back(T(line));
  return model;
}

std::string Joined(const NameList& list) {
  std::string out;
  for (const Text& item : list) out += (out.empty() ? "" : ",") + ToUtf8(item);
  return out;
}

// The six lists in one line, empty lists left out: "W[..] M[..] I[..] S[..] T[..] G[name:FN ..]".
std::string Lists(const SourceModel& model) {
  std::string out;
  auto add = [&out](const char* tag, const std::string& items) {
    if (!items.empty()) out += (out.empty() ? "" : " ") + std::string(tag) + "[" + items + "]";
  };
  add("W", Joined(model.ListWindowID));
  add("M", Joined(model.ListMenuID));
  add("I", Joined(model.ListMenuItemID));
  add("S", Joined(model.ListStatusBarID));
  add("T", Joined(model.ListToolBarID));
  std::string gadgets;
  for (const GadgetRecord& g : model.ListGadgetID) {
    gadgets += (gadgets.empty() ? "" : ",") + ToUtf8(g.Name) + ":" + ToUtf8(g.Function);
  }
  add("G", gadgets);
  return out;
}

std::vector<std::string> Utf8(const std::vector<Text>& lines) {
  std::vector<std::string> out;
  for (const Text& line : lines) out.push_back(ToUtf8(line));
  return out;
}

struct LineCase {
  const char* line;
  const char* lists;
};

TEST(CollectObjectsTest, OneLineOfEachKind) {
  const LineCase cases[] = {
      {"  If OpenWindow(#Window_Main, 0, 0, 400, 300, \"T\")", "W[Window_Main]"},
      {"; OpenWindow(#Old, 0, 0)", "W[Old]"},  // comments count
      {"CreateMenu(#Menu_0, WindowID(#W))", "M[Menu_0]"},
      {"CreatePopupMenu(#Popup)", "M[Popup]"},  // menu without ",": up to ")"
      {"CreatePopupMenu(#Popup", "M[Popup]"},   // neither: rest of the line
      {"CreateImageMenu(# M1 , WindowID(#W))", "M[M1]"},
      {"CreatePopupImageMenu(#P2)", "M[P2]"},
      {"MenuItem(#Open, \"Open\")", "I[Open]"},
      {"DisableMenuItem(#Menu, #Item, 1)", "I[Menu]"},
      {"CreateStatusBar(#S, WindowID(#W))", "S[S]"},
      {"CreateToolBar(#T, WindowID(#W))", "T[T]"},
      {"ToolBarStandardButton(#New, #PB_ToolBarIcon_New)", "I[New]"},
      {"ToolBarImageButton(#Img, ImageID(#I))", "I[Img]"},
      {"ButtonGadget(#B, 10, 10, 80, 24, \"OK\")", "G[B:BUTTONGADGET]"},
      {"\t  ButtonGadget(#B, 1)", ""},  // blanks inside the tab indentation stay
      {"\tButtonGadget(#B, 1)", "G[B:BUTTONGADGET]"},
      {"  \t ButtonGadget(#B, 1)", ""},
      {"If ButtonGadget(#B, 1)", ""},
      {"x = ButtonGadget(#B, 1)", ""},
      {"SetGadgetText(#B, \"x\")", ""},
      {"TextGadget(#Grüße, 0, 0, 9, 9, \"ä\")", "G[Grüße:TEXTGADGET]"},
      {"ButtonGadget(#B)", "G[B):BUTTONGADGET]"},  // no ",": rest of the line
      {"ButtonGadget(#", "G[:BUTTONGADGET]"},
      // The first matching rule decides the line.
      {"CreateMenu(#M, WindowID(#W)) : MenuItem(#X, \"x\")", "M[M]"},
      {"MenuItem(#X, \"x\") : CreateToolBar(#T, 0)", "I[X]"},
      {"OpenWindow(#W, 0) : ButtonGadget(#B, 1)", "W[W]"},
      {"ButtonGadget(0, 1)", ""},
      {"", ""},
  };
  for (const LineCase& c : cases) {
    SourceModel model = ModelWithLines({c.line});
    RecordingLog log;
    EXPECT_TRUE(CollectObjects(model, log)) << c.line;
    EXPECT_EQ(Lists(model), c.lists) << c.line;
    EXPECT_TRUE(log.lines.empty()) << c.line;
  }
}

TEST(CollectObjectsTest, UserGadgetMakesARecord) {
  SourceModel model = ModelWithLines({"  MyChart(#Chart, 0, 0, 9, 9)"}, {"MyChart"});
  RecordingLog log;
  EXPECT_TRUE(CollectObjects(model, log));
  EXPECT_EQ(Lists(model), "G[Chart:MYCHART]");
}

struct RunCase {
  const char* name;
  std::vector<std::string> lines;
  bool completes;
  std::vector<std::string> log;
  const char* lists;
};

TEST(CollectObjectsTest, RepeatedIdentifiers) {
  const RunCase cases[] = {
      {"window repeated in another letter case stops; lists keep what came before",
       {"OpenWindow(#Main, 0)", "ButtonGadget(#B, 1)", "OpenWindow(#main, 0)",
        "ButtonGadget(#C, 1)"},
       false,
       {" -> Error: Find duplicate WindowID(#main). Stop!"},
       "W[Main] G[B:BUTTONGADGET]"},
      {"menu and popup menu share a list",
       {"CreateMenu(#M, 0)", "CreatePopupImageMenu(#m)", "MenuItem(#X, \"\")"},
       false,
       {" -> Error: Find duplicate MenuID(#m). Stop!"},
       "M[M]"},
      {"status bar",
       {"CreateStatusBar(#S, 0)", "CreateStatusBar(#S , 0)"},
       false,
       {" -> Error: Find duplicate StatusBarID(#S). Stop!"},
       "S[S]"},
      {"toolbar",
       {"CreateToolBar(#T, 0)", "CreateToolBar(#t, 0)", "CreateToolBar(#U, 0)"},
       false,
       {" -> Error: Find duplicate ToolBarID(#t). Stop!"},
       "T[T]"},
      {"menu item and toolbar buttons warn and go on",
       {"MenuItem(#Open, \"Open\")", "ToolBarStandardButton(#OPEN, 0)", "MenuItem(#open, \"\")",
        "ToolBarImageButton(#Save, 0)", "ButtonGadget(#B, 1)"},
       true,
       {" -> Warning: Find duplicate MenuItemID(#OPEN) by ToolbarButton.",
        " -> Warning: Find duplicate MenuItemID(#open) by MenuItem."},
       "I[Open,Save] G[B:BUTTONGADGET]"},
      {"gadgets are counted once, silently, with the first letter case",
       {"ButtonGadget(#B, 1)", "StringGadget(#b, 1)", "TextGadget(#C, 1)"},
       true,
       {},
       "G[B:BUTTONGADGET,C:TEXTGADGET]"},
  };
  for (const RunCase& c : cases) {
    SourceModel model = ModelWithLines(c.lines);
    RecordingLog log;
    EXPECT_EQ(CollectObjects(model, log), c.completes) << c.name;
    EXPECT_EQ(Utf8(log.lines), c.log) << c.name;
    EXPECT_EQ(Lists(model), c.lists) << c.name;
  }
}

// Prefixing and collection together, as step 1 runs them.
TEST(CollectObjectsTest, PrefixedMultiWindowSource) {
  SourceModel model = ModelWithLines({
      "If OpenWindow(#Window_Main, 0, 0, 400, 300, \"Main\")",
      "  If CreateMenu(#Menu_0, WindowID(#Window_Main))",
      "    MenuItem(#Open, \"Open\")",
      "  EndIf",
      "  If CreateToolBar(#ToolBar_0, WindowID(#Window_Main))",
      "    ToolBarStandardButton(#Open, #PB_ToolBarIcon_Open)",
      "  EndIf",
      "  ButtonGadget(#Button_0, 10, 10, 80, 24, \"OK\")",
      "EndIf",
      "If OpenWindow(#Window_Second, 0, 0, 400, 300, \"Second\")",
      "  ButtonGadget(#Button_0, 10, 10, 80, 24, \"OK\")",
      "  CreateMenu(#Menu_0, WindowID(#Window_Second))",
      "EndIf",
  });
  RecordingLog log;
  ASSERT_TRUE(PrefixIdentifiers(model, log));
  EXPECT_TRUE(CollectObjects(model, log));
  EXPECT_EQ(Utf8(log.lines), std::vector<std::string>{" -> Warning: Find duplicate "
                                                      "MenuItemID(#Window_Main_Open) by "
                                                      "ToolbarButton."});
  EXPECT_EQ(Lists(model),
            "W[Window_Main,Window_Second] M[Window_Main_Menu_0,Window_Second_Menu_0] "
            "I[Window_Main_Open] T[Window_Main_ToolBar_0] "
            "G[Window_Main_Button_0:BUTTONGADGET,Window_Second_Button_0:BUTTONGADGET]");
}

TEST(CollectObjectsTest, RepeatedMenuMessageShowsThePrefix) {
  SourceModel model = ModelWithLines(
      {"OpenWindow(#Window_Main, 0)", "CreateMenu(#Menu_0, 0)", "CreatePopupMenu(#Menu_0)"});
  RecordingLog log;
  ASSERT_TRUE(PrefixIdentifiers(model, log));
  EXPECT_FALSE(CollectObjects(model, log));
  EXPECT_EQ(Utf8(log.lines), std::vector<std::string>{
                                 " -> Error: Find duplicate MenuID(#Window_Main_Menu_0). Stop!"});
}

TEST(CollectObjectsTest, LargeSourceInOneLinearPass) {
  SourceModel model;
  BuildKeySets(model);
  const size_t kGadgets = 100000;
  for (size_t i = 0; i < kGadgets; ++i) {
    const std::string n = std::to_string(i);
    model.LinesSource.push_back(T("ButtonGadget(#B" + n + ", 0, 0, 9, 9, \"x\")"));
    model.LinesSource.push_back(T("MenuItem(#I" + n + ", \"x\")"));
  }
  model.LinesSource.push_back(T("ButtonGadget(#b0, 0)"));
  RecordingLog log;
  EXPECT_TRUE(CollectObjects(model, log));
  EXPECT_EQ(model.ListGadgetID.size(), kGadgets);
  EXPECT_EQ(model.ListMenuItemID.size(), kGadgets);
  EXPECT_EQ(ToUtf8(model.ListGadgetID.back().Name), "B" + std::to_string(kGadgets - 1));
}

}  // namespace
}  // namespace corvane
