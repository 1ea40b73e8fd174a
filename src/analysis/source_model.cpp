#include "analysis/source_model.h"

namespace corvane {

const Text* TextMap::Find(TextView key) const {
  const auto it = index_.find(Text(key));
  return it == index_.end() ? nullptr : &entries_[it->second].second;
}

void TextMap::Set(TextView key, TextView value) {
  const auto [it, added] = index_.emplace(Text(key), entries_.size());
  if (added) {
    entries_.emplace_back(Text(key), Text(value));
  } else {
    entries_[it->second].second = Text(value);
  }
}

bool TextMap::AddIfMissing(TextView key, TextView value) {
  const auto [it, added] = index_.emplace(Text(key), entries_.size());
  if (added) entries_.emplace_back(Text(key), Text(value));
  return added;
}

void TextMap::Clear() {
  entries_.clear();
  index_.clear();
}

void AddSeparatorBlock(TextList& lines) {
  lines.emplace_back();
  lines.emplace_back(kSeparatorLine);
  lines.emplace_back();
}

SourceModel& GlobalSourceModel() {
  // Never destroyed: freeing a large project's million lines one by one at exit only costs time;
  // the process's memory goes back to the system as a whole.
  static SourceModel& model = *new SourceModel;
  return model;
}

void ResetSourceModel(SourceModel& m) {
  m.ListCommonFile.clear();
  m.ListIncludeFile.clear();
  m.LinesSource.clear();
  m.LinesConstants.clear();
  m.LinesImages.clear();
  m.LinesFonts.clear();
  m.ListWindowID.clear();
  m.ListMenuID.clear();
  m.ListMenuItemID.clear();
  m.ListStatusBarID.clear();
  m.ListToolBarID.clear();
  m.ListGadgetID.clear();
  m.ListImage.clear();
  m.ListFont.clear();
  m.LinesCommonFile.clear();
  m.LinesMain.clear();
  m.LinesEventMain.clear();
  m.LinesEventMenu.clear();
  m.LinesEventGadget.clear();
  m.LinesEventWindow.clear();
  m.LinesLoadLanguage.clear();
  m.LinesInclude.clear();
  m.MapLanguage.Clear();
}

void ClearProjectLists(SourceModel& m, bool with_project_lines) {
  if (with_project_lines) m.LinesProject.clear();
  m.ListOldConst.clear();
  m.ListOldWindowID.clear();
  m.ListOldMenuID.clear();
  m.ListOldMenuItemID.clear();
  m.ListOldStatusBarID.clear();
  m.ListOldToolBarID.clear();
  m.ListOldGadgetID.clear();
  m.ListNewConst.clear();
  m.ListVanishedConst.clear();
  m.ListAddedConst.clear();
  m.ListReplace.clear();
}

const TextView kKeywordTable[] = {U"AddGadgetColumn",
                                  U"AddGadgetItem",
                                  U"ButtonGadget",
                                  U"ButtonImageGadget",
                                  U"CalendarGadget",
                                  U"CanvasGadget",
                                  U"CanvasOutput",
                                  U"ChangeListIconGadgetDisplay",
                                  U"CheckBoxGadget",
                                  U"ClearGadgetItemList",
                                  U"ClearGadgetItems",
                                  U"CloseGadgetList",
                                  U"ComboBoxGadget",
                                  U"ContainerGadget",
                                  U"CountGadgetItems",
                                  U"DateGadget",
                                  U"DisableGadget",
                                  U"EditorGadget",
                                  U"ExplorerComboGadget",
                                  U"ExplorerListGadget",
                                  U"ExplorerTreeGadget",
                                  U"Frame3DGadget",
                                  U"FreeGadget",
                                  U"GadgetHeight",
                                  U"GadgetID",
                                  U"GadgetItemID",
                                  U"GadgetToolTip",
                                  U"GadgetType",
                                  U"GadgetWidth",
                                  U"GadgetX",
                                  U"GadgetY",
                                  U"GetActiveGadget",
                                  U"GetGadgetAttribute",
                                  U"GetGadgetColor",
                                  U"GetGadgetData",
                                  U"GetGadgetFont",
                                  U"GetGadgetItemAttribute",
                                  U"GetGadgetItemColor",
                                  U"GetGadgetItemData",
                                  U"GetGadgetItemState",
                                  U"GetGadgetItemText",
                                  U"GetGadgetState",
                                  U"GetGadgetText",
                                  U"HideGadget",
                                  U"HyperLinkGadget",
                                  U"IPAddressGadget",
                                  U"ImageGadget",
                                  U"IsGadget",
                                  U"ListIconGadget",
                                  U"ListViewGadget",
                                  U"MDIGadget",
                                  U"OpenGadgetList",
                                  U"OpenGLGadget",
                                  U"OptionGadget",
                                  U"PanelGadget",
                                  U"ProgressBarGadget",
                                  U"RemoveGadgetColumn",
                                  U"RemoveGadgetItem",
                                  U"ResizeGadget",
                                  U"ScrollAreaGadget",
                                  U"ScrollBarGadget",
                                  U"SetActiveGadget",
                                  U"SetGadgetAttribute",
                                  U"SetGadgetColor",
                                  U"SetGadgetData",
                                  U"SetGadgetFont",
                                  U"SetGadgetItemAttribute",
                                  U"SetGadgetItemColor",
                                  U"SetGadgetItemData",
                                  U"SetGadgetItemState",
                                  U"SetGadgetItemText",
                                  U"SetGadgetState",
                                  U"SetGadgetText",
                                  U"ShortcutGadget",
                                  U"SpinGadget",
                                  U"SplitterGadget",
                                  U"StringGadget",
                                  U"TextGadget",
                                  U"TrackBarGadget",
                                  U"TreeGadget",
                                  U"WebGadget",
                                  U"WebGadgetPath",
                                  U"CloseSubMenu",
                                  U"CreateImageMenu",
                                  U"CreateMenu",
                                  U"CreatePopupImageMenu",
                                  U"CreatePopupMenu",
                                  U"DisableMenuItem",
                                  U"DisplayPopupMenu",
                                  U"FreeMenu",
                                  U"GetMenuItemState",
                                  U"GetMenuItemText",
                                  U"GetMenuTitleText",
                                  U"HideMenu",
                                  U"IsMenu",
                                  U"MenuBar",
                                  U"MenuHeight",
                                  U"MenuID",
                                  U"MenuItem",
                                  U"MenuTitle",
                                  U"OpenSubMenu",
                                  U"SetMenuItemState",
                                  U"SetMenuItemText",
                                  U"SetMenuTitleText",
                                  U"CreateToolBar",
                                  U"DisableToolBarButton",
                                  U"FreeToolBar",
                                  U"GetToolBarButtonState",
                                  U"IsToolBar",
                                  U"SetToolBarButtonState",
                                  U"ToolBarHeight",
                                  U"ToolBarID",
                                  U"ToolBarImageButton",
                                  U"ToolBarSeparator",
                                  U"ToolBarStandardButton",
                                  U"ToolBarToolTip",
                                  U"AddStatusBarField",
                                  U"CreateStatusBar",
                                  U"FreeStatusBar",
                                  U"IsStatusBar",
                                  U"StatusBarHeight",
                                  U"StatusBarID",
                                  U"StatusBarImage",
                                  U"StatusBarProgress",
                                  U"StatusBarText",
                                  U""};

const TextView kGadgetFunctionTable[] = {U"ButtonGadget",       U"ButtonImageGadget",
                                         U"CalendarGadget",     U"CanvasGadget",
                                         U"CheckBoxGadget",     U"ComboBoxGadget",
                                         U"ContainerGadget",    U"DateGadget",
                                         U"EditorGadget",       U"ExplorerComboGadget",
                                         U"ExplorerListGadget", U"ExplorerTreeGadget",
                                         U"Frame3DGadget",      U"HyperLinkGadget",
                                         U"IPAddressGadget",    U"ImageGadget",
                                         U"ListIconGadget",     U"ListViewGadget",
                                         U"MDIGadget",          U"OpenGLGadget",
                                         U"OptionGadget",       U"PanelGadget",
                                         U"ProgressBarGadget",  U"ScrollAreaGadget",
                                         U"ScrollBarGadget",    U"ShortcutGadget",
                                         U"SpinGadget",         U"SplitterGadget",
                                         U"StringGadget",       U"TextGadget",
                                         U"TrackBarGadget",     U"TreeGadget",
                                         U"WebGadget",          U""};

void BuildKeySets(SourceModel& model) {
  for (const TextView* name = kKeywordTable; !name->empty(); ++name) {
    model.MapKeyword.insert(UpperCase(*name));
  }
  for (const Text& name : model.ListUserGadget) model.MapKeyword.insert(UpperCase(name));
  for (const TextView* name = kGadgetFunctionTable; !name->empty(); ++name) {
    model.MapGadgetFunction.insert(UpperCase(*name));
  }
  for (const Text& name : model.ListUserGadget) model.MapGadgetFunction.insert(UpperCase(name));
}

}  // namespace corvane
