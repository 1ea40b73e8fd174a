#include "platform/text/line.h"

#include <gtest/gtest.h>

#include <random>
#include <unordered_set>

namespace corvane {
namespace {

// Lines around the inline limit, with characters that need each storage form.
TEST(LineTest, KeepsEveryTextExactlyInTheSmallestForm) {
  const struct {
    Text text;
    bool narrow;
  } cases[] = {
      {U"", true},
      {U"EndProcedure", true},   // 12 characters: inside the object
      {U"EndProcedure;", true},  // 13: in a block
      {U"caf\u00e9 \u00ff", true},
      {U"\u20ac", false},
      {Text(1, char32_t{0xDC80}), false},  // a kept invalid byte
      {U"  x = \"\U0001F600\"", false},
      {Text(5000, U'a'), true},  // beyond the pooled sizes
      {Text(300, U'\u0100'), false},
  };
  for (const auto& c : cases) {
    const Line line(c.text);
    EXPECT_EQ(line.narrow(), c.narrow) << ToUtf8(c.text);
    EXPECT_EQ(line.size(), c.text.size());
    EXPECT_EQ(line.text(), c.text);
    EXPECT_TRUE(line == c.text);
    for (size_t i = 0; i < c.text.size(); ++i) ASSERT_EQ(line[i], c.text[i]);
    Text out = U"old";
    line.CopyTo(out);
    EXPECT_EQ(out, c.text);
    line.AppendTo(out);
    EXPECT_EQ(out, c.text + c.text);
  }
}

TEST(LineTest, CopiesMovesAndCompares) {
  Line a(U"Procedure EventGadget_Button()");
  Line b = a;
  EXPECT_EQ(a, b);
  Line c = std::move(b);
  EXPECT_EQ(c, a);
  EXPECT_TRUE(b.empty());  // NOLINT: a moved-from line is empty
  c = U"\u20ac";
  EXPECT_NE(c, a);
  a = a;  // self-assignment keeps the text
  EXPECT_EQ(a, U"Procedure EventGadget_Button()");
  // Assigning a line a view of its own characters.
  const Text wide = U"x\u20ac" + Text(40, U'y');
  Line w(wide);
  w = w.wide().substr(1);
  EXPECT_EQ(w.text(), wide.substr(1));
  Line n(U"abcdefghijklmnopqrstuvwxyz");
  n = n.text().substr(3, 5);
  EXPECT_EQ(n, U"defgh");
  EXPECT_NE(Line(U"ab"), Line(U"abc"));
  EXPECT_FALSE(Line(U"\u00e9") == Text(U"\u0100"));
}

TEST(LineTest, EditorStoresChangedTextBack) {
  LineList lines = {U"a", U"OpenWindow(#W, 0, 0)", U"c"};
  Text buffer;
  for (Line& stored : lines) {
    LineEdit edit(stored, buffer);
    if (edit.text() == U"c") continue;  // unchanged, nothing stored
    edit.text() += U"\u20ac";
  }
  EXPECT_EQ(lines, (LineList{U"a\u20ac", U"OpenWindow(#W, 0, 0)\u20ac", U"c"}));
  EXPECT_FALSE(lines[0].narrow());
}

// Many lines made and let go in random order, as the passes do: every line keeps its own text.
TEST(LineTest, BlocksAreNeverShared) {
  std::mt19937 random(7);
  std::vector<Line> lines;
  std::vector<Text> expected;
  for (int round = 0; round < 20000; ++round) {
    const size_t length = random() % 200;
    Text text(length, U'a' + static_cast<char32_t>(round % 26));
    if (round % 7 == 0) text += U'\u20ac';
    if (!lines.empty() && random() % 3 == 0) {
      const size_t at = random() % lines.size();
      lines[at] = text;
      expected[at] = text;
    } else {
      lines.emplace_back(text);
      expected.push_back(text);
    }
    if (random() % 5 == 0 && !lines.empty()) {
      lines.pop_back();
      expected.pop_back();
    }
  }
  ASSERT_EQ(lines.size(), expected.size());
  for (size_t i = 0; i < lines.size(); ++i) ASSERT_EQ(lines[i].text(), expected[i]) << i;
}

TEST(LineTest, HashAgreesWithEquality) {
  std::unordered_set<Line, LineHash> set = {U"Procedure A()", U"\u20ac", U""};
  EXPECT_EQ(set.count(Line(Text(U"Procedure A()"))), 1u);
  EXPECT_EQ(set.count(Line(U"\u20ac")), 1u);
  EXPECT_EQ(set.count(Line(U"Procedure a()")), 0u);
  EXPECT_EQ(set.count(Line()), 1u);
}

}  // namespace
}  // namespace corvane
