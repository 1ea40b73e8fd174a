#include "platform/text/textfile.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

namespace corvane {
namespace {

using namespace std::literals;
using Lines = LineList;

const std::string kUtf8Bom = "\xEF\xBB\xBF";
const std::string kUtf16LEBom = "\xFF\xFE";
const std::string kUtf16BEBom = "\xFE\xFF";
const std::string kUtf32LEBom = "\xFF\xFE\x00\x00"s;
const std::string kUtf32BEBom = "\x00\x00\xFE\xFF"s;

void AppendUnit(std::string& out, uint32_t unit, int bytes, bool big_endian) {
  for (int k = 0; k < bytes; ++k) {
    const int shift = 8 * (big_endian ? bytes - 1 - k : k);
    out += static_cast<char>((unit >> shift) & 0xFF);
  }
}

// Independent encoders, so that decoding is checked against bytes built another way.
std::string Utf16(TextView text, bool big_endian) {
  std::string out;
  for (char32_t c : text) {
    if (c >= 0x10000) {
      AppendUnit(out, 0xD800 + ((c - 0x10000) >> 10), 2, big_endian);
      AppendUnit(out, 0xDC00 + ((c - 0x10000) & 0x3FF), 2, big_endian);
    } else {
      AppendUnit(out, c, 2, big_endian);
    }
  }
  return out;
}

std::string Utf32(TextView text, bool big_endian) {
  std::string out;
  for (char32_t c : text) AppendUnit(out, c, 4, big_endian);
  return out;
}

TEST(DetectBomTest, RecognisesEveryMark) {
  const struct {
    std::string bytes;
    TextFormat format;
    size_t length;
  } cases[] = {
      {kUtf8Bom + "x", TextFormat::kUtf8, 3},
      {kUtf16LEBom + "x\0"s, TextFormat::kUtf16LE, 2},
      {kUtf16BEBom + "\0x"s, TextFormat::kUtf16BE, 2},
      {kUtf32LEBom + "x\0\0\0"s, TextFormat::kUtf32LE, 4},
      {kUtf32BEBom, TextFormat::kUtf32BE, 4},
      // UTF-16 LE mark followed by one NUL only: not a UTF-32 mark.
      {"\xFF\xFE\x00"s, TextFormat::kUtf16LE, 2},
      {"", TextFormat::kNone, 0},
      {"\xEF\xBB", TextFormat::kNone, 0},
      {"\x00\x00\xFE"s, TextFormat::kNone, 0},
      {"plain", TextFormat::kNone, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DetectBom(c.bytes), c.format) << c.bytes.size() << " bytes";
    EXPECT_EQ(BomLength(DetectBom(c.bytes)), c.length);
  }
}

TEST(DecodeLinesTest, DecodesEveryMarkedFormat) {
  const Text text = U"\u00e9\u20ac\U0001F600\r\nx";
  const Lines expected = {U"\u00e9\u20ac\U0001F600", U"x"};
  const std::string files[] = {
      kUtf8Bom + ToUtf8(text),         kUtf16LEBom + Utf16(text, false),
      kUtf16BEBom + Utf16(text, true), kUtf32LEBom + Utf32(text, false),
      kUtf32BEBom + Utf32(text, true),
  };
  for (const std::string& bytes : files) {
    EXPECT_EQ(DecodeLines(bytes), expected) << "format " << static_cast<int>(DetectBom(bytes));
  }
}

TEST(DecodeLinesTest, UnmarkedBytesFollowTheChosenReading) {
  EXPECT_EQ(DecodeLines("\xC3\xA9", Unmarked::kLatin1), (Lines{Text{0xC3, 0xA9}}));
  EXPECT_EQ(DecodeLines("\xC3\xA9", Unmarked::kUtf8), (Lines{U"\u00e9"}));
  // A mark wins over the unmarked reading.
  EXPECT_EQ(DecodeLines(kUtf8Bom + "\xC3\xA9", Unmarked::kLatin1), (Lines{U"\u00e9"}));
}

// Every encoding shares the same line rules; each case runs through single-byte and wide formats.
TEST(DecodeLinesTest, LineEndsInEveryFormat) {
  const struct {
    const char32_t* text;
    Lines lines;
  } cases[] = {
      {U"", {}},
      {U"a", {U"a"}},
      {U"a\nb", {U"a", U"b"}},
      {U"a\nb\n", {U"a", U"b"}},
      {U"a\n\n", {U"a", U""}},
      {U"\n", {U""}},
      {U"a\rb", {U"a", U"b"}},
      {U"a\rb\r", {U"a", U"b"}},
      {U"a\r\nb\r\n", {U"a", U"b"}},
      {U"a\r\r\nb", {U"a", U"", U"b"}},
      {U"a\n\rb", {U"a", U"", U"b"}},
      {U"\r\n\r\n", {U"", U""}},
  };
  for (const auto& c : cases) {
    const Text text = c.text;
    EXPECT_EQ(DecodeLines(ToUtf8(text)), c.lines) << "unmarked: " << ToUtf8(text);
    EXPECT_EQ(DecodeLines(kUtf8Bom + ToUtf8(text)), c.lines) << "UTF-8: " << ToUtf8(text);
    EXPECT_EQ(DecodeLines(kUtf16LEBom + Utf16(text, false)), c.lines) << "UTF-16: " << ToUtf8(text);
    EXPECT_EQ(DecodeLines(kUtf32BEBom + Utf32(text, true)), c.lines) << "UTF-32: " << ToUtf8(text);
  }
}

TEST(DecodeLinesTest, BrokenWideInputBecomesReplacementCharacters) {
  const char32_t r = 0xFFFD;
  const struct {
    std::string bytes;
    Lines lines;
  } cases[] = {
      {kUtf16LEBom + "a\0b"s, {Text{U'a', r}}},  // odd byte at the end
      {kUtf16LEBom + "\x3D\xD8"s, {Text{r}}},    // high surrogate at the end
      {kUtf16LEBom + "\x3D\xD8"
                     "a\0"s,
       {Text{r, U'a'}}},                                // high surrogate, no low one
      {kUtf16BEBom + "\xDE\x00\0a"s, {Text{r, U'a'}}},  // lone low surrogate
      {kUtf16BEBom + "\xD8\x3D\xD8\x3D\xDE\x00"s, {Text{r, 0x1F600}}},  // high, then a valid pair
      {kUtf32LEBom + "\0\0\x11\0"s, {Text{r}}},                         // past U+10FFFF
      {kUtf32BEBom + "\0\0\xD8\0"s, {Text{r}}},                         // surrogate value
      {kUtf32BEBom + "\0\0\0a\0\0"s, {Text{U'a', r}}},                  // partial unit at the end
      {kUtf32LEBom + "\xFF\xFF\xFF\xFF"s, {Text{r}}},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(DecodeLines(cases[i].bytes), cases[i].lines) << "case " << i;
  }
}

TEST(DecodeLinesTest, InvalidUtf8IsKeptAndWrittenBackUnchanged) {
  const std::string body = "ok\xFF\xC3\n\xE2\x82x\n";
  const Lines lines = DecodeLines(kUtf8Bom + body);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], (Text{U'o', U'k', 0xDCFF, 0xDCC3}));
  EXPECT_EQ(EncodeLines(lines, WriteEncoding::kUtf8Bom), kUtf8Bom + body);
}

