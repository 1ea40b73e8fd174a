#include "analysis/scan.h"

namespace corvane {
namespace {

bool IsWordChar(char32_t c) {
  c = UpperChar(c);
  return (c >= U'0' && c <= U'9') || (c >= U'A' && c <= U'Z') || c == U'_';
}

// The character at `i` of a text or of a narrow line's bytes.
char32_t CharAt(TextView text, size_t i) { return text[i]; }
char32_t CharAt(std::string_view bytes, size_t i) { return static_cast<unsigned char>(bytes[i]); }

// Whether `search` stands in `text` at the 0-based index `at` (which must leave room for it).
template <typename View>
bool MatchesNoCase(View text, TextView search, size_t at) {
  for (size_t k = 0; k < search.size(); ++k) {
    if (UpperChar(CharAt(text, at + k)) != UpperChar(search[k])) return false;
  }
  return true;
}

// 0-based index of the first case-blind occurrence at or after `from`, or npos.
template <typename View>
size_t IndexNoCase(View text, TextView search, size_t from) {
  if (search.empty() || search.size() > text.size()) return TextView::npos;
  // Candidates are the places of the first character in either case; only those are compared.
  const char32_t upper = UpperChar(search[0]);
  const char32_t lower = (upper >= U'A' && upper <= U'Z') ? upper + 32 : upper;
  const size_t last = text.size() - search.size();
  for (size_t i = from; i <= last; ++i) {
    const char32_t c = CharAt(text, i);
    if ((c == upper || c == lower) && MatchesNoCase(text, search, i)) return i;
  }
  return TextView::npos;
}

size_t IndexExact(TextView text, TextView search, size_t from) {
  if (search.empty()) return TextView::npos;
  return text.find(search, from);
}

// Shared loop of the plain replacements: `find` returns the 0-based index of the next occurrence.
template <typename Find>
Text ReplaceAll(TextView text, TextView search, TextView replacement, Find find) {
  if (search.empty()) return Text(text);
  size_t at = find(text, search, 0);
  if (at == TextView::npos) return Text(text);
  Text result;
  result.reserve(text.size());
  size_t from = 0;
  for (; at != TextView::npos; at = find(text, search, from)) {
    result.append(text.substr(from, at - from));
    result.append(replacement);
    from = at + search.size();
  }
  result.append(text.substr(from));
  return result;
}

}  // namespace

size_t FindNoCase(TextView text, TextView search, size_t start) {
  if (start < 1) start = 1;
  if (start > text.size()) return 0;
  size_t at = IndexNoCase(text, search, start - 1);
  return at == TextView::npos ? 0 : at + 1;
}

bool LineHasNoCase(const Line& line, TextView search) {
  if (line.narrow()) return IndexNoCase(line.bytes(), search, 0) != TextView::npos;
  return IndexNoCase(line.wide(), search, 0) != TextView::npos;
}

size_t FindReverse(TextView text, TextView search, size_t start) {
  if (search.empty() || search.size() > text.size()) return 0;
  if (start == 0 || start > text.size()) start = text.size();
  // Positions past the last one where the search text fits cannot match.
  size_t last = text.size() - search.size() + 1;
  for (size_t p = start < last ? start : last; p >= 1; --p) {
    if (text.compare(p - 1, search.size(), search) == 0) return p;
  }
  return 0;
}

// Builds the result in one pass. `result` always equals the working copy up to the point where the
// next search begins, so the character before an occurrence is read from it: after a replacement
// that is the last inserted character, as if the search ran on the rewritten line.
Text ReplaceWord(TextView text, TextView word, TextView replacement) {
  if (word.empty()) return Text(text);
  Text result;
  result.reserve(text.size());
  size_t from = 0;  // index into `text` where the next search begins
  for (size_t at; (at = IndexNoCase(text, word, from)) != TextView::npos;) {
    result.append(text.substr(from, at - from));
    bool begins = result.empty() || !IsWordChar(result.back());
    size_t after = at + word.size();
    bool ends = after == text.size() || !IsWordChar(text[after]);
    if (begins && ends) {
      result.append(replacement);
      from = after;
    } else {
      result.push_back(text[at]);
      from = at + 1;
    }
  }
  result.append(text.substr(from));
  return result;
}

Text ReplaceNoCase(TextView text, TextView search, TextView replacement) {
  return ReplaceAll(text, search, replacement, IndexNoCase<TextView>);
}

Text ReplaceExact(TextView text, TextView search, TextView replacement) {
  return ReplaceAll(text, search, replacement, IndexExact);
}

}  // namespace corvane
