#include "project/project_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "test_util.h"

namespace corvane {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

Text PathText(const std::string& path) { return FromUtf8(path); }

Switches DefaultSwitches() {
  Switches s;
  for (const SwitchInfo& info : kSwitchTable) s.*info.member = info.settings_default;
  return s;
}

const char kExample[] =
    "[FILES]\n/Users/dev/app/WindowMain.pbf\n/Users/dev/app/Dialogs.pb\n\n"
    "[SWITCH]\nParend=1\nPB_Ignore=1\nMultilang=0\nImage_Include=0\nImage_Null=0\n"
    "UseCallFast=1\nUtf8=1\nMacMenuEvents=1\n\n"
    "[WINDOW]\nWindow_Main\n\n[MENU]\n\n[MENUITEM]\nWindow_Main_MenuItem_Open\n\n"
    "[STATUSBAR]\n\n[TOOLBAR]\n\n[GADGET]\nWindow_Main_Button_Ok\nWindow_Main_String_Name\n\n";

TEST(ProjectFileTest, WritesCurrentListsInExactFormat) {
  TempDir dir;
  PlainProjectHost host;
  host.files = {U"/Users/dev/app/WindowMain.pbf", U"/Users/dev/app/Dialogs.pb"};
  SourceModel model;
  model.ListWindowID = {U"Window_Main"};
  model.ListMenuItemID = {U"Window_Main_MenuItem_Open"};
  model.ListGadgetID = {{U"Window_Main_Button_Ok", U"BUTTONGADGET"},
                        {U"Window_Main_String_Name", U"STRINGGADGET"}};
  model.ListOldWindowID = {U"Stale"};
  ProjectState state;
  state.switches = DefaultSwitches();
  state.ProjectSaved = 0;

  ASSERT_EQ(WriteProject(host, model, state, PathText(dir / "p.pbm"), kWriteCurrentLists), 1);
  EXPECT_EQ(ReadBytes(dir / "p.pbm"), kExample);
  EXPECT_EQ(state.ProjectSaved, 1);
  EXPECT_EQ(state.ProjectHasFile, 1);
  EXPECT_TRUE(host.messages.empty());
}

TEST(ProjectFileTest, WriteAndReadBackRestoresEverything) {
  TempDir dir;
  PlainProjectHost host;
  host.files = {U"/a/Form.pbf", U"/b/Zwei Wörter.pb", U"/a/Form.pbf"};
  SourceModel model;
  model.ListOldWindowID = {U"Window_0", U"Window_1"};
  model.ListOldMenuID = {U"Window_0_Menu"};
  model.ListOldMenuItemID = {U"Window_0_Open", U"Window_0_Quit"};
  model.ListOldStatusBarID = {U"Window_0_StatusBar"};
  model.ListOldToolBarID = {U"Window_0_ToolBar"};
  model.ListOldGadgetID = {U"Window_0_Button_0", U"Window_1_Text_0"};
  ProjectState state;
  state.switches = {0, 1, 1, 0, 1, 0, 1, 0};
  ASSERT_EQ(WriteProject(host, model, state, PathText(dir / "p.pbm"), kWriteOldLists), 1);

  PlainProjectHost read_host;
  read_host.files = {U"left over"};
  SourceModel read_model;
  read_model.ListReplace = {{U"a", U"b", 1}};
  ProjectState read_state;
  ASSERT_EQ(ReadProject(read_host, read_model, read_state, PathText(dir / "p.pbm")), 1);
  EXPECT_EQ(read_host.files, host.files);
  EXPECT_EQ(read_host.log_clears, 1);
  EXPECT_EQ(read_model.ListOldWindowID, model.ListOldWindowID);
  EXPECT_EQ(read_model.ListOldMenuID, model.ListOldMenuID);
  EXPECT_EQ(read_model.ListOldMenuItemID, model.ListOldMenuItemID);
  EXPECT_EQ(read_model.ListOldStatusBarID, model.ListOldStatusBarID);
  EXPECT_EQ(read_model.ListOldToolBarID, model.ListOldToolBarID);
  EXPECT_EQ(read_model.ListOldGadgetID, model.ListOldGadgetID);
  EXPECT_TRUE(read_model.ListReplace.empty());
  for (const SwitchInfo& info : kSwitchTable) {
    EXPECT_EQ(read_state.switches.*info.member, state.switches.*info.member) << info.key.size();
  }
  EXPECT_EQ(read_state.ProjectHasFile, 1);
  EXPECT_EQ(read_state.ProjectSaved, 1);
}

struct ReadCase {
  const char* name;
  std::string bytes;
  std::vector<Text> files;
  int64_t parend;     // SwitchParend after reading; it starts at 5
  int64_t pb_ignore;  // SwitchPBIgnore after reading; it starts at 5
  std::vector<Text> windows;
};

TEST(ProjectFileTest, ReadingRules) {
  const std::vector<ReadCase> cases = {
      {"files section keeps any text until the empty line",
       "[FILES]\n  spaced  \n;comment\nx=y\n\nstray\n",
       {U"  spaced  ", U";comment", U"x=y"},
       5,
       5,
       {}},
      {"line after an empty line belongs to no section",
       "[WINDOW]\nW1\n\nW2\n[WINDOW]\nW3\n",
       {},
       5,
       5,
       {U"W1", U"W3"}},
      {"blanks around = set nothing", "[SWITCH]\nParend = 0\nPB_Ignore =0\n", {}, 5, 5, {}},
      {"semicolons are removed before the split",
       "[SWITCH]\n;Parend=0\nPB_;Ignore=;1;\n",
       {},
       0,
       1,
       {}},
      {"only the text between the first and second = counts",
       "[SWITCH]\nParend=1=0\n",
       {},
       1,
       5,
       {}},
      {"non-numbers read 0, leading digits count",
       "[SWITCH]\nParend=abc\nPB_Ignore=12x\n",
       {},
       0,
       12,
       {}},
      {"a key without = reads 0", "[SWITCH]\nParend\n", {}, 0, 5, {}},
      {"headers are case-sensitive", "[switch]\nParend=0\n[window]\nW\n", {}, 5, 5, {}},
      {"CR and CRLF end lines",
       "[FILES]\r\n/a.pb\r/b.pb\n\r\n[WINDOW]\rW\r",
       {U"/a.pb", U"/b.pb"},
       5,
       5,
       {U"W"}},
      {"a UTF-8 byte order mark is skipped",
       "\xEF\xBB\xBF[FILES]\n/a.pbf\n\n[SWITCH]\nParend=0\n",
       {U"/a.pbf"},
       0,
       5,
       {}},
      {"empty file", "", {}, 5, 5, {}},
  };
  TempDir dir;
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.name);
    WriteBytes(dir / "odd.pbm", c.bytes);
    PlainProjectHost host;
    SourceModel model;
    ProjectState state;
    state.switches.SwitchParend = 5;
    state.switches.SwitchPBIgnore = 5;
    ASSERT_EQ(ReadProject(host, model, state, PathText(dir / "odd.pbm")), 1);
    EXPECT_EQ(host.files, c.files);
    EXPECT_EQ(state.switches.SwitchParend, c.parend);
    EXPECT_EQ(state.switches.SwitchPBIgnore, c.pb_ignore);
    EXPECT_EQ(model.ListOldWindowID, c.windows);
  }
}

