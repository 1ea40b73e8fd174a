#include "analysis/collect_objects.h"

#include <array>
#include <vector>

#include "analysis/prefix.h"

namespace corvane {
namespace {

constexpr TextView kWindowDuplicate = U" -> Error: Find duplicate WindowID(#";
constexpr TextView kMenuDuplicate = U" -> Error: Find duplicate MenuID(#";
constexpr TextView kStatusBarDuplicate = U" -> Error: Find duplicate StatusBarID(#";
constexpr TextView kToolBarDuplicate = U" -> Error: Find duplicate ToolBarID(#";
constexpr TextView kStopTail = U"). Stop!";
constexpr TextView kMenuItemDuplicate = U" -> Warning: Find duplicate MenuItemID(#";
constexpr TextView kByMenuItemTail = U") by MenuItem.";
constexpr TextView kByToolbarButtonTail = U") by ToolbarButton.";

constexpr TextView kGadgetCall = U"(#";

enum ListIndex { kWindows, kMenus, kMenuItems, kStatusBars, kToolBars, kListCount };

// One row of the collection table: a line holding one of the keywords (the second may be empty)
// adds its identifier to `list`; a repeat logs head + identifier + tail and stops or goes on.
struct ObjectRule {
  TextView keyword;
  TextView other_keyword;
  ListIndex list;
  bool stops_on_repeat;
  TextView message_head;
  TextView message_tail;
};

// In order: the first rule whose keyword a line contains decides for that line.
constexpr ObjectRule kObjectRules[] = {
    {U"OPENWINDOW(#", U"", kWindows, true, kWindowDuplicate, kStopTail},
    {U"CREATEMENU(#", U"CREATEPOPUPMENU(#", kMenus, true, kMenuDuplicate, kStopTail},
    {U"CREATEIMAGEMENU(#", U"CREATEPOPUPIMAGEMENU(#", kMenus, true, kMenuDuplicate, kStopTail},
    {U"MENUITEM(#", U"", kMenuItems, false, kMenuItemDuplicate, kByMenuItemTail},
    {U"CREATESTATUSBAR(#", U"", kStatusBars, true, kStatusBarDuplicate, kStopTail},
    {U"CREATETOOLBAR(#", U"", kToolBars, true, kToolBarDuplicate, kStopTail},
    {U"TOOLBARSTANDARDBUTTON(#", U"TOOLBARIMAGEBUTTON(#", kMenuItems, false, kMenuItemDuplicate,
     kByToolbarButtonTail},
};

// Every keyword ends with "(#", so a line holds a keyword exactly when one of its "(#" is preceded
// by the rest of the keyword: the line is searched once for "(#" instead of once per keyword.
constexpr bool AllKeywordsEndWithCall() {
  for (const ObjectRule& rule : kObjectRules) {
    if (!rule.keyword.ends_with(kGadgetCall)) return false;
    if (!rule.other_keyword.empty() && !rule.other_keyword.ends_with(kGadgetCall)) return false;
  }
  return true;
}
static_assert(AllKeywordsEndWithCall());

// Keyword test on the line's upper-case form, which gives the same answer as FindNoCase while the
// line is upper-cased once for all rules. `calls` holds the 0-based positions of every "(#".
bool ContainsKeyword(TextView upper_line, const std::vector<size_t>& calls, TextView keyword) {
  if (keyword.empty()) return false;
  const TextView head = keyword.substr(0, keyword.size() - kGadgetCall.size());
  for (size_t call : calls) {
    if (call >= head.size() && upper_line.substr(call - head.size(), head.size()) == head) {
      return true;
    }
  }
  return false;
}

bool MatchesRule(TextView upper_line, const std::vector<size_t>& calls, const ObjectRule& rule) {
  return ContainsKeyword(upper_line, calls, rule.keyword) ||
         ContainsKeyword(upper_line, calls, rule.other_keyword);
}

// 1-based position of the first `what`, 0 when absent.
size_t FindFirst(TextView line, TextView what) {
  const size_t at = line.find(what);
  return at == TextView::npos ? 0 : at + 1;
}

// The identifier of a line: from the second character after the first "(" (skipping "(#") up to
// the first ","; a menu line without "," ends it at the first ")".
Text LineIdentifier(TextView line, bool is_menu) {
  size_t stop = FindFirst(line, U",");
  if (is_menu && stop == 0) stop = FindFirst(line, U")");
  return IdentifierBetween(line, FindFirst(line, U"(") + 2, stop);
}

// An identifier list with the upper-case forms of its elements, so that the duplicate check is a
// hash lookup while the list keeps the order of first appearance.
class IdentifierList {
 public:
  explicit IdentifierList(NameList& items) : items_(&items) {
    for (const Text& item : items) seen_.insert(UpperCase(item));
  }
  // Appends `id` unless an equal identifier (letter case ignored) is present; true when appended.
  bool Add(const Text& id) {
    if (!seen_.insert(UpperCase(id)).second) return false;
    items_->push_back(id);
    return true;
  }

