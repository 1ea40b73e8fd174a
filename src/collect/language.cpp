#include "collect/language.h"

#include "analysis/include_file.h"
#include "analysis/scan.h"

namespace corvane {
namespace {

constexpr TextView kMenuItemKey = U"MENUITEM(#";
constexpr TextView kTabEscape = U"\\t";
constexpr TextView kTabConcatenation = U"\" + #TAB$ + \"";
constexpr TextView kLanguageWrapper = U"MyLanguage(";
constexpr TextView kNotWrappedKeys[] = {U"OPENWINDOW(", U"LOADIMAGE(", U"CATCHIMAGE("};
constexpr TextView kMaxLanguageLine = U"#MaxLanguage =";
constexpr TextView kMaxLanguagePrefix = U"#MaxLanguage = ";
constexpr TextView kDefaultLanguageLabel = U"DefaultLanguage:";
constexpr TextView kEndDefaultLanguageLabel = U"EndDefaultLanguage:";
constexpr TextView kEndDataSection = U"EndDataSection";
constexpr TextView kDataLinePrefix = U"  Data.s ";
constexpr char32_t kQuote = U'"';

bool Contains(const Text& line, TextView text) { return line.find(text) != Text::npos; }

bool IsNeverWrapped(const Text& line) {
  for (TextView key : kNotWrappedKeys) {
    if (FindNoCase(line, key, 1) != 0) return true;
  }
  return false;
}

// 0-based indices of the first quote of `line` and the next one; false when either is missing.
bool FirstQuotedText(const Text& line, size_t& q1, size_t& q2) {
  q1 = line.find(kQuote);
  if (q1 == Text::npos) return false;
  q2 = line.find(kQuote, q1 + 1);
  return q2 != Text::npos;
}

// The wrapped line keeps everything after the closing quote, however long.
Text WrapFirstText(const Text& line, size_t q1, size_t q2) {
  Text wrapped = line.substr(0, q1);
  wrapped += kLanguageWrapper;
  wrapped += line.substr(q1, q2 - q1 + 1);
  wrapped.push_back(U')');
  wrapped += TextView(line).substr(q2 + 1);
  return wrapped;
}

// Index of the first line that contains DefaultLanguage:, or npos. Replaces every #MaxLanguage
// line before it (all of them when there is no such line).
size_t SetMaxLanguage(TextList& lines, size_t count) {
  for (size_t i = 0; i < lines.size(); ++i) {
    if (Contains(lines[i], kMaxLanguageLine)) lines[i] = Text(kMaxLanguagePrefix) + Decimal(count);
    if (Contains(lines[i], kDefaultLanguageLabel)) return i;
  }
  return Text::npos;
}

// Index of the first line after `label` that ends the default-text block; `label` + 1 (delete
// nothing) when no line does, so the user's lines to the end of the file are never lost.
size_t EndOfDefaultBlock(const TextList& lines, size_t label) {
  for (size_t i = label + 1; i < lines.size(); ++i) {
    if (Contains(lines[i], kEndDefaultLanguageLabel) || Contains(lines[i], kEndDataSection)) {
      return i;
    }
  }
  return label + 1;
}

}  // namespace

void ExpandMenuItemTab(SourceModel& model) {
  EditLinesHolding(model.LinesSource, kMenuItemKey,
                   [](Text& line) { line = ReplaceNoCase(line, kTabEscape, kTabConcatenation); });
}

void WrapLanguageTexts(SourceModel& model) {
  Text buffer;
  for (Line& stored : model.LinesSource) {
    LineEdit edit(stored, buffer);
    Text& line = edit.text();
    size_t q1 = 0;
    size_t q2 = 0;
    if (IsNeverWrapped(line) || !FirstQuotedText(line, q1, q2)) continue;
    line = WrapFirstText(line, q1, q2);
  }
}

void CollectLanguageKeys(SourceModel& model, const TextList& lines) {
  Text line;
  for (const Line& stored : lines) {
    stored.CopyTo(line);
    size_t q1 = 0;
    size_t q2 = 0;
    if (FindNoCase(line, kLanguageWrapper, 1) == 0) continue;
    if (!FirstQuotedText(line, q1, q2) || q2 == q1 + 1) continue;
    Text key = line.substr(q1 + 1, q2 - q1 - 1);
    model.MapLanguage.AddIfMissing(key, key);
  }
}

void CollectLanguageTexts(SourceModel& model, RunLog& log) {
  for (const TextList* lines : {&model.LinesSource, &model.LinesMain, &model.LinesEventMenu,
                                &model.LinesEventGadget, &model.LinesEventWindow}) {
    CollectLanguageKeys(model, *lines);
  }
  for (const Text& path : model.ListIncludeFile) {
    if (ReadIncludeFile(model, path, log)) CollectLanguageKeys(model, model.LinesInclude);
  }
}

void UpdateLoadLanguage(SourceModel& model) {
  TextList& lines = model.LinesLoadLanguage;
  size_t label = SetMaxLanguage(lines, model.MapLanguage.Count());
  if (label == Text::npos) return;
  size_t end = EndOfDefaultBlock(lines, label);
  TextList updated;
  updated.reserve(lines.size() + model.MapLanguage.Count());
  updated.insert(updated.end(), lines.begin(), lines.begin() + label + 1);
  for (const auto& entry : model.MapLanguage.Entries()) {
    updated.push_back(Text(kDataLinePrefix) + kQuote + entry.first + kQuote);
  }
  updated.insert(updated.end(), lines.begin() + end, lines.end());
  lines = std::move(updated);
}

}  // namespace corvane
