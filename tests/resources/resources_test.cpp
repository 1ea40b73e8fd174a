#include "resources/resources.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "platform/image/png_image.h"
#include "platform/text/text.h"
#include "platform/toolkit/headless/headless_toolkit.h"

namespace corvane {
namespace {

// --- Building small PNGs in the test.

std::string Be32(uint32_t value) {
  return {static_cast<char>(value >> 24), static_cast<char>(value >> 16),
          static_cast<char>(value >> 8), static_cast<char>(value)};
}

std::string Chunk(const std::string& kind, const std::string& data) {
  const std::string body = kind + data;
  const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(body.data()), body.size());
  return Be32(data.size()) + body + Be32(static_cast<uint32_t>(crc));
}

std::string Compress(const std::string& raw) {
  uLongf size = compressBound(raw.size());
  std::string out(size, '\0');
  compress(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(raw.data()),
           raw.size());
  out.resize(size);
  return out;
}

std::string Ihdr(uint32_t width, uint32_t height, int depth, int colour_type, int interlace) {
  return Be32(width) + Be32(height) +
         std::string{static_cast<char>(depth), static_cast<char>(colour_type), 0, 0,
                     static_cast<char>(interlace)};
}

const std::string kSignature = "\x89PNG\r\n\x1a\n";

// `rows` are packed scanlines without filter bytes; `extra` chunks go between IHDR and IDAT.
std::string MakePng(uint32_t width, int depth, int colour_type,
                    const std::vector<std::string>& rows, const std::string& extra = "") {
  std::string raw;
  for (const std::string& row : rows) raw += '\0' + row;
  return kSignature + Chunk("IHDR", Ihdr(width, rows.size(), depth, colour_type, 0)) + extra +
         Chunk("IDAT", Compress(raw)) + Chunk("IEND", "");
}

// An Adam7-interlaced 8-bit RGB image whose pixel (x, y) is (10x, 10y, 7).
std::string MakeInterlacedRgb(int width, int height) {
  struct Pass {
    int x0, y0, dx, dy;
  };
  const Pass passes[] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                         {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
  std::string raw;
  for (const Pass& p : passes) {
    if (p.x0 >= width || p.y0 >= height) continue;  // empty passes have no scanlines
    for (int y = p.y0; y < height; y += p.dy) {
      raw += '\0';
      for (int x = p.x0; x < width; x += p.dx) {
        raw += {static_cast<char>(10 * x), static_cast<char>(10 * y), 7};
      }
    }
  }
  return kSignature + Chunk("IHDR", Ihdr(width, height, 8, 2, 1)) + Chunk("IDAT", Compress(raw)) +
         Chunk("IEND", "");
}

std::vector<uint8_t> Rgba(std::initializer_list<int> values) {
  return std::vector<uint8_t>(values.begin(), values.end());
}

// --- Decoding.

TEST(DecodePngTest, GivesRgbaForEveryColourType) {
  const std::string palette = Chunk("PLTE", std::string("\x10\x20\x30\x40\x50\x60\x70\x80\x90", 9));
  struct Case {
    const char* name;
    std::string png;
    int width;
    std::vector<uint8_t> pixels;
  };
  const Case cases[] = {
      {"grey 8", MakePng(2, 8, 0, {std::string("\x00\x80", 2)}), 2,
       Rgba({0, 0, 0, 255, 128, 128, 128, 255})},
      {"grey 1", MakePng(3, 1, 0, {"\xa0"}), 3,
       Rgba({255, 255, 255, 255, 0, 0, 0, 255, 255, 255, 255, 255})},
      {"grey 16", MakePng(1, 16, 0, {"\x80\x80"}), 1, Rgba({128, 128, 128, 255})},
      {"grey with alpha", MakePng(1, 8, 4, {"\x40\x80"}), 1, Rgba({64, 64, 64, 128})},
      {"grey with key", MakePng(2, 8, 0, {"\x05\x06"}, Chunk("tRNS", std::string("\x00\x05", 2))),
       2, Rgba({5, 5, 5, 0, 6, 6, 6, 255})},
      {"rgb", MakePng(1, 8, 2, {"\x01\x02\x03"}), 1, Rgba({1, 2, 3, 255})},
      {"rgb with key",
       MakePng(2, 8, 2, {"\x0a\x14\x1e\x28\x32\x3c"},
               Chunk("tRNS", std::string("\x00\x0a\x00\x14\x00\x1e", 6))),
       2, Rgba({10, 20, 30, 0, 40, 50, 60, 255})},
      {"rgba 8", MakePng(1, 8, 6, {"\x01\x02\x03\x04"}), 1, Rgba({1, 2, 3, 4})},
      {"rgba 16", MakePng(1, 16, 6, {std::string("\xff\xff\x80\x80\x00\x00\x80\x80", 8)}), 1,
       Rgba({255, 128, 0, 128})},
      {"palette 2-bit", MakePng(2, 2, 3, {"\x20"}, palette), 2,
       Rgba({0x10, 0x20, 0x30, 255, 0x70, 0x80, 0x90, 255})},
      {"palette with alpha",
       MakePng(2, 8, 3, {std::string("\x00\x01", 2)}, palette + Chunk("tRNS", "\x33")), 2,
       Rgba({0x10, 0x20, 0x30, 0x33, 0x40, 0x50, 0x60, 255})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RgbaImage image;
    ASSERT_TRUE(DecodePng(c.png, image));
    EXPECT_EQ(image.width, c.width);
    EXPECT_EQ(image.height, 1);
    EXPECT_EQ(image.pixels, c.pixels);
  }
}

TEST(DecodePngTest, DeinterlacesAdam7) {
  // 9 x 10 leaves some passes with partial blocks at the right and bottom edges.
  const int width = 9;
  const int height = 10;
  RgbaImage image;
  ASSERT_TRUE(DecodePng(MakeInterlacedRgb(width, height), image));
  ASSERT_EQ(image.width, width);
  ASSERT_EQ(image.height, height);
  std::vector<uint8_t> expected;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      expected.insert(expected.end(),
                      {static_cast<uint8_t>(10 * x), static_cast<uint8_t>(10 * y), 7, 255});
    }
  }
  EXPECT_EQ(image.pixels, expected);
}

std::string WithByte(std::string bytes, size_t position, char value) {
  bytes[position] = value;
  return bytes;
}

TEST(DecodePngTest, RejectsBadData) {
  const std::string good = MakePng(2, 8, 2, {"\x01\x02\x03\x04\x05\x06"});
  // IDAT data starts after signature (8), IHDR chunk (25) and the IDAT length and type (8).
  const size_t idat_data = 8 + 25 + 8;
  ASSERT_EQ(good.substr(idat_data - 4, 4), "IDAT");
  const std::string bad_zlib_header =
      std::string(2, '\0') + Compress(std::string("\0\x01\x02\x03\x04\x05\x06", 7)).substr(2);
  const std::string headers_only =
      kSignature + Chunk("IHDR", Ihdr(2, 1, 8, 2, 0)) + Chunk("IEND", "");
  struct Case {
    const char* name;
    std::string bytes;
  };
  const Case cases[] = {
      {"empty", ""},
      {"text", "this is not an image"},
      {"signature only", kSignature},
      {"wrong signature", WithByte(good, 1, 'Q')},
      {"truncated in IHDR", good.substr(0, 20)},
      {"truncated in IDAT", good.substr(0, idat_data + 4)},
      {"IDAT failing its checksum", WithByte(good, idat_data + 3, '\x55')},
      {"IDAT with a broken zlib stream", kSignature + Chunk("IHDR", Ihdr(2, 1, 8, 2, 0)) +
                                             Chunk("IDAT", bad_zlib_header) + Chunk("IEND", "")},
      {"too little image data", MakePng(2, 8, 2, {"\x01\x02"})},
      {"no IDAT", headers_only},
      {"zero width", kSignature + Chunk("IHDR", Ihdr(0, 1, 8, 2, 0)) + Chunk("IEND", "")},
      {"absurd size",
       kSignature + Chunk("IHDR", Ihdr(100000, 100000, 8, 6, 0)) + Chunk("IEND", "")},
      {"bad depth for the colour type", MakePng(1, 4, 2, {"\x01"})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RgbaImage image;
    EXPECT_FALSE(DecodePng(c.bytes, image));
    EXPECT_TRUE(image.pixels.empty());
  }
}

// --- The embedded icons.

TEST(IconsTest, EachIconIsA16x16RgbaPictureOfItsOwn) {
  std::set<std::vector<uint8_t>> distinct;
  for (int i = 0; i < kIconCount; ++i) {
    SCOPED_TRACE(i);
    RgbaImage image;
    ASSERT_TRUE(DecodePng(IconPng(i), image));
    EXPECT_EQ(image.width, 16);
    EXPECT_EQ(image.height, 16);
    ASSERT_EQ(image.pixels.size(), 16u * 16u * 4u);
    int opaque = 0;
    int transparent = 0;
    for (size_t p = 3; p < image.pixels.size(); p += 4) {
      opaque += image.pixels[p] == 255;
      transparent += image.pixels[p] == 0;
    }
    EXPECT_GT(opaque, 0);
    EXPECT_GT(transparent, 0);
    distinct.insert(image.pixels);
  }
  EXPECT_EQ(distinct.size(), static_cast<size_t>(kIconCount));
}

TEST(IconsTest, OutOfRangeIndexGivesNoBytes) {
  EXPECT_TRUE(IconPng(-1).empty());
  EXPECT_TRUE(IconPng(kIconCount).empty());
}

TEST(IconsTest, CreatesImagesZeroToEleven) {
  HeadlessToolkit tk;
  ASSERT_TRUE(CreateIconImages(tk));
  for (int i = 0; i < kIconCount; ++i) EXPECT_TRUE(tk.IsImage(i)) << i;
  EXPECT_FALSE(tk.IsImage(kIconCount));
}

// --- The licence text.

TEST(LicenceTest, Has34CrLfLinesGermanThenEnglish) {
  const std::string text(LicenceText());
  ASSERT_GE(text.size(), 2u);
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
  int lines = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n') {
      ++lines;
      EXPECT_TRUE(i > 0 && text[i - 1] == '\r') << "bare line feed in line " << lines;
    } else if (text[i] == '\r') {
      EXPECT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << "bare carriage return";
    }
  }
  EXPECT_EQ(lines, 34);
  const size_t german = text.find("Lizenz");
  const size_t english = text.find("icence");
  ASSERT_NE(german, std::string::npos);
  ASSERT_NE(english, std::string::npos);
  EXPECT_LT(german, english);
  EXPECT_NE(text.find("Corvane"), std::string::npos);
  EXPECT_EQ(ToUtf8(FromUtf8(text)), text);  // well-formed UTF-8, shown as written
}

}  // namespace
}  // namespace corvane
