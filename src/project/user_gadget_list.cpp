#include "project/user_gadget_list.h"

#include "platform/fs/fs.h"
#include "platform/text/textfile.h"

namespace corvane {

std::vector<Text> ParseUserGadgetList(const LineList& lines) {
  std::vector<Text> names;
  Text section;
  Text line;
  for (const Line& stored : lines) {
    stored.CopyTo(line);
    if (!line.empty() && line[0] == U'[') {
      section = line;
    } else if (line.empty()) {
      section.clear();
    } else if (section == kUserGadgetHeader) {
      names.push_back(Trim(line));
    }
  }
  return names;
}

bool ReadUserGadgetFile(const std::string& path, std::vector<Text>& names) {
  std::string bytes;
  if (!ReadFileBytes(path, bytes)) return false;
  names = ParseUserGadgetList(DecodeLines(bytes, Unmarked::kUtf8));
  return true;
}

LineList UserGadgetFileLines(const std::vector<Text>& names) {
  LineList lines{Text(kUserGadgetHeader)};
  lines.insert(lines.end(), names.begin(), names.end());
  return lines;
}

}  // namespace corvane
