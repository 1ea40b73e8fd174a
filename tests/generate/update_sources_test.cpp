#include "generate/update_sources.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/time.h>

#include <ctime>
#include <filesystem>
#include <random>
#include <set>

#include "analysis/error_text.h"
#include "analysis/scan.h"
#include "test_util.h"

namespace corvane {
namespace {

using testing::Exists;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

ReplaceRecord Pair(const char* old_name, const char* new_name, int kind) {
  return {T(old_name), T(new_name), kind};
}

std::set<std::string> Names(const std::string& dir) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

// ---------------------------------------------------------------------------------------------
// Backup

TEST(MakeBackupTest, CopiesPbFilesOnlyAndOverwritesTheLastBackup) {
  TempDir dir;
  for (const char* name : {"Main.pb", "Tools.pbi", "Demo.pbm", "Form.pbf", "notes.txt"}) {
    WriteBytes(dir / name, name);
  }
  std::filesystem::create_directory(dir / "sub");
  WriteBytes(dir / "sub/Inner.pb", "inner");
  RecordingLog log;

  MakeBackup(dir.path(), log);
  EXPECT_EQ(Names(dir / "Backup"),
            (std::set<std::string>{"Main.pb", "Tools.pbi", "Demo.pbm", "Form.pbf"}));
  EXPECT_EQ(ReadBytes(dir / "Backup/Main.pb"), "Main.pb");

  // A second run finds the directory present, which is no error, and replaces the copies.
  WriteBytes(dir / "Main.pb", "changed");
  MakeBackup(dir.path(), log);
  EXPECT_EQ(ReadBytes(dir / "Backup/Main.pb"), "changed");
  EXPECT_TRUE(log.lines.empty());
}

TEST(MakeBackupTest, UnusableBackupDirectoryIsLoggedAndTheRunGoesOn) {
  TempDir dir;
  WriteBytes(dir / "Main.pb", "x");
  WriteBytes(dir / "Backup", "a file in the way");
  RecordingLog log;
  MakeBackup(dir.path(), log);
  EXPECT_EQ(log.lines, std::vector<Text>{U"- Error CopyDirectory"});

  RecordingLog missing;
  MakeBackup(dir / "nowhere/", missing);
  EXPECT_EQ(missing.lines, std::vector<Text>{U"- Error CopyDirectory"});
}

// ---------------------------------------------------------------------------------------------
// The in-memory updates

// A model whose four code lists all hold `lines`.
SourceModel CodeModel(const TextList& lines, std::vector<ReplaceRecord> replace) {
  SourceModel model;
  model.LinesMain = lines;
  model.LinesEventMenu = lines;
  model.LinesEventGadget = lines;
  model.LinesEventWindow = lines;
  model.ListReplace = std::move(replace);
  return model;
}

TEST(UpdatePrefixesTest, WindowPairRenamesHandlerAndConstantPrefixesInTheirFiles) {
  const TextList lines = {
      U"Procedure EventMenu_Window_0_Open(EventType)",
      U"Procedure EventGadget_WINDOW_0_Ok(EventType)",
      U"Procedure EventSize_Window_0_X() : EventExit_window_0_Y()",
      U"  SetGadgetText(#window_0_OkButton, \"#Window_0\")",
      U"  x = #Window_0 + #Window_01_A + Other#Window_0_B",
  };
  SourceModel model = CodeModel(lines, {Pair("Window_0", "Main", 1), Pair("Open", "Go", 3)});
  UpdatePrefixes(model);

  // Constant prefixes change in all four lists, with no word check after the "_", as written in
  // New; "#Window_0" alone and "#Window_01_" are no prefix of the window.
  const Text constants_line = U"  SetGadgetText(#Main_OkButton, \"#Window_0\")";
  const Text other_line = U"  x = #Window_0 + #Window_01_A + Other#Main_B";
  EXPECT_EQ(model.LinesMain, (TextList{lines[0], lines[1], lines[2], constants_line, other_line}));
  EXPECT_EQ(model.LinesEventMenu, (TextList{U"Procedure EventMenu_Main_Open(EventType)", lines[1],
                                            lines[2], constants_line, other_line}));
  EXPECT_EQ(model.LinesEventGadget, (TextList{lines[0], U"Procedure EventGadget_Main_Ok(EventType)",
                                              lines[2], constants_line, other_line}));
  EXPECT_EQ(model.LinesEventWindow,
            (TextList{lines[0], lines[1], U"Procedure EventSize_Main_X() : EventExit_Main_Y()",
                      constants_line, other_line}));
}

TEST(UpdateProceduresTest, RenamesWholeHandlerNamesByKind) {
  const TextList lines = {
      U"Procedure EventMenu_Open(EventType) ; EventMenu_OpenFile EventMenu_Open_Recent",
      U"Procedure EVENTGADGET_Ok(EventType) ; MyEventGadget_Ok",
      U"Procedure EventSize_Win() : EventExit_Win() : EventMenu_Bar : EventMenu_Status",
  };
  SourceModel model =
      CodeModel(lines, {Pair("Open", "Load", 3), Pair("Ok", "Accept", 6), Pair("Win", "Main", 1),
                        Pair("Bar", "X", 2), Pair("Status", "Y", 4), Pair("Tool", "Z", 5)});
  UpdateProcedures(model);

  EXPECT_EQ(model.LinesMain, lines);
  EXPECT_EQ(
      model.LinesEventMenu,
      (TextList{U"Procedure EventMenu_Load(EventType) ; EventMenu_OpenFile EventMenu_Open_Recent",
                lines[1], lines[2]}));
  EXPECT_EQ(model.LinesEventGadget,
            (TextList{lines[0], U"Procedure EventGadget_Accept(EventType) ; MyEventGadget_Ok",
                      lines[2]}));
  EXPECT_EQ(model.LinesEventWindow,
            (TextList{lines[0], lines[1],
                      U"Procedure EventSize_Main() : EventExit_Main() : EventMenu_Bar : "
                      U"EventMenu_Status"}));
}

TEST(UpdateConstantsTest, RenamesHashConstantsAsWholeWordsInAllFourLists) {
  struct Case {
    Text line;
    Text expected;
  } cases[] = {
      {U"DisableMenuItem(#Menu, #Open, 1)", U"DisableMenuItem(#Menu, #Load, 1)"},
      {U"Case #OPEN : Open = 1", U"Case #Load : Open = 1"},  // the word without "#" stays
      {U"Case #OpenFile, #Open_Recent, x#Open", U"Case #OpenFile, #Open_Recent, x#Open"},
      {U"#A + #B", U"#C + #C"},  // A -> B -> C and B -> C, in list order
      {U"#Main_Ok", U"#Main_Ok"},
  };
  TextList lines, expected;
  for (const Case& c : cases) {
    lines.push_back(c.line);
    expected.push_back(c.expected);
  }
  SourceModel model =
      CodeModel(lines, {Pair("Open", "Load", 3), Pair("A", "B", 6), Pair("B", "C", 6)});
  UpdateConstants(model);
  EXPECT_EQ(model.LinesMain, expected);
  EXPECT_EQ(model.LinesEventMenu, expected);
  EXPECT_EQ(model.LinesEventGadget, expected);
  EXPECT_EQ(model.LinesEventWindow, expected);
}

TEST(UpdateOpenWindowTest, RenamesOnlyTheOpenCallOfRenamedWindows) {
  const TextList lines = {U"open_Window_0() : Open_Window_01() : Open_Window_0(1)",
                          U"Open_Ok() ; Open_Window_0()"};
  SourceModel model = CodeModel(lines, {Pair("Window_0", "Main", 1), Pair("Ok", "Fine", 6)});
  UpdateOpenWindow(model);
  const TextList expected = {U"Open_Main() : Open_Window_01() : Open_Window_0(1)",
                             U"Open_Ok() ; Open_Main()"};
  EXPECT_EQ(model.LinesMain, expected);
  EXPECT_EQ(model.LinesEventWindow, expected);
}

// The four updates checked against their definition: every record, in list order, applied with a
// plain search over every line. Random lines built from names that overlap, chain and differ in
// case exercise the lookup index that skips lines.
void ReferenceUpdate(SourceModel& model) {
  auto each = [](TextList& lines, auto change) {
    for (Line& line : lines) line = change(line.text());
  };
  auto code_lists = [&model] {
    return std::vector<TextList*>{&model.LinesMain, &model.LinesEventMenu, &model.LinesEventGadget,
                                  &model.LinesEventWindow};
  };
  const auto& replace = model.ListReplace;
  for (const ReplaceRecord& r : replace) {
    if (r.Kind != 1) continue;
    auto plain = [&r](const char32_t* lead) {
      return [&r, lead](const Text& line) {
        return ReplaceNoCase(line, lead + r.Old + U"_", lead + r.New + U"_");
      };
    };
    each(model.LinesEventMenu, plain(U"EventMenu_"));
    each(model.LinesEventGadget, plain(U"EventGadget_"));
    each(model.LinesEventWindow, plain(U"EventSize_"));
    each(model.LinesEventWindow, plain(U"EventExit_"));
    for (TextList* lines : code_lists()) each(*lines, plain(U"#"));
  }
  auto word = [](const Text& from, const Text& to) {
    return [from, to](const Text& line) { return ReplaceWord(line, from, to); };
  };
  for (const ReplaceRecord& r : replace) {
    if (r.Kind == 3) each(model.LinesEventMenu, word(U"EventMenu_" + r.Old, U"EventMenu_" + r.New));
    if (r.Kind == 6) {
      each(model.LinesEventGadget, word(U"EventGadget_" + r.Old, U"EventGadget_" + r.New));
    }
    if (r.Kind == 1) {
      each(model.LinesEventWindow, word(U"EventSize_" + r.Old, U"EventSize_" + r.New));
      each(model.LinesEventWindow, word(U"EventExit_" + r.Old, U"EventExit_" + r.New));
    }
  }
  for (const ReplaceRecord& r : replace) {
    for (TextList* lines : code_lists()) each(*lines, word(U"#" + r.Old, U"#" + r.New));
  }
  for (const ReplaceRecord& r : replace) {
    if (r.Kind != 1) continue;
    for (TextList* lines : code_lists()) {
      each(*lines, word(U"Open_" + r.Old + U"()", U"Open_" + r.New + U"()"));
    }
  }
}

TEST(UpdateSourcesTest, MatchesTheRecordByRecordDefinitionOnRandomLines) {
  const std::vector<Text> pieces = {U"#",
                                    U"#",
                                    U"A",
                                    U"a",
                                    U"B",
                                    U"A_",
                                    U"B_C",
                                    U"_",
                                    U" ",
                                    U"(",
                                    U"()",
                                    U"Open_",
                                    U"OPEN_",
                                    U"Win",
                                    U"win_A",
                                    U"EventMenu_",
                                    U"EventGadget_",
                                    U"EventSize_",
                                    U"eventexit_",
                                    U"x",
                                    U"1",
                                    U"#A#",
                                    U"a b",
                                    U"é",
                                    U"Win_Win_",
                                    U"C"};
  const std::vector<ReplaceRecord> records = {
      Pair("A", "B", 1),   Pair("B", "C", 1),     Pair("Win", "A", 1), Pair("A", "Win_A", 6),
      Pair("B_C", "A", 3), Pair("win_A", "B", 1), Pair("a b", "A", 6), Pair("", "Z", 2),
      Pair("C", "a", 3),   Pair("Win_", "C", 1),  Pair("é", "A", 1)};
  std::mt19937 random(7);
  for (int round = 0; round < 300; ++round) {
    TextList lines;
    for (int n = 0; n < 6; ++n) {
      Text line;
      const int length = static_cast<int>(random() % 12);
      for (int k = 0; k < length; ++k) line += pieces[random() % pieces.size()];
      lines.push_back(line);
    }
    std::vector<ReplaceRecord> replace;
    for (int k = static_cast<int>(random() % 6); k >= 0; --k) {
      replace.push_back(records[random() % records.size()]);
    }
    SourceModel model = CodeModel(lines, replace);
    SourceModel expected = model;
    UpdatePrefixes(model);
    UpdateProcedures(model);
    UpdateConstants(model);
    UpdateOpenWindow(model);
    ReferenceUpdate(expected);
    ASSERT_EQ(model.LinesMain, expected.LinesMain) << "round " << round;
    ASSERT_EQ(model.LinesEventMenu, expected.LinesEventMenu) << "round " << round;
    ASSERT_EQ(model.LinesEventGadget, expected.LinesEventGadget) << "round " << round;
    ASSERT_EQ(model.LinesEventWindow, expected.LinesEventWindow) << "round " << round;
  }
}

TEST(UpdateSourcesTest, LargeFilesWithManyRecordsStayFast) {
  TextList lines;
  for (int i = 0; i < 100000; ++i) {
    lines.push_back(U"  SetGadgetText(#Window_" + Decimal(i % 50) + U"_Gadget_" + Decimal(i) +
                    U", GetGadgetText(#Window_1_Gadget_" + Decimal(i) + U")) ; EventGadget_x");
  }
  std::vector<ReplaceRecord> replace;
  for (int i = 0; i < 100; ++i) {
    replace.push_back({U"Window_" + Decimal(100 + i), U"Main_" + Decimal(i), i % 6 + 1});
  }
  replace.push_back(Pair("Window_1", "Main", 1));
  SourceModel model = CodeModel(lines, replace);

  const std::clock_t start = std::clock();  // processor time: other load does not count
  UpdatePrefixes(model);
  UpdateProcedures(model);
  UpdateConstants(model);
  UpdateOpenWindow(model);
  const double seconds = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;

  EXPECT_EQ(model.LinesMain[3],
            U"  SetGadgetText(#Window_3_Gadget_3, GetGadgetText(#Main_Gadget_3)) ; EventGadget_x");
  EXPECT_EQ(model.LinesEventWindow[1],
            U"  SetGadgetText(#Main_Gadget_1, GetGadgetText(#Main_Gadget_1)) ; EventGadget_x");
  // Generous for sanitizer builds; the plain build takes a small fraction of this.
  EXPECT_LT(seconds, 3.0);
}

// ---------------------------------------------------------------------------------------------
// Include files

class UpdateIncludeFilesTest : public ::testing::Test {
 protected:
  // Names `name` as an include file of the model and returns its path.
  std::string Include(const std::string& name) {
    const std::string path = dir_ / name;
    model_.ListIncludeFile.push_back(FromUtf8(path));
    return path;
  }
  Text UpdateLine(const std::string& path, int count) {
    return U" -> Update Includefile " + FromUtf8(path) + U" / Count Change: " + Decimal(count);
  }

