// One line of a source file as the line lists hold it. A project's text is mostly ASCII, and its
// largest lists hold one element per line of every file, so a line is stored in the smallest form
// in which one element is still one character: one byte per character when every character is below
// 256, four bytes otherwise. Short narrow lines live inside the object (16 bytes) without a heap
// block. Passes read a line as Text (CopyTo reuses a buffer) and store a changed one back.
#pragma once

#include <cstdint>
#include <cstring>
#include <ostream>
#include <string_view>
#include <vector>

#include "platform/text/text.h"

namespace corvane {

class Line {
 public:
  Line() noexcept : meta_(0) {}
  Line(TextView text) : meta_(0) {
    Assign(text);
  }  // NOLINT: implicit, a line is made from any text
  Line(const Text& text) : Line(TextView(text)) {}      // NOLINT
  Line(const char32_t* text) : Line(TextView(text)) {}  // NOLINT
  // A line of characters below 256 given as their bytes (ISO-8859-1).
  static Line FromLatin1Bytes(std::string_view bytes);

  Line(const Line& other);
  Line(Line&& other) noexcept;
  Line& operator=(const Line& other);
  Line& operator=(Line&& other) noexcept;
  Line& operator=(TextView text);
  Line& operator=(const Text& text) { return *this = TextView(text); }
  Line& operator=(const char32_t* text) { return *this = TextView(text); }
  ~Line() { Release(); }

  size_t size() const { return meta_ >> 1; }
  bool empty() const { return size() == 0; }
  // One byte per character (every character below 256).
  bool narrow() const { return (meta_ & 1) == 0; }
  // The bytes of a narrow line.
  std::string_view bytes() const { return {NarrowData(), size()}; }
  // The characters of a wide line.
  TextView wide() const { return {WideData(), size()}; }
  char32_t operator[](size_t i) const {
    return narrow() ? static_cast<unsigned char>(NarrowData()[i]) : WideData()[i];
  }

  Text text() const;
  operator Text() const { return text(); }  // NOLINT: reads where a Text is expected
  // Replaces `out` with the line's characters, keeping out's buffer.
  void CopyTo(Text& out) const;
  // Appends the line's characters to `out`.
  void AppendTo(Text& out) const;

  friend bool operator==(const Line& a, const Line& b);
  friend bool operator==(const Line& a, TextView b);
  friend bool operator==(const Line& a, const Text& b) { return a == TextView(b); }
  friend bool operator==(const Line& a, const char32_t* b) { return a == TextView(b); }

 private:
  static constexpr size_t kInline = 12;
  static constexpr uint32_t kMaxSize = UINT32_MAX >> 1;

  bool OnHeap() const { return !narrow() || size() > kInline; }
  char* HeapPointer() const {
    char* p;
    std::memcpy(&p, raw_, sizeof p);
    return p;
  }
  const char* NarrowData() const { return OnHeap() ? HeapPointer() : raw_; }
  const char32_t* WideData() const { return reinterpret_cast<const char32_t*>(HeapPointer()); }
  size_t HeapBytes() const;
  template <typename Fill>
  void FillNarrow(size_t size, Fill fill);
  void AssignFrom(const Line& other);
  void Assign(TextView text);
  void AssignNarrow(std::string_view bytes);
  void Release();

  alignas(8) char raw_[kInline];
  uint32_t meta_;  // size << 1 | wide
};

static_assert(sizeof(Line) == 16);

// For sets of lines.
struct LineHash {
  size_t operator()(const Line& line) const;
};

using LineList = std::vector<Line>;

// Edits one line as Text: the line's characters are copied into `buffer` (reused from line to
// line, so a pass over a list allocates nothing for unchanged lines) and stored back, when they
// changed, as the editor goes out of scope.
class LineEdit {
 public:
  LineEdit(Line& line, Text& buffer) : line_(line), text_(buffer) { line.CopyTo(text_); }
  LineEdit(const LineEdit&) = delete;
  LineEdit& operator=(const LineEdit&) = delete;
  ~LineEdit() noexcept(false) {
    if (!(line_ == TextView(text_))) line_ = TextView(text_);
  }
  Text& text() { return text_; }

 private:
  Line& line_;
  Text& text_;
};

// Conversions for the few places that keep short lists as plain Text.
std::vector<Text> ToTexts(const LineList& lines);
LineList ToLines(const std::vector<Text>& texts);

// For test failure messages.
void PrintTo(const Line& line, std::ostream* out);

}  // namespace corvane
