#include "generate/handlers.h"

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

Lines Header(const std::string& title) { return {";-TOP", "", title, "", kSeparator, ""}; }

Lines Concat(std::initializer_list<Lines> parts) {
  Lines out;
  for (const Lines& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

// A skeleton with one body line, as the menu, size and exit handlers have.
Lines Simple(const std::string& head, const std::string& body) {
  return {head, body, "EndProcedure", "", kSeparator, ""};
}

size_t CountLine(const TextList& lines, const std::string& wanted) {
  size_t count = 0;
  for (const Text line : lines) count += ToUtf8(line) == wanted;
  return count;
}

void AddAllHandlers(SourceModel& model) {
  AddMacMenuHandlers(model);
  AddMenuHandlers(model);
  AddSizeHandlers(model);
  AddExitHandlers(model);
  AddGadgetHandlers(model);
}

TEST(HandlersTest, NewWindowFileForTwoWindows) {
  SourceModel model;
  model.ListWindowID = {U"Window_0", U"Window_1"};
  AddSizeHandlers(model);
  AddExitHandlers(model);
  const Lines expected = Concat({
      Header("; Corvane Event Window"),
      Simple("Procedure EventSize_Window_0()", "  "),
      Simple("Procedure EventSize_Window_1()", "  "),
      Simple("Procedure EventExit_Window_0()", "  ExitApplication = 1"),
      Simple("Procedure EventExit_Window_1()", "  CloseWindow(#Window_1)"),
  });
  EXPECT_EQ(Utf8(model.LinesEventWindow), expected);
}

TEST(HandlersTest, GadgetProceduresSkipTextAndFrameGadgets) {
  SourceModel model;
  model.ListGadgetID = {{U"Window_0_Text_0", U"TEXTGADGET"},
                        {U"Window_0_Button_0", U"BUTTONGADGET"},
                        {U"Window_0_Frame_0", U"FRAME3DGADGET"},
                        {U"Window_0_My_0", U"MYUSERGADGET"}};
  AddGadgetHandlers(model);
  auto procedure = [](const std::string& name) -> Lines {
    return {"Procedure EventGadget_" + name + "(EventType)",
            "  ",
            "  Select EventType",
            "    Case #PB_EventType_LeftClick",
            "      ",
            "  EndSelect",
            "  ",
            "EndProcedure",
            "",
            kSeparator,
            ""};
  };
  const Lines expected = Concat({Header("; Corvane Event Gadget"), procedure("Window_0_Button_0"),
                                 procedure("Window_0_My_0")});
  EXPECT_EQ(Utf8(model.LinesEventGadget), expected);
}

TEST(HandlersTest, NoObjectsGiveHeaderOnly) {
  SourceModel model;
  AddMenuHandlers(model);
  AddSizeHandlers(model);
  AddExitHandlers(model);
  AddGadgetHandlers(model);
  EXPECT_EQ(Utf8(model.LinesEventMenu), Header("; Corvane Event Menu"));
  EXPECT_EQ(Utf8(model.LinesEventWindow), Header("; Corvane Event Window"));
  EXPECT_EQ(Utf8(model.LinesEventGadget), Header("; Corvane Event Gadget"));
}

TEST(HandlersTest, MacProceduresComeFirstAndMacAboutItemIsNotDoubled) {
  SourceModel model;
  model.ListMenuItemID = {U"MacAbout", U"Window_0_MenuItem_Open"};
  AddMacMenuHandlers(model);
  AddMenuHandlers(model);
  const Lines expected = Concat({
      Header("; Corvane Event Menu"),
      Simple("Procedure EventMenu_MacAbout()", "  "),
      Simple("Procedure EventMenu_MacPreferences()", "  "),
      Simple("Procedure EventMenu_MacQuit()", "  ExitApplication = 1"),
      Simple("Procedure EventMenu_Window_0_MenuItem_Open()", "  "),
  });
  EXPECT_EQ(Utf8(model.LinesEventMenu), expected);
}

TEST(HandlersTest, ExistingFileKeepsItsContentAndSecondRunAddsNothing) {
  SourceModel model;
  model.ListMenuItemID = {U"M_Open", U"M_Save"};
  model.ListWindowID = {U"W0", U"W1"};
  model.ListGadgetID = {{U"W0_Button", U"BUTTONGADGET"}};
  const Lines user_menu = {"; my menu code", "Procedure EventMenu_M_Open()", "  Debug 1",
                           "EndProcedure",   "Procedure EventMenu_Gone()",   "EndProcedure"};
  model.LinesEventMenu = FromLines(user_menu);
  AddAllHandlers(model);
  // No header for a list that is not empty; user lines and removed objects' procedures stay.
  const Lines expected_menu = Concat({
      user_menu,
      Simple("Procedure EventMenu_MacAbout()", "  "),
      Simple("Procedure EventMenu_MacPreferences()", "  "),
      Simple("Procedure EventMenu_MacQuit()", "  ExitApplication = 1"),
      Simple("Procedure EventMenu_M_Save()", "  "),
  });
  EXPECT_EQ(Utf8(model.LinesEventMenu), expected_menu);

  const TextList menu = model.LinesEventMenu;
  const TextList window = model.LinesEventWindow;
  const TextList gadget = model.LinesEventGadget;
  AddAllHandlers(model);
  EXPECT_EQ(model.LinesEventMenu, menu);
  EXPECT_EQ(model.LinesEventWindow, window);
  EXPECT_EQ(model.LinesEventGadget, gadget);
}

// Which existing line makes "Procedure EventMenu_Open()" count as present.
TEST(HandlersTest, PresenceIsAnExactSubstringOfSomeLine) {
  struct Case {
    const char* line;
    bool present;
  };
  const Case cases[] = {
      {"Procedure EventMenu_Open()", true},
      {";Procedure EventMenu_Open()", true},  // commented out
      {"  Procedure EventMenu_Open() ; note", true},
      {"Procedure X() : Procedure EventMenu_Open()", true},  // second occurrence on the line
      {"Procedure Procedure EventMenu_Open()", true},
      {"procedure EventMenu_Open()", false},  // keyword in lower case
      {"Procedure EventMenu_open()", false},
      {"Procedure EventMenu_Open ()", false},
      {"Procedure EventMenu_Open(x)", false},
      {"Procedure EventMenu_Open", false},  // no closing parenthesis at all
      {"Procedure  EventMenu_Open()", false},
      {"Procedure EventMenu_Open_2()", false},
  };
  for (const Case& c : cases) {
    SourceModel model;
    model.ListMenuItemID = {U"Open"};
    model.LinesEventMenu = {FromUtf8(c.line)};
    AddMenuHandlers(model);
    EXPECT_EQ(model.LinesEventMenu.size(), c.present ? 1u : 7u) << c.line;
  }
}

// A name holding ")" is found by a plain search of the lines, with the same meaning.
TEST(HandlersTest, NameWithClosingParenthesis) {
  SourceModel model;
  model.ListWindowID = {U"A)B", U"C)D"};
  model.LinesEventWindow =
      FromLines({"Procedure EventSize_A)B() ; kept", "Procedure EventSize_C)"});
  AddSizeHandlers(model);
  EXPECT_EQ(CountLine(model.LinesEventWindow, "Procedure EventSize_A)B()"), 0u);
  EXPECT_EQ(CountLine(model.LinesEventWindow, "Procedure EventSize_C)D()"), 1u);
  EXPECT_EQ(model.LinesEventWindow.size(), 2u + 6u);
}

TEST(HandlersTest, FirstWindowStaysMainWhenItsExitProcedureExists) {
  SourceModel model;
  model.ListWindowID = {U"W0", U"W1", U"W2"};
  model.LinesEventWindow = FromLines({"Procedure EventExit_W0()", "  End", "EndProcedure"});
  AddExitHandlers(model);
  const Lines expected = Concat({
      {"Procedure EventExit_W0()", "  End", "EndProcedure"},
      Simple("Procedure EventExit_W1()", "  CloseWindow(#W1)"),
      Simple("Procedure EventExit_W2()", "  CloseWindow(#W2)"),
  });
  EXPECT_EQ(Utf8(model.LinesEventWindow), expected);
}

// A head line appended earlier in the same run counts as present for a repeated name.
TEST(HandlersTest, RepeatedNameGetsOneProcedure) {
  SourceModel model;
  model.ListGadgetID = {{U"G", U"BUTTONGADGET"}, {U"G", U"STRINGGADGET"}};
  AddGadgetHandlers(model);
  EXPECT_EQ(CountLine(model.LinesEventGadget, "Procedure EventGadget_G(EventType)"), 1u);
}

TEST(HandlersTest, ScaleHundredThousandGadgets) {
  constexpr size_t kGadgets = 100000;
  SourceModel model;
  for (size_t i = 0; i < kGadgets; ++i) {
    model.ListGadgetID.push_back({U"Window_0_Button_" + Decimal(i), U"BUTTONGADGET"});
  }
  // Every second gadget already has its procedure.
  for (size_t i = 0; i < kGadgets; i += 2) {
    const GadgetRecord& g = model.ListGadgetID[i];
    model.LinesEventGadget.push_back(U"Procedure EventGadget_" + g.Name + U"(EventType)");
    AddGadgetHandlerBody(model.LinesEventGadget, g.Function);
    AddSeparatorBlock(model.LinesEventGadget);
  }
  const size_t before = model.LinesEventGadget.size();
  AddGadgetHandlers(model);
  EXPECT_EQ(model.LinesEventGadget.size(), before + (kGadgets / 2) * 11);
  EXPECT_EQ(ToUtf8(model.LinesEventGadget[before].text()),
            "Procedure EventGadget_Window_0_Button_1(EventType)");
}

}  // namespace
}  // namespace corvane
