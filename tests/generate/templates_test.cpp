#include "generate/templates.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

const Template kAll[] = {Template::kEventMainSelect,
                         Template::kEventMainSelectMac,
                         Template::kEventMainTable,
                         Template::kEventMainTableMac,
                         Template::kMain,
                         Template::kLoadLanguage};

std::string WithoutCr(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c != '\r') out.push_back(c);
  }
  return out;
}

TEST(TemplatesTest, LineCountsAndLastLines) {
  struct Case {
    Template which;
    size_t lines;
    const char* last;
  };
  const Case cases[] = {
      {Template::kEventMainSelect, 38, "; Folding = -"},
      {Template::kEventMainSelectMac, 41, "; Folding = -"},
      {Template::kEventMainTable, 78, "; CompileSourceDirectory"},
      {Template::kEventMainTableMac, 89, "; CompileSourceDirectory"},
      {Template::kMain, 80, "; CompileSourceDirectory"},
      {Template::kLoadLanguage, 60, "; Folding = -"},
  };
  for (const Case& c : cases) {
    LineList lines = TemplateLines(c.which);
    ASSERT_EQ(lines.size(), c.lines) << static_cast<int>(c.which);
    EXPECT_EQ(ToUtf8(lines.back().text()), c.last) << static_cast<int>(c.which);
  }
}

// Each template is stored with one kind of line end throughout and ends with a line end, so no
// line is lost and the dispatcher variants keep the line ends they are chosen with.
TEST(TemplatesTest, StoredLineEnds) {
  struct Case {
    Template which;
    bool crlf;
  };
  const Case cases[] = {
      {Template::kEventMainSelect, true}, {Template::kEventMainSelectMac, false},
      {Template::kEventMainTable, true},  {Template::kEventMainTableMac, false},
      {Template::kMain, false},           {Template::kLoadLanguage, false},
  };
  for (const Case& c : cases) {
    std::string_view text = TemplateText(c.which);
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.back(), '\n');
    for (size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '\r') {
        ASSERT_TRUE(c.crlf && i + 1 < text.size() && text[i + 1] == '\n') << "CR at " << i;
      } else if (text[i] == '\n') {
        ASSERT_EQ(i > 0 && text[i - 1] == '\r', c.crlf) << "LF at " << i;
      }
    }
  }
}

TEST(TemplatesTest, CutAndJoinedWithLfReproducesText) {
  for (Template which : kAll) {
    std::string joined;
    for (const Text line : TemplateLines(which)) joined += ToUtf8(line) + "\n";
    EXPECT_EQ(joined, WithoutCr(TemplateText(which))) << static_cast<int>(which);
  }
}

// Lines whose exact text matters and that markdown or an editor would easily change: blanks at
// line ends, and the Preferences line without a blank before its colon.
TEST(TemplatesTest, ExactLines) {
  struct Case {
    Template which;
    size_t line;  // 1-based
    const char* expected;
  };
  const Case cases[] = {
      {Template::kEventMainTable, 64, "  "},
      {Template::kEventMainTableMac, 34, "    "},
      {Template::kEventMainTableMac, 36, "  CompilerIf #PB_Compiler_OS = #PB_OS_MacOS  "},
      {Template::kEventMainTableMac, 45, "  "},
      {Template::kEventMainTableMac, 76, "  "},
      {Template::kMain, 7, "; Comment       : "},
      {Template::kMain, 8, "; Author        : "},
      {Template::kMain, 9, "; Second Author : "},
      {Template::kMain, 10, "; File          : "},
      {Template::kMain, 11, "; Version       : "},
      {Template::kMain, 12, "; Create        : "},
      {Template::kMain, 13, "; Update        : "},
      {Template::kMain, 14, "; "},
      {Template::kMain, 15, "; Compilermode  : "},
      {Template::kMain, 42, "  "},
      {Template::kMain, 44, "    "},
      {Template::kMain, 46, "    "},
      {Template::kMain, 48, "      "},
      {Template::kMain, 66, "      "},
      {Template::kMain, 68, "    "},
      {Template::kLoadLanguage, 15, "  "},
      {Template::kLoadLanguage, 17, "  "},
      {Template::kLoadLanguage, 23, "  "},
      {Template::kEventMainSelectMac, 11,
       "      Case #PB_Menu_Preferences: EventMenu_MacPreferences()"},
      {Template::kEventMainTableMac, 40,
       "      Case #PB_Menu_Preferences: EventMenu_MacPreferences()"},
  };
  for (const Case& c : cases) {
    LineList lines = TemplateLines(c.which);
    ASSERT_LE(c.line, lines.size());
    EXPECT_EQ(ToUtf8(lines[c.line - 1].text()), c.expected)
        << static_cast<int>(c.which) << " line " << c.line;
  }
}

