#include "cli/cli.h"

#include <gtest/gtest.h>

#include <sstream>

#include "test_util.h"

namespace corvane {
namespace {

using testing::ReadBytes;
using testing::TempDir;

struct Result {
  int status;
  std::string out;
  std::string err;
};

Result RunCli(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = CliMain(args, out, err);
  return {status, out.str(), err.str()};
}

TEST(CliTest, UsageErrorsExitWithTwoAndSayWhy) {
  struct Case {
    std::vector<std::string> args;
    std::string message;
  };
  const std::vector<Case> cases = {
      {{}, "no command given"},
      {{"frobnicate"}, "unknown command frobnicate"},
      {{"generate"}, "generate needs a project file"},
      {{"generate", "a.pbm", "b.pbm"}, "more than one project file"},
      {{"generate", "a.pbm", "--bind"}, "--bind needs a value"},
      {{"generate", "a.pbm", "--bind", "x"}, "--bind takes OLD=NEW"},
      {{"generate", "a.pbm", "--unbound", "maybe"}, "--unbound takes cancel or continue"},
      {{"generate", "a.pbm", "--switch", "Parend=2"}, "--switch takes KEY=0 or KEY=1"},
      {{"generate", "a.pbm", "--switch", "parend=1"}, "--switch takes KEY=0 or KEY=1"},
      {{"generate", "a.pbm", "--frob"}, "unknown option --frob"},
      {{"init", "a.pbm"}, "init needs a project file and common files"},
  };
  for (const Case& c : cases) {
    const Result r = RunCli(c.args);
    EXPECT_EQ(r.status, kExitUsage) << c.message;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("Usage:"), std::string::npos);
    EXPECT_TRUE(r.out.empty());
  }
}

TEST(CliTest, HelpAndVersion) {
  const Result help = RunCli({"--help"});
  EXPECT_EQ(help.status, kExitReady);
  EXPECT_NE(help.out.find("corvane-cli generate PROJECT.pbm"), std::string::npos);
  const Result version = RunCli({"--version"});
  EXPECT_EQ(version.status, kExitReady);
  EXPECT_EQ(version.out, "corvane-cli 5.20\n");
}

TEST(CliTest, MissingOrUnreadableProjectWritesNothing) {
  TempDir dir;
  const Result missing = RunCli({"generate", dir / "none.pbm"});
  EXPECT_EQ(missing.status, kExitUsage);
  EXPECT_NE(missing.err.find("cannot read the project file"), std::string::npos);
  EXPECT_TRUE(missing.out.empty());
  const Result directory = RunCli({"generate", dir.path()});
  EXPECT_EQ(directory.status, kExitUsage);
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(CliTest, InitWritesDefaultsWithAbsolutePathsAndNeverOverwrites) {
  TempDir dir;
  const std::string project = dir / "new.pbm";
  const Result r = RunCli({"init", project, dir / "Form.pbf", dir / "Other.pb"});
  ASSERT_EQ(r.status, kExitReady) << r.err;
  EXPECT_EQ(ReadBytes(project), "[FILES]\n" + dir / "Form.pbf" + "\n" + dir / "Other.pb" +
                                    "\n\n[SWITCH]\nParend=1\nPB_Ignore=1\nMultilang=0\n"
                                    "Image_Include=0\nImage_Null=0\nUseCallFast=1\nUtf8=1\n"
                                    "MacMenuEvents=1\n\n[WINDOW]\n\n[MENU]\n\n[MENUITEM]\n\n"
                                    "[STATUSBAR]\n\n[TOOLBAR]\n\n[GADGET]\n\n");
  const Result again = RunCli({"init", project, dir / "Third.pb"});
  EXPECT_EQ(again.status, kExitUsage);
  EXPECT_NE(again.err.find("does not overwrite"), std::string::npos);
  EXPECT_NE(ReadBytes(project).find("Other.pb"), std::string::npos);
}

}  // namespace
}  // namespace corvane

