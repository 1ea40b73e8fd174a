#include "generate/write_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "analysis/error_text.h"
#include "test_util.h"

namespace corvane {
namespace {

using testing::Exists;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

constexpr char kBom[] = "\xEF\xBB\xBF";

class WriteGeneratedFilesTest : public ::testing::Test {
 protected:
  WriteGeneratedFilesTest() {
    model_.LinesMain = {U"; Main", U""};
    model_.LinesCommonFile = {U"; Common"};
    model_.LinesEventMain = {U"; EventMain"};
    model_.LinesEventMenu = {U"; Menu"};
    model_.LinesEventGadget = {U"; Gadget"};
    model_.LinesEventWindow = {U"; Window"};
    model_.LinesLoadLanguage = {U"; Language"};
    model_.WriteFormat = WriteEncoding::kUtf8Bom;
  }
  void Write(bool multilang) {
    Switches switches;
    switches.SwitchMultilang = multilang ? 1 : 0;
    WriteGeneratedFiles(model_, switches, dir_.path(), log_);
  }
  Text WriteLine(const std::string& name) { return U" -> Write File " + FromUtf8(dir_ / name); }

  TempDir dir_;
  SourceModel model_;
  RecordingLog log_;
};

TEST_F(WriteGeneratedFilesTest, WritesSixFilesInOrderWithoutMultilang) {
  WriteBytes(dir_ / "Catalog", "old catalog");
  Write(false);
  EXPECT_EQ(log_.lines,
            (std::vector<Text>{WriteLine("Main.pb"), WriteLine("CommonFile.pb"),
                               WriteLine("EventMain.pb"), WriteLine("EventMenu.pb"),
                               WriteLine("EventGadget.pb"), WriteLine("EventWindow.pb")}));
  EXPECT_EQ(ReadBytes(dir_ / "Main.pb"), std::string(kBom) + "; Main\n\n");
  EXPECT_EQ(ReadBytes(dir_ / "EventWindow.pb"), std::string(kBom) + "; Window\n");
  EXPECT_FALSE(Exists(dir_ / "LoadLanguage.pb"));
  EXPECT_EQ(ReadBytes(dir_ / "Catalog"), "old catalog");  // neither written nor deleted
}

TEST_F(WriteGeneratedFilesTest, WritesLanguageFilesAndCatalogWithMultilang) {
  model_.MapLanguage.Set(U"Open", U"Open");
  model_.MapLanguage.Set(U"Close", U"Schließen");
  model_.MapLanguage.Set(U"Save", U"save");  // differs in case: a translation
  Write(true);
  ASSERT_EQ(log_.lines.size(), 8u);
  EXPECT_EQ(log_.lines[6], WriteLine("LoadLanguage.pb"));
  EXPECT_EQ(log_.lines[7], WriteLine("Catalog"));
  EXPECT_EQ(ReadBytes(dir_ / "LoadLanguage.pb"), std::string(kBom) + "; Language\n");
  EXPECT_EQ(ReadBytes(dir_ / "Catalog"), std::string(kBom) +
                                             "Default;Language\n"
                                             "\"Open\";\"\"\n"
                                             "\"Close\";\"Schlie\xC3\x9F"
                                             "en\"\n"
                                             "\"Save\";\"save\"\n");
}

// The Catalog reader's rules: skip the header, split at ";", strip quotes from both ends of the
// first two fields, skip an empty key, an empty translation means the key itself.
TextMap ReadCatalog(const std::string& bytes) {
  TextMap map;
  const LineList lines = DecodeLines(bytes, Unmarked::kLatin1);
  for (size_t i = 1; i < lines.size(); ++i) {
    const Text& line = lines[i];
    const size_t semicolon = line.find(U';');
    const Text key = Trim(line.substr(0, semicolon), U"\"");
    Text value = semicolon == Text::npos ? Text() : line.substr(semicolon + 1);
    value = Trim(value.substr(0, value.find(U';')), U"\"");
    if (!key.empty()) map.Set(key, value.empty() ? key : value);
  }
  return map;
}

TEST_F(WriteGeneratedFilesTest, CatalogReadsBackIntoTheSameMap) {
  model_.WriteFormat = WriteEncoding::kLatin1;
  model_.MapLanguage.Set(U"Open", U"Open");
  model_.MapLanguage.Set(U"Über", U"Over");
  model_.MapLanguage.Set(U"Quit", U"Beenden");
  Write(true);
  const std::string bytes = ReadBytes(dir_ / "Catalog");
  EXPECT_EQ(bytes.substr(0, 17), "Default;Language\n");  // single-byte text: no mark
  EXPECT_EQ(ReadCatalog(bytes).Entries(), model_.MapLanguage.Entries());
}

TEST_F(WriteGeneratedFilesTest, EmptyListsGiveOnlyTheMarkOrNothing) {
  model_.LinesMain.clear();
  model_.LinesCommonFile.clear();
  Write(true);
  EXPECT_EQ(ReadBytes(dir_ / "Main.pb"), kBom);
  EXPECT_EQ(ReadBytes(dir_ / "Catalog"), std::string(kBom) + "Default;Language\n");

  model_.WriteFormat = WriteEncoding::kLatin1;
  Write(true);
  EXPECT_EQ(ReadBytes(dir_ / "Main.pb"), "");
  EXPECT_TRUE(Exists(dir_ / "CommonFile.pb"));
  EXPECT_EQ(ReadBytes(dir_ / "CommonFile.pb"), "");
  EXPECT_EQ(ReadBytes(dir_ / "Catalog"), "Default;Language\n");
}

// Single-byte text keeps characters below 256 as one byte each; a file holding a character above
// is written as UTF-8 with its mark instead of losing it, and the log says so.
TEST_F(WriteGeneratedFilesTest, SingleByteTextFallsBackToUtf8WhenACharacterDoesNotFit) {
  model_.WriteFormat = WriteEncoding::kLatin1;
  model_.LinesEventMenu = {U"; Menü"};
  model_.LinesEventGadget = {U"Price$ = \"10 €\""};
  model_.MapLanguage.Set(U"Ω", U"Ω");
  Write(true);
  EXPECT_EQ(ReadBytes(dir_ / "EventMenu.pb"), "; Men\xFC\n");
  EXPECT_EQ(ReadBytes(dir_ / "EventGadget.pb"),
            std::string(kBom) + "Price$ = \"10 \xE2\x82\xAC\"\n");
  EXPECT_EQ(ReadBytes(dir_ / "Catalog"),
            std::string(kBom) + "Default;Language\n\"\xCE\xA9\";\"\"\n");
  const Text note = U" -> Note: characters beyond single-byte text, written as UTF-8 with BOM";
  EXPECT_EQ(log_.lines,
            (std::vector<Text>{WriteLine("Main.pb"), WriteLine("CommonFile.pb"),
                               WriteLine("EventMain.pb"), WriteLine("EventMenu.pb"),
                               WriteLine("EventGadget.pb"), note, WriteLine("EventWindow.pb"),
                               WriteLine("LoadLanguage.pb"), WriteLine("Catalog"), note}));
}

TEST_F(WriteGeneratedFilesTest, ReadOnlyFileIsReportedAndTheOthersAreStillWritten) {
  const std::string locked = dir_ / "EventMain.pb";
  WriteBytes(locked, "keep");
  ASSERT_EQ(chmod(locked.c_str(), 0444), 0);
  Write(false);
  EXPECT_EQ(ReadBytes(locked), "keep");
  ASSERT_EQ(log_.lines.size(), 6u);
  EXPECT_EQ(log_.lines[2],
            U" -> Error File " + FromUtf8(locked) + U" / " + ErrorText(LastErrorCode()));
  EXPECT_EQ(log_.lines[3], WriteLine("EventMenu.pb"));
  EXPECT_EQ(ReadBytes(dir_ / "EventWindow.pb"), std::string(kBom) + "; Window\n");
}

}  // namespace
}  // namespace corvane
