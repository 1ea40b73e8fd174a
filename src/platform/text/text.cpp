#include "platform/text/text.h"

#include <limits>

namespace corvane {

namespace {

// Length of the UTF-8 sequence that starts with `lead`, 0 for a byte that cannot start one.
int SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

Text FromUtf8(std::string_view bytes) {
  Text out;
  out.reserve(bytes.size());
  size_t i = 0;
  const size_t n = bytes.size();
  while (i < n) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    const int len = SequenceLength(lead);
    if (len == 1) {
      out += static_cast<char32_t>(lead);
      ++i;
      continue;
    }
    bool valid = len > 0 && i + len <= n;
    char32_t c = 0;
    if (valid) {
      c = lead & (0x7F >> len);
      for (int k = 1; k < len && valid; ++k) {
        const auto next = static_cast<unsigned char>(bytes[i + k]);
        valid = IsContinuation(next);
        c = (c << 6) | (next & 0x3F);
      }
      // Overlong forms, surrogates and values past U+10FFFF are not valid UTF-8.
      if (valid && len == 3 && (c < 0x800 || (c >= 0xD800 && c <= 0xDFFF))) valid = false;
      if (valid && len == 4 && (c < 0x10000 || c > 0x10FFFF)) valid = false;
    }
    if (valid) {
      out += c;
      i += len;
    } else {
      out += kEscapedByteBase + lead;
      ++i;
    }
  }
  return out;
}

std::string ToUtf8(TextView text) {
  std::string out;
  out.reserve(text.size());
  for (char32_t c : text) {
    if (IsEscapedByte(c)) {
      out += static_cast<char>(c - kEscapedByteBase);
    } else if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) {
      AppendUtf8(out, 0xFFFD);
    } else {
      AppendUtf8(out, c);
    }
  }
  return out;
}

Text FromLatin1(std::string_view bytes) {
  Text out;
  out.reserve(bytes.size());
  for (char b : bytes) out += static_cast<char32_t>(static_cast<unsigned char>(b));
  return out;
}

Text UpperCase(TextView text) {
  Text out;
  UpperCaseInto(text, out);
  return out;
}

void UpperCaseInto(TextView text, Text& out) {
  out.assign(text);
  for (char32_t& c : out) c = UpperChar(c);
}

Text TrimLeft(TextView text, TextView chars) {
  const size_t start = text.find_first_not_of(chars);
  return start == TextView::npos ? Text() : Text(text.substr(start));
}

Text TrimRight(TextView text, TextView chars) {
  const size_t end = text.find_last_not_of(chars);
  return end == TextView::npos ? Text() : Text(text.substr(0, end + 1));
}

TextView TrimView(TextView text, TextView chars) {
  const size_t start = text.find_first_not_of(chars);
  if (start == TextView::npos) return TextView();
  const size_t end = text.find_last_not_of(chars);
  return text.substr(start, end - start + 1);
}

Text Trim(TextView text, TextView chars) { return Text(TrimView(text, chars)); }

Text Decimal(int64_t value) { return FromUtf8(std::to_string(value)); }

int64_t ParseInteger(TextView text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == U' ' || text[i] == U'\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == U'-' || text[i] == U'+')) {
    negative = text[i] == U'-';
    ++i;
  }
  constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
  int64_t value = 0;
  for (; i < text.size() && text[i] >= U'0' && text[i] <= U'9'; ++i) {
    const int digit = static_cast<int>(text[i] - U'0');
    if (value > (kMax - digit) / 10) {
      value = kMax;
      break;
    }
    value = value * 10 + digit;
  }
  return negative ? -value : value;
}

}  // namespace corvane
