#include "platform/text/line.h"

#include <algorithm>
#include <new>
#include <stdexcept>

namespace corvane {

namespace {

bool AllBelow256(TextView text) {
  return std::all_of(text.begin(), text.end(), [](char32_t c) { return c < 0x100; });
}

}  // namespace

Line Line::FromLatin1Bytes(std::string_view bytes) {
  Line line;
  line.AssignNarrow(bytes);
  return line;
}

Line::Line(const Line& other) : meta_(0) {
  if (other.narrow()) {
    AssignNarrow(other.bytes());
  } else {
    Assign(other.wide());
  }
}

Line::Line(Line&& other) noexcept : meta_(other.meta_) {
  std::memcpy(raw_, other.raw_, kInline);
  other.meta_ = 0;
}

Line& Line::operator=(const Line& other) {
  if (this == &other) return *this;
  if (other.narrow()) {
    AssignNarrow(other.bytes());
  } else {
    Assign(other.wide());
  }
  return *this;
}

Line& Line::operator=(Line&& other) noexcept {
  if (this == &other) return *this;
  Release();
  meta_ = other.meta_;
  std::memcpy(raw_, other.raw_, kInline);
  other.meta_ = 0;
  return *this;
}

Line& Line::operator=(TextView text) {
  Assign(text);
  return *this;
}

void Line::Release() {
  if (OnHeap()) ::operator delete(HeapPointer());
  meta_ = 0;
}

// The old storage is released only after the new one is filled, so assigning a line a view of its
// own characters is safe.
void Line::AssignNarrow(std::string_view bytes) {
  if (bytes.size() > kMaxSize) throw std::length_error("line too long");
  const auto size = static_cast<uint32_t>(bytes.size());
  if (size <= kInline) {
    char buffer[kInline];
    std::memcpy(buffer, bytes.data(), size);
    Release();
    std::memcpy(raw_, buffer, size);
  } else {
    char* heap = static_cast<char*>(::operator new(size));
    std::memcpy(heap, bytes.data(), size);
    Release();
    std::memcpy(raw_, &heap, sizeof heap);
  }
  meta_ = size << 1;
}

void Line::Assign(TextView text) {
  if (text.size() > kMaxSize) throw std::length_error("line too long");
  const auto size = static_cast<uint32_t>(text.size());
  if (AllBelow256(text)) {
    char small[kInline];
    char* out = size <= kInline ? small : static_cast<char*>(::operator new(size));
    for (uint32_t i = 0; i < size; ++i) out[i] = static_cast<char>(text[i]);
    Release();
    if (size <= kInline) {
      std::memcpy(raw_, small, size);
    } else {
      std::memcpy(raw_, &out, sizeof out);
    }
    meta_ = size << 1;
    return;
  }
  auto* heap = static_cast<char*>(::operator new(size * sizeof(char32_t)));
  std::memcpy(heap, text.data(), size * sizeof(char32_t));
  Release();
  std::memcpy(raw_, &heap, sizeof heap);
  meta_ = size << 1 | 1;
}

Text Line::text() const {
  Text out;
  AppendTo(out);
  return out;
}

void Line::CopyTo(Text& out) const {
  out.clear();
  AppendTo(out);
}

void Line::AppendTo(Text& out) const {
  if (!narrow()) {
    out.append(wide());
    return;
  }
  const std::string_view b = bytes();
  const size_t at = out.size();
  out.resize(at + b.size());
  char32_t* dest = out.data() + at;
  for (size_t i = 0; i < b.size(); ++i) dest[i] = static_cast<unsigned char>(b[i]);
}

bool operator==(const Line& a, const Line& b) {
  if (a.size() != b.size()) return false;
  if (a.narrow() && b.narrow()) return a.bytes() == b.bytes();
  // Every line whose characters are all below 256 is stored narrow, so a narrow and a wide line
  // always differ.
  if (a.narrow() != b.narrow()) return false;
  return a.wide() == b.wide();
}

bool operator==(const Line& a, TextView b) {
  if (a.size() != b.size()) return false;
  if (!a.narrow()) return a.wide() == b;
  const std::string_view bytes = a.bytes();
  for (size_t i = 0; i < b.size(); ++i) {
    if (static_cast<unsigned char>(bytes[i]) != b[i]) return false;
  }
  return true;
}

std::vector<Text> ToTexts(const LineList& lines) {
  std::vector<Text> out;
  out.reserve(lines.size());
  for (const Line& line : lines) out.push_back(line.text());
  return out;
}

LineList ToLines(const std::vector<Text>& texts) { return LineList(texts.begin(), texts.end()); }

void PrintTo(const Line& line, std::ostream* out) { *out << '"' << ToUtf8(line.text()) << '"'; }

}  // namespace corvane
