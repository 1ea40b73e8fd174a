#include "generate/update_sources.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "analysis/error_text.h"
#include "analysis/include_file.h"
#include "analysis/scan.h"
#include "platform/fs/fs.h"
#include "rename/constant_lists.h"

namespace corvane {
namespace {

constexpr char kBackupDirectory[] = "Backup";
constexpr char kBackupPattern[] = "*.pb*";

constexpr TextView kHash = U"#";
constexpr TextView kPrefixEnd = U"_";
constexpr TextView kNoTail = U"";
constexpr TextView kEventMenu = U"EventMenu_";
constexpr TextView kEventGadget = U"EventGadget_";
constexpr TextView kEventSize = U"EventSize_";
constexpr TextView kEventExit = U"EventExit_";
constexpr TextView kOpenWindow = U"Open_";
constexpr TextView kOpenCall = U"()";

// Plain replacement of a prefix (anywhere in the line), or ReplaceWord.
enum class Replace { kPlainPrefix, kWholeWord };

// The same mapping as UpperChar, inlined: the lookup index runs it on every character of a file.
inline char32_t AsciiUpper(char32_t c) { return c >= U'a' && c <= U'z' ? c - (U'a' - U'A') : c; }

bool IsWordChar(char32_t c) {
  c = AsciiUpper(c);
  return (c >= U'0' && c <= U'9') || (c >= U'A' && c <= U'Z') || c == U'_';
}

// 0-based index of the first occurrence of `lead` (upper case) in `line` at or after `from`,
// letter case ignored, or npos; the case-blind search FindNoCase does, for the index.
size_t FindLead(TextView line, TextView lead, size_t from) {
  for (size_t i = from; i + lead.size() <= line.size(); ++i) {
    size_t k = 0;
    while (k < lead.size() && AsciiUpper(line[i + k]) == lead[k]) ++k;
    if (k == lead.size()) return i;
  }
  return TextView::npos;
}

bool IsWord(TextView text) { return std::all_of(text.begin(), text.end(), IsWordChar); }

// An ordered list of renames "lead + Old + tail" -> "lead + New + tail", applied to a line in the
// order they were added. Applying every rule to every line would cost lines x rules searches, so
// the rules are indexed by the identifier after their lead: a plain prefix can only match where a
// word run after the lead continues with Old + "_", a whole word only where that run is Old. A rule
// whose Old holds non-word characters is not indexed and is tried on every line.
class RenameRules {
 public:
  void Add(TextView lead, TextView old_name, TextView tail, TextView new_name, Replace how) {
    const size_t number = rules_.size();
    rules_.push_back(
        {Text(lead) + Text(old_name) + Text(tail), Text(lead) + Text(new_name) + Text(tail), how});
    if (!IsWord(old_name)) {
      unindexed_.push_back(number);
      return;
    }
    Text key(1, Tag(LeadNumber(lead), how));
    key += UpperCase(old_name);
    index_[key].push_back(number);
    longest_ = std::max(longest_, old_name.size());
  }

  bool empty() const { return rules_.empty(); }

  // Applies every rule to `line`; returns the number of rules whose replacement changed it.
  size_t ApplyTo(Text& line) const {
    if (rules_.empty()) return 0;
    size_t changes = 0;
    std::vector<size_t> candidates;
    Candidates(line, 0, candidates);
    for (size_t i = 0; i < candidates.size();) {
      const size_t number = candidates[i];
      const Rule& rule = rules_[number];
      if (FindNoCase(line, rule.search, 1) == 0) {
        ++i;
        continue;
      }
      Text changed = rule.how == Replace::kPlainPrefix
                         ? ReplaceNoCase(line, rule.search, rule.replacement)
                         : ReplaceWord(line, rule.search, rule.replacement);
      if (changed == line) {
        ++i;
        continue;
      }
      line = std::move(changed);
      ++changes;
      // The new text may hold names that later rules rename (A -> B, then B -> C).
      Candidates(line, number + 1, candidates);
      i = 0;
    }
    return changes;
  }

 private:
  struct Rule {
    Text search;
    Text replacement;
    Replace how;
  };

  static char32_t Tag(size_t lead_number, Replace how) {
    return static_cast<char32_t>(lead_number * 2 + (how == Replace::kPlainPrefix ? 1 : 0));
  }

