#include "analysis/include_file.h"

#include "analysis/error_text.h"
#include "platform/fs/fs.h"

namespace corvane {

bool ReadIncludeFile(SourceModel& model, const Text& path, RunLog& log, TextFormat* format) {
  model.LinesInclude.clear();
  const std::string file = ToUtf8(path);
  TextFile text;
  if (!OpenOrCreate(file) || !ReadTextFile(file, text, Unmarked::kLatin1)) {
    log.WriteLog(U" -> Error OpenFile " + path + U" / " + ErrorText(LastErrorCode()));
    return false;
  }
  model.LinesInclude = std::move(text.lines);
  if (format != nullptr) *format = text.format;
  return true;
}

WriteEncoding IncludeWriteEncoding(TextFormat format, const LineList& lines) {
  if (format != TextFormat::kNone) return WriteEncoding::kUtf8Bom;
  return FitsLatin1(lines) ? WriteEncoding::kLatin1 : WriteEncoding::kUtf8Bom;
}

}  // namespace corvane
