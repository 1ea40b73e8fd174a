#include "collect/language.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <utility>
#include <vector>

#include "analysis/error_text.h"
#include "generate/templates.h"
#include "test_util.h"

namespace corvane {
namespace {

using Lines = std::vector<std::string>;
using Entries = std::vector<std::pair<std::string, std::string>>;

TextList FromLines(const Lines& lines) {
  TextList out;
  for (const std::string& line : lines) out.push_back(T(line));
  return out;
}

Lines Utf8(const TextList& lines) {
  Lines out;
  for (const Text line : lines) out.push_back(ToUtf8(line));
  return out;
}

Entries EntriesOf(const TextMap& map) {
  Entries out;
  for (const auto& [key, value] : map.Entries()) out.push_back({ToUtf8(key), ToUtf8(value)});
  return out;
}

template <typename Pass>
std::string RunOnLine(Pass pass, const std::string& line) {
  SourceModel model;
  model.LinesSource.push_back(T(line));
  pass(model);
  return ToUtf8(model.LinesSource[0].text());
}

TEST(ExpandMenuItemTabTest, Lines) {
  const std::pair<const char*, const char*> cases[] = {
      {"MenuItem(#MenuItem_Open, \"Open\\tCtrl+O\")",
       "MenuItem(#MenuItem_Open, \"Open\" + #TAB$ + \"Ctrl+O\")"},
      {"  menuitem(#M, \"A\\TB\\tC\")", "  menuitem(#M, \"A\" + #TAB$ + \"B\" + #TAB$ + \"C\")"},
      // Only menu item lines.
      {"TextGadget(#T, 0, 0, 1, 1, \"a\\tb\")", "TextGadget(#T, 0, 0, 1, 1, \"a\\tb\")"},
      {"MenuItem(0, \"a\\tb\")", "MenuItem(0, \"a\\tb\")"},
  };
  for (const auto& [before, after] : cases) {
    EXPECT_EQ(RunOnLine(ExpandMenuItemTab, before), after) << before;
  }
}

TEST(WrapLanguageTextsTest, Lines) {
  const std::pair<const char*, const char*> cases[] = {
      {"TextGadget(#Text_0, 10, 10, 200, 20, \"Name\", #PB_Text_Right)",
       "TextGadget(#Text_0, 10, 10, 200, 20, MyLanguage(\"Name\"), #PB_Text_Right)"},
      // Only the first quoted text.
      {"SetGadgetText(#String_0, \"a\" + \"b\")",
       "SetGadgetText(#String_0, MyLanguage(\"a\") + \"b\")"},
      {"ButtonGadget(#B, 0, 0, 1, 1, \"\")", "ButtonGadget(#B, 0, 0, 1, 1, MyLanguage(\"\"))"},
      // Window titles and image files are never wrapped.
      {"OpenWindow(#Window_0, 0, 0, 600, 400, \"Main\", #PB_Window_SystemMenu)",
       "OpenWindow(#Window_0, 0, 0, 600, 400, \"Main\", #PB_Window_SystemMenu)"},
      {"If openwindow(0, 0, 0, 1, 1, \"T\")", "If openwindow(0, 0, 0, 1, 1, \"T\")"},
      {"LoadImage(#Img, \"a.png\")", "LoadImage(#Img, \"a.png\")"},
      {"CatchImage(#Img, ?x) : s = \"t\"", "CatchImage(#Img, ?x) : s = \"t\""},
      // No quote, or a quote that is never closed: unchanged.
      {"ListIconGadget(#L, 0, 0, 1, 1)", "ListIconGadget(#L, 0, 0, 1, 1)"},
      {"TextGadget(#T, 0, 0, 1, 1, \"open", "TextGadget(#T, 0, 0, 1, 1, \"open"},
  };
  for (const auto& [before, after] : cases) {
    EXPECT_EQ(RunOnLine(WrapLanguageTexts, before), after) << before;
  }
}

TEST(WrapLanguageTextsTest, AfterTabExpansionTheShortcutStaysOutside) {
  auto both = [](SourceModel& m) {
    ExpandMenuItemTab(m);
    WrapLanguageTexts(m);
  };
  EXPECT_EQ(RunOnLine(both, "MenuItem(#MenuItem_Open, \"Open\\tCtrl+O\")"),
            "MenuItem(#MenuItem_Open, MyLanguage(\"Open\") + #TAB$ + \"Ctrl+O\")");
}

TEST(WrapLanguageTextsTest, KeepsARemainderLongerThan256Characters) {
  std::string rest = ", " + std::string(300, 'z') + ")";
  EXPECT_EQ(RunOnLine(WrapLanguageTexts, "TextGadget(#T, \"x\"" + rest),
            "TextGadget(#T, MyLanguage(\"x\")" + rest);
}

TEST(CollectLanguageKeysTest, TakesTheFirstQuotedTextOfWrapperLines) {
  SourceModel model;
  model.MapLanguage.Set(T("OK"), T("Gut"));
  CollectLanguageKeys(model, FromLines({
                                 "TextGadget(#T, MyLanguage(\"Name\"))",
                                 "x = mylanguage(\"Name\") + MyLanguage(\"Second\")",
                                 "Debug \"early\" + MyLanguage(\"late\")",  // the earlier text
                                 "b = MyLanguage(\"OK\")",                  // keeps its value
                                 "c = MyLanguage(\"\")",                    // empty: no key
                                 "d = MyLanguage(\"unclosed",
                                 "e = MyLanguage(x$)",
                                 "f = \"not wrapped\"",
                             }));
  EXPECT_EQ(EntriesOf(model.MapLanguage),
            (Entries{{"OK", "Gut"}, {"Name", "Name"}, {"early", "early"}}));
}

TEST(CollectLanguageTextsTest, OrderOverAllSourcesAndIncludeFiles) {
  testing::TempDir dir;
  testing::WriteBytes(dir / "inc.pbi", "x = MyLanguage(\"include\")\nMyLanguage(\"source\")\n");
  testing::WriteBytes(dir / "locked.pbi", "y = MyLanguage(\"locked\")\n");
  ASSERT_EQ(chmod((dir / "locked.pbi").c_str(), 0444), 0);

  SourceModel model;
  model.MapLanguage.Set(T("catalog"), T("Katalog"));
  model.LinesSource = FromLines({"MyLanguage(\"source\")"});
  model.LinesMain = FromLines({"MyLanguage(\"main\")"});
  model.LinesEventMenu = FromLines({"MyLanguage(\"menu\")"});
  model.LinesEventGadget = FromLines({"MyLanguage(\"gadget\")"});
  model.LinesEventWindow = FromLines({"MyLanguage(\"window\")", "MyLanguage(\"main\")"});
  const Text locked = T(dir / "locked.pbi");
  const Text missing = T(dir / "missing.pbi");
  model.ListIncludeFile = {locked, missing, T(dir / "inc.pbi")};

  RecordingLog log;
  CollectLanguageTexts(model, log);

  EXPECT_EQ(EntriesOf(model.MapLanguage), (Entries{{"catalog", "Katalog"},
                                                   {"source", "source"},
                                                   {"main", "main"},
                                                   {"menu", "menu"},
                                                   {"gadget", "gadget"},
                                                   {"window", "window"},
                                                   {"include", "include"}}));
  EXPECT_EQ(log.lines, (std::vector<Text>{U" -> Error OpenFile " + locked + U" / " +
                                          ErrorText(LastErrorCode())}));
  EXPECT_TRUE(testing::Exists(dir / "missing.pbi"));
  EXPECT_EQ(testing::ReadBytes(dir / "missing.pbi"), "");
}

void AddKeys(SourceModel& model, const Lines& keys) {
  for (const std::string& key : keys) model.MapLanguage.AddIfMissing(T(key), T(key));
}

// The lines of the template from the #MaxLanguage line to the end of the data section's labels.
Lines TemplateLanguageBlock(const TextList& lines) {
  Lines out;
  for (const Text line : lines) {
    std::string s = ToUtf8(line);
    if (s.find("MaxLanguage =") != std::string::npos || s.find("Language:") != std::string::npos ||
        s.find("Data.s") != std::string::npos) {
      out.push_back(s);
    }
  }
  return out;
}

TEST(UpdateLoadLanguageTest, TemplateTwiceGivesTheSameLines) {
  SourceModel model;
  model.LinesLoadLanguage = TemplateLines(Template::kLoadLanguage);
  const size_t template_size = model.LinesLoadLanguage.size();
  AddKeys(model, {"OK", "Cancel", "Name"});
  UpdateLoadLanguage(model);
  EXPECT_EQ(TemplateLanguageBlock(model.LinesLoadLanguage),
            (Lines{"#MaxLanguage = 3", "  DefaultLanguage:", "  Data.s \"OK\"",
                   "  Data.s \"Cancel\"", "  Data.s \"Name\"", "  EndDefaultLanguage:"}));
  EXPECT_EQ(model.LinesLoadLanguage.size(), template_size + 3);

  TextList first = model.LinesLoadLanguage;
  UpdateLoadLanguage(model);
  EXPECT_EQ(model.LinesLoadLanguage, first);
}

TEST(UpdateLoadLanguageTest, Layouts) {
  struct Case {
    const char* what;
    Lines before;
    Lines after;
  };
  const Case cases[] = {
      {"indented max line replaced whole; old block replaced up to EndDataSection",
       {"  #MaxLanguage = 7 ; c", "DefaultLanguage:", "  Data.s \"old\"", "EndDataSection", "x"},
       {"#MaxLanguage = 2", "DefaultLanguage:", "  Data.s \"A\"", "  Data.s \"B\"",
        "EndDataSection", "x"}},
      {"no DefaultLanguage: line: only the max line",
       {"a", "#MaxLanguage = 0", "b"},
       {"a", "#MaxLanguage = 2", "b"}},
      {"no end line: nothing deleted",
       {"#MaxLanguage = 0", "DefaultLanguage:", "user code", "more"},
       {"#MaxLanguage = 2", "DefaultLanguage:", "  Data.s \"A\"", "  Data.s \"B\"", "user code",
        "more"}},
      {"max line after the label is not touched",
       {"DefaultLanguage:", "EndDefaultLanguage:", "#MaxLanguage = 0"},
       {"DefaultLanguage:", "  Data.s \"A\"", "  Data.s \"B\"",
        "EndDefaultLanguage:", "#MaxLanguage = 0"}},
      {"label on the last line",
       {"DefaultLanguage:"},
       {"DefaultLanguage:", "  Data.s \"A\"", "  Data.s \"B\""}},
      {"empty file", {}, {}},
  };
  for (const Case& c : cases) {
    SourceModel model;
    model.LinesLoadLanguage = FromLines(c.before);
    AddKeys(model, {"A", "B"});
    UpdateLoadLanguage(model);
    EXPECT_EQ(Utf8(model.LinesLoadLanguage), c.after) << c.what;
  }
}

}  // namespace
}  // namespace corvane
