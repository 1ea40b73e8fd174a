#include "analysis/source_loading.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "generate/templates.h"
#include "test_util.h"

namespace corvane {
namespace {

using namespace std::literals;
using Lines = LineList;
using testing::TempDir;
using testing::WriteBytes;

void AppendUnit(std::string& out, uint32_t unit, int bytes, bool big_endian) {
  for (int k = 0; k < bytes; ++k) {
    const int shift = 8 * (big_endian ? bytes - 1 - k : k);
    out += static_cast<char>((unit >> shift) & 0xFF);
  }
}

// The bytes of `text` in `format`, mark included; kNone gives single-byte text.
std::string Encode(TextView text, TextFormat format) {
  std::string out;
  switch (format) {
    case TextFormat::kNone:
      for (char32_t c : text) out += static_cast<char>(c);
      return out;
    case TextFormat::kUtf8:
      return "\xEF\xBB\xBF" + ToUtf8(text);
    case TextFormat::kUtf16LE:
    case TextFormat::kUtf16BE: {
      const bool be = format == TextFormat::kUtf16BE;
      AppendUnit(out, 0xFEFF, 2, be);
      for (char32_t c : text) {
        if (c >= 0x10000) {
          AppendUnit(out, 0xD800 + ((c - 0x10000) >> 10), 2, be);
          AppendUnit(out, 0xDC00 + ((c - 0x10000) & 0x3FF), 2, be);
        } else {
          AppendUnit(out, c, 2, be);
        }
      }
      return out;
    }
    case TextFormat::kUtf32LE:
    case TextFormat::kUtf32BE: {
      const bool be = format == TextFormat::kUtf32BE;
      AppendUnit(out, 0xFEFF, 4, be);
      for (char32_t c : text) AppendUnit(out, c, 4, be);
      return out;
    }
  }
  return out;
}

TEST(CheckMainFormatTest, EachMarkGivesItsFormatAndLogLine) {
  const struct {
    std::string bytes;
    MainFormat format;
    TextView line;
  } cases[] = {
      {"OpenWindow", MainFormat::kNone, U" -> No BOM found."},
      {"", MainFormat::kNone, U" -> No BOM found."},
      {"\xEF\xBB\xBFx", MainFormat::kUtf8, U" -> UTF-8 BOM found."},
      {"\xFF\xFEx\0"s, MainFormat::kUtf16LE, U" -> UTF-16 (Little Endian) BOM found."},
      {"\xFE\xFF\0x"s, MainFormat::kUtf16BE, U" -> UTF-16 (Big Endian) BOM found."},
      {"\xFF\xFE\0\0"s, MainFormat::kUtf32LE, U" -> UTF-32 (Little Endian) BOM found."},
      {"\0\0\xFE\xFF"s, MainFormat::kUtf32BE, U" -> UTF-32 (Big Endian) BOM found."},
  };
  for (const auto& c : cases) {
    TempDir dir;
    WriteBytes(dir / "Main.pb", c.bytes);
    const MainFormat format = CheckMainFormat(dir.path());
    EXPECT_EQ(format, c.format) << ToUtf8(c.line);
    EXPECT_EQ(MainFormatLogLine(format), c.line);
  }
}

TEST(CheckMainFormatTest, MissingMainCannotBeOpened) {
  TempDir dir;
  EXPECT_EQ(CheckMainFormat(dir.path()), MainFormat::kCannotOpen);
  EXPECT_EQ(MainFormatLogLine(MainFormat::kCannotOpen), U" -> Main.pb not found.");
}

TEST(LoadSourcesTest, MissingFilesUseTemplatesOrStayEmpty) {
  TempDir dir;
  SourceModel model;
  LoadSources(model, Switches{}, dir.path());
  EXPECT_EQ(model.LinesMain, TemplateLines(Template::kMain));
  EXPECT_EQ(model.LinesLoadLanguage, TemplateLines(Template::kLoadLanguage));
  EXPECT_EQ(model.LinesEventMain, TemplateLines(Template::kEventMainSelect));
  EXPECT_TRUE(model.LinesEventMenu.empty());
  EXPECT_TRUE(model.LinesEventGadget.empty());
  EXPECT_TRUE(model.LinesEventWindow.empty());
  EXPECT_EQ(model.MapLanguage.Count(), 0u);
}

TEST(LoadSourcesTest, ExistingFilesAreReadAndEventMainIsAlwaysATemplate) {
  TempDir dir;
  WriteBytes(dir / "Main.pb", "XIncludeFile \"CommonFile.pb\"\r\nOpen_Main()\r\n");
  WriteBytes(dir / "LoadLanguage.pb", "Procedure LoadLanguage()\n");
  WriteBytes(dir / "EventMain.pb", "stale\n");
  WriteBytes(dir / "EventWindow.pb", "");
  SourceModel model;
  LoadSources(model, Switches{}, dir.path());
  EXPECT_EQ(model.LinesMain, (Lines{U"XIncludeFile \"CommonFile.pb\"", U"Open_Main()"}));
  EXPECT_EQ(model.LinesLoadLanguage, Lines{U"Procedure LoadLanguage()"});
  EXPECT_EQ(model.LinesEventMain, TemplateLines(Template::kEventMainSelect));
  EXPECT_TRUE(model.LinesEventWindow.empty());
}

TEST(LoadSourcesTest, EventMainTemplateFollowsTheTwoSwitches) {
  const struct {
    int64_t call_fast;
    int64_t mac;
    Template expected;
  } cases[] = {
      {0, 0, Template::kEventMainSelect},
      {0, 1, Template::kEventMainSelectMac},
      {1, 0, Template::kEventMainTable},
      {1, 1, Template::kEventMainTableMac},
  };
  TempDir dir;
  for (const auto& c : cases) {
    Switches switches;
    switches.SwitchUseCallFast = c.call_fast;
    switches.SwitchMacMenuEvents = c.mac;
    SourceModel model;
    LoadSources(model, switches, dir.path());
    EXPECT_EQ(model.LinesEventMain, TemplateLines(c.expected)) << c.call_fast << c.mac;
  }
}

TEST(LoadSourcesTest, EveryMarkIsDecodedInItsFormat) {
  // Ä is Latin-1, € and the emoji are not (the emoji needs a surrogate pair in UTF-16).
  const Text wide = U"Debug \"\u00C4\u20AC\U0001F600\"";
  const struct {
    TextFormat format;
    Text line;
  } cases[] = {
      {TextFormat::kNone, U"Debug \"\u00C4\u00E9\""},
      {TextFormat::kUtf8, wide},
      {TextFormat::kUtf16LE, wide},
      {TextFormat::kUtf16BE, wide},
      {TextFormat::kUtf32LE, wide},
      {TextFormat::kUtf32BE, wide},
  };
  for (const auto& c : cases) {
    TempDir dir;
    const Text content = U"Open_Main()\r\n" + c.line + U"\n";
    for (const char* name : {"Main.pb", "LoadLanguage.pb", "EventGadget.pb"}) {
      WriteBytes(dir / name, Encode(content, c.format));
    }
    WriteBytes(dir / "Catalog", Encode(U"header\n" + c.line + U";x\n", c.format));
    SourceModel model;
    LoadSources(model, Switches{}, dir.path());
    const Lines expected = {U"Open_Main()", c.line};
    EXPECT_EQ(model.LinesMain, expected) << static_cast<int>(c.format);
    EXPECT_EQ(model.LinesLoadLanguage, expected);
    EXPECT_EQ(model.LinesEventGadget, expected);
    EXPECT_EQ(model.MapLanguage.Entries().size(), 1u);
    EXPECT_NE(model.MapLanguage.Find(Trim(c.line, U"\"")), nullptr);
  }
}

TEST(LoadSourcesTest, HandlerFilesLoseTheirTrailingCommentLines) {
  const struct {
    const char* content;
    Lines expected;
  } cases[] = {
      {"Procedure A()\nEndProcedure\n\n; IDE Options\n; CursorPosition = 3\n; EnableXP\n",
       {U"Procedure A()", U"EndProcedure", U""}},
      {"; only\n;comments\n", {}},
      {"EndProcedure\n ; indented\n", {U"EndProcedure", U" ; indented"}},
      {"; head\nEndProcedure\n; tail", {U"; head", U"EndProcedure"}},
      {"EndProcedure\n;\n", {U"EndProcedure"}},
  };
  for (const auto& c : cases) {
    TempDir dir;
    for (const char* name : {"EventMenu.pb", "EventGadget.pb", "EventWindow.pb"}) {
      WriteBytes(dir / name, c.content);
    }
    SourceModel model;
    LoadSources(model, Switches{}, dir.path());
    EXPECT_EQ(model.LinesEventMenu, c.expected) << c.content;
    EXPECT_EQ(model.LinesEventGadget, c.expected) << c.content;
    EXPECT_EQ(model.LinesEventWindow, c.expected) << c.content;
  }
}

TEST(LoadSourcesTest, CatalogEntries) {
  TempDir dir;
  WriteBytes(
      dir / "Catalog",
      "\"Key\";\"Header\"\n"      // the header line is never an entry
      "\"Open\";\"Open it\"\n"    // quotes stripped; overwritten below
      "\"Save\";\"\"\n"           // empty value: the key itself
      "; comment;x\n"             // empty key: ignored
      "Plain\n"                   // no ";": key maps to itself
      "\"\"\"Quoted\"\"\";a;b\n"  // every leading and trailing quote goes; third field unused
      "\"Odd;\"Half\n"            // odd quotes: stripped where they stand at an end
      "\"Open\";\"Auf\"\n"        // a later line overwrites
      "\"\";value\n");            // key of quotes only: empty, ignored
  SourceModel model;
  LoadSources(model, Switches{}, dir.path());
  const std::vector<std::pair<Text, Text>> expected = {{U"Open", U"Auf"},
                                                       {U"Save", U"Save"},
                                                       {U"Plain", U"Plain"},
                                                       {U"Quoted", U"a"},
                                                       {U"Odd", U"Half"}};
  EXPECT_EQ(model.MapLanguage.Entries(), expected);
}

TEST(LoadSourcesTest, CatalogWithOnlyAHeaderGivesNoEntries) {
  TempDir dir;
  WriteBytes(dir / "Catalog", "Open;Auf");
  SourceModel model;
  LoadSources(model, Switches{}, dir.path());
  EXPECT_EQ(model.MapLanguage.Count(), 0u);
}

class ScanIncludeFilesTest : public ::testing::Test {
 protected:
  NameList Scan(const std::string& main) {
    WriteBytes(dir_ / "Main.pb", main);
    SourceModel model;
    ScanIncludeFiles(model, dir_.path(), U"Main.pb");
    return model.ListIncludeFile;
  }
  Text InDir(const char* name) { return FromUtf8(dir_.path()) + T(name); }

