// Text files: byte order marks, decoding lines in a file's format, encoding lines for writing.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/fs/fs.h"
#include "platform/text/line.h"
#include "platform/text/text.h"

namespace corvane {

// The format a file announces by its byte order mark.
enum class TextFormat { kNone, kUtf8, kUtf16LE, kUtf16BE, kUtf32LE, kUtf32BE };

// How bytes without a byte order mark are read.
enum class Unmarked { kLatin1, kUtf8 };

// The two formats files are written in.
enum class WriteEncoding { kUtf8Bom, kLatin1 };

// The mark at the start of `bytes` (UTF-32 LE is tested before UTF-16 LE, whose mark it begins
// with).
TextFormat DetectBom(std::string_view bytes);
// Number of bytes the mark of `format` takes (0 for kNone).
size_t BomLength(TextFormat format);

// Decodes `bytes` (which may still start with a mark; it is skipped) into lines. A line ends at CR,
// LF or CRLF; text after the last line end is a line of its own; an empty input gives no line.
// Invalid sequences and a truncated tail never fail: see text.h for how bytes are kept.
LineList DecodeLines(std::string_view bytes, Unmarked unmarked = Unmarked::kLatin1);
// The same for a format already known (`bytes` without the mark).
LineList DecodeLinesAs(std::string_view bytes, TextFormat format, Unmarked unmarked);

// The bytes of a file: the mark of the encoding (if any), then every line followed by a line feed.
std::string EncodeLines(const LineList& lines, WriteEncoding encoding);
// The same bytes handed to `sink` in pieces of about a megabyte; false when the sink gave up.
bool EncodeLinesTo(const LineList& lines, WriteEncoding encoding, const ByteSink& sink);
// True when every character of every line can be written as one byte of ISO-8859-1 (escaped raw
// bytes included).
bool FitsLatin1(const LineList& lines);

// A file read as text: its mark and its lines.
struct TextFile {
  TextFormat format = TextFormat::kNone;
  LineList lines;
};

// Reads and decodes a whole file. Returns false when it cannot be opened or read.
bool ReadTextFile(const std::string& path, TextFile& out, Unmarked unmarked = Unmarked::kLatin1);

}  // namespace corvane
