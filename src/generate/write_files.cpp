#include "generate/write_files.h"

#include "analysis/error_text.h"
#include "platform/fs/fs.h"
#include "platform/text/textfile.h"

namespace corvane {
namespace {

constexpr TextView kCatalogHeader = U"Default;Language";
constexpr TextView kQuote = U"\"";

// The Catalog as lines: the header, then one "key";"value" line per entry in map order, with an
// empty translation ("") for a value equal to its key. Nothing inside the quotes is escaped.
TextList CatalogLines(const TextMap& language) {
  TextList lines;
  lines.reserve(language.Count() + 1);
  lines.emplace_back(kCatalogHeader);
  for (const auto& [key, value] : language.Entries()) {
    const Text translation = value == key ? Text() : value;
    lines.push_back(Text(kQuote) + key + U"\";\"" + translation + Text(kQuote));
  }
  return lines;
}

// Writes one file in `format`; single-byte text that cannot hold every character is written as
// UTF-8 with its mark instead, so no character is lost, and a note says so.
void WriteOne(const std::string& path, const TextList& lines, WriteEncoding format, RunLog& log) {
  const bool widened = format == WriteEncoding::kLatin1 && !FitsLatin1(lines);
  const WriteEncoding encoding = widened ? WriteEncoding::kUtf8Bom : format;
  const Text shown = FromUtf8(path);
  const bool written = WriteFileAtomicStream(
      path, [&](const ByteSink& sink) { return EncodeLinesTo(lines, encoding, sink); });
  if (!written) {
    log.WriteLog(U" -> Error File " + shown + U" / " + ErrorText(LastErrorCode()));
    return;
  }
  log.WriteLog(U" -> Write File " + shown);
  if (widened)
    log.WriteLog(U" -> Note: characters beyond single-byte text, written as UTF-8 with BOM");
}

}  // namespace

void WriteGeneratedFiles(SourceModel& model, const Switches& switches,
                         const std::string& project_dir, RunLog& log) {
  const WriteEncoding format = model.WriteFormat;
  const struct {
    const char* name;
    const TextList& lines;
  } files[] = {
      {"Main.pb", model.LinesMain},
      {"CommonFile.pb", model.LinesCommonFile},
      {"EventMain.pb", model.LinesEventMain},
      {"EventMenu.pb", model.LinesEventMenu},
      {"EventGadget.pb", model.LinesEventGadget},
      {"EventWindow.pb", model.LinesEventWindow},
  };
  for (const auto& file : files) WriteOne(project_dir + file.name, file.lines, format, log);
  if (switches.SwitchMultilang == 0) return;
  WriteOne(project_dir + "LoadLanguage.pb", model.LinesLoadLanguage, format, log);
  WriteOne(project_dir + "Catalog", CatalogLines(model.MapLanguage), format, log);
}

}  // namespace corvane
