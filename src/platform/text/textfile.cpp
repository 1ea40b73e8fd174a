#include "platform/text/textfile.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/fs/fs.h"

namespace corvane {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool StartsWith(std::string_view bytes, std::string_view prefix) {
  return bytes.substr(0, prefix.size()) == prefix;
}

bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }
bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Collects characters into lines. A CR ends a line and swallows an LF that follows it directly.
// The current line is built in a reused buffer and copied out once, so each line costs one
// allocation of its exact size.
class LineSink {
 public:
  explicit LineSink(size_t expected_lines) { lines_.reserve(expected_lines); }

  void Add(char32_t c) {
    const bool after_cr = after_cr_;
    after_cr_ = false;
    if (c == U'\n') {
      if (!after_cr) EndLine();
    } else if (c == U'\r') {
      EndLine();
      after_cr_ = true;
    } else {
      current_ += c;
    }
  }

  // Text after the last line end is a line of its own.
  LineList Finish() {
    if (!current_.empty()) EndLine();
    return std::move(lines_);
  }

 private:
  void EndLine() {
    lines_.emplace_back(current_);
    current_.clear();
  }

  LineList lines_;
  Text current_;
  bool after_cr_ = false;
};

// A guess at the number of lines, so the line vector grows at most once or twice.
size_t CountLineFeeds(std::string_view bytes, size_t unit) {
  return static_cast<size_t>(std::count(bytes.begin(), bytes.end(), '\n')) / unit + 1;
}

// For single-byte-based formats CR and LF bytes never occur inside a multi-byte sequence, so the
// bytes are split into lines first and each line is decoded on its own.
template <typename Decoder>
LineList SplitThenDecode(std::string_view bytes, Decoder decode) {
  LineList lines;
  lines.reserve(CountLineFeeds(bytes, 1));
  const size_t n = bytes.size();
  size_t start = 0;
  while (start < n) {
    size_t end = start;
    while (end < n && bytes[end] != '\n' && bytes[end] != '\r') ++end;
    lines.push_back(decode(bytes.substr(start, end - start)));
    if (end == n) break;
    start = end + ((bytes[end] == '\r' && end + 1 < n && bytes[end + 1] == '\n') ? 2 : 1);
  }
  return lines;
}

char32_t ReadUnit16(std::string_view bytes, size_t i, bool big_endian) {
  const auto b0 = static_cast<unsigned char>(bytes[i]);
  const auto b1 = static_cast<unsigned char>(bytes[i + 1]);
  return big_endian ? (char32_t{b0} << 8) | b1 : (char32_t{b1} << 8) | b0;
}

char32_t ReadUnit32(std::string_view bytes, size_t i, bool big_endian) {
  char32_t c = 0;
  for (int k = 0; k < 4; ++k) {
    const auto b = static_cast<unsigned char>(bytes[i + (big_endian ? k : 3 - k)]);
    c = (c << 8) | b;
  }
  return c;
}

LineList DecodeUtf16Lines(std::string_view bytes, bool big_endian) {
  LineSink sink(CountLineFeeds(bytes, 2));
  const size_t n = bytes.size();
  size_t i = 0;
  while (i + 2 <= n) {
    char32_t c = ReadUnit16(bytes, i, big_endian);
    i += 2;
    if (IsHighSurrogate(c) && i + 2 <= n && IsLowSurrogate(ReadUnit16(bytes, i, big_endian))) {
      c = 0x10000 + ((c - 0xD800) << 10) + (ReadUnit16(bytes, i, big_endian) - 0xDC00);
      i += 2;
    } else if (IsSurrogate(c)) {
      c = kReplacement;
    }
    sink.Add(c);
  }
  if (i < n) sink.Add(kReplacement);  // a half code unit at the end
  return sink.Finish();
}

LineList DecodeUtf32Lines(std::string_view bytes, bool big_endian) {
  LineSink sink(CountLineFeeds(bytes, 4));
  const size_t n = bytes.size();
  size_t i = 0;
  for (; i + 4 <= n; i += 4) {
    const char32_t c = ReadUnit32(bytes, i, big_endian);
    sink.Add((c > 0x10FFFF || IsSurrogate(c)) ? kReplacement : c);
  }
  if (i < n) sink.Add(kReplacement);  // a partial code unit at the end
  return sink.Finish();
}

// True when no byte has its high bit set; eight bytes are tested at a time.
bool IsAscii(std::string_view bytes) {
  constexpr uint64_t kHighBits = 0x8080808080808080ULL;
  size_t i = 0;
  for (; i + 8 <= bytes.size(); i += 8) {
    uint64_t word;
    std::memcpy(&word, bytes.data() + i, 8);
    if ((word & kHighBits) != 0) return false;
  }
  for (; i < bytes.size(); ++i) {
    if (static_cast<unsigned char>(bytes[i]) >= 0x80) return false;
  }
  return true;
}

