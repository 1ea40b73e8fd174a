#include "generate/common_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_util.h"

namespace corvane {
namespace {

using testing::FromLines;
using testing::Lines;
using testing::Utf8;

const std::string kSeparator = ToUtf8(kSeparatorLine);

Lines EmptySection(const std::string& title) {
  return {title, ";", "Enumeration", "EndEnumeration", ""};
}

Lines Concat(std::initializer_list<Lines> parts) {
  Lines out;
  for (const Lines& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

SourceModel OneWindowProject() {
  SourceModel model;
  model.ListWindowID = {U"Window_0"};
  model.ListMenuID = {U"Window_0_Menu_0"};
  model.ListMenuItemID = {U"Window_0_MenuItem_Open"};
  model.ListGadgetID = {{U"Window_0_Button_0", U"BUTTONGADGET"}};
  model.LinesSource = FromLines({"Procedure Open_Window_0()", "EndProcedure"});
  return model;
}

TEST(CommonFileTest, OneWindowProjectWholeFile) {
  SourceModel model = OneWindowProject();
  BuildConstantSections(model);
  BuildCommonFile(model, Switches{});
  const Lines separator_block = {"", kSeparator, ""};
  const Lines expected = Concat({
      {"; Corvane Commonfile (Do Not Edit - Allways Overwrite)"},
      separator_block,
      {";- Window Constants", ";", "Enumeration", "  #Window_0", "EndEnumeration", ""},
      {";- Menubar Constants", ";", "Enumeration", "  #Window_0_Menu_0", "EndEnumeration", ""},
      {";- MenuItem Constants", ";", "Enumeration", "  #Window_0_MenuItem_Open", "EndEnumeration",
       ""},
      {";- Gadget Constants", ";", "Enumeration", "  #Window_0_Button_0", "EndEnumeration", ""},
      EmptySection(";- StatusBar Constants"),
      EmptySection(";- ToolBar Constants"),
      EmptySection(";- Font Constants"),
      EmptySection(";- Image Constants"),
      // No font or image code: the second and third separator blocks follow each other, and the
      // form code follows the third directly when the project is not multilingual.
      separator_block,
      separator_block,
      {"Procedure Open_Window_0()", "EndProcedure"},
  });
  EXPECT_EQ(Utf8(model.LinesCommonFile), expected);
}

TEST(CommonFileTest, NamesWrittenAsHeldAndResourcesKeepTheirHash) {
  SourceModel model;
  model.ListGadgetID = {{U"win_Text_0", U"TEXTGADGET"}, {U"win_Frame", U"FRAME3DGADGET"}};
  model.ListStatusBarID = {U"win_Status"};
  model.ListToolBarID = {U"win_Tool"};
  model.ListFont = {{U"#Font_b", U"LoadFont(#Font_b, \"Arial\", 9)"}, {U"#font_a", U"x"}};
  model.ListImage = {{U"#Img_Ä", U"a.png"}};
  BuildConstantSections(model);
  const Lines expected = Concat({
      EmptySection(";- Window Constants"),
      EmptySection(";- Menubar Constants"),
      EmptySection(";- MenuItem Constants"),
      {";- Gadget Constants", ";", "Enumeration", "  #win_Text_0", "  #win_Frame", "EndEnumeration",
       ""},
      {";- StatusBar Constants", ";", "Enumeration", "  #win_Status", "EndEnumeration", ""},
      {";- ToolBar Constants", ";", "Enumeration", "  #win_Tool", "EndEnumeration", ""},
      {";- Font Constants", ";", "Enumeration", "  #Font_b", "  #font_a", "EndEnumeration", ""},
      {";- Image Constants", ";", "Enumeration", "  #Img_Ä", "EndEnumeration", ""},
  });
  EXPECT_EQ(Utf8(model.LinesConstants), expected);
}

TEST(CommonFileTest, MultilangAddsIncludeAndFourthSeparatorBlock) {
  SourceModel model;
  model.LinesConstants = FromLines({"C"});
  model.LinesFonts = FromLines({"F1", ""});
  model.LinesImages = FromLines({"I1"});
  model.LinesSource = FromLines({"S1"});
  Switches switches;
  switches.SwitchMultilang = 1;
  BuildCommonFile(model, switches);
  const Lines expected = {"; Corvane Commonfile (Do Not Edit - Allways Overwrite)",
                          "",
                          kSeparator,
                          "",
                          "C",
                          "",
                          kSeparator,
                          "",
                          "F1",
                          "",
                          "I1",  // fonts, then images, nothing between
                          "",
                          kSeparator,
                          "",
                          "IncludeFile \"LoadLanguage.pb\"",
                          "",
                          kSeparator,
                          "",
                          "S1"};
  EXPECT_EQ(Utf8(model.LinesCommonFile), expected);
}

}  // namespace
}  // namespace corvane