  size_t LeadNumber(TextView lead) {
    const auto found = std::find(leads_.begin(), leads_.end(), UpperCase(lead));
    if (found != leads_.end()) return static_cast<size_t>(found - leads_.begin());
    leads_.push_back(UpperCase(lead));
    return leads_.size() - 1;
  }

  void Collect(const Text& key, size_t from, std::vector<size_t>& out) const {
    const auto found = index_.find(key);
    if (found == index_.end()) return;
    for (size_t number : found->second) {
      if (number >= from) out.push_back(number);
    }
  }

  // Walks the word run that starts at `start` and collects the rules keyed by its "_"-ended
  // beginnings (plain prefixes) and by the whole run (whole words).
  void CollectRun(TextView line, size_t start, size_t lead_number, size_t from,
                  std::vector<size_t>& out) const {
    Text& key = key_;
    key.assign(1, Tag(lead_number, Replace::kPlainPrefix));
    for (size_t i = start;; ++i) {
      const bool ends = i == line.size() || !IsWordChar(line[i]);
      if (ends) {
        key[0] = Tag(lead_number, Replace::kWholeWord);
        Collect(key, from, out);
        return;
      }
      if (line[i] == U'_') {
        key[0] = Tag(lead_number, Replace::kPlainPrefix);
        Collect(key, from, out);
      }
      // No key is longer than the longest Old, which bounds the walk.
      if (key.size() > longest_) return;
      key.push_back(AsciiUpper(line[i]));
    }
  }

  // The numbers (at least `from`, ascending) of the rules that may change `line`.
  void Candidates(TextView line, size_t from, std::vector<size_t>& out) const {
    out.clear();
    for (size_t lead_number = 0; lead_number < leads_.size(); ++lead_number) {
      const Text& lead = leads_[lead_number];
      for (size_t at = 0; (at = FindLead(line, lead, at)) != TextView::npos; ++at) {
        CollectRun(line, at + lead.size(), lead_number, from, out);
      }
    }
    for (size_t number : unindexed_) {
      if (number >= from) out.push_back(number);
    }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
  }