// ASCII bytes are the line's characters as they stand; anything else goes through the decoder.
Line Utf8Line(std::string_view bytes) {
  return IsAscii(bytes) ? Line::FromLatin1Bytes(bytes) : Line(FromUtf8(bytes));
}

char Latin1Byte(char32_t c) {
  if (c < 0x100) return static_cast<char>(c);
  if (IsEscapedByte(c)) return static_cast<char>(c - kEscapedByteBase);
  return '?';
}

}  // namespace

TextFormat DetectBom(std::string_view bytes) {
  using namespace std::literals;
  if (StartsWith(bytes, "\xEF\xBB\xBF"sv)) return TextFormat::kUtf8;
  if (StartsWith(bytes, "\xFF\xFE\x00\x00"sv)) return TextFormat::kUtf32LE;
  if (StartsWith(bytes, "\xFF\xFE"sv)) return TextFormat::kUtf16LE;
  if (StartsWith(bytes, "\xFE\xFF"sv)) return TextFormat::kUtf16BE;
  if (StartsWith(bytes, "\x00\x00\xFE\xFF"sv)) return TextFormat::kUtf32BE;
  return TextFormat::kNone;
}

size_t BomLength(TextFormat format) {
  switch (format) {
    case TextFormat::kNone:
      return 0;
    case TextFormat::kUtf8:
      return 3;
    case TextFormat::kUtf16LE:
    case TextFormat::kUtf16BE:
      return 2;
    case TextFormat::kUtf32LE:
    case TextFormat::kUtf32BE:
      return 4;
  }
  return 0;
}

LineList DecodeLines(std::string_view bytes, Unmarked unmarked) {
  const TextFormat format = DetectBom(bytes);
  return DecodeLinesAs(bytes.substr(BomLength(format)), format, unmarked);
}

LineList DecodeLinesAs(std::string_view bytes, TextFormat format, Unmarked unmarked) {
  switch (format) {
    case TextFormat::kNone:
      if (unmarked == Unmarked::kLatin1) return SplitThenDecode(bytes, Line::FromLatin1Bytes);
      return SplitThenDecode(bytes, Utf8Line);
    case TextFormat::kUtf8:
      return SplitThenDecode(bytes, Utf8Line);
    case TextFormat::kUtf16LE:
      return DecodeUtf16Lines(bytes, false);
    case TextFormat::kUtf16BE:
      return DecodeUtf16Lines(bytes, true);
    case TextFormat::kUtf32LE:
      return DecodeUtf32Lines(bytes, false);
    case TextFormat::kUtf32BE:
      return DecodeUtf32Lines(bytes, true);
  }
  return {};
}

namespace {

void AppendEncodedLine(const Line& line, WriteEncoding encoding, std::string& out) {
  if (encoding == WriteEncoding::kLatin1) {
    if (line.narrow()) {
      out += line.bytes();
    } else {
      for (char32_t c : line.wide()) out += Latin1Byte(c);
    }
  } else if (line.narrow() && IsAscii(line.bytes())) {
    out += line.bytes();
  } else if (line.narrow()) {
    for (char b : line.bytes()) {
      const auto c = static_cast<unsigned char>(b);
      if (c < 0x80) {
        out += b;
      } else {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
      }
    }
  } else {
    out += ToUtf8(line.wide());
  }
  out += '\n';
}

const char* MarkOf(WriteEncoding encoding) {
  return encoding == WriteEncoding::kUtf8Bom ? "\xEF\xBB\xBF" : "";
}

}  // namespace

std::string EncodeLines(const LineList& lines, WriteEncoding encoding) {
  size_t total = 3;
  for (const Line& line : lines) total += line.size() + 1;
  std::string out;
  out.reserve(total);
  out += MarkOf(encoding);
  for (const Line& line : lines) AppendEncodedLine(line, encoding, out);
  return out;
}

bool EncodeLinesTo(const LineList& lines, WriteEncoding encoding, const ByteSink& sink) {
  constexpr size_t kPiece = size_t{1} << 20;
  std::string piece;
  piece.reserve(kPiece + 4096);
  piece += MarkOf(encoding);
  for (const Line& line : lines) {
    AppendEncodedLine(line, encoding, piece);
    if (piece.size() >= kPiece) {
      if (!sink(piece)) return false;
      piece.clear();
    }
  }
  return piece.empty() || sink(piece);
}

bool FitsLatin1(const LineList& lines) {
  for (const Line& line : lines) {
    if (line.narrow()) continue;
    for (char32_t c : line.wide()) {
      if (c >= 0x100 && !IsEscapedByte(c)) return false;
    }
  }
  return true;
}

bool ReadTextFile(const std::string& path, TextFile& out, Unmarked unmarked) {
  std::string bytes;
  if (!ReadFileBytes(path, bytes)) return false;
  out.format = DetectBom(bytes);
  out.lines =
      DecodeLinesAs(std::string_view(bytes).substr(BomLength(out.format)), out.format, unmarked);
  return true;
}

}  // namespace corvane
