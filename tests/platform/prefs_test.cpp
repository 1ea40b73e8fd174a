#include "platform/prefs/prefs.h"

#include <gtest/gtest.h>

#include "test_util.h"

namespace corvane {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

const std::string kBom = "\xEF\xBB\xBF";

TEST(PrefsTest, NewFileHasMarkEmptyLineAndGroupsInWritingOrder) {
  TempDir dir;
  const std::string file = dir / "CV4.INI";
  WriteSetting(U"Path", U"Last", U"/home/u/", file);
  WriteSetting(U"Path", U"Project", U"project.pbm", file);
  WriteSetting(U"Default", U"Parend", U"1", file);
  WriteSetting(U"Default", U"PB_Ignore", U"0", file);
  EXPECT_EQ(ReadBytes(file), kBom +
                                 "\n[Path]\nLast = /home/u/\nProject = project.pbm\n"
                                 "[Default]\nParend = 1\nPB_Ignore = 0\n");
}

TEST(PrefsTest, ReadingIgnoresCaseBlanksAndComments) {
  TempDir dir;
  const std::string file = dir / "CV4.INI";
  WriteBytes(file,
             "; a comment\n"
             "  [path]\n"
             "\t; Last = commented\n"
             " \tLAST =   /tmp/x \t\n"
             "[Default]\n"
             "Utf8=0\n");
  EXPECT_EQ(ReadSetting(U"Path", U"Last", file, U"dflt"), U"/tmp/x");
  EXPECT_EQ(ReadSetting(U"DEFAULT", U"utf8", file, U"1"), U"0");
  EXPECT_EQ(ReadSetting(U"Default", U"Missing", file, U"7"), U"7");
  EXPECT_EQ(ReadSetting(U"NoGroup", U"Utf8", file, U"9"), U"9");
  EXPECT_EQ(ReadSetting(U"Path", U"Last", dir / "missing.ini", U"d"), U"d");
}

TEST(PrefsTest, WritingKeepsOtherLinesInPlace) {
  TempDir dir;
  const std::string file = dir / "CV4.INI";
  WriteBytes(file, kBom + "\n[Other]\nKeep = me\n; note\n[Path]\nLast = old\n; tail comment\n");
  WriteSetting(U"Path", U"Last", U"new", file);
  WriteSetting(U"Path", U"Project", U"p.pbm", file);
  WriteSetting(U"Other", U"Added", U"x", file);
  WriteSetting(U"Default", U"Utf8", U"1", file);
  EXPECT_EQ(ReadBytes(file), kBom +
                                 "\n[Other]\nKeep = me\nAdded = x\n; note\n"
                                 "[Path]\nLast = new\nProject = p.pbm\n; tail comment\n"
                                 "[Default]\nUtf8 = 1\n");
}

TEST(PrefsTest, UnchangedValueDoesNotRewriteFile) {
  TempDir dir;
  const std::string file = dir / "CV4.INI";
  WriteBytes(file, "[Path]\nLast=same\n");
  WriteSetting(U"Path", U"Last", U"same", file);
  EXPECT_EQ(ReadBytes(file), "[Path]\nLast=same\n");
}

TEST(PrefsTest, UnreadableFileIsNotReplaced) {
  TempDir dir;
  // A directory stands where the file should be: it can be neither read nor replaced.
  const std::string file = dir / "CV4.INI";
  std::filesystem::create_directory(file);
  WriteSetting(U"Path", U"Last", U"x", file);
  EXPECT_TRUE(std::filesystem::is_directory(file));
  EXPECT_EQ(ReadSetting(U"Path", U"Last", file, U"d"), U"d");
}

TEST(PrefsTest, NonAsciiValuesRoundTrip) {
  TempDir dir;
  const std::string file = dir / "CV4.INI";
  WriteSetting(U"Path", U"Last", U"/home/jürgen/Straße/", file);
  EXPECT_EQ(ReadSetting(U"Path", U"Last", file, U""), U"/home/jürgen/Straße/");
}

}  // namespace
}  // namespace corvane
