#include "collect/window_params.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvane {
namespace {

struct LineCase {
  const char* before;
  const char* after;
};

// Runs `pass` over `lines` as LinesSource and returns the result as UTF-8.
template <typename Pass>
std::vector<std::string> RunPass(Pass pass, const std::vector<std::string>& lines) {
  SourceModel model;
  for (const std::string& line : lines) model.LinesSource.push_back(T(line));
  pass(model);
  std::vector<std::string> out;
  for (const Text line : model.LinesSource) out.push_back(ToUtf8(line));
  return out;
}

const char kFirst[] = "  OpenWindow(#Window_0, 0, 0, 600, 400, \"Main\", #PB_Window_SystemMenu)";

// Each case is a later window line after kFirst.
TEST(SetParentWindowTest, LaterWindows) {
  const LineCase cases[] = {
      {"  OpenWindow(#Window_1, 0, 0, 300, 200, \"Options\", #PB_Window_SystemMenu)",
       "  OpenWindow(#Window_1, 0, 0, 300, 200, \"Options\", #PB_Window_SystemMenu, "
       "WindowID(#Window_0))"},
      // No flags: the bare word PB_Any stands in for them.
      {"  OpenWindow(#Window_1, 0, 0, 300, 200, \"Options\")",
       "  OpenWindow(#Window_1, 0, 0, 300, 200, \"Options\", PB_Any, WindowID(#Window_0))"},
      // An existing parent (field 8) and anything later is replaced.
      {"  OpenWindow(#Window_1, 0, 0, 300, 200, \"T\", #F, WindowID(#Other), 9)",
       "  OpenWindow(#Window_1, 0, 0, 300, 200, \"T\", #F, WindowID(#Window_0))"},
      // A comma inside the title counts as a separator: the flags shift out.
      {"  OpenWindow(#Window_1, 0, 0, 300, 200, \"A, B\", #F)",
       "  OpenWindow(#Window_1, 0, 0, 300, 200, \"A, B\", WindowID(#Window_0))"},
      // The tail after the last ")" stays; the match is case-blind.
      {"  If openwindow(#W2, 1, 2, 3, 4, \"x\", #F) ; note",
       "  If openwindow(#W2, 1, 2, 3, 4, \"x\", #F, WindowID(#Window_0)) ; note"},
      // Not window lines by name.
      {"  OpenWindow(0, 0, 0, 300, 200, \"T\", #F)", "  OpenWindow(0, 0, 0, 300, 200, \"T\", #F)"},
      {"Procedure Open_Window_1(x = 0)", "Procedure Open_Window_1(x = 0)"},
      // No ")" after the "(": unchanged.
      {"  OpenWindow(#Window_1, 0, 0, 300, 200, \"T\"",
       "  OpenWindow(#Window_1, 0, 0, 300, 200, \"T\""},
      {"x) OpenWindow(#Window_1, 0", "x) OpenWindow(#Window_1, 0"},
  };
  for (const LineCase& c : cases) {
    auto out = RunPass(SetParentWindow, {kFirst, c.before});
    EXPECT_EQ(out[0], kFirst);
    EXPECT_EQ(out[1], c.after) << c.before;
  }
}

TEST(SetParentWindowTest, ThreeWindowsAllBecomeChildrenOfTheFirst) {
  auto out = RunPass(SetParentWindow,
                     {kFirst, "Procedure X()", "  OpenWindow(#Window_1, 0, 0, 1, 1, \"\", #F)",
                      "  OpenWindow(#Window_2, 0, 0, 1, 1, \"\", #F)"});
  EXPECT_EQ(out[0], kFirst);
  EXPECT_EQ(out[1], "Procedure X()");
  EXPECT_EQ(out[2], "  OpenWindow(#Window_1, 0, 0, 1, 1, \"\", #F, WindowID(#Window_0))");
  EXPECT_EQ(out[3], "  OpenWindow(#Window_2, 0, 0, 1, 1, \"\", #F, WindowID(#Window_0))");
}

TEST(SetParentWindowTest, OnlyOneWindowChangesNothing) {
  EXPECT_EQ(RunPass(SetParentWindow, {kFirst}), std::vector<std::string>{kFirst});
}

// A first window line without a comma still names the parent, up to its ")" or the line's end.
TEST(SetParentWindowTest, FirstWindowWithoutComma) {
  const char* firsts[] = {"OpenWindow(#Main )", "OpenWindow(#Main  "};
  for (const char* first : firsts) {
    auto out = RunPass(SetParentWindow, {first, "OpenWindow(#W, 0, 0, 1, 1, \"\", #F)"});
    EXPECT_EQ(out[0], first);
    EXPECT_EQ(out[1], "OpenWindow(#W, 0, 0, 1, 1, \"\", #F, WindowID(#Main))") << first;
  }
}

TEST(SetParentWindowTest, KeepsATailLongerThan256Characters) {
  std::string tail = " ; " + std::string(400, 'x');
  auto out = RunPass(SetParentWindow, {kFirst, "OpenWindow(#W, 0, 0, 1, 1, \"\", #F)" + tail});
  EXPECT_EQ(out[1], "OpenWindow(#W, 0, 0, 1, 1, \"\", #F, WindowID(#Window_0))" + tail);
}

TEST(IgnoreWindowPositionTest, Lines) {
  const LineCase cases[] = {
      {"  OpenWindow(#Window_0, 10, 20, 600, 400, \"Main\", #PB_Window_SystemMenu)",
       "  OpenWindow(#Window_0, #PB_Ignore, #PB_Ignore, 600, 400, \"Main\", "
       "#PB_Window_SystemMenu)"},
      // Everything after the third comma stays character for character.
      {"openwindow(#W,1,2,3,4,\"a,b\")", "openwindow(#W, #PB_Ignore, #PB_Ignore,3,4,\"a,b\")"},
      // Fewer than three commas: unchanged.
      {"OpenWindow(#W, 1, 2)", "OpenWindow(#W, 1, 2)"},
      {"OpenWindow(#W)", "OpenWindow(#W)"},
      {"OpenWindow(0, 10, 20, 600, 400, \"\")", "OpenWindow(0, 10, 20, 600, 400, \"\")"},
  };
  for (const LineCase& c : cases) {
    EXPECT_EQ(RunPass(IgnoreWindowPosition, {c.before})[0], c.after) << c.before;
  }
}

TEST(IgnoreWindowPositionTest, AppliesToEveryWindowAndKeepsLongTail) {
  std::string tail = std::string(300, 'y') + ")";
  auto out = RunPass(IgnoreWindowPosition,
                     {"OpenWindow(#A, 1, 2, 3, 4, \"" + tail, "OpenWindow(#B, 1, 2, 3, 4, \"\")"});
  EXPECT_EQ(out[0], "OpenWindow(#A, #PB_Ignore, #PB_Ignore, 3, 4, \"" + tail);
  EXPECT_EQ(out[1], "OpenWindow(#B, #PB_Ignore, #PB_Ignore, 3, 4, \"\")");
}

TEST(WindowParamsTest, BothSwitchesCombine) {
  auto out = RunPass(
      [](SourceModel& m) {
        SetParentWindow(m);
        IgnoreWindowPosition(m);
      },
      {kFirst, "  OpenWindow(#Window_1, 5, 6, 300, 200, \"O\", #F)"});
  EXPECT_EQ(out[0],
            "  OpenWindow(#Window_0, #PB_Ignore, #PB_Ignore, 600, 400, \"Main\", "
            "#PB_Window_SystemMenu)");
  EXPECT_EQ(out[1],
            "  OpenWindow(#Window_1, #PB_Ignore, #PB_Ignore, 300, 200, \"O\", #F, "
            "WindowID(#Window_0))");
}

}  // namespace
}  // namespace corvane
