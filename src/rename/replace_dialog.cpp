#include "rename/replace_dialog.h"

#include "app/numbers.h"
#include "dialogs/info_licence.h"
#include "rename/constant_lists.h"

namespace corvane {

namespace {

constexpr TextView kReplaceTitle = U"Search and Replace";
constexpr TextView kTitleSeparator = U" - ";
constexpr TextView kPairSeparator = U" > ";
constexpr char32_t kPairMark = U'>';
constexpr TextView kUnboundQuestion = U"Some old constants not to bind! Continue?";

// Replies to the request the dialog was opened for: 0 goes on, 2 cancels the run.
constexpr int64_t kReplyContinue = 0;
constexpr int64_t kReplyCancel = 2;

void CreateReplaceGadgets(Toolkit& tk) {
  tk.TextGadget(kGadgetOldLabel, kWindowReplace, 10, 10, 130, 20, U"Old Entry");
  tk.TextGadget(kGadgetNewLabel, kWindowReplace, 220, 10, 120, 20, U"New Entry");
  tk.TextGadget(kGadgetTodoLabel, kWindowReplace, 430, 10, 110, 20, U"Todo List");
  tk.ListViewGadget(kGadgetOldList, kWindowReplace, 10, 30, 200, 320);
  tk.ListViewGadget(kGadgetNewList, kWindowReplace, 220, 30, 200, 320);
  tk.ListViewGadget(kGadgetTodoList, kWindowReplace, 430, 30, 330, 320);
  tk.ButtonGadget(kGadgetBind, kWindowReplace, 10, 360, 120, 30, U"Bind");
  tk.ButtonGadget(kGadgetRelease, kWindowReplace, 150, 360, 120, 30, U"Release");
  tk.ButtonGadget(kGadgetContinue, kWindowReplace, 640, 360, 120, 30, U"Continue");
}

void AppendAll(Toolkit& tk, int gadget, const NameList& names) {
  for (const Text& name : names) tk.AppendListItem(gadget, name);
}

bool ListHasItem(Toolkit& tk, int gadget, const Text& text) {
  const int count = tk.CountListItems(gadget);
  for (int i = 0; i < count; ++i) {
    if (tk.GetListItemText(gadget, i) == text) return true;
  }
  return false;
}

// The request the dialog answers gets exactly one reply: a late "Continue" or close box, between
// the reply and the worker's closing request, is held back.
void ReplyOnce(App& app, int64_t result) {
  if (app.pending_answered || app.PendingRequest == nullptr) return;
  app.pending_answered = true;
  ReplyGuiRequest(app.PendingRequest, result);
}

// Bind and Release serve their button (a click) and the lists (a double click) alike. The type
// alone does not name the gadget, so a list's single click must be held back by the handler table.
bool IsBindEvent(int event_type) {
  return event_type == kEventTypeLeftClick || event_type == kEventTypeLeftDoubleClick;
}

// Appends `part` with its outer blanks removed, unless nothing is left of it.
void AppendTrimmed(Toolkit& tk, int gadget, TextView part) {
  const Text name = Trim(part);
  if (!name.empty()) tk.AppendListItem(gadget, name);
}

}  // namespace

void OpenReplaceDialog(App& app, int kind) {
  Toolkit& tk = app.tk;
  const int flags = kWindowTitleBar | kWindowCloseBox | kWindowScreenCentered;
  if (tk.OpenWindow(kWindowReplace, 0, 0, 770, 400, Text(kReplaceTitle), flags, kWindowMain) ==
      kNoObject) {
    // Without the dialog nobody could answer: the worker would wait for good. Cancel the run.
    ReplyOnce(app, kReplyCancel);
    return;
  }
  CreateReplaceGadgets(tk);
  tk.DisableWindow(kWindowMain, true);
  tk.SetWindowTitle(kWindowReplace, Text(kReplaceTitle) + Text(kTitleSeparator) + KindWord(kind));
  AppendAll(tk, kGadgetOldList, app.model.ListVanishedConst);
  AppendAll(tk, kGadgetNewList, app.model.ListAddedConst);
}

void CloseReplaceDialog(App& app) {
  app.tk.DisableWindow(kWindowMain, false);
  app.tk.CloseWindow(kWindowReplace);
}

int BindSelected(App& app, int event_type) {
  if (!IsBindEvent(event_type)) return 0;
  Toolkit& tk = app.tk;
  const int old_index = tk.GetListSelected(kGadgetOldList);
  const int new_index = tk.GetListSelected(kGadgetNewList);
  if (old_index < 0 || new_index < 0) return 0;
  const Text entry = tk.GetListItemText(kGadgetOldList, old_index) + Text(kPairSeparator) +
                     tk.GetListItemText(kGadgetNewList, new_index);
  if (ListHasItem(tk, kGadgetTodoList, entry)) return 0;
  tk.AppendListItem(kGadgetTodoList, entry);
  tk.RemoveListItem(kGadgetOldList, old_index);
  tk.RemoveListItem(kGadgetNewList, new_index);
  return 0;
}

int ReleaseSelected(App& app, int event_type) {
  if (!IsBindEvent(event_type)) return 0;
  Toolkit& tk = app.tk;
  const int index = tk.GetListSelected(kGadgetTodoList);
  if (index < 0) return 0;
  const Text entry = tk.GetListItemText(kGadgetTodoList, index);
  // Names never hold ">", so the first one is the separator; the rest of the text is the new name.
  const size_t mark = entry.find(kPairMark);
  const TextView view(entry);
  AppendTrimmed(tk, kGadgetOldList, view.substr(0, mark));
  if (mark != Text::npos) AppendTrimmed(tk, kGadgetNewList, view.substr(mark + 1));
  tk.RemoveListItem(kGadgetTodoList, index);
  return 0;
}

int ContinueReplace(App& app, int event_type) {
  if (event_type != kEventTypeLeftClick) return 0;
  if (app.pending_answered) return 0;
  if (app.tk.CountListItems(kGadgetOldList) == 0) {
    ReplyOnce(app, kReplyContinue);
    return 0;
  }
  switch (app.tk.MessageRequester(Text(kInfoTitle), Text(kUnboundQuestion),
                                  MessageButtons::kYesNoCancel)) {
    case MessageResult::kYes:
      ReplyOnce(app, kReplyContinue);
      break;
    case MessageResult::kCancel:
      ReplyOnce(app, kReplyCancel);
      break;
    default:  // No: the dialog stays open for more binding.
      break;
  }
  return 0;
}

int CancelReplace(App& app) {
  ReplyOnce(app, kReplyCancel);
  return 0;
}

std::vector<Text> TodoListItems(App& app) { return app.tk.GetListItems(kGadgetTodoList); }

}  // namespace corvane
