// PNG decoding with libpng's transforms: every colour type and depth ends as 8-bit RGBA.
//
// libpng reports errors by longjmp. The functions that call setjmp hold only trivially
// destructible locals, so a jump never skips a C++ destructor; the owning objects live in
// DecodePng's frame, above the jump target.
#include "platform/image/png_image.h"

#include <png.h>

#include <csetjmp>
#include <cstring>

namespace corvane {
namespace {

// Larger images are refused before any pixel memory is allocated.
constexpr png_uint_32 kMaxSide = 16384;
constexpr uint64_t kMaxPixels = uint64_t{1} << 26;
constexpr size_t kSignatureSize = 8;

struct MemorySource {
  const unsigned char* data = nullptr;
  size_t size = 0;
  size_t position = 0;
};

// Owns the libpng read state for one decode.
struct PngReader {
  png_structp png = nullptr;
  png_infop info = nullptr;
  MemorySource source;

  ~PngReader() { png_destroy_read_struct(&png, &info, nullptr); }
};

void ReadFromMemory(png_structp png, png_bytep out, size_t count) {
  auto* source = static_cast<MemorySource*>(png_get_io_ptr(png));
  if (count > source->size - source->position) png_error(png, "PNG data ends early");
  std::memcpy(out, source->data + source->position, count);
  source->position += count;
}

// Errors end the decode silently: the caller sees `false`, nothing goes to stderr.
void OnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void OnWarning(png_structp, png_const_charp) {}

// Asks libpng to expand palette, grey, low depths and tRNS, scale 16 bits down and add an
// opaque alpha channel where the image has none.
void RequestRgba(png_structp png, png_infop info) {
  const int colour_type = png_get_color_type(png, info);
  const int bit_depth = png_get_bit_depth(png, info);
  const bool has_trns = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
  if (colour_type == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (colour_type == PNG_COLOR_TYPE_GRAY && bit_depth < 8) png_set_expand_gray_1_2_4_to_8(png);
  if (has_trns) png_set_tRNS_to_alpha(png);
  if (bit_depth == 16) png_set_scale_16(png);
  if ((colour_type & PNG_COLOR_MASK_COLOR) == 0) png_set_gray_to_rgb(png);
  if ((colour_type & PNG_COLOR_MASK_ALPHA) == 0 && !has_trns) {
    png_set_add_alpha(png, 0xff, PNG_FILLER_AFTER);
  }
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
}

// Reads the header and sets up the transforms. False for bad data or an absurd size.
bool ReadHeader(PngReader& reader, png_uint_32& width, png_uint_32& height) {
  if (setjmp(png_jmpbuf(reader.png))) return false;
  png_set_read_fn(reader.png, &reader.source, ReadFromMemory);
  png_set_user_limits(reader.png, kMaxSide, kMaxSide);
  png_read_info(reader.png, reader.info);
  width = png_get_image_width(reader.png, reader.info);
  height = png_get_image_height(reader.png, reader.info);
  if (width == 0 || height == 0 || uint64_t{width} * height > kMaxPixels) return false;
  RequestRgba(reader.png, reader.info);
  return png_get_channels(reader.png, reader.info) == 4 &&
         png_get_bit_depth(reader.png, reader.info) == 8 &&
         png_get_rowbytes(reader.png, reader.info) == size_t{width} * 4;
}

// Decodes all rows (every pass when interlaced) into `rows`. False for bad data.
bool ReadRows(PngReader& reader, png_bytepp rows) {
  if (setjmp(png_jmpbuf(reader.png))) return false;
  png_read_image(reader.png, rows);
  return true;
}

}  // namespace

bool DecodePng(std::string_view bytes, RgbaImage& image) {
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  if (bytes.size() < kSignatureSize || png_sig_cmp(data, 0, kSignatureSize) != 0) return false;
  PngReader reader;
  reader.source = {data, bytes.size(), 0};
  reader.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
  if (reader.png == nullptr) return false;
  reader.info = png_create_info_struct(reader.png);
  if (reader.info == nullptr) return false;
  png_uint_32 width = 0;
  png_uint_32 height = 0;
  if (!ReadHeader(reader, width, height)) return false;
  std::vector<uint8_t> pixels(size_t{width} * height * 4);
  std::vector<png_bytep> rows(height);
  for (png_uint_32 y = 0; y < height; ++y) rows[y] = pixels.data() + size_t{y} * width * 4;
  if (!ReadRows(reader, rows.data())) return false;
  image.width = static_cast<int>(width);
  image.height = static_cast<int>(height);
  image.pixels = std::move(pixels);
  return true;
}

}  // namespace corvane
