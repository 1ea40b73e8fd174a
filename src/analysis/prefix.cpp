#include "analysis/prefix.h"

#include "analysis/scan.h"

namespace corvane {
namespace {

constexpr TextView kPbAnyError = U" -> Error: Find OpenWindow with '#PB_Any', Not supported. Stop!";

constexpr TextView kOpenWindow = U"OPENWINDOW(#";
constexpr TextView kUseGadgetList = U"USEGADGETLIST(";
constexpr TextView kWindowId = U"WINDOWID(";
constexpr TextView kBarCreators[] = {U"CREATETOOLBAR(", U"CREATESTATUSBAR("};
constexpr TextView kListOrField[] = {U"CREATEGADGETLIST(", U"ADDSTATUSBARFIELD("};
constexpr TextView kHeightCalls[] = {U"TOOLBARHEIGHT(", U"STATUSBARHEIGHT("};
constexpr TextView kSecondArgumentCalls[] = {U"BALLOONTIP(", U"TOOLBARTOOLTIP(",
                                             U"DISABLETOOLBARBUTTON(", U"GETTOOLBARBUTTONSTATE(",
                                             U"SETTOOLBARBUTTONSTATE("};
constexpr TextView kChildCalls[] = {U"SPLITTERGADGET(", U"MDIGADGET("};

// The last column at which a ";" makes the whole line a comment for this pass.
constexpr size_t kCommentColumns = 9;
// Commas between the splitter or MDI keyword and its child arguments.
constexpr int kCommasBeforeChildren = 5;

// 1-based position of `what` at or after `start` (letter case respected), 0 when absent.
size_t FindText(TextView line, TextView what, size_t start = 1) {
  if (start < 1) start = 1;
  if (start > line.size()) return 0;
  const size_t at = line.find(what, start - 1);
  return at == TextView::npos ? 0 : at + 1;
}

// A line of LinesSource with its upper-case form. A plain search of an upper-case keyword in the
// upper-case form gives the same position as FindNoCase, while the line is upper-cased once
// instead of once per comparison; the pass runs a dozen keyword tests on every line.
class SourceLine {
 public:
  // `upper` is a buffer for the upper-case form, kept from line to line.
  SourceLine(Text& text, Text& upper) : text_(text), upper_(upper) { UpperCaseInto(text_, upper_); }

  TextView upper() const { return upper_; }
  TextView text() const { return text_; }
  // Position of the upper-case `keyword`, letter case of the line ignored; 0 when absent.
  size_t FindKeyword(TextView keyword, size_t start = 1) const {
    return FindText(upper_, keyword, start);
  }
  // Position of `what` (punctuation such as "(", "," or "(#"), 0 when absent.
  size_t Find(TextView what, size_t start = 1) const { return FindText(text_, what, start); }
  // Inserts the prefix after the first `position` characters of the line.
  void InsertPrefixAfter(size_t position, const Text& prefix) {
    if (position > text_.size()) return;
    text_.insert(position, prefix);
    upper_.insert(position, UpperCase(prefix));
  }

