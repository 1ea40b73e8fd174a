// Decodes arbitrary bytes in every format and checks that writing the lines back and reading them
// again gives the same lines (UTF-8 always, single-byte text when the lines fit it).
#include <array>

#include "fuzz/fuzz_util.h"
#include "platform/text/textfile.h"

namespace corvane {
namespace {

// Characters the writer cannot keep: surrogates other than escaped bytes, and beyond U+10FFFF.
bool HasUnwritable(const LineList& lines) {
  for (const Line& line : lines) {
    for (char32_t c : line.text()) {
      if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF && !IsEscapedByte(c))) return true;
    }
  }
  return false;
}

bool HasEscapedByte(const LineList& lines) {
  for (const Line& line : lines) {
    for (char32_t c : line.text()) {
      if (IsEscapedByte(c)) return true;
    }
  }
  return false;
}

// Escaped bytes are written as the raw byte, which single-byte text reads as that character.
LineList AsLatin1Read(const LineList& lines) {
  LineList read;
  for (const Line& line : lines) {
    Text text = line.text();
    for (char32_t& c : text) {
      if (IsEscapedByte(c)) c -= kEscapedByteBase;
    }
    read.push_back(text);
  }
  return read;
}

// Writing `lines` and reading them again gives them back. `from_utf8`: the lines were decoded from
// UTF-8, so their escaped bytes are the original invalid sequences and read back as escaped bytes;
// escaped bytes from other formats (lone surrogates of UTF-16 or UTF-32) may join into valid UTF-8.
void CheckRoundTrip(const LineList& lines, bool from_utf8) {
  if (HasUnwritable(lines)) return;
  const std::string utf8 = EncodeLines(lines, WriteEncoding::kUtf8Bom);
  FUZZ_CHECK(DetectBom(utf8) == TextFormat::kUtf8);
  if (from_utf8 || !HasEscapedByte(lines)) {
    FUZZ_CHECK(DecodeLines(utf8, Unmarked::kLatin1) == lines);
  }
  if (!FitsLatin1(lines)) return;
  const std::string latin1 = EncodeLines(lines, WriteEncoding::kLatin1);
  // Single-byte text that happens to begin like a byte order mark reads as that format.
  if (DetectBom(latin1) != TextFormat::kNone) return;
  FUZZ_CHECK(DecodeLines(latin1, Unmarked::kLatin1) == AsLatin1Read(lines));
}

bool ReadsUtf8(TextFormat format, Unmarked unmarked) {
  return format == TextFormat::kUtf8 ||
         (format == TextFormat::kNone && unmarked == Unmarked::kUtf8);
}

constexpr std::array<TextFormat, 6> kFormats = {TextFormat::kNone,    TextFormat::kUtf8,
                                                TextFormat::kUtf16LE, TextFormat::kUtf16BE,
                                                TextFormat::kUtf32LE, TextFormat::kUtf32BE};

}  // namespace
}  // namespace corvane

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace corvane;
  const std::string_view bytes = fuzz::AsBytes(data, size);
  const TextFormat format = DetectBom(bytes);
  FUZZ_CHECK(BomLength(format) <= bytes.size());
  for (Unmarked unmarked : {Unmarked::kLatin1, Unmarked::kUtf8}) {
    const LineList lines = DecodeLines(bytes, unmarked);
    FUZZ_CHECK(lines == DecodeLinesAs(bytes.substr(BomLength(format)), format, unmarked));
    CheckRoundTrip(lines, ReadsUtf8(format, unmarked));
    for (TextFormat as : kFormats) {
      CheckRoundTrip(DecodeLinesAs(bytes, as, unmarked), ReadsUtf8(as, unmarked));
    }
  }
  return 0;
}
