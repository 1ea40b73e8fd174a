#include "analysis/source_loading.h"

#include <array>

#include "analysis/scan.h"
#include "generate/templates.h"
#include "platform/fs/fs.h"
#include "platform/text/textfile.h"

namespace corvane {
namespace {

constexpr char kMainFile[] = "Main.pb";
constexpr char kEventMenuFile[] = "EventMenu.pb";
constexpr char kEventGadgetFile[] = "EventGadget.pb";
constexpr char kEventWindowFile[] = "EventWindow.pb";
constexpr char kLoadLanguageFile[] = "LoadLanguage.pb";
constexpr char kCatalogFile[] = "Catalog";

// Include names of the generated files, which the scan never lists.
constexpr std::array<TextView, 5> kGeneratedIncludes = {
    U"COMMONFILE.PB", U"EVENTMAIN.PB", U"EVENTMENU.PB", U"EVENTGADGET.PB", U"EVENTWINDOW.PB"};

// Every file is decoded in the format its mark names; a file without a mark is single-byte text.
bool ReadLines(const std::string& path, TextList& lines) {
  TextFile file;
  if (!ReadTextFile(path, file, Unmarked::kLatin1)) return false;
  lines = std::move(file.lines);
  return true;
}

void ReadOrTemplate(const std::string& path, Template fallback, TextList& lines) {
  if (!ReadLines(path, lines)) lines = TemplateLines(fallback);
}

// Drops the comment block an editor appends at the end of a file: trailing lines with ";" in the
// first column.
void TrimCommentTail(TextList& lines) {
  while (!lines.empty() && !lines.back().empty() && lines.back()[0] == U';') lines.pop_back();
}

void LoadHandlerFile(const std::string& path, TextList& lines) {
  if (ReadLines(path, lines)) TrimCommentTail(lines);
}

Text StripQuotes(TextView field) { return Trim(field, U"\""); }

// One catalog line: key before the first ";", value up to the second ";"; an empty value maps
// the key to itself, an empty key is ignored.
void AddCatalogEntry(TextView line, TextMap& language) {
  const size_t first = line.find(U';');
  const Text key = StripQuotes(line.substr(0, first));
  if (key.empty()) return;
  Text value;
  if (first != TextView::npos) {
    const TextView rest = line.substr(first + 1);
    value = StripQuotes(rest.substr(0, rest.find(U';')));
  }
  language.Set(key, value.empty() ? key : value);
}

void LoadCatalog(const std::string& path, TextMap& language) {
  TextList lines;
  if (ReadLines(path, lines)) ParseCatalog(lines, language);
}

// The name a keyword's occurrence in `line` includes, or nothing when the occurrence does not
// count: it must be the first occurrence (case-sensitive), with no ";" and no quote before it.
// The opening quote is searched from the second character after the keyword.
bool IncludeNameAfter(TextView line, TextView keyword, Text& name) {
  const size_t at = line.find(keyword);
  if (at == TextView::npos) return false;
  const size_t position = at + 1;
  if (FindReverse(line, U";", position) != 0 || FindReverse(line, U"\"", position) != 0) {
    return false;
  }
  const size_t open = line.find(U'"', at + keyword.size() + 1);
  if (open == TextView::npos) return false;
  const size_t close = line.find(U'"', open + 1);
  if (close == TextView::npos) return false;
  name = Text(line.substr(open + 1, close - open - 1));
  return true;
}

// "XIncludeFile" contains "IncludeFile", so both keywords give the same name on such a line.
Text IncludeName(TextView line) {
  Text name;
  IncludeNameAfter(line, U"IncludeFile", name);
  IncludeNameAfter(line, U"XIncludeFile", name);
  return name;
}

bool IsSkippedInclude(const Text& name) {
  if (name.empty()) return true;
  const Text upper = UpperCase(name);
  for (TextView generated : kGeneratedIncludes) {
    if (upper == generated) return true;
  }
  return false;
}

// A name beginning with "/" is taken as relative to the project directory; any other name,
// with or without a directory part, is resolved against the project directory as the compiler
// resolves an IncludeFile.
Text ResolveInclude(const Text& project_dir, const Text& name) {
  if (!name.empty() && name[0] == U'/') {
    TextView dir = project_dir;
    if (!dir.empty() && dir.back() == U'/') dir.remove_suffix(1);
    return Text(dir) + name;
  }
  return project_dir + name;
}

}  // namespace

void ParseCatalog(const LineList& lines, TextMap& map) {
  // The first line is a header.
  for (size_t i = 1; i < lines.size(); ++i) AddCatalogEntry(lines[i].text(), map);
}

MainFormat CheckMainFormat(const std::string& project_dir) {
  // The longest byte order mark has four bytes; the file itself is read by LoadSources.
  std::string bytes;
  if (!ReadFileBytes(project_dir + kMainFile, bytes, 4)) return MainFormat::kCannotOpen;
  switch (DetectBom(bytes)) {
    case TextFormat::kNone:
      return MainFormat::kNone;
    case TextFormat::kUtf8:
      return MainFormat::kUtf8;
    case TextFormat::kUtf16LE:
      return MainFormat::kUtf16LE;
    case TextFormat::kUtf16BE:
      return MainFormat::kUtf16BE;
    case TextFormat::kUtf32LE:
      return MainFormat::kUtf32LE;
    case TextFormat::kUtf32BE:
      return MainFormat::kUtf32BE;
  }
  return MainFormat::kNone;
}

Text MainFormatLogLine(MainFormat format) {
  switch (format) {
    case MainFormat::kCannotOpen:
      return U" -> Main.pb not found.";
    case MainFormat::kNone:
      return U" -> No BOM found.";
    case MainFormat::kUtf8:
      return U" -> UTF-8 BOM found.";
    case MainFormat::kUtf16LE:
      return U" -> UTF-16 (Little Endian) BOM found.";
    case MainFormat::kUtf16BE:
      return U" -> UTF-16 (Big Endian) BOM found.";
    case MainFormat::kUtf32LE:
      return U" -> UTF-32 (Little Endian) BOM found.";
    case MainFormat::kUtf32BE:
      return U" -> UTF-32 (Big Endian) BOM found.";
  }
  return {};
}

void LoadSources(SourceModel& model, const Switches& switches, const std::string& project_dir) {
  ReadOrTemplate(project_dir + kMainFile, Template::kMain, model.LinesMain);
  // EventMain.pb is rebuilt on every run, so it always starts from its template.
  model.LinesEventMain = TemplateLines(
      EventMainTemplate(switches.SwitchUseCallFast != 0, switches.SwitchMacMenuEvents != 0));
  ReadOrTemplate(project_dir + kLoadLanguageFile, Template::kLoadLanguage, model.LinesLoadLanguage);
  LoadHandlerFile(project_dir + kEventMenuFile, model.LinesEventMenu);
  LoadHandlerFile(project_dir + kEventGadgetFile, model.LinesEventGadget);
  LoadHandlerFile(project_dir + kEventWindowFile, model.LinesEventWindow);
  LoadCatalog(project_dir + kCatalogFile, model.MapLanguage);
}

void ScanIncludeFiles(SourceModel& model, const std::string& project_dir, TextView file_name) {
  if (file_name.empty()) return;
  TextList lines;
  if (!ReadLines(project_dir + ToUtf8(file_name), lines)) return;
  const Text dir = FromUtf8(project_dir);
  Text line;
  for (const Line& stored : lines) {
    stored.CopyTo(line);
    const Text name = IncludeName(line);
    if (IsSkippedInclude(name)) continue;
    model.ListIncludeFile.push_back(ResolveInclude(dir, name));
  }
}

}  // namespace corvane
