#include "platform/prefs/prefs.h"

#include "platform/fs/fs.h"
#include "platform/text/textfile.h"

namespace corvane {

namespace {

constexpr TextView kBlanks = U" \t";

bool SameName(TextView a, TextView b) { return UpperCase(a) == UpperCase(b); }

// The group name of a "[Name]" line, or nothing for other lines.
std::optional<Text> GroupName(TextView line) {
  const Text text = TrimLeft(line, kBlanks);
  if (text.empty() || text[0] != U'[') return std::nullopt;
  const size_t close = text.find(U']');
  const size_t end = close == Text::npos ? text.size() : close;
  return Trim(TextView(text).substr(1, end - 1), kBlanks);
}

struct Entry {
  Text key;
  Text value;
};

// The key and value of an entry line; nothing for comments, empty lines and lines without "=".
std::optional<Entry> ParseEntry(TextView line) {
  const Text text = TrimLeft(line, kBlanks);
  if (text.empty() || text[0] == U';' || text[0] == U'[') return std::nullopt;
  const size_t eq = text.find(U'=');
  if (eq == Text::npos) return std::nullopt;
  return Entry{TrimRight(TextView(text).substr(0, eq), kBlanks),
               Trim(TextView(text).substr(eq + 1), kBlanks)};
}

Text EntryLine(TextView key, TextView value) { return Text(key) + U" = " + Text(value); }

}  // namespace

bool PreferencesFile::Open(const std::string& path) {
  std::string bytes;
  if (!ReadFileBytes(path, bytes)) return false;
  path_ = path;
  lines_ = ToTexts(DecodeLines(bytes, Unmarked::kUtf8));
  group_line_.reset();
  changed_ = false;
  return true;
}

void PreferencesFile::Create(const std::string& path) {
  path_ = path;
  lines_ = {Text()};  // a new file starts with an empty line after its mark
  group_line_.reset();
  changed_ = true;
}

bool PreferencesFile::SelectGroup(TextView group) {
  group_ = Text(group);
  group_line_.reset();
  for (size_t i = 0; i < lines_.size(); ++i) {
    const auto name = GroupName(lines_[i]);
    if (name && SameName(*name, group)) {
      group_line_ = i;
      return true;
    }
  }
  return false;
}

size_t PreferencesFile::GroupEnd() const {
  size_t i = *group_line_ + 1;
  while (i < lines_.size() && !GroupName(lines_[i])) ++i;
  return i;
}

std::optional<size_t> PreferencesFile::FindEntry(TextView key) const {
  if (!group_line_) return std::nullopt;
  const size_t end = GroupEnd();
  for (size_t i = *group_line_ + 1; i < end; ++i) {
    const auto entry = ParseEntry(lines_[i]);
    if (entry && SameName(entry->key, key)) return i;
  }
  return std::nullopt;
}

Text PreferencesFile::Read(TextView key, TextView fallback) const {
  const auto line = FindEntry(key);
  if (!line) return Text(fallback);
  return ParseEntry(lines_[*line])->value;
}

void PreferencesFile::Write(TextView key, TextView value) {
  if (!group_line_) {
    lines_.push_back(U"[" + group_ + U"]");
    group_line_ = lines_.size() - 1;
    changed_ = true;
  }
  if (const auto line = FindEntry(key)) {
    if (ParseEntry(lines_[*line])->value == value) return;
    lines_[*line] = EntryLine(key, value);
    changed_ = true;
    return;
  }
  // After the group's last entry, so comments and blank lines that end the group stay after it.
  size_t insert_at = *group_line_ + 1;
  const size_t end = GroupEnd();
  for (size_t i = insert_at; i < end; ++i) {
    if (ParseEntry(lines_[i])) insert_at = i + 1;
  }
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insert_at), EntryLine(key, value));
  changed_ = true;
}

bool PreferencesFile::Close() {
  if (!changed_) return true;
  changed_ = false;
  return WriteFileAtomic(path_, EncodeLines(ToLines(lines_), WriteEncoding::kUtf8Bom));
}

Text ReadSetting(TextView group, TextView key, const std::string& file, TextView fallback) {
  PreferencesFile prefs;
  if (!prefs.Open(file)) return Text(fallback);
  if (!prefs.SelectGroup(group)) return Text(fallback);
  return prefs.Read(key, fallback);
}

void WriteSetting(TextView group, TextView key, TextView value, const std::string& file) {
  PreferencesFile prefs;
  if (!prefs.Open(file)) {
    // A file that exists but cannot be read is not replaced by a new one.
    if (FileSize(file) != kPathMissing) return;
    prefs.Create(file);
  }
  prefs.SelectGroup(group);
  prefs.Write(key, value);
  prefs.Close();
}

}  // namespace corvane
