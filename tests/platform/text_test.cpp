#include "platform/text/text.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace corvane {
namespace {

TEST(Utf8Test, DecodesValidSequencesOfEveryLength) {
  const std::string bytes = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";  // a é € 😀
  EXPECT_EQ(FromUtf8(bytes), (Text{U'a', 0xE9, 0x20AC, 0x1F600}));
  EXPECT_EQ(ToUtf8(FromUtf8(bytes)), bytes);
}

// Invalid input must come back byte for byte after a round trip: the user's file is not changed.
TEST(Utf8Test, InvalidBytesSurviveRoundTrip) {
  const std::string cases[] = {
      "\xFF",              // never valid
      "\xC3",              // truncated two-byte sequence at the end
      "\xE2\x82",          // truncated three-byte sequence
      "\xC0\xAF",          // overlong '/'
      "\xED\xA0\x80",      // encoded surrogate
      "\xF4\x90\x80\x80",  // past U+10FFFF
      "ok\x80tail\xC3(",   // stray continuation, lead byte without continuation
      std::string("\x00\xFE", 2),
  };
  for (const std::string& bytes : cases) {
    const Text text = FromUtf8(bytes);
    EXPECT_EQ(ToUtf8(text), bytes) << "input of " << bytes.size() << " bytes";
  }
  EXPECT_EQ(FromUtf8("\xFF"
                     "a"),
            (Text{0xDCFF, U'a'}));
}

TEST(Utf8Test, UnrepresentableCodePointsBecomeReplacementCharacter) {
  EXPECT_EQ(ToUtf8(Text{0xD800}), "\xEF\xBF\xBD");
  EXPECT_EQ(ToUtf8(Text{0x110000}), "\xEF\xBF\xBD");
}

TEST(Latin1Test, EveryByteIsOneCharacter) {
  EXPECT_EQ(FromLatin1("\xE9\xFF"
                       "a"),
            (Text{0xE9, 0xFF, U'a'}));
}

TEST(UpperCaseTest, MapsOnlyAsciiLetters) {
  EXPECT_EQ(UpperCase(U"abz AZ 09_{`\u00e9\u00df"), U"ABZ AZ 09_{`\u00e9\u00df");
}

TEST(TrimTest, RemovesGivenCharactersFromEnds) {
  EXPECT_EQ(Trim(U"  a b  "), U"a b");
  EXPECT_EQ(Trim(U"   "), U"");
  EXPECT_EQ(Trim(U"\t a\t", U" \t"), U"a");
  EXPECT_EQ(TrimLeft(U"  a  "), U"a  ");
  EXPECT_EQ(TrimRight(U"  a  "), U"  a");
}

TEST(ParseIntegerTest, ReadsLeadingInteger) {
  constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
  const struct {
    const char32_t* text;
    int64_t value;
  } cases[] = {
      {U"42", 42},
      {U"  \t-17", -17},
      {U"+5", 5},
      {U"12abc", 12},
      {U"abc", 0},
      {U"", 0},
      {U"-", 0},
      {U"- 3", 0},
      {U"99999999999999999999", kMax},
      {U"-99999999999999999999", -kMax},
      {U"9223372036854775807", kMax},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseInteger(c.text), c.value) << ToUtf8(c.text);
  }
}

}  // namespace
}  // namespace corvane
