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