  TempDir dir_;
  SourceModel model_;
  RecordingLog log_;
};

TEST_F(UpdateIncludeFilesTest, RewritesAChangedFileAndLogsItsCount) {
  const std::string path = Include("Tools.pbi");
  WriteBytes(path, "SetGadgetText(#Window_0_Name, \"\")\r\nEventMenu_Window_0_Open()\r\n");
  model_.ListReplace = {Pair("Window_0", "Main", 1)};
  UpdateIncludeFiles(model_, log_);
  EXPECT_EQ(log_.lines, std::vector<Text>{UpdateLine(path, 1)});
  // Handler names are not renamed in include files; the file gets line feeds.
  EXPECT_EQ(ReadBytes(path), "SetGadgetText(#Main_Name, \"\")\nEventMenu_Window_0_Open()\n");
}

TEST_F(UpdateIncludeFilesTest, CountsEachChangeOfALinePerRecordAndPass) {
  const std::string path = Include("Count.pbi");
  WriteBytes(path,
             "OpenWindow(#W, 0) : x = #W_Ok\n"  // 3: prefix, constant, then #V_Ok again
             "Open_W() ; #A\n"                  // 3: A -> B, B -> C, open call
             "#W_Ok\n"                          // 2: prefix, then #V_Ok
             "#Untouched\n");
  model_.ListReplace = {Pair("W", "V", 1), Pair("A", "B", 6), Pair("B", "C", 6),
                        Pair("V_Ok", "Fine", 6)};
  UpdateIncludeFiles(model_, log_);
  EXPECT_EQ(log_.lines, std::vector<Text>{UpdateLine(path, 8)});
  EXPECT_EQ(ReadBytes(path), "OpenWindow(#V, 0) : x = #Fine\nOpen_V() ; #C\n#Fine\n#Untouched\n");
}

TEST_F(UpdateIncludeFilesTest, UnchangedFileKeepsItsBytesAndDate) {
  const std::string path = Include("Same.pbi");
  const std::string bytes = "\xEF\xBB\xBF#Other_0_Ok\r\nx\r";
  WriteBytes(path, bytes);
  const struct timeval old_times[2] = {{1000000000, 0}, {1000000000, 0}};
  ASSERT_EQ(utimes(path.c_str(), old_times), 0);
  model_.ListReplace = {Pair("Window_0", "Main", 1)};
  UpdateIncludeFiles(model_, log_);
  struct stat st;
  ASSERT_EQ(stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mtime, 1000000000);
  EXPECT_EQ(ReadBytes(path), bytes);
  EXPECT_TRUE(log_.lines.empty());
}

// A rewritten file keeps a byte order mark it had (as UTF-8) and stays single-byte text without
// one, so no character changes its meaning on the way.
TEST_F(UpdateIncludeFilesTest, RewrittenFileKeepsItsEncoding) {
  const struct {
    std::string name, bytes, expected;
  } cases[] = {
      {"utf8.pbi", "\xEF\xBB\xBF#A \xC3\xA9\n", "\xEF\xBB\xBF#B \xC3\xA9\n"},
      {"utf16.pbi", std::string("\xFF\xFE#\0A\0 \0\xAC\x20", 10), "\xEF\xBB\xBF#B \xE2\x82\xAC\n"},
      {"latin1.pbi", "#A \xE9\n", "#B \xE9\n"},
  };
  for (const auto& c : cases) WriteBytes(Include(c.name), c.bytes);
  model_.ListReplace = {Pair("A", "B", 6)};
  UpdateIncludeFiles(model_, log_);
  EXPECT_EQ(log_.lines.size(), 3u);
  for (const auto& c : cases) EXPECT_EQ(ReadBytes(dir_ / c.name), c.expected) << c.name;
}

TEST_F(UpdateIncludeFilesTest, MissingFileIsCreatedEmptyAndUnreadableOneIsSkipped) {
  const std::string missing = Include("Missing.pbi");
  const std::string locked = Include("Locked.pbi");
  const std::string open = Include("Open.pbi");
  WriteBytes(locked, "#A\n");
  ASSERT_EQ(chmod(locked.c_str(), 0444), 0);
  WriteBytes(open, "#A\n");
  model_.ListReplace = {Pair("A", "B", 6)};
  UpdateIncludeFiles(model_, log_);

  EXPECT_TRUE(Exists(missing));
  EXPECT_EQ(ReadBytes(missing), "");
  EXPECT_EQ(ReadBytes(locked), "#A\n");
  EXPECT_EQ(ReadBytes(open), "#B\n");
  EXPECT_EQ(log_.lines, (std::vector<Text>{U" -> Error OpenFile " + FromUtf8(locked) + U" / " +
                                               ErrorText(LastErrorCode()),
                                           UpdateLine(open, 1)}));
}

// A write cut off by the file-size limit must leave the old content, not a half-written file.
TEST_F(UpdateIncludeFilesTest, FailedRewriteIsLoggedAndKeepsTheOldContent) {
  const std::string path = Include("Big.pbi");
  const std::string old = "#A\n" + std::string(3000, 'x') + "\n";
  WriteBytes(path, old);
  model_.ListReplace = {Pair("A", "Longer", 6)};

  {
    testing::FileSizeLimit limit(1024);
    ASSERT_TRUE(limit.active());
    UpdateIncludeFiles(model_, log_);
  }

  EXPECT_EQ(ReadBytes(path), old);
  EXPECT_EQ(log_.lines,
            (std::vector<Text>{UpdateLine(path, 1), U" -> Error WriteFile " + FromUtf8(path) +
                                                        U" / " + ErrorText(LastErrorCode())}));
  EXPECT_EQ(Names(dir_.path()), std::set<std::string>{"Big.pbi"});
}

}  // namespace
}  // namespace corvane