  std::vector<Rule> rules_;
  std::vector<Text> leads_;
  std::unordered_map<Text, std::vector<size_t>> index_;
  std::vector<size_t> unindexed_;
  size_t longest_ = 0;
  mutable Text key_;  // scratch for the lookups, kept to spare an allocation per line
};

// Applies the rules to every line; returns the number of line changes (per rule).
size_t ApplyToLines(TextList& lines, const RenameRules& rules) {
  if (rules.empty()) return 0;
  size_t changes = 0;
  Text buffer;
  for (Line& stored : lines) {
    stored.CopyTo(buffer);
    const size_t changed = rules.ApplyTo(buffer);
    if (changed != 0) stored = buffer;
    changes += changed;
  }
  return changes;
}

// Main.pb and the three handler files, in this order.
std::vector<TextList*> CodeLists(SourceModel& model) {
  return {&model.LinesMain, &model.LinesEventMenu, &model.LinesEventGadget,
          &model.LinesEventWindow};
}

void ApplyToCodeLists(SourceModel& model, const RenameRules& rules) {
  for (TextList* lines : CodeLists(model)) ApplyToLines(*lines, rules);
}

void AddConstantPrefix(RenameRules& rules, const ReplaceRecord& record) {
  rules.Add(kHash, record.Old, kPrefixEnd, record.New, Replace::kPlainPrefix);
}

void AddConstant(RenameRules& rules, const ReplaceRecord& record) {
  rules.Add(kHash, record.Old, kNoTail, record.New, Replace::kWholeWord);
}

void AddOpenCall(RenameRules& rules, const ReplaceRecord& record) {
  rules.Add(kOpenWindow, record.Old, kOpenCall, record.New, Replace::kWholeWord);
}

// Prefixes, constants and open calls, in this order: what the include files receive.
RenameRules IncludeFileRules(const std::vector<ReplaceRecord>& records) {
  RenameRules rules;
  for (const ReplaceRecord& record : records) {
    if (record.Kind == kKindWindow) AddConstantPrefix(rules, record);
  }
  for (const ReplaceRecord& record : records) AddConstant(rules, record);
  for (const ReplaceRecord& record : records) {
    if (record.Kind == kKindWindow) AddOpenCall(rules, record);
  }
  return rules;
}

void UpdateIncludeFile(SourceModel& model, const Text& path, const RenameRules& rules,
                       RunLog& log) {
  TextFormat format = TextFormat::kNone;
  if (!ReadIncludeFile(model, path, log, &format)) return;
  const size_t count = ApplyToLines(model.LinesInclude, rules);
  if (count == 0) return;
  log.WriteLog(U" -> Update Includefile " + path + U" / Count Change: " +
               Decimal(static_cast<int64_t>(count)));
  // A file that had a byte order mark keeps one, so its characters read back the same.
  const std::string bytes =
      EncodeLines(model.LinesInclude, IncludeWriteEncoding(format, model.LinesInclude));
  if (!WriteFileAtomic(ToUtf8(path), bytes)) {
    log.WriteLog(U" -> Error WriteFile " + path + U" / " + ErrorText(LastErrorCode()));
  }
}

}  // namespace

void MakeBackup(const std::string& project_dir, RunLog& log) {
  const std::string backup = project_dir + kBackupDirectory;
  CreateDirectory(backup);  // fails harmlessly when it exists already
  if (!CopyDirectory(project_dir, backup, kBackupPattern)) {
    log.WriteLog(U"- Error CopyDirectory");
  }
}

void UpdatePrefixes(SourceModel& model) {
  RenameRules main, menu, gadget, window;
  for (const ReplaceRecord& record : model.ListReplace) {
    if (record.Kind != kKindWindow) continue;
    menu.Add(kEventMenu, record.Old, kPrefixEnd, record.New, Replace::kPlainPrefix);
    gadget.Add(kEventGadget, record.Old, kPrefixEnd, record.New, Replace::kPlainPrefix);
    window.Add(kEventSize, record.Old, kPrefixEnd, record.New, Replace::kPlainPrefix);
    window.Add(kEventExit, record.Old, kPrefixEnd, record.New, Replace::kPlainPrefix);
    for (RenameRules* rules : {&main, &menu, &gadget, &window}) AddConstantPrefix(*rules, record);
  }
  ApplyToLines(model.LinesMain, main);
  ApplyToLines(model.LinesEventMenu, menu);
  ApplyToLines(model.LinesEventGadget, gadget);
  ApplyToLines(model.LinesEventWindow, window);
}

void UpdateProcedures(SourceModel& model) {
  RenameRules menu, gadget, window;
  for (const ReplaceRecord& record : model.ListReplace) {
    switch (record.Kind) {
      case kKindMenuItem:
        menu.Add(kEventMenu, record.Old, kNoTail, record.New, Replace::kWholeWord);
        break;
      case kKindGadget:
        gadget.Add(kEventGadget, record.Old, kNoTail, record.New, Replace::kWholeWord);
        break;
      case kKindWindow:
        window.Add(kEventSize, record.Old, kNoTail, record.New, Replace::kWholeWord);
        window.Add(kEventExit, record.Old, kNoTail, record.New, Replace::kWholeWord);
        break;
      default:  // menus, status bars and toolbars have no handlers
        break;
    }
  }
  ApplyToLines(model.LinesEventMenu, menu);
  ApplyToLines(model.LinesEventGadget, gadget);
  ApplyToLines(model.LinesEventWindow, window);
}

void UpdateConstants(SourceModel& model) {
  RenameRules rules;
  for (const ReplaceRecord& record : model.ListReplace) AddConstant(rules, record);
  ApplyToCodeLists(model, rules);
}

void UpdateOpenWindow(SourceModel& model) {
  RenameRules rules;
  for (const ReplaceRecord& record : model.ListReplace) {
    if (record.Kind == kKindWindow) AddOpenCall(rules, record);
  }
  ApplyToCodeLists(model, rules);
}

void UpdateIncludeFiles(SourceModel& model, RunLog& log) {
  const RenameRules rules = IncludeFileRules(model.ListReplace);
  // Every file is read even without renames: the read creates a missing include file.
  for (const Text& path : model.ListIncludeFile) UpdateIncludeFile(model, path, rules, log);
}

}  // namespace corvane
