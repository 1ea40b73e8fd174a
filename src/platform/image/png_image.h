// Decoding PNG images (libpng) into 8-bit RGBA pixels.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace corvane {

struct RgbaImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> pixels;  // width * height * 4 bytes, row by row
};

// Decodes any PNG (palette, grey, with or without alpha, 16-bit) to RGBA. False for bad data.
bool DecodePng(std::string_view bytes, RgbaImage& image);

}  // namespace corvane
