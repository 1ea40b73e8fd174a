#include "generate/handlers.h"

#include <unordered_set>

namespace corvane {
namespace {

constexpr TextView kProcedureKeyword = U"Procedure ";
constexpr TextView kEndProcedure = U"EndProcedure";
constexpr TextView kEmptyBodyLine = U"  ";
constexpr TextView kExitApplicationLine = U"  ExitApplication = 1";
constexpr TextView kTextGadgetFunction = U"TEXTGADGET";
constexpr TextView kFrameGadgetFunction = U"FRAME3DGADGET";
constexpr TextView kEventMenuTitle = U"; Corvane Event Menu";
constexpr TextView kEventWindowTitle = U"; Corvane Event Window";
constexpr TextView kNoParameters = U"()";

// A handler line list together with the head lines its lines contain. Every head line begins with
// "Procedure " and, for names without ")", ends at its first ")"; a line contains such a head
// line exactly when one of the line's occurrences of "Procedure " starts it, i.e. when the text
// from that occurrence up to and including the next ")" equals it. Those texts are indexed.
class HandlerList {
 public:
  explicit HandlerList(TextList& lines) : lines_(lines) {}

  TextList& lines() { return lines_; }

  // True when some line contains `head` as an exact substring.
  bool ContainsHead(const Text& head) {
    if (head.find(U')') + 1 != head.size()) return ScanForHead(head);
    IndexNewLines();
    return heads_.count(Line(head)) != 0;
  }

  // The file header, written only into an empty list.
  void AddHeaderIfEmpty(TextView title) {
    if (!lines_.empty()) return;
    lines_.emplace_back(U";-TOP");
    lines_.emplace_back();
    lines_.emplace_back(title);
    AddSeparatorBlock(lines_);
  }

 private:
  // Indexes the lines appended since the last call, so the index follows the list as it grows.
  void IndexNewLines() {
    for (; indexed_ < lines_.size(); ++indexed_) {
      const Line& line = lines_[indexed_];
      // Most lines hold no head line; a narrow line is searched in its bytes first.
      if (line.narrow() && line.bytes().find("Procedure ") == std::string_view::npos) continue;
      line.CopyTo(buffer_);
      IndexLine(buffer_);
    }
  }

  void IndexLine(const Text& line) {
    for (size_t at = line.find(kProcedureKeyword); at != Text::npos;
         at = line.find(kProcedureKeyword, at + 1)) {
      size_t close = line.find(U')', at);
      if (close == Text::npos) return;  // no head line can start here or further on
      heads_.emplace(TextView(line).substr(at, close - at + 1));
    }
  }

  // A name holding ")" cannot be looked up by its first ")"; such heads are searched plainly.
  bool ScanForHead(const Text& head) const {
    Text line;
    for (const Line& stored : lines_) {
      stored.CopyTo(line);
      if (line.find(head) != Text::npos) return true;
    }
    return false;
  }

  TextList& lines_;
  std::unordered_set<Line, LineHash> heads_;  // held as lines: one byte per character
  size_t indexed_ = 0;
  Text buffer_;  // the line being indexed, its buffer kept from line to line
};

Text HeadLine(TextView prefix, TextView name, TextView parameters) {
  Text head(kProcedureKeyword);
  head += prefix;
  head += name;
  head += parameters;
  return head;
}

// Appends head, the given body line, "EndProcedure" and a separator block unless head is present.
void AddSimpleHandler(HandlerList& list, const Text& head, TextView body_line) {
  if (list.ContainsHead(head)) return;
  TextList& lines = list.lines();
  lines.push_back(head);
  lines.emplace_back(body_line);
  lines.emplace_back(kEndProcedure);
  AddSeparatorBlock(lines);
}

}  // namespace

bool HasGadgetHandler(const GadgetRecord& gadget) {
  return gadget.Function != kTextGadgetFunction && gadget.Function != kFrameGadgetFunction;
}

void AddMacMenuHandlers(SourceModel& model) {
  HandlerList list(model.LinesEventMenu);
  list.AddHeaderIfEmpty(kEventMenuTitle);
  AddSimpleHandler(list, HeadLine(kEventMenuPrefix, U"MacAbout", kNoParameters), kEmptyBodyLine);
  AddSimpleHandler(list, HeadLine(kEventMenuPrefix, U"MacPreferences", kNoParameters),
                   kEmptyBodyLine);
  AddSimpleHandler(list, HeadLine(kEventMenuPrefix, U"MacQuit", kNoParameters),
                   kExitApplicationLine);
}

void AddMenuHandlers(SourceModel& model) {
  HandlerList list(model.LinesEventMenu);
  list.AddHeaderIfEmpty(kEventMenuTitle);
  for (const Text& name : model.ListMenuItemID) {
    AddSimpleHandler(list, HeadLine(kEventMenuPrefix, name, kNoParameters), kEmptyBodyLine);
  }
}

void AddSizeHandlers(SourceModel& model) {
  HandlerList list(model.LinesEventWindow);
  list.AddHeaderIfEmpty(kEventWindowTitle);
  for (const Text& name : model.ListWindowID) {
    AddSimpleHandler(list, HeadLine(kEventSizePrefix, name, kNoParameters), kEmptyBodyLine);
  }
}

void AddExitHandlers(SourceModel& model) {
  HandlerList list(model.LinesEventWindow);
  list.AddHeaderIfEmpty(kEventWindowTitle);
  const NameList& windows = model.ListWindowID;
  for (size_t i = 0; i < windows.size(); ++i) {
    // The first window is the main window even when its procedure already exists.
    Text body = i == 0 ? Text(kExitApplicationLine) : U"  CloseWindow(#" + windows[i] + U")";
    AddSimpleHandler(list, HeadLine(kEventExitPrefix, windows[i], kNoParameters), body);
  }
}

void AddGadgetHandlers(SourceModel& model) {
  HandlerList list(model.LinesEventGadget);
  list.AddHeaderIfEmpty(U"; Corvane Event Gadget");
  for (const GadgetRecord& gadget : model.ListGadgetID) {
    if (!HasGadgetHandler(gadget)) continue;
    Text head = HeadLine(kEventGadgetPrefix, gadget.Name, kGadgetParameters);
    if (list.ContainsHead(head)) continue;
    TextList& lines = list.lines();
    lines.push_back(std::move(head));
    AddGadgetHandlerBody(lines, gadget.Function);
    AddSeparatorBlock(lines);
  }
}

void AddGadgetHandlerBody(TextList& lines, TextView /*gadget_function*/) {
  lines.emplace_back(kEmptyBodyLine);
  lines.emplace_back(U"  Select EventType");
  lines.emplace_back(U"    Case #PB_EventType_LeftClick");
  lines.emplace_back(U"      ");
  lines.emplace_back(U"  EndSelect");
  lines.emplace_back(kEmptyBodyLine);
  lines.emplace_back(kEndProcedure);
}

}  // namespace corvane
