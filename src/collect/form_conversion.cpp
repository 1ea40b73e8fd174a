#include "collect/form_conversion.h"

#include <array>
#include <string>

#include "analysis/error_text.h"
#include "analysis/scan.h"
#include "platform/fs/fs.h"
#include "platform/text/textfile.h"

namespace corvane {
namespace {

struct Conversion {
  TextView search;
  TextView replacement;
};

// Form files open their window in "Open" + window name and create menus, toolbars and status
// bars with the number 0; the rest of the program expects "Open_" and the three constants.
constexpr std::array<Conversion, 12> kFormConversions = {{
    {U"Procedure Open", U"Procedure Open_"},
    {U"CreateMenu(0", U"CreateMenu(#Menu"},
    {U"CreateToolBar(0", U"CreateToolbar(#ToolBar"},
    {U"ToolBarToolTip(0", U"ToolBarToolTip(#ToolBar"},
    {U"ToolBarHeight(0", U"ToolBarHeight(#ToolBar"},
    {U"GetToolBarButtonState(0", U"GetToolBarButtonState(#ToolBar"},
    {U"SetToolBarButtonState(0", U"SetToolBarButtonState(#ToolBar"},
    {U"CreateStatusBar(0", U"CreateStatusBar(#StatusBar"},
    {U"StatusBarText(0", U"StatusBarText(#StatusBar"},
    {U"StatusBarImage(0", U"StatusBarImage(#StatusBar"},
    {U"StatusBarProgress(0", U"StatusBarProgress(#StatusBar"},
    {U"StatusBarHeight(0", U"StatusBarHeight(#StatusBar"},
}};

Text ConvertFormLine(const Text& line) {
  Text converted = line;
  for (const Conversion& row : kFormConversions) {
    // Most lines hold none of the texts; a search is cheaper than a copy.
    if (FindNoCase(converted, row.search, 1) == 0) continue;
    converted = ReplaceNoCase(converted, row.search, row.replacement);
  }
  return converted;
}

bool IsFormFile(const Text& path) {
  return UpperCase(FromUtf8(ExtensionPart(ToUtf8(path)))) == U"PBF";
}

// Position of `keyword` in `line` when it is not commented out by a ";" before it, else 0.
size_t UncommentedCall(const Text& line, TextView keyword) {
  const size_t position = FindNoCase(line, keyword, 1);
  if (position == 0 || FindReverse(line, U";", position) != 0) return 0;
  return position;
}

// The text between the first "(" of the line and the next "," after it; false when either is
// missing.
bool ConstantArgument(const Text& line, Text& name) {
  const size_t open = line.find(U'(');
  if (open == Text::npos) return false;
  const size_t comma = line.find(U',', open + 1);
  if (comma == Text::npos) return false;
  name = line.substr(open + 1, comma - open - 1);
  return true;
}

// The text between the first double quote of the line and the next one.
bool QuotedText(const Text& line, Text& text) {
  const size_t open = line.find(U'"');
  if (open == Text::npos) return false;
  const size_t close = line.find(U'"', open + 1);
  if (close == Text::npos) return false;
  text = line.substr(open + 1, close - open - 1);
  return true;
}

// Image and font loading outside procedures is recorded; a line whose constant or file name
// cannot be cut out gives no record.
void RecordResources(const Text& line, SourceModel& model) {
  if (UncommentedCall(line, U"LOADIMAGE(") != 0) {
    ImageRecord image;
    if (ConstantArgument(line, image.Name) && QuotedText(line, image.File)) {
      model.ListImage.push_back(std::move(image));
    }
  }
  if (UncommentedCall(line, U"LOADFONT(") != 0) {
    FontRecord font;
    if (ConstantArgument(line, font.Name)) {
      font.Line = line;
      model.ListFont.push_back(std::move(font));
    }
  }
}

// "Procedure " with its blank: "Procedure.i" and "ProcedureReturn" do not open a procedure.
void ConvertLines(const TextList& lines, bool form_file, SourceModel& model) {
  bool in_procedure = false;
  Text line;
  for (const Line& stored : lines) {
    stored.CopyTo(line);
    if (FindNoCase(line, U"PROCEDURE ", 1) != 0) in_procedure = true;
    if (in_procedure) model.LinesSource.push_back(form_file ? ConvertFormLine(line) : line);
    if (FindNoCase(line, U"ENDPROCEDURE", 1) != 0) {
      in_procedure = false;
      AddSeparatorBlock(model.LinesSource);
    }
    if (!in_procedure) RecordResources(line, model);
  }
}

}  // namespace

void ConvertFormFiles(SourceModel& model, RunLog& log) {
  for (const Text& path : model.ListCommonFile) {
    TextFile file;
    if (!ReadTextFile(ToUtf8(path), file, Unmarked::kLatin1)) {
      log.WriteLog(U"Error " + path + U": " + ErrorText(LastErrorCode()));
      continue;
    }
    ConvertLines(file.lines, IsFormFile(path), model);
  }
}

}  // namespace corvane