// Only the lines listed in ExactLines end with a blank.
TEST(TemplatesTest, NoOtherTrailingBlanks) {
  struct Case {
    Template which;
    size_t count;
  };
  const Case cases[] = {
      {Template::kEventMainSelect, 0}, {Template::kEventMainSelectMac, 0},
      {Template::kEventMainTable, 1},  {Template::kEventMainTableMac, 4},
      {Template::kMain, 15},           {Template::kLoadLanguage, 3},
  };
  for (const Case& c : cases) {
    size_t count = 0;
    for (const Text line : TemplateLines(c.which)) {
      if (!line.empty() && (line.back() == U' ' || line.back() == U'\t')) ++count;
    }
    EXPECT_EQ(count, c.count) << static_cast<int>(c.which);
  }
}

TEST(TemplatesTest, SeparatorLengths) {
  struct Case {
    Template which;
    size_t asterisks;
  };
  const Case cases[] = {
      {Template::kEventMainSelect, 105},
      {Template::kEventMainSelectMac, 105},
      {Template::kEventMainTable, 105},
      {Template::kEventMainTableMac, 105},
      {Template::kMain, 87},
      {Template::kLoadLanguage, 105},
  };
  for (const Case& c : cases) {
    const Text separator = U"; " + Text(c.asterisks, U'*');
    size_t separators = 0;
    for (const Text line : TemplateLines(c.which)) {
      if (line.rfind(U"; **", 0) != 0) continue;
      EXPECT_EQ(line, separator) << static_cast<int>(c.which);
      ++separators;
    }
    EXPECT_GT(separators, 0u) << static_cast<int>(c.which);
  }
}

TEST(TemplatesTest, EventMainChoice) {
  EXPECT_EQ(EventMainTemplate(false, false), Template::kEventMainSelect);
  EXPECT_EQ(EventMainTemplate(false, true), Template::kEventMainSelectMac);
  EXPECT_EQ(EventMainTemplate(true, false), Template::kEventMainTable);
  EXPECT_EQ(EventMainTemplate(true, true), Template::kEventMainTableMac);
}

TEST(CutTemplateTest, Table) {
  struct Case {
    std::string_view text;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"", {}},
      {"no line end", {}},                 // text after the last LF is not used
      {"a\nb", {"a"}},                     // so a missing final LF loses the last line
      {"a\n\n\nb\n", {"a", "", "", "b"}},  // empty pieces are lines
      {"\n", {""}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\rb\r\n\r\r\n", {"ab", ""}},  // every CR goes, not only those before a LF
      {"\r", {}},
  };
  for (const Case& c : cases) {
    LineList expected;
    for (const std::string& line : c.lines) expected.push_back(T(line));
    EXPECT_EQ(CutTemplate(c.text), expected) << c.text;
  }
}

TEST(CutTemplateTest, DecodesUtf8PerCharacter) {
  LineList lines = CutTemplate("caf\xc3\xa9\n");
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0], U"caf\u00e9");
}

}  // namespace
}  // namespace corvane