 private:
  NameList* items_;
  KeySet seen_;
};

class ObjectCollector {
 public:
  ObjectCollector(SourceModel& model, RunLog& log)
      : model_(model),
        log_(log),
        lists_{IdentifierList(model.ListWindowID), IdentifierList(model.ListMenuID),
               IdentifierList(model.ListMenuItemID), IdentifierList(model.ListStatusBarID),
               IdentifierList(model.ListToolBarID)} {
    gadgets_.reserve(model.ListGadgetID.size() + model.LinesSource.size());
    for (const GadgetRecord& gadget : model.ListGadgetID) gadgets_.insert(UpperCase(gadget.Name));
  }

  // False when the line repeats an identifier that stops the run.
  bool CollectLine(TextView line) {
    UpperCaseInto(line, upper_);
    const TextView upper = upper_;
    calls_.clear();
    for (size_t at = upper.find(kGadgetCall); at != TextView::npos;
         at = upper.find(kGadgetCall, at + 1)) {
      calls_.push_back(at);
    }
    if (calls_.empty()) return true;  // no keyword, no gadget call
    for (const ObjectRule& rule : kObjectRules) {
      if (MatchesRule(upper, calls_, rule)) return CollectByRule(line, rule);
    }
    CollectGadget(line, upper);
    return true;
  }

 private:
  bool CollectByRule(TextView line, const ObjectRule& rule) {
    const Text id = LineIdentifier(line, rule.list == kMenus);
    if (lists_[rule.list].Add(id)) return true;
    log_.WriteLog(Text(rule.message_head) + id + Text(rule.message_tail));
    return !rule.stops_on_repeat;
  }

  // A gadget line is a call of a gadget-creating function that stands alone on the line: the whole
  // text before the first "(#", blanks and then tabs removed, must be the function name. Blanks
  // inside a tab indentation therefore stay and the line is no gadget line.
  // The upper-case form has the same positions, so the function name and the identifier in upper
  // case are views into it.
  void CollectGadget(TextView line, TextView upper) {
    const TextView function = TrimView(TrimView(upper.substr(0, calls_.front()), U" "), U"\t");
    if (model_.MapGadgetFunction.find(function) == model_.MapGadgetFunction.end()) return;
    const size_t first = FindFirst(line, U"(") + 2;
    const size_t stop = FindFirst(line, U",");
    if (!gadgets_.emplace(IdentifierView(upper, first, stop)).second) return;
    model_.ListGadgetID.push_back(
        GadgetRecord{Text(IdentifierView(line, first, stop)), Text(function)});
  }

  SourceModel& model_;
  RunLog& log_;
  std::array<IdentifierList, kListCount> lists_;
  KeySet gadgets_;
  Text upper_;                 // the current line in upper case, its buffer kept from line to line
  std::vector<size_t> calls_;  // positions of its "(#"
};

}  // namespace

bool CollectObjects(SourceModel& model, RunLog& log) {
  // A line adds at most one gadget, so neither the list nor its index grows step by step.
  model.ListGadgetID.reserve(model.ListGadgetID.size() + model.LinesSource.size());
  ObjectCollector collector(model, log);
  Text line;
  for (const Line& stored : model.LinesSource) {
    stored.CopyTo(line);
    if (!collector.CollectLine(line)) return false;
  }
  return true;
}

}  // namespace corvane