TEST(EncodeLinesTest, Utf8WithMark) {
  EXPECT_EQ(EncodeLines({U"a\u00e9", U""}, WriteEncoding::kUtf8Bom), kUtf8Bom + "a\xC3\xA9\n\n");
  EXPECT_EQ(EncodeLines({}, WriteEncoding::kUtf8Bom), kUtf8Bom);
}

TEST(EncodeLinesTest, Latin1WritesOneBytePerCharacter) {
  const Lines lines = {Text{U'a', 0xE9, 0xDC80, 0xDCFF}, Text{0x20AC, U'b'}};
  EXPECT_EQ(EncodeLines(lines, WriteEncoding::kLatin1), "a\xE9\x80\xFF\n?b\n");
}

TEST(EncodeLinesTest, RoundTripsThroughDecoding) {
  const Lines lines = {U"Procedure x()", U"", U"  \u00e9 \U0001F600", U"EndProcedure"};
  EXPECT_EQ(DecodeLines(EncodeLines(lines, WriteEncoding::kUtf8Bom)), lines);
  const Lines latin1 = {U"caf\u00e9", U"\u00ff"};
  EXPECT_EQ(DecodeLines(EncodeLines(latin1, WriteEncoding::kLatin1)), latin1);
}

// Pieces of about a megabyte that join to exactly the bytes of the whole encoding; a sink that
// gives up stops it.
TEST(EncodeLinesTest, PiecesJoinToTheWholeEncoding) {
  Lines lines;
  for (int i = 0; i < 60000; ++i)
    lines.push_back(i % 3 == 0 ? Text(U"caf\u00e9 \u20ac") : Text(40, U'x'));
  for (WriteEncoding encoding : {WriteEncoding::kUtf8Bom, WriteEncoding::kLatin1}) {
    std::string joined;
    int pieces = 0;
    EXPECT_TRUE(EncodeLinesTo(lines, encoding, [&](std::string_view piece) {
      joined += piece;
      ++pieces;
      return true;
    }));
    EXPECT_EQ(joined, EncodeLines(lines, encoding));
    EXPECT_GT(pieces, 1);
  }
  int calls = 0;
  EXPECT_FALSE(EncodeLinesTo(lines, WriteEncoding::kUtf8Bom, [&](std::string_view) {
    ++calls;
    return false;
  }));
  EXPECT_EQ(calls, 1);
  std::string empty = "unchanged";
  EXPECT_TRUE(EncodeLinesTo({}, WriteEncoding::kLatin1, [&](std::string_view) { return false; }));
  EXPECT_TRUE(EncodeLinesTo({}, WriteEncoding::kUtf8Bom, [&](std::string_view piece) {
    empty = piece;
    return true;
  }));
  EXPECT_EQ(empty, kUtf8Bom);
}