  TempDir dir_;
};

TEST_F(ScanIncludeFilesTest, IncludeLines) {
  const Text dir_without_slash = FromUtf8(dir_.path().substr(0, dir_.path().size() - 1));
  const struct {
    const char* line;
    NameList expected;
  } cases[] = {
      {"IncludeFile \"Tools.pbi\"", {InDir("Tools.pbi")}},
      {"  XIncludeFile \"Tools.pbi\" ; note", {InDir("Tools.pbi")}},
      {"XIncludeFile \"Forms/Main.pbi\"", {InDir("Forms/Main.pbi")}},
      {"IncludeFile \"/lib/x.pbi\"", {dir_without_slash + U"/lib/x.pbi"}},
      {"XIncludeFile \"CommonFile.pb\"", {}},
      {"IncludeFile \"eventmenu.pb\"", {}},
      {"XIncludeFile \"EventMain.pb\"", {}},
      {"XIncludeFile \"sub/CommonFile.pb\"", {InDir("sub/CommonFile.pb")}},
      {"; XIncludeFile \"Tools.pbi\"", {}},
      {"Debug \"IncludeFile \"Tools.pbi\"", {}},
      {"includefile \"Tools.pbi\"", {}},
      {"IncludeFile\"Tools.pbi\"", {}},
      {"IncludeFile\"a.pbi\" \"b.pbi\"", {InDir(" ")}},
      {"IncludeFile \"\"", {}},
      {"IncludeFile \"Tools.pbi", {}},
      {"IncludeFile", {}},
      {"IncludePath \"inc/\"", {}},
      {"IncludeFile \"a.pbi\" : XIncludeFile \"b.pbi\"", {InDir("a.pbi")}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Scan(std::string(c.line) + "\n"), c.expected) << c.line;
  }
}

TEST_F(ScanIncludeFilesTest, EveryIncludeLineInOrderRepeatsIncluded) {
  EXPECT_EQ(Scan("XIncludeFile \"b.pbi\"\r\nOpen_Main()\r\nIncludeFile \"a.pbi\"\r\n"
                 "XIncludeFile \"b.pbi\""),
            (NameList{InDir("b.pbi"), InDir("a.pbi"), InDir("b.pbi")}));
}

TEST_F(ScanIncludeFilesTest, MarkedFileIsDecoded) {
  EXPECT_EQ(Scan(Encode(U"IncludeFile \"\u00DCber.pbi\"\n", TextFormat::kUtf16LE)),
            NameList{InDir("\xC3\x9C"
                           "ber.pbi")});
  EXPECT_EQ(Scan("IncludeFile \"\xDC"
                 "ber.pbi\"\n"),
            NameList{InDir("\xC3\x9C"
                           "ber.pbi")});
}

TEST_F(ScanIncludeFilesTest, MissingFileOrEmptyNameAddsNothing) {
  SourceModel model;
  ScanIncludeFiles(model, dir_.path(), U"Main.pb");
  WriteBytes(dir_ / "Main.pb", "IncludeFile \"a.pbi\"\n");
  ScanIncludeFiles(model, dir_.path(), U"");
  EXPECT_TRUE(model.ListIncludeFile.empty());
}

}  // namespace
}  // namespace corvane
