#include "rename/constant_lists.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace corvane {
namespace {

constexpr TextView kPrefixEnd = U"_";
constexpr char32_t kPairSeparator = U'>';

// The old list of kinds 2..6 (kind 1 is compared without a work copy).
const NameList& OldNames(const SourceModel& model, int kind) {
  switch (kind) {
    case kKindMenu:
      return model.ListOldMenuID;
    case kKindMenuItem:
      return model.ListOldMenuItemID;
    case kKindStatusBar:
      return model.ListOldStatusBarID;
    case kKindToolBar:
      return model.ListOldToolBarID;
    default:
      return model.ListOldGadgetID;
  }
}

NameList NewNames(const SourceModel& model, int kind) {
  switch (kind) {
    case kKindMenu:
      return model.ListMenuID;
    case kKindMenuItem:
      return model.ListMenuItemID;
    case kKindStatusBar:
      return model.ListStatusBarID;
    case kKindToolBar:
      return model.ListToolBarID;
    default: {
      NameList names;
      names.reserve(model.ListGadgetID.size());
      for (const GadgetRecord& gadget : model.ListGadgetID) names.push_back(gadget.Name);
      return names;
    }
  }
}

// Renames the window prefix of old names as the window pairs of `replace` say, record by record in
// list order: a name beginning with Old + "_" begins with New + "_" afterwards, and a later record
// may rename it again. The records are indexed by Old + "_" so each name is looked up by its own
// "_"-ended beginnings instead of being tested against every window pair.
void FollowWindowRenames(const std::vector<ReplaceRecord>& replace, NameList& names) {
  std::unordered_map<Text, std::vector<size_t>> by_prefix;
  for (size_t i = 0; i < replace.size(); ++i) {
    if (replace[i].Kind == kKindWindow) by_prefix[replace[i].Old + Text(kPrefixEnd)].push_back(i);
  }
  if (by_prefix.empty()) return;
  for (Text& name : names) {
    for (size_t from = 0;;) {
      size_t next = replace.size();
      for (size_t end = name.find(kPrefixEnd); end != Text::npos;
           end = name.find(kPrefixEnd, end + 1)) {
        const auto found = by_prefix.find(name.substr(0, end + 1));
        if (found == by_prefix.end()) continue;
        const auto first = std::lower_bound(found->second.begin(), found->second.end(), from);
        if (first != found->second.end()) next = std::min(next, *first);
      }
      if (next == replace.size()) break;
      const ReplaceRecord& record = replace[next];
      name = record.New + Text(kPrefixEnd) + name.substr(record.Old.size() + 1);
      from = next + 1;
    }
  }
}

// Appends to `out` every name of `names` that equals none of `others` (exact comparison).
void AppendMissing(const NameList& names, const NameList& others, NameList& out) {
  if (names == others) return;  // the usual case of a run without renames
  std::unordered_set<TextView> present;
  present.reserve(others.size());
  for (const Text& other : others) present.insert(other);
  for (const Text& name : names) {
    if (present.count(name) == 0) out.push_back(name);
  }
}

// A "Todo List" item "old > new": the text before the first ">" and the text between the first and
// the second, each trimmed of blanks. An item that does not name both sides is no pair (renaming
// to or from nothing would rewrite unrelated text) and gives false.
bool ParsePair(TextView item, int kind, ReplaceRecord& out) {
  const size_t first = item.find(kPairSeparator);
  if (first == TextView::npos) return false;
  const size_t second = item.find(kPairSeparator, first + 1);
  const TextView rest = item.substr(first + 1);
  out.Old = Trim(item.substr(0, first));
  out.New = Trim(second == TextView::npos ? rest : rest.substr(0, second - first - 1));
  out.Kind = kind;
  return !out.Old.empty() && !out.New.empty();
}

void ReadPairs(const std::vector<Text>& todo, int kind, std::vector<ReplaceRecord>& replace) {
  for (const Text& item : todo) {
    ReplaceRecord record;
    if (ParsePair(item, kind, record)) replace.push_back(std::move(record));
  }
}

// Fills ListVanishedConst and ListAddedConst for `kind`.
void PrepareLists(SourceModel& model, int kind) {
  model.ListVanishedConst.clear();
  model.ListAddedConst.clear();
  if (kind == kKindWindow) {
    model.ListReplace.clear();
    AppendMissing(model.ListOldWindowID, model.ListWindowID, model.ListVanishedConst);
    AppendMissing(model.ListWindowID, model.ListOldWindowID, model.ListAddedConst);
    return;
  }
  model.ListOldConst = OldNames(model, kind);
  model.ListNewConst = NewNames(model, kind);
  FollowWindowRenames(model.ListReplace, model.ListOldConst);
  AppendMissing(model.ListOldConst, model.ListNewConst, model.ListVanishedConst);
  AppendMissing(model.ListNewConst, model.ListOldConst, model.ListAddedConst);
}

}  // namespace

Text KindWord(int kind) {
  static constexpr TextView kWords[] = {U"Window",    U"MenuBar", U"MenuItem",
                                        U"StatusBar", U"ToolBar", U"Gadget"};
  if (kind < kKindWindow || kind > kKindGadget) return Text();
  return Text(kWords[kind - kKindWindow]);
}

int CheckConstants(SourceModel& model, int kind, RunHost& host) {
  if (kind < kKindWindow || kind > kKindGadget) return 1;
  PrepareLists(model, kind);
  if (model.ListVanishedConst.empty()) return 1;
  if (host.OpenReplaceDialog(kind) == kReplaceCancel) {
    host.CloseReplaceDialog();
    return 0;
  }
  ReadPairs(host.ReadTodoList(), kind, model.ListReplace);
  host.CloseReplaceDialog();
  return 1;
}

}  // namespace corvane