namespace corvane {
namespace {

// A project with one window whose gadget is made by a user gadget procedure.
void WriteUserGadgetProject(const TempDir& dir) {
  testing::WriteBytes(dir / "Form.pb",
                      "Procedure Open_Window_0()\n"
                      "  OpenWindow(#Window_0, 0, 0, 300, 200, \"Main\", #PB_Window_SystemMenu)\n"
                      "  MyKnob(#Knob_0, 10, 10, 50, 50)\n"
                      "EndProcedure\n");
  std::ostringstream out, err;
  ASSERT_EQ(CliMain({"init", dir / "p.pbm", dir / "Form.pb"}, out, err), kExitReady);
}

TEST(CliTest, SwitchesAreStoredAndUserGadgetsCount) {
  TempDir dir;
  WriteUserGadgetProject(dir);
  testing::WriteBytes(dir / "gadgets.ini", "[USERGADGET]\n  MyKnob \n");
  const Result r = RunCli({"generate", dir / "p.pbm", "--switch", "Multilang=1", "--switch",
                           "UseCallFast=0", "--user-gadgets", dir / "gadgets.ini"});
  ASSERT_EQ(r.status, kExitReady) << r.out << r.err;
  const std::string project = ReadBytes(dir / "p.pbm");
  EXPECT_NE(project.find("Multilang=1\n"), std::string::npos);
  EXPECT_NE(project.find("UseCallFast=0\n"), std::string::npos);
  EXPECT_NE(project.find("[GADGET]\nWindow_0_Knob_0\n"), std::string::npos);
  EXPECT_TRUE(testing::Exists(dir / "LoadLanguage.pb"));
  EXPECT_NE(ReadBytes(dir / "EventGadget.pb").find("Procedure EventGadget_Window_0_Knob_0("),
            std::string::npos);
  const Result missing = RunCli({"generate", dir / "p.pbm", "--user-gadgets", dir / "none.ini"});
  EXPECT_EQ(missing.status, kExitUsage);
  EXPECT_NE(missing.err.find("cannot read the user gadget list"), std::string::npos);
}

TEST(CliTest, UnboundNamesCancelWithAHintOrContinue) {
  TempDir dir;
  WriteUserGadgetProject(dir);
  testing::WriteBytes(dir / "gadgets.ini", "[USERGADGET]\nMyKnob\n");
  const std::vector<std::string> base = {"generate", dir / "p.pbm", "--user-gadgets",
                                         dir / "gadgets.ini"};
  ASSERT_EQ(RunCli(base).status, kExitReady);
  std::string form = ReadBytes(dir / "Form.pb");
  form.replace(form.find("Knob_0"), 6, "Knob_Volume");
  testing::WriteBytes(dir / "Form.pb", form);
  const std::string before = ReadBytes(dir / "p.pbm");

  const Result cancelled = RunCli(base);
  EXPECT_EQ(cancelled.status, kExitCancel);
  EXPECT_NE(cancelled.out.find("Cancel.\n\n"), std::string::npos);
  EXPECT_NE(cancelled.err.find("Gadget names of the last run have vanished"), std::string::npos);
  EXPECT_NE(cancelled.err.find("vanished (old): Window_0_Knob_0"), std::string::npos);
  EXPECT_NE(cancelled.err.find("added (new): Window_0_Knob_Volume"), std::string::npos);
  EXPECT_EQ(ReadBytes(dir / "p.pbm"), before);

  std::vector<std::string> bound = base;
  bound.insert(bound.end(), {"--bind", "Window_0_Knob_0=Window_0_Knob_Volume"});
  const Result renamed = RunCli(bound);
  EXPECT_EQ(renamed.status, kExitReady) << renamed.err;
  EXPECT_NE(ReadBytes(dir / "EventGadget.pb").find("EventGadget_Window_0_Knob_Volume("),
            std::string::npos);
  EXPECT_EQ(ReadBytes(dir / "EventGadget.pb").find("Knob_0"), std::string::npos);
}

}  // namespace
}  // namespace corvane