 private:
  Text& text_;
  Text& upper_;
};

// Comment filter: only a ";" in the first nine columns excludes the line; one at column 10 or later
// does not, and the text after it is processed like any other.
bool IsCommentLine(const SourceLine& line) {
  const size_t semicolon = line.Find(U";");
  return semicolon >= 1 && semicolon <= kCommentColumns;
}

enum class WindowOpening { kNone, kNamed, kPbAny };

// An OpenWindow line names the window from the first "(" of the line to its first ",".
WindowOpening SetPrefixFromOpenWindow(const SourceLine& line, Text& prefix) {
  if (line.FindKeyword(kOpenWindow) == 0) return WindowOpening::kNone;
  const Text id = IdentifierBetween(line.text(), line.Find(U"(") + 2, line.Find(U","));
  if (UpperCase(id) == U"PB_ANY") return WindowOpening::kPbAny;
  prefix = id + U"_";
  return WindowOpening::kNamed;
}

// UseGadgetList(WindowID(#Win)) switches to the window Win. A call without WindowID (such
// as restoring a saved gadget list) names no window and leaves the prefix as it is.
bool SetPrefixFromGadgetList(const SourceLine& line, Text& prefix) {
  if (line.FindKeyword(kUseGadgetList) == 0) return false;
  const size_t window_id = line.FindKeyword(kWindowId);
  if (window_id != 0) {
    const size_t paren = line.Find(U"(", window_id);
    prefix = IdentifierBetween(line.text(), paren + 2, line.Find(U")")) + U"_";
  }
  return true;
}

// CreateToolBar and CreateStatusBar take their window from the second "(" of the line
// (the one of the WindowID argument) to the first ")". Without a second "(" there is no window.
void SetPrefixFromBarCreation(const SourceLine& line, Text& prefix) {
  for (TextView keyword : kBarCreators) {
    if (line.FindKeyword(keyword) == 0) continue;
    const size_t second_paren = line.Find(U"(", line.Find(U"(") + 1);
    if (second_paren == 0) continue;
    prefix = IdentifierBetween(line.text(), second_paren + 2, line.Find(U")")) + U"_";
  }
}

// Lines that create a gadget list or add a status-bar field are left alone.
bool IsGadgetListOrStatusField(const SourceLine& line) {
  for (TextView keyword : kListOrField) {
    if (line.FindKeyword(keyword) != 0) return true;
  }
  return false;
}

// Position of the "(" that ends `keyword`'s first occurrence, 0 when the line lacks it.
size_t KeywordParen(const SourceLine& line, TextView keyword) {
  const size_t at = line.FindKeyword(keyword);
  return at == 0 ? 0 : at + keyword.size() - 1;
}

// Height calls: ToolBarHeight(#T) and StatusBarHeight(#S); a line holding both gets both prefixed.
void PrefixHeightCalls(SourceLine& line, const Text& prefix) {
  for (TextView keyword : kHeightCalls) {
    const size_t paren = KeywordParen(line, keyword);
    if (paren != 0 && line.Find(U"#", paren + 1) == paren + 1) {
      line.InsertPrefixAfter(paren + 1, prefix);
    }
  }
}

// Whether the "(" at `paren` is that of a height call, whose "#" PrefixHeightCalls has prefixed.
bool IsPrefixedHeightCall(const SourceLine& line, size_t paren) {
  for (TextView keyword : kHeightCalls) {
    if (KeywordParen(line, keyword) == paren) return true;
  }
  return false;
}

// The function name in front of a call: from the last blank before the "(#" (else the last tab,
// else the start of the line) up to it, blanks and then tabs removed. So x=ButtonGadget(#B is not a
// known call.
TextView FunctionNameBefore(TextView line, size_t call) {
  size_t from = 0;
  if (call > 1) {
    from = FindReverse(line, U" ", call - 1);
    if (from == 0) from = FindReverse(line, U"\t", call - 1);
  }
  if (from == 0) from = 1;
  return TrimView(TrimView(line.substr(from - 1, call - from), U" "), U"\t");
}

// The first call with an identifier argument; only the first "(#" of the line is looked at, so
// SetGadgetText(#A, GetGadgetText(#B)) prefixes #A alone.
void PrefixFirstCall(SourceLine& line, const Text& prefix, const KeySet& keywords) {
  const size_t call = line.Find(U"(#");
  if (call == 0 || IsPrefixedHeightCall(line, call)) return;
  // Read from the upper-case form, whose positions are the line's: the name comes out in upper
  // case.
  if (keywords.find(FunctionNameBefore(line.upper(), call)) != keywords.end()) {
    line.InsertPrefixAfter(call + 1, prefix);
  }
}

// Second arguments: the "#" after the first "," of ToolBarToolTip(#T, #Item, ...) and its
// relatives; each such call on the line gets its second argument prefixed.
void PrefixSecondArguments(SourceLine& line, const Text& prefix) {
  for (TextView keyword : kSecondArgumentCalls) {
    const size_t at = line.FindKeyword(keyword);
    if (at == 0) continue;
    const size_t comma = line.Find(U",", at);
    const size_t hash = comma == 0 ? 0 : line.Find(U"#", comma + 1);
    if (hash != 0) line.InsertPrefixAfter(hash, prefix);
  }
}

// Splitter and MDI children of one keyword: the first "#" after the fifth comma, then the first "#"
// after the next comma. The second search starts at the beginning of the line when the first found
// no "#"; a line with fewer than five commas after the keyword has no first "#".
void PrefixChildArguments(SourceLine& line, TextView keyword, const Text& prefix) {
  const size_t at = line.FindKeyword(keyword);
  if (at == 0) return;
  size_t comma = at;
  for (int i = 0; i < kCommasBeforeChildren && comma != 0; ++i) {
    comma = line.Find(U",", comma + 1);
  }
  const size_t first_hash = comma == 0 ? 0 : line.Find(U"#", comma + 1);
  if (first_hash != 0) line.InsertPrefixAfter(first_hash, prefix);
  const size_t next_comma = line.Find(U",", first_hash == 0 ? 1 : first_hash);
  const size_t second_hash = next_comma == 0 ? 0 : line.Find(U"#", next_comma + 1);
  if (second_hash != 0) line.InsertPrefixAfter(second_hash, prefix);
}

void PrefixSplitterAndMdiChildren(SourceLine& line, const Text& prefix) {
  for (TextView keyword : kChildCalls) PrefixChildArguments(line, keyword, prefix);
}

// The object rules for a line that opens no window and selects no gadget list.
void PrefixObjectLine(SourceLine& line, Text& prefix, const KeySet& keywords) {
  SetPrefixFromBarCreation(line, prefix);
  if (IsGadgetListOrStatusField(line)) return;
  PrefixHeightCalls(line, prefix);
  PrefixFirstCall(line, prefix, keywords);
  PrefixSecondArguments(line, prefix);
  PrefixSplitterAndMdiChildren(line, prefix);
}

}  // namespace

TextView IdentifierView(TextView line, size_t first, size_t stop) {
  if (first < 1) first = 1;
  if (first > line.size()) return TextView();
  const size_t end = stop >= first ? stop : line.size() + 1;
  return TrimView(line.substr(first - 1, end - first));
}

Text IdentifierBetween(TextView line, size_t first, size_t stop) {
  return Text(IdentifierView(line, first, stop));
}

// The prefix carries from line to line, across the end of one common file into the next, until a
// window line sets another one.
bool PrefixIdentifiers(SourceModel& model, RunLog& log) {
  Text prefix;
  Text buffer;
  Text upper;
  for (Line& stored : model.LinesSource) {
    LineEdit edit(stored, buffer);
    SourceLine line(edit.text(), upper);
    if (IsCommentLine(line)) continue;
    switch (SetPrefixFromOpenWindow(line, prefix)) {
      case WindowOpening::kPbAny:
        log.WriteLog(Text(kPbAnyError));
        return false;
      case WindowOpening::kNamed:
        continue;
      case WindowOpening::kNone:
        break;
    }
    if (SetPrefixFromGadgetList(line, prefix)) continue;
    PrefixObjectLine(line, prefix, model.MapKeyword);
  }
  return true;
}

}  // namespace corvane
