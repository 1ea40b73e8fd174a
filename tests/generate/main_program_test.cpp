#include "generate/main_program.h"

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

const Lines kMacBlock = {"    ",
                         "    CompilerIf #PB_Compiler_OS = #PB_OS_MacOS",
                         "      MenuItem(#PB_Menu_About, \"\")",
                         "      MenuItem(#PB_Menu_Preferences, \"\")",
                         "      MenuItem(#PB_Menu_Quit, \"\")",
                         "    CompilerEndIf"};

Switches Mac(bool on) {
  Switches switches;
  switches.SwitchMacMenuEvents = on ? 1 : 0;
  return switches;
}

SourceModel WithMain(const TextList& main) {
  SourceModel model;
  model.ListWindowID = {U"Window_0", U"Window_1"};
  model.LinesMain = main;
  return model;
}

TEST(MainProgramTest, TemplateWithMacMenuAndSecondRun) {
  SourceModel model = WithMain(TemplateLines(Template::kMain));
  UpdateMainProgram(model, Mac(true));
  const Lines lines = Utf8(model.LinesMain);
  auto main_at = std::find(lines.begin(), lines.end(), "Procedure Main()");
  ASSERT_NE(main_at, lines.end());
  const Lines beginning(main_at, main_at + 13);
  const Lines expected = {"Procedure Main()",
                          "",
                          "  Open_Window_0()",
                          "  ",
                          "  If WindowID(#Window_0)",
                          kMacBlock[0],
                          kMacBlock[1],
                          kMacBlock[2],
                          kMacBlock[3],
                          kMacBlock[4],
                          kMacBlock[5],
                          "    ",
                          "    Repeat"};
  EXPECT_EQ(beginning, expected);
  EXPECT_EQ(lines.size(), 80u + 6u);

  // Idempotent: the macOS block is found and nothing else changes.
  const TextList first_run = model.LinesMain;
  UpdateMainProgram(model, Mac(true));
  EXPECT_EQ(model.LinesMain, first_run);
}

TEST(MainProgramTest, TemplateWithoutMacMenu) {
  SourceModel model = WithMain(TemplateLines(Template::kMain));
  UpdateMainProgram(model, Mac(false));
  Lines expected = Utf8(TemplateLines(Template::kMain));
  std::replace(expected.begin(), expected.end(), std::string("  Open_WindowXY()"),
               std::string("  Open_Window_0()"));
  std::replace(expected.begin(), expected.end(), std::string("  If WindowID(#Window)"),
               std::string("  If WindowID(#Window_0)"));
  EXPECT_EQ(Utf8(model.LinesMain), expected);
}

TEST(MainProgramTest, LineRules) {
  struct Case {
    const char* line;
    const char* result;
  };
  const Case cases[] = {
      {"  Open_WindowXY() : OPEN_WINDOWXY() ; open_windowxy()",
       "  Open_Window_0() : Open_Window_0() ; Open_Window_0()"},
      {"  open_windowxy()", "  open_windowxy()"},  // the exact form must be on the line
      {"  ElseIf WindowID(#Window_1) ; other", "  If WindowID(#Window_0)"},
      {"If WindowID(#Old) And X", "  If WindowID(#Window_0)"},
      {"  if WindowID(#Old)", "  if WindowID(#Old)"},
      // The open call rule wins; the If on the same line is not rewritten.
      {"Open_WindowXY() : If WindowID(#Old)", "Open_Window_0() : If WindowID(#Old)"},
  };
  for (const Case& c : cases) {
    SourceModel model = WithMain({FromUtf8(c.line)});
    UpdateMainProgram(model, Mac(false));
    ASSERT_EQ(model.LinesMain.size(), 1u);
    EXPECT_EQ(ToUtf8(model.LinesMain[0].text()), c.result) << c.line;
  }
}

TEST(MainProgramTest, QuitItemCountsOnlyInsideMacBlock) {
  struct Case {
    Lines main;
    bool inserted;
  };
  const Case cases[] = {
      {{"  If WindowID(#W)", "MenuItem(#PB_Menu_Quit, \"\")"}, true},
      {{"  If WindowID(#W)", "CompilerIf #PB_Compiler_OS = #PB_OS_MacOS", "CompilerEndIf",
        "MenuItem(#PB_Menu_Quit, \"\")"},
       true},
      {{"  If WindowID(#W)", "  CompilerIf #PB_Compiler_OS = #PB_OS_MacOS", "    x",
        "    MenuItem(#PB_Menu_Quit, \"Quit\")", "  CompilerEndIf"},
       false},
      // The CompilerIf line itself is not tested for the Quit item.
      {{"  If WindowID(#W)", "CompilerIf #PB_Compiler_OS = #PB_OS_MacOS : MenuItem(#PB_Menu_Quit"},
       true},
      {{"no window line"}, false},  // nowhere to insert
  };
  for (const Case& c : cases) {
    SourceModel model = WithMain(FromLines(c.main));
    UpdateMainProgram(model, Mac(true));
    Lines expected = c.main;
    if (expected[0] == "  If WindowID(#W)") expected[0] = "  If WindowID(#Window_0)";
    if (c.inserted) expected.insert(expected.begin() + 1, kMacBlock.begin(), kMacBlock.end());
    EXPECT_EQ(Utf8(model.LinesMain), expected) << c.main.back();
  }
}

TEST(MainProgramTest, NoWindowLeavesMainUnchanged) {
  SourceModel model;
  model.LinesMain = TemplateLines(Template::kMain);
  UpdateMainProgram(model, Mac(true));
  EXPECT_EQ(model.LinesMain, TemplateLines(Template::kMain));
}

TEST(MainProgramTest, MacSwitchOffLeavesExistingBlock) {
  const Lines main = {"  If WindowID(#Window_0)", kMacBlock[1], kMacBlock[2], kMacBlock[5]};
  SourceModel model = WithMain(FromLines(main));
  UpdateMainProgram(model, Mac(false));
  EXPECT_EQ(Utf8(model.LinesMain), main);
}

}  // namespace
}  // namespace corvane
