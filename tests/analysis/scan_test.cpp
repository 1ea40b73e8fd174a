#include "analysis/scan.h"

#include <gtest/gtest.h>

#include <random>

namespace corvane {
namespace {

struct FindCase {
  const char* text;
  const char* search;
  size_t start;
  size_t expected;
};

TEST(FindNoCaseTest, Table) {
  const FindCase cases[] = {
      {"  If OpenWindow(#Window_0, 0, 0)", "openwindow(#", 1, 6},
      {"  If OpenWindow(#Window_0, 0, 0)", "OPENWINDOW(#", 1, 6},
      {"abc", "", 1, 0},  // empty search text
      {"", "", 1, 0},
      {"", "a", 1, 0},
      {"xAxa", "a", 0, 2},  // start below 1 counts as 1
      {"xAxa", "a", 1, 2},
      {"xAxa", "a", 2, 2},  // occurrence at the start position
      {"xAxa", "a", 3, 4},
      {"xAxa", "a", 4, 4},  // last character
      {"xAxa", "a", 5, 0},  // beyond the end
      {"xAxa", "a", 1000, 0},
      {"abc", "abcd", 1, 0},  // longer than the text
      {"abab", "BAB", 2, 2},
      {"abab", "BAB", 3, 0},                          // would run past the end
      {"caf\xc3\xa9 CAF\xc3\x89", "\xc3\xa9", 1, 4},  // only a-z fold: é does not match É
      {"caf\xc3\xa9 CAF\xc3\x89", "\xc3\x89", 1, 9},  // positions count characters, not bytes
  };
  for (const FindCase& c : cases) {
    EXPECT_EQ(FindNoCase(T(c.text), T(c.search), c.start), c.expected)
        << '"' << c.text << "\" / \"" << c.search << "\" from " << c.start;
    // A stored line answers the same without being copied out, in either storage form.
    if (c.start == 1) {
      EXPECT_EQ(LineHasNoCase(Line(T(c.text)), T(c.search)), c.expected != 0) << c.text;
      const Text wide = T(c.text) + U"\u20ac";
      EXPECT_EQ(LineHasNoCase(Line(wide), T(c.search)), FindNoCase(wide, T(c.search), 1) != 0);
    }
  }
}

TEST(FindReverseTest, Table) {
  const FindCase cases[] = {
      {"a = 1 ; one ; two", ";", 0, 13},   // from the end: the second ";"
      {"a = 1 ; one ; two", ";", 12, 7},   // just before the second: the first
      {"a = 1 ; one ; two", ";", 13, 13},  // a match may begin at the start position
      {"a = 1 ; one ; two", ";", 6, 0},
      {"xabx", "abx", 2, 2},  // a match may extend beyond the start position
      {"xabx", "abx", 1, 0},
      {"xABx", "ab", 0, 0},  // letter case respected
      {"abab", "ab", 0, 3},
      {"abab", "ab", 100, 3},  // beyond the end acts like the end
      {"abc", "", 0, 0},       // empty search text
      {"", ";", 0, 0},
      {"ab", "abc", 0, 0},
      {"\"x\" ; c", "\"", 0, 3},
  };
  for (const FindCase& c : cases) {
    EXPECT_EQ(FindReverse(T(c.text), T(c.search), c.start), c.expected)
        << '"' << c.text << "\" / \"" << c.search << "\" from " << c.start;
  }
}

struct ReplaceCase {
  const char* text;
  const char* search;
  const char* replacement;
  const char* expected;
};

TEST(ReplaceWordTest, Table) {
  const ReplaceCase cases[] = {
      // "#" is a boundary; the digit after and the letter before are word characters.
      {"#Button_0, #Button_01, MyButton_0", "Button_0", "Window_Main_Button_0",
       "#Window_Main_Button_0, #Button_01, MyButton_0"},
      // Case-blind match; the replacement goes in as passed, the rest keeps its case.
      {"BUTTON_0 + button_0 + Button_0x", "Button_0", "W_Button_0",
       "W_Button_0 + W_Button_0 + Button_0x"},
      // Inserted text holding the word is never searched again.
      {"a b a", "a", "a a", "a a b a a"},
      {"aaa", "a", "aa", "aaa"},  // never a whole word
      {"a", "a", "b", "b"},       // at position 1 and at the very end
      {"x.a", "a", "b", "x.b"},
      {"a$", "A", "b", "b$"},
      {"abc", "", "x", "abc"},  // empty word
      {"", "a", "x", ""},
      {"a,a(a)\ta \"a\"", "a", "Z", "Z,Z(Z)\tZ \"Z\""},
      {"_a a_ 1a a1 a", "a", "Z", "_a a_ 1a a1 Z"},
      // Letters outside A-Z are boundaries.
      {"\xc3\xa9"
       "a\xc3\xa9",
       "a", "Z", "\xc3\xa9Z\xc3\xa9"},
      // Overlapping candidates: the search goes on one position after a rejected start.
      {"xx x", "xx", "Y", "Y x"},
      {"xxx xx", "xx", "Y", "xxx Y"},
      // The character before an occurrence is read from the rewritten line, not the original:
      // a replacement ending in a word character stops the next occurrence from beginning a
      // word, one ending in a boundary (or an empty one) lets it begin one.
      {"--", "-", "Q", "Q-"},
      {"-a-a", "-a", "Q", "Q-a"},
      {"-a-a", "-a", "-", "--"},
      {" -a-a", "-a", "", " "},
      {"-a-a", "-a", "", ""},
  };
  for (const ReplaceCase& c : cases) {
    EXPECT_EQ(ToUtf8(ReplaceWord(T(c.text), T(c.search), T(c.replacement))), c.expected)
        << '"' << c.text << "\" / \"" << c.search << "\" -> \"" << c.replacement << '"';
  }
}

// ReplaceWord as a literal rewrite loop over a working copy, searched again after every change.
Text ReplaceWordByRewriting(Text copy, TextView word, TextView replacement) {
  auto is_word = [](char32_t c) {
    c = UpperChar(c);
    return (c >= U'0' && c <= U'9') || (c >= U'A' && c <= U'Z') || c == U'_';
  };
  size_t position = 0;
  for (;;) {
    size_t found = FindNoCase(copy, word, position + 1);
    if (found == 0) break;
    bool begins = found == 1 || !is_word(copy[found - 2]);
    size_t after = found - 1 + word.size();
    bool ends = after >= copy.size() || !is_word(copy[after]);
    if (begins && ends) {
      copy = copy.substr(0, found - 1) + Text(replacement) + copy.substr(after);
      position = found - 1 + replacement.size();
    } else {
      position = found;
    }
  }
  return copy;
}

TEST(ReplaceWordTest, MatchesRewritingLoopOnRandomLines) {
  std::mt19937 rng(12345);
  const Text alphabet = U"aA_1 -";
  auto random_text = [&](size_t max_length) {
    Text t(rng() % (max_length + 1), U' ');
    for (char32_t& c : t) c = alphabet[rng() % alphabet.size()];
    return t;
  };
  for (int i = 0; i < 20000; ++i) {
    Text text = random_text(12);
    Text word = random_text(3);
    Text replacement = random_text(4);
    if (word.empty()) continue;
    ASSERT_EQ(ReplaceWord(text, word, replacement), ReplaceWordByRewriting(text, word, replacement))
        << ToUtf8(text) << " / " << ToUtf8(word) << " -> " << ToUtf8(replacement);
  }
}

TEST(ReplaceWordTest, ManyOccurrencesOnOneLine) {
  Text line;
  for (int i = 0; i < 100000; ++i) line += U"Button_0,";
  Text expected;
  for (int i = 0; i < 100000; ++i) expected += U"W_Button_0,";
  EXPECT_EQ(ReplaceWord(line, U"button_0", U"W_Button_0"), expected);
}

TEST(ReplaceNoCaseTest, Table) {
  const ReplaceCase cases[] = {
      {"Window_0 WINDOW_01 myWindow_0", "window_0", "Main_", "Main_ Main_1 myMain_"},
      {"aAa", "a", "aa", "aaaaaa"},  // inserted text not searched again
      {"aaaa", "aa", "b", "bb"},     // left to right, no overlap
      {"abc", "", "x", "abc"},
      {"", "a", "x", ""},
      {"abc", "abc", "", ""},
  };
  for (const ReplaceCase& c : cases) {
    EXPECT_EQ(ToUtf8(ReplaceNoCase(T(c.text), T(c.search), T(c.replacement))), c.expected)
        << '"' << c.text << "\" / \"" << c.search << '"';
  }
}

TEST(ReplaceExactTest, Table) {
  const ReplaceCase cases[] = {
      {"Window_0 WINDOW_0 Window_01", "Window_0", "W", "W WINDOW_0 W1"},
      {"aAa", "a", "aa", "aaAaa"},
      {"aaa", "aa", "b", "ba"},
      {"abc", "", "x", "abc"},
  };
  for (const ReplaceCase& c : cases) {
    EXPECT_EQ(ToUtf8(ReplaceExact(T(c.text), T(c.search), T(c.replacement))), c.expected)
        << '"' << c.text << "\" / \"" << c.search << '"';
  }
}

}  // namespace
}  // namespace corvane
