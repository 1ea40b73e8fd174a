// The source model: the process-wide lists and maps through which the stages of a run talk.
#pragma once

#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "platform/text/line.h"
#include "platform/text/text.h"
#include "platform/text/textfile.h"

namespace corvane {

// An ordered list of lines; passes walk it by index.
using TextList = LineList;
// An ordered list of names (identifiers, file paths): short, and read as Text everywhere.
using NameList = std::vector<Text>;

struct GadgetRecord {
  Text Name;      // gadget constant, without "#", window prefix included
  Text Function;  // creating function in upper case, as found in MapGadgetFunction
};

struct ImageRecord {
  Text Name;  // image constant as written, "#" included
  Text File;  // file name as written between the quotes
};

struct FontRecord {
  Text Name;  // font constant as written, "#" included
  Text Line;  // the whole font-loading line
};

struct ReplaceRecord {
  Text Old;
  Text New;
  int32_t Kind = 0;  // 1 window, 2 menu, 3 menu item, 4 status bar, 5 toolbar, 6 gadget
};

// Hashes Text and TextView alike, so sets of Text can be asked with a view.
struct TextHash {
  using is_transparent = void;
  size_t operator()(TextView text) const { return std::hash<TextView>()(text); }
};

// Keys are stored in upper case; only presence matters.
using KeySet = std::unordered_set<Text, TextHash, std::equal_to<>>;

// A string map that iterates in the order its keys were first added, so the files written from it
// (the language block and the catalog) come out the same on every run.
class TextMap {
 public:
  bool Contains(TextView key) const { return index_.count(Text(key)) != 0; }
  // The value of `key`, or nullptr.
  const Text* Find(TextView key) const;
  // Sets the value, adding the key at the end when it is new.
  void Set(TextView key, TextView value);
  // Adds the key with `value` unless it is present; true when it was added.
  bool AddIfMissing(TextView key, TextView value);
  size_t Count() const { return entries_.size(); }
  void Clear();
  const std::vector<std::pair<Text, Text>>& Entries() const { return entries_; }

 private:
  std::vector<std::pair<Text, Text>> entries_;
  std::unordered_map<Text, size_t> index_;
};

struct SourceModel {
  // Inputs and working text.
  TextList LinesProject;
  NameList ListCommonFile;
  NameList ListIncludeFile;
  TextList LinesSource;
  TextList LinesMain;
  TextList LinesEventMain;
  TextList LinesEventMenu;
  TextList LinesEventGadget;
  TextList LinesEventWindow;
  TextList LinesLoadLanguage;
  TextList LinesInclude;

  // Identifiers collected in step 1.
  NameList ListWindowID;
  NameList ListMenuID;
  NameList ListMenuItemID;
  NameList ListStatusBarID;
  NameList ListToolBarID;
  std::vector<GadgetRecord> ListGadgetID;

  // Resources.
  std::vector<ImageRecord> ListImage;
  std::vector<FontRecord> ListFont;

  // Generated fragments and output.
  TextList LinesConstants;
  TextList LinesImages;
  TextList LinesFonts;
  TextList LinesCommonFile;

  // Identifiers of the previous run.
  NameList ListOldWindowID;
  NameList ListOldMenuID;
  NameList ListOldMenuItemID;
  NameList ListOldStatusBarID;
  NameList ListOldToolBarID;
  NameList ListOldGadgetID;

  // Step-2 work lists.
  NameList ListOldConst;
  NameList ListNewConst;
  NameList ListVanishedConst;
  NameList ListAddedConst;
  std::vector<ReplaceRecord> ListReplace;

  // Program-wide.
  NameList ListUserGadget;
  KeySet MapKeyword;
  KeySet MapGadgetFunction;
  TextMap MapLanguage;

  // Run state: the format every generated file of a run is written in. It carries over between
  // runs; the first run of a process starts from single-byte text.
  WriteEncoding WriteFormat = WriteEncoding::kLatin1;
};

// The separator line of the generated files: "; " and 87 asterisks.
inline constexpr TextView kSeparatorLine =
    U"; ***************************************************************************************";

// Appends an empty line, the separator line and an empty line.
void AddSeparatorBlock(TextList& lines);

// The one model of the process.
SourceModel& GlobalSourceModel();

// Empties the lists a run starts without (see the implementation for the exact set and order).
void ResetSourceModel(SourceModel& model);

// Empties the previous-run lists, the step-2 work lists and the rename list (project load and new
// project); `with_project_lines` also empties LinesProject.
void ClearProjectLists(SourceModel& model, bool with_project_lines);

// The built-in keyword tables, each ended by an empty name.
extern const TextView kKeywordTable[];
extern const TextView kGadgetFunctionTable[];

// Fills MapKeyword and MapGadgetFunction from the two tables and ListUserGadget, in upper case.
void BuildKeySets(SourceModel& model);

}  // namespace corvane