TEST(FitsLatin1Test, AcceptsSingleByteAndEscapedCharactersOnly) {
  EXPECT_TRUE(FitsLatin1({}));
  EXPECT_TRUE(FitsLatin1({U"abc", Text{0xFF, 0xDC80, 0xDCFF}}));
  EXPECT_FALSE(FitsLatin1({U"abc", Text{0x100}}));
  EXPECT_FALSE(FitsLatin1({Text{0xDC7F}}));
  EXPECT_FALSE(FitsLatin1({U"\U0001F600"}));
}

// A quadratic split or per-character reallocation would make this time out.
TEST(DecodeLinesTest, ManyLinesDecodeInLinearTime) {
  constexpr size_t kLines = 2'000'000;
  std::string utf8;
  for (size_t i = 0; i < kLines; ++i) utf8 += "line\r\n";
  EXPECT_EQ(DecodeLines(utf8, Unmarked::kUtf8).size(), kLines);
  const std::string utf16 = kUtf16LEBom + Utf16(FromUtf8(utf8), false);
  const Lines lines = DecodeLines(utf16);
  ASSERT_EQ(lines.size(), kLines);
  EXPECT_EQ(lines.back(), U"line");
}

TEST(ReadTextFileTest, ReadsMarkAndLines) {
  char dir[] = "/tmp/corvane-textfile-XXXXXX";
  ASSERT_NE(mkdtemp(dir), nullptr);
  const std::string path = std::string(dir) + "/a.pb";
  std::ofstream(path, std::ios::binary) << kUtf16BEBom << Utf16(U"x\ny", true);
  TextFile file;
  ASSERT_TRUE(ReadTextFile(path, file));
  EXPECT_EQ(file.format, TextFormat::kUtf16BE);
  EXPECT_EQ(file.lines, (Lines{U"x", U"y"}));
  EXPECT_FALSE(ReadTextFile(std::string(dir) + "/missing.pb", file));
  EXPECT_FALSE(ReadTextFile(dir, file));
  unlink(path.c_str());
  rmdir(dir);
}

}  // namespace
}  // namespace corvane