TEST(ProjectFileTest, EmptyCommonFileListWritesNothing) {
  TempDir dir;
  PlainProjectHost host;
  SourceModel model;
  ProjectState state;
  state.ProjectSaved = 0;
  EXPECT_EQ(WriteProject(host, model, state, PathText(dir / "p.pbm"), kWriteOldLists), 0);
  EXPECT_FALSE(testing::Exists(dir / "p.pbm"));
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(state.ProjectSaved, 0);
}

TEST(ProjectFileTest, ReadOnlyTargetFailsWithMessageAndKeepsFile) {
  TempDir dir;
  const std::string path = dir / "p.pbm";
  WriteBytes(path, "old\n");
  chmod(path.c_str(), 0444);
  PlainProjectHost host;
  host.files = {U"/a.pb"};
  SourceModel model;
  ProjectState state;
  EXPECT_EQ(WriteProject(host, model, state, PathText(path), kWriteOldLists), 0);
  EXPECT_EQ(ReadBytes(path), "old\n");
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].first, U"UserGadgetList");
  EXPECT_EQ(host.messages[0].second, U"Errorcode: 1");
  EXPECT_EQ(state.ProjectHasFile, 0);
}

TEST(ProjectFileTest, MissingFileFailsWithMessageAndClearedLists) {
  TempDir dir;
  PlainProjectHost host;
  host.files = {U"/kept?"};
  SourceModel model;
  model.ListOldGadgetID = {U"G"};
  ProjectState state;
  state.ProjectHasFile = 1;
  state.ProjectSaved = 0;
  EXPECT_EQ(ReadProject(host, model, state, PathText(dir / "missing.pbm")), 0);
  EXPECT_TRUE(host.files.empty());
  EXPECT_TRUE(model.ListOldGadgetID.empty());
  EXPECT_EQ(state.ProjectHasFile, 0);
  EXPECT_EQ(state.ProjectSaved, 1);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].second, U"Errorcode: 1");
}

}  // namespace
}  // namespace corvane
