#include "collect/form_conversion.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "analysis/scan.h"
#include "test_util.h"

namespace corvane {
namespace {

using Lines = LineList;
using testing::TempDir;
using testing::WriteBytes;

// The separator block that follows every procedure.
Lines Separator() { return {U"", Text(kSeparatorLine), U""}; }

Lines Concat(std::initializer_list<Lines> parts) {
  Lines all;
  for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// Converts the given files (name, bytes) of a fresh project directory, in order.
class ConvertFormFilesTest : public ::testing::Test {
 protected:
  void Add(const std::string& name, const std::string& bytes) {
    WriteBytes(dir_ / name, bytes);
    model_.ListCommonFile.push_back(FromUtf8(dir_ / name));
  }
  void Convert() { ConvertFormFiles(model_, log_); }
  // The converted line of `line` standing alone in a procedure of the file `name`.
  Text ConvertOne(const std::string& name, const std::string& line) {
    model_ = SourceModel{};
    Add(name, "Procedure X()\n" + line + "\nEndProcedure\n");
    Convert();
    return model_.LinesSource.at(1);
  }

  TempDir dir_;
  SourceModel model_;
  RecordingLog log_;
};

TEST_F(ConvertFormFilesTest, FormFileConversionTable) {
  const struct {
    const char* line;
    const char* expected;
  } cases[] = {
      {"Procedure OpenWindow_0(x = 0, y = 0, width = 600, height = 400)",
       "Procedure Open_Window_0(x = 0, y = 0, width = 600, height = 400)"},
      {"  CreateMenu(0, WindowID(Window_0))", "  CreateMenu(#Menu, WindowID(Window_0))"},
      {"  CreateToolBar(0, WindowID(Window_0))", "  CreateToolbar(#ToolBar, WindowID(Window_0))"},
      {"  ToolBarToolTip(0, 1, \"Tip\")", "  ToolBarToolTip(#ToolBar, 1, \"Tip\")"},
      {"  h = ToolBarHeight(0)", "  h = ToolBarHeight(#ToolBar)"},
      {"  GetToolBarButtonState(0, 1)", "  GetToolBarButtonState(#ToolBar, 1)"},
      {"  SetToolBarButtonState(0, 1, 1)", "  SetToolBarButtonState(#ToolBar, 1, 1)"},
      {"  CreateStatusBar(0, WindowID(Window_0))",
       "  CreateStatusBar(#StatusBar, WindowID(Window_0))"},
      {"  StatusBarText(0, 0, \"Ready\")", "  StatusBarText(#StatusBar, 0, \"Ready\")"},
      {"  StatusBarImage(0, 1, ImageID(0))", "  StatusBarImage(#StatusBar, 1, ImageID(0))"},
      {"  StatusBarProgress(0, 2, 50)", "  StatusBarProgress(#StatusBar, 2, 50)"},
      {"  y = StatusBarHeight(0) + MenuHeight()",
       "  y = StatusBarHeight(#StatusBar) + MenuHeight()"},
      // Case is ignored in the search; the replacement is written as in the table.
      {"  createstatusbar(0, WindowID(W))", "  CreateStatusBar(#StatusBar, WindowID(W))"},
      {"  CREATETOOLBAR(0, x)", "  CreateToolbar(#ToolBar, x)"},
      // Every occurrence on a line; only the number 0.
      {"  StatusBarText(0, 0, \"a\") : StatusBarText(0, 1, \"b\")",
       "  StatusBarText(#StatusBar, 0, \"a\") : StatusBarText(#StatusBar, 1, \"b\")"},
      {"  CreateMenu(1, WindowID(Window_0))", "  CreateMenu(1, WindowID(Window_0))"},
      {"  CreateMenu(#Main, WindowID(Window_0))", "  CreateMenu(#Main, WindowID(Window_0))"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ToUtf8(ConvertOne("Form.pbf", c.line)), c.expected) << c.line;
  }
}

TEST_F(ConvertFormFilesTest, ConversionOnlyForFormFilesInAnyCase) {
  const std::string line = "  CreateMenu(0, WindowID(Window_0))";
  EXPECT_EQ(ConvertOne("Form.PbF", line), U"  CreateMenu(#Menu, WindowID(Window_0))");
  EXPECT_EQ(ConvertOne("Form.pb", line), T(line));
  EXPECT_EQ(ConvertOne("Form.pbi", line), T(line));
  EXPECT_EQ(ConvertOne("pbf", line), T(line));
}

TEST_F(ConvertFormFilesTest, OnlyProcedureLinesAreTakenEachFollowedByASeparator) {
  Add("Form.pb",
      "; header comment\n"
      "Enumeration\n  #Main\nEndEnumeration\n"
      "Declare Helper()\n"
      "Procedure Open_Main()\n"
      "  OpenWindow(#Main, 0, 0, 100, 100, \"Main\")\n"
      "  ProcedureReturn 1\n"
      "EndProcedure\n"
      "; between\n"
      "Global x\n"
      "Procedure.i Calc()\n"
      "  ProcedureReturn 2\n"
      "EndProcedure\n"
      "procedure lower()\n"
      "endprocedure\n"
      "Debug x\n");
  Convert();
  EXPECT_EQ(model_.LinesSource,
            Concat({{U"Procedure Open_Main()", U"  OpenWindow(#Main, 0, 0, 100, 100, \"Main\")",
                     U"  ProcedureReturn 1", U"EndProcedure"},
                    Separator(),
                    // Procedure.i does not open a procedure, but its EndProcedure still ends one.
                    Separator(),
                    {U"procedure lower()", U"endprocedure"},
                    Separator()}));
  EXPECT_TRUE(log_.lines.empty());
}

TEST_F(ConvertFormFilesTest, FilesAreTakenInListOrderAndTheFlagStartsClearInEach) {
  Add("B.pb", "Procedure B()\n  b()\n");  // never closed
  Add("A.pb", "  Stray()\nProcedure A()\nEndProcedure\n");
  Convert();
  EXPECT_EQ(model_.LinesSource,
            Concat({{U"Procedure B()", U"  b()", U"Procedure A()", U"EndProcedure"}, Separator()}));
}

TEST_F(ConvertFormFilesTest, ImageAndFontRecordsOutsideProcedures) {
  Add("Form.pbf",
      "Img_0 = LoadImage(#Img_0, \"icons/open.png\")\n"
      "; LoadImage(#Img_1, \"x.png\")\n"
      "LoadImage(#Img_2, \"x.png\") ; loaded twice\n"
      "loadimage( #Img_3 ,\"x.png\")\n"
      "LoadImage(#Img_4, File$)\n"            // no quotes: no record
      "LoadImage(#Img_5)\n"                   // no comma: no record
      "Debug \"a\" : LoadImage(#Img_6, p)\n"  // the first quotes of the line give File
      "x = LoadImage(\n"                      // nothing after the parenthesis
      "LoadFont(#Font_Big, \"Arial\", 16)\n"
      "; LoadFont(#Font_Off, \"Arial\", 8)\n"
      "LoadFont(#Font_Bad)\n"
      "Procedure Open_Main()\n"
      "  LoadFont(#Font_In, \"Arial\", 9)\n"
      "  LoadImage(#Img_In, \"in.png\")\n"
      "EndProcedure : LoadImage(#Img_End, \"end.png\")\n");
  Convert();
  const std::vector<std::pair<Text, Text>> expected_images = {{U"#Img_0", U"icons/open.png"},
                                                              {U"#Img_2", U"x.png"},
                                                              {U" #Img_3 ", U"x.png"},
                                                              {U"#Img_6", U"a"},
                                                              {U"#Img_End", U"end.png"}};
  std::vector<std::pair<Text, Text>> images;
  for (const ImageRecord& r : model_.ListImage) images.emplace_back(r.Name, r.File);
  EXPECT_EQ(images, expected_images);
  ASSERT_EQ(model_.ListFont.size(), 1u);
  EXPECT_EQ(model_.ListFont[0].Name, U"#Font_Big");
  EXPECT_EQ(model_.ListFont[0].Line, U"LoadFont(#Font_Big, \"Arial\", 16)");
  EXPECT_EQ(model_.LinesSource.size(), 4u + Separator().size());
}

TEST_F(ConvertFormFilesTest, UnopenableFileIsLoggedAndTheOthersAreRead) {
  Add("A.pbf", "Procedure OpenA()\nEndProcedure\n");
  const Text missing = FromUtf8(dir_ / "Missing.pbf");
  model_.ListCommonFile.push_back(missing);
  model_.ListCommonFile.push_back(FromUtf8(dir_.path()));  // a directory cannot be read either
  Add("B.pb", "Procedure B()\nEndProcedure\n");
  Convert();
  EXPECT_EQ(log_.lines, (std::vector<Text>{U"Error " + missing + U": Errorcode: 1",
                                           U"Error " + FromUtf8(dir_.path()) + U": Errorcode: 1"}));
  EXPECT_EQ(model_.LinesSource, Concat({{U"Procedure Open_A()", U"EndProcedure"},
                                        Separator(),
                                        {U"Procedure B()", U"EndProcedure"},
                                        Separator()}));
}

TEST_F(ConvertFormFilesTest, MarkedFileIsDecoded) {
  // UTF-16 LE with CR LF: "Procedure OpenÄ()", "EndProcedure".
  std::string bytes = "\xFF\xFE";
  for (char32_t c : Text(U"Procedure Open\u00C4()\r\nEndProcedure\r\n")) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  Add("Form.pbf", bytes);
  Add("Latin.pb", "Procedure \xC4()\nEndProcedure\n");
  Convert();
  EXPECT_EQ(model_.LinesSource, Concat({{U"Procedure Open_\u00C4()", U"EndProcedure"},
                                        Separator(),
                                        {U"Procedure \u00C4()", U"EndProcedure"},
                                        Separator()}));
}

// Real form files: every EndProcedure line gives one separator block, and no line of a form
// file's procedures keeps a numbered menu, toolbar or status bar.
TEST(ConvertFormFilesCorpusTest, RealFormFiles) {
  const std::filesystem::path corpus = std::filesystem::path(CORVANE_CORPUS) / "forms";
  if (!std::filesystem::exists(corpus)) GTEST_SKIP() << "no corpus";
  for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
    const std::string ext = entry.path().extension().string();
    if (ext != ".pbf" && ext != ".pb" && ext != ".pbi") continue;
    SourceModel model;
    RecordingLog log;
    model.ListCommonFile.push_back(FromUtf8(entry.path().string()));
    ConvertFormFiles(model, log);
    EXPECT_TRUE(log.lines.empty());
    TextFile file;
    ASSERT_TRUE(ReadTextFile(entry.path().string(), file));
    size_t ends = 0;
    for (const Text line : file.lines) ends += FindNoCase(line, U"ENDPROCEDURE", 1) != 0;
    size_t separators = 0;
    for (const Text line : model.LinesSource) {
      separators += line == kSeparatorLine;
      if (ext == ".pbf") {
        EXPECT_EQ(FindNoCase(line, U"CreateMenu(0", 1), 0u) << entry.path();
        EXPECT_EQ(FindNoCase(line, U"CreateStatusBar(0", 1), 0u) << entry.path();
      }
    }
    EXPECT_EQ(separators, ends) << entry.path();
  }
}

}  // namespace
}  // namespace corvane
