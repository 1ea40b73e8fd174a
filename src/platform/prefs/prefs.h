// The preferences facility behind the settings file: an INI-style text file of groups ("[Name]")
// and entries (key " = " value). Group and key names match without regard to letter case; leading
// blanks and tabs are skipped; ";" lines are comments; values lose their outer blanks and tabs.
// Lines the program does not change stay as they are, in their place.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/text/line.h"
#include "platform/text/text.h"

namespace corvane {

class PreferencesFile {
 public:
  // Reads an existing file. False when it cannot be read.
  bool Open(const std::string& path);
  // Starts a new, empty file at `path` (written by Close).
  void Create(const std::string& path);
  // Selects the group for Read and Write. False when the file has no such group; Write then adds
  // it at the end of the file.
  bool SelectGroup(TextView group);
  // The value of `key` in the selected group, or `fallback`.
  Text Read(TextView key, TextView fallback) const;
  // Sets `key` in the selected group: an existing entry changes in place, a new one goes after the
  // group's last entry.
  void Write(TextView key, TextView value);
  // Writes the file back when it changed (UTF-8 with its byte order mark). False when that fails.
  bool Close();

 private:
  // Index of the entry line of `key` inside the selected group.
  std::optional<size_t> FindEntry(TextView key) const;
  // Index of the line where the selected group ends (the next group line or the end of the file).
  size_t GroupEnd() const;

  std::string path_;
  std::vector<Text> lines_;
  Text group_;
  std::optional<size_t> group_line_;  // header line of the selected group
  bool changed_ = false;
};

// The value of `key` in `group` of the settings file `file`, or `fallback` when the file, the group
// or the key is missing.
Text ReadSetting(TextView group, TextView key, const std::string& file, TextView fallback);

// Stores `value` under `key` in `group` of `file`, creating the file or group when missing. Writes
// nothing when the file can be neither read nor created.
void WriteSetting(TextView group, TextView key, TextView value, const std::string& file);

}  // namespace corvane
