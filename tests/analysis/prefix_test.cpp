#include "analysis/prefix.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvane {
namespace {

constexpr char kMainWindow[] = "  If OpenWindow(#Window_Main, 0, 0, 400, 300, \"Main\")";

SourceModel ModelWithLines(const std::vector<std::string>& lines) {
  SourceModel model;
  BuildKeySets(model);
  for (const std::string& line : lines) model.LinesSource.push_back(T(line));
  return model;
}

std::vector<std::string> Utf8Lines(const SourceModel& model) {
  std::vector<std::string> lines;
  for (const Text line : model.LinesSource) lines.push_back(ToUtf8(line));
  return lines;
}

// Runs the pass on `line` with the prefix Window_Main_ in force and returns the rewritten line.
std::string PrefixInMainWindow(const std::string& line) {
  SourceModel model = ModelWithLines({kMainWindow, line});
  RecordingLog log;
  EXPECT_TRUE(PrefixIdentifiers(model, log));
  EXPECT_TRUE(log.lines.empty());
  return ToUtf8(model.LinesSource[1].text());
}

struct LineCase {
  const char* before;
  const char* after;
};

TEST(PrefixIdentifiersTest, ExampleLines) {
  const LineCase cases[] = {
      {"ButtonGadget(#Button_0, 10, 10, 80, 24, \"OK\")",
       "ButtonGadget(#Window_Main_Button_0, 10, 10, 80, 24, \"OK\")"},
      {"CreateToolBar(#ToolBar_0, WindowID(#Window_Main))",
       "CreateToolBar(#Window_Main_ToolBar_0, WindowID(#Window_Main))"},
      {"ToolBarToolTip(#ToolBar_0, #Item_1, \"Open\")",
       "ToolBarToolTip(#Window_Main_ToolBar_0, #Window_Main_Item_1, \"Open\")"},
      {"y = ToolBarHeight(#ToolBar_0)", "y = ToolBarHeight(#Window_Main_ToolBar_0)"},
      {"SplitterGadget(#S, 0, 0, 90, 90, #L, #R)",
       "SplitterGadget(#Window_Main_S, 0, 0, 90, 90, #Window_Main_L, #Window_Main_R)"},
  };
  for (const LineCase& c : cases) EXPECT_EQ(PrefixInMainWindow(c.before), c.after) << c.before;
}

TEST(PrefixIdentifiersTest, LineRules) {
  const LineCase cases[] = {
      // Comment filter: only a first ";" in columns 1 to 9 excludes the line.
      {";ButtonGadget(#B, 1)", ";ButtonGadget(#B, 1)"},
      {"a = 1   ; ButtonGadget(#B, 1)", "a = 1   ; ButtonGadget(#B, 1)"},
      {"a = 1    ; ButtonGadget(#B, 1)", "a = 1    ; ButtonGadget(#Window_Main_B, 1)"},
      {"ButtonGadget(#B, 1) ; ok", "ButtonGadget(#Window_Main_B, 1) ; ok"},
      // Function name from the last blank, else the last tab, else the line start.
      {"\tButtonGadget(#B, 1)", "\tButtonGadget(#Window_Main_B, 1)"},
      {"  \tButtonGadget(#B, 1)", "  \tButtonGadget(#Window_Main_B, 1)"},
      {"x = ButtonGadget(#B, 1)", "x = ButtonGadget(#Window_Main_B, 1)"},
      {"x=ButtonGadget(#B, 1)", "x=ButtonGadget(#B, 1)"},
      {"bUtToNgAdGeT(#B, 1)", "bUtToNgAdGeT(#Window_Main_B, 1)"},
      {"Foo(#B, 1)", "Foo(#B, 1)"},
      {"(#B)", "(#B)"},  // "(#" at the line start: empty function name
      // Only the first "(#" of a line.
      {"SetGadgetText(#A, GetGadgetText(#B))", "SetGadgetText(#Window_Main_A, GetGadgetText(#B))"},
      {"Debug GetGadgetText(#B)", "Debug GetGadgetText(#Window_Main_B)"},
      {"ButtonGadget(#PB_Any, 1)", "ButtonGadget(#Window_Main_PB_Any, 1)"},
      // Window identifiers stay.
      {"x = WindowID(#Window_Main)", "x = WindowID(#Window_Main)"},
      {"ResizeWindow(#Window_Main, 0, 0, 10, 10)", "ResizeWindow(#Window_Main, 0, 0, 10, 10)"},
      // Gadget list and status field lines are left alone.
      {"CreateGadgetList(WindowID(#Window_Main))", "CreateGadgetList(WindowID(#Window_Main))"},
      {"AddStatusBarField(#PB_Ignore)", "AddStatusBarField(#PB_Ignore)"},
      // Height calls: each gets its argument once, also when both stand on one line.
      {"y = StatusBarHeight(#S)", "y = StatusBarHeight(#Window_Main_S)"},
      {"y = ToolBarHeight(#T) + StatusBarHeight(#S)",
       "y = ToolBarHeight(#Window_Main_T) + StatusBarHeight(#Window_Main_S)"},
      {"y = StatusBarHeight(#S) + ToolBarHeight(#T)",
       "y = StatusBarHeight(#Window_Main_S) + ToolBarHeight(#Window_Main_T)"},
      {"y = ToolBarHeight( #T)", "y = ToolBarHeight( #T)"},
      {"y = ToolBarHeight(", "y = ToolBarHeight("},
      // Second arguments, each call of a line.
      {"DisableToolBarButton(#T, #I, 1)",
       "DisableToolBarButton(#Window_Main_T, #Window_Main_I, 1)"},
      {"BalloonTip(#W, #G, \"t\")", "BalloonTip(#W, #Window_Main_G, \"t\")"},
      {"SetToolBarButtonState(#T, #A, GetToolBarButtonState(#T, #B))",
       "SetToolBarButtonState(#Window_Main_T, #Window_Main_A, GetToolBarButtonState(#T, "
       "#Window_Main_B))"},
      {"ToolBarToolTip(#T)", "ToolBarToolTip(#Window_Main_T)"},
      {"ToolBarToolTip(#T, 3)", "ToolBarToolTip(#Window_Main_T, 3)"},
      // Splitter and MDI children.
      {"SplitterGadget(#S, 0, 0, 90, 90)", "SplitterGadget(#Window_Main_S, 0, 0, 90, 90)"},
      {"SplitterGadget(#S, 0, 0, 90, 90, #L)",
       "SplitterGadget(#Window_Main_S, 0, 0, 90, 90, #Window_Main_L)"},
      // No "#" after the fifth comma: the second search starts from the line start.
      {"SplitterGadget(#S, #A, 0, 90, 90, 0, 0)",
       "SplitterGadget(#Window_Main_S, #Window_Main_A, 0, 90, 90, 0, 0)"},
      {"SplitterGadget(#S, 0, 0, 90, 90, L, #R)",
       "SplitterGadget(#Window_Main_S, 0, 0, 90, 90, L, #Window_Main_R)"},
      {"MDIGadget(#M, 0, 0, 90, 90, #Sub, #First)",
       "MDIGadget(#Window_Main_M, 0, 0, 90, 90, #Window_Main_Sub, #Window_Main_First)"},
      {"SplitterGadget(", "SplitterGadget("},
      // Non-ASCII text before the identifier: positions count characters.
      {"TextGadget(#T, 0, 0, 9, 9, \"Grüße\") : ButtonGadget(#B, 1)",
       "TextGadget(#Window_Main_T, 0, 0, 9, 9, \"Grüße\") : ButtonGadget(#B, 1)"},
      {"  Grüße ButtonGadget(#B, 1)", "  Grüße ButtonGadget(#Window_Main_B, 1)"},
  };
  for (const LineCase& c : cases) EXPECT_EQ(PrefixInMainWindow(c.before), c.after) << c.before;
}

struct PassCase {
  const char* name;
  std::vector<std::string> before;
  std::vector<std::string> after;
};

TEST(PrefixIdentifiersTest, PrefixFollowsTheWindowLines) {
  const PassCase cases[] = {
      {"lines before the first window stay; the prefix carries into the next common file",
       {"ButtonGadget(#B, 1)", "OpenWindow(#W1, 0, 0, 9, 9, \"\")", "ButtonGadget(#B, 1)", "",
        "; ***", "", "ButtonGadget(#C, 1)", "OpenWindow(#W2, 0, 0, 9, 9, \"\")",
        "ButtonGadget(#B, 1)"},
       {"ButtonGadget(#B, 1)", "OpenWindow(#W1, 0, 0, 9, 9, \"\")", "ButtonGadget(#W1_B, 1)", "",
        "; ***", "", "ButtonGadget(#W1_C, 1)", "OpenWindow(#W2, 0, 0, 9, 9, \"\")",
        "ButtonGadget(#W2_B, 1)"}},
      {"a commented-out window line does not set the prefix",
       {"OpenWindow(#W1, 0)", "; OpenWindow(#W2, 0)", "ButtonGadget(#B, 1)"},
       {"OpenWindow(#W1, 0)", "; OpenWindow(#W2, 0)", "ButtonGadget(#W1_B, 1)"}},
      {"UseGadgetList names the window whatever the letter case of WindowID",
       {"OpenWindow(#W1, 0)", "UseGadgetList(windowid(#Win_2))", "ButtonGadget(#B, 1)"},
       {"OpenWindow(#W1, 0)", "UseGadgetList(windowid(#Win_2))", "ButtonGadget(#Win_2_B, 1)"}},
      {"UseGadgetList without WindowID keeps the prefix",
       {"OpenWindow(#W1, 0)", "UseGadgetList(OldList)", "ButtonGadget(#B, 1)"},
       {"OpenWindow(#W1, 0)", "UseGadgetList(OldList)", "ButtonGadget(#W1_B, 1)"}},
      {"toolbar and status bar take their window from the WindowID argument",
       {"OpenWindow(#W1, 0)", "CreateToolBar(#T, WindowID(#W2))", "ButtonGadget(#B, 1)",
        "If CreateStatusBar(#S, WindowID(#W3 ))", "ButtonGadget(#B, 1)"},
       {"OpenWindow(#W1, 0)", "CreateToolBar(#W2_T, WindowID(#W2))", "ButtonGadget(#W2_B, 1)",
        "If CreateStatusBar(#W3_S, WindowID(#W3 ))", "ButtonGadget(#W3_B, 1)"}},
      {"a bar line with an AddStatusBarField call sets the prefix but stays unchanged",
       {"OpenWindow(#W1, 0)", "CreateStatusBar(#S, WindowID(#W2)) : AddStatusBarField(9)",
        "ButtonGadget(#B, 1)"},
       {"OpenWindow(#W1, 0)", "CreateStatusBar(#S, WindowID(#W2)) : AddStatusBarField(9)",
        "ButtonGadget(#W2_B, 1)"}},
      {"a bar line without a second \"(\" keeps the prefix",
       {"OpenWindow(#W1, 0)", "CreateToolBar(#T, 0)", "ButtonGadget(#B, 1)"},
       {"OpenWindow(#W1, 0)", "CreateToolBar(#W1_T, 0)", "ButtonGadget(#W1_B, 1)"}},
      {"window names are trimmed and kept in their letter case",
       {"OpenWindow(#  Win_A  , 0)", "ButtonGadget(#B, 1)"},
       {"OpenWindow(#  Win_A  , 0)", "ButtonGadget(#Win_A_B, 1)"}},
      {"OpenWindow without a comma takes the rest of the line",
       {"OpenWindow(#Win", "ButtonGadget(#B, 1)", "OpenWindow(#", "ButtonGadget(#C, 1)"},
       {"OpenWindow(#Win", "ButtonGadget(#Win_B, 1)", "OpenWindow(#", "ButtonGadget(#_C, 1)"}},
      {"UseGadgetList without a closing parenthesis takes the rest of the line",
       {"UseGadgetList(WindowID(#Win", "ButtonGadget(#B, 1)"},
       {"UseGadgetList(WindowID(#Win", "ButtonGadget(#Win_B, 1)"}},
  };
  for (const PassCase& c : cases) {
    SourceModel model = ModelWithLines(c.before);
    RecordingLog log;
    EXPECT_TRUE(PrefixIdentifiers(model, log)) << c.name;
    EXPECT_EQ(Utf8Lines(model), c.after) << c.name;
    EXPECT_TRUE(log.lines.empty()) << c.name;
  }
}

TEST(PrefixIdentifiersTest, WindowWithPbAnyStopsThePass) {
  SourceModel model = ModelWithLines({"OpenWindow(#W, 0)", "ButtonGadget(#B, 1)",
                                      "  If OpenWindow(# pb_any , 0)", "ButtonGadget(#C, 1)"});
  RecordingLog log;
  EXPECT_FALSE(PrefixIdentifiers(model, log));
  EXPECT_EQ(log.lines, std::vector<Text>{
                           T(" -> Error: Find OpenWindow with '#PB_Any', Not supported. Stop!")});
  EXPECT_EQ(Utf8Lines(model),
            (std::vector<std::string>{"OpenWindow(#W, 0)", "ButtonGadget(#W_B, 1)",
                                      "  If OpenWindow(# pb_any , 0)", "ButtonGadget(#C, 1)"}));
}

TEST(PrefixIdentifiersTest, UserGadgetIsPrefixed) {
  SourceModel model;
  model.ListUserGadget.push_back(T("MyChart"));
  BuildKeySets(model);
  model.LinesSource = {T("OpenWindow(#W, 0)"), T("  MyChart(#C, 1)")};
  RecordingLog log;
  EXPECT_TRUE(PrefixIdentifiers(model, log));
  EXPECT_EQ(ToUtf8(model.LinesSource[1].text()), "  MyChart(#W_C, 1)");
}

TEST(PrefixIdentifiersTest, IdentifierBetweenStaysInsideTheLine) {
  const Text line = T("f(# a ,b)");
  EXPECT_EQ(IdentifierBetween(line, 4, 7), T("a"));
  EXPECT_EQ(IdentifierBetween(line, 4, 0), T("a ,b)"));  // no stop: rest of the line
  EXPECT_EQ(IdentifierBetween(line, 4, 2), T("a ,b)"));  // stop before the start
  EXPECT_EQ(IdentifierBetween(line, 4, 4), T(""));
  EXPECT_EQ(IdentifierBetween(line, 10, 0), T(""));  // start past the end
  EXPECT_EQ(IdentifierBetween(line, 99, 3), T(""));
  EXPECT_EQ(IdentifierBetween(T(""), 1, 0), T(""));
}

TEST(PrefixIdentifiersTest, LargeSourceInOneLinearPass) {
  SourceModel model;
  BuildKeySets(model);
  const size_t kGadgets = 100000;
  model.LinesSource.push_back(T("OpenWindow(#W, 0)"));
  for (size_t i = 0; i < kGadgets; ++i) {
    model.LinesSource.push_back(
        T("  ButtonGadget(#B" + std::to_string(i) + ", 0, 0, 9, 9, \"x\")"));
  }
  RecordingLog log;
  EXPECT_TRUE(PrefixIdentifiers(model, log));
  EXPECT_EQ(ToUtf8(model.LinesSource.back().text()),
            "  ButtonGadget(#W_B" + std::to_string(kGadgets - 1) + ", 0, 0, 9, 9, \"x\")");
}

}  // namespace
}  // namespace corvane
