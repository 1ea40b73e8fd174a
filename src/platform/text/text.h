// Unicode text as the engine holds it: one element is one character (code point), so that every
// position the analysis computes is a character position.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace corvane {

using Text = std::u32string;
using TextView = std::u32string_view;

// Bytes that are not valid UTF-8 are kept as the characters U+DC80..U+DCFF (one per byte), which
// ToUtf8 and the single-byte writer turn back into the same byte: nothing the user wrote is lost.
inline constexpr char32_t kEscapedByteBase = 0xDC00;
inline bool IsEscapedByte(char32_t c) { return c >= 0xDC80 && c <= 0xDCFF; }

// Decodes UTF-8; never fails.
Text FromUtf8(std::string_view bytes);
// Encodes UTF-8; escaped bytes are written back as the raw byte, other invalid code points as
// U+FFFD.
std::string ToUtf8(TextView text);
// One byte is one character (ISO-8859-1).
Text FromLatin1(std::string_view bytes);

// A-Z for a-z, every other character unchanged, so the length never changes.
Text UpperCase(TextView text);
// The same into `out`, whose buffer is reused.
void UpperCaseInto(TextView text, Text& out);
inline char32_t UpperChar(char32_t c) { return (c >= U'a' && c <= U'z') ? c - 32 : c; }

// Removes the given characters from both ends (default: blanks only).
Text Trim(TextView text, TextView chars = U" ");
// The same as a view into `text`, without a copy.
TextView TrimView(TextView text, TextView chars = U" ");
Text TrimLeft(TextView text, TextView chars = U" ");
Text TrimRight(TextView text, TextView chars = U" ");

// Decimal text of an integer.
Text Decimal(int64_t value);

// Reads an integer the way PureBasic's Val does: blanks and tabs skipped, an optional sign, then
// the leading decimal digits; text without digits reads 0. Saturates instead of overflowing.
int64_t ParseInteger(TextView text);

// Shorthand for literals and file names that are ASCII or UTF-8.
inline Text T(std::string_view utf8) { return FromUtf8(utf8); }

}  // namespace corvane
