#include "dialogs/user_gadget_dialog.h"

#include <string>

#include "analysis/error_text.h"
#include "app/main_window.h"
#include "app/numbers.h"
#include "platform/fs/fs.h"
#include "project/user_gadget_list.h"

namespace corvane {

namespace {

constexpr TextView kUserGadgetTitle = U"UserGadget";
constexpr TextView kAddTitle = U"Add Gadget";
constexpr TextView kEditTitle = U"Edit Gadget";
constexpr TextView kSaveFailedTitle = U"Save UserGadget";

void CreateUserGadgetGadgets(Toolkit& tk) {
  tk.ListViewGadget(kGadgetUserList, kWindowUserGadget, 0, 0, 220, 350);
  tk.ButtonGadget(kGadgetUserAdd, kWindowUserGadget, 10, 360, 60, 30, U"Add");
  tk.ButtonGadget(kGadgetUserDel, kWindowUserGadget, 80, 360, 60, 30, U"Del");
  tk.ButtonGadget(kGadgetUserOk, kWindowUserGadget, 150, 360, 60, 30, U"Ok");
}

// UTF-8 without a byte order mark, every line ending in a line feed.
std::string UserGadgetFileBytes(const NameList& names) {
  std::string bytes;
  for (const Text line : UserGadgetFileLines(names)) {
    bytes += ToUtf8(line);
    bytes += '\n';
  }
  return bytes;
}

}  // namespace

int OpenUserGadgetList(App& app) {
  Toolkit& tk = app.tk;
  const int flags = kWindowTitleBar | kWindowCloseBox | kWindowScreenCentered;
  if (tk.OpenWindow(kWindowUserGadget, 0, 0, 220, 400, Text(kUserGadgetTitle), flags,
                    kWindowMain) == kNoObject) {
    return 0;
  }
  CreateUserGadgetGadgets(tk);
  tk.DisableWindow(kWindowMain, true);
  for (const Text& name : app.model.ListUserGadget) tk.AppendListItem(kGadgetUserList, name);
  return 0;
}

int UserGadgetEdit(App& app, int event_type) {
  if (event_type != kEventTypeLeftDoubleClick) return 0;
  Toolkit& tk = app.tk;
  const int selected = tk.GetListSelected(kGadgetUserList);
  if (selected < 0) return 0;
  const Text answer =
      tk.InputRequester(Text(kEditTitle), Text(), tk.GetListItemText(kGadgetUserList, selected));
  // An empty answer, also a cancelled requester, keeps the name.
  if (!answer.empty()) tk.SetListItemText(kGadgetUserList, selected, answer);
  return 0;
}

int UserGadgetAdd(App& app, int event_type) {
  if (event_type != kEventTypeLeftClick) return 0;
  const Text answer = app.tk.InputRequester(Text(kAddTitle), Text(), Text());
  if (!answer.empty()) app.tk.AppendListItem(kGadgetUserList, answer);
  return 0;
}

int UserGadgetDelete(App& app, int event_type) {
  if (event_type != kEventTypeLeftClick) return 0;
  const int selected = app.tk.GetListSelected(kGadgetUserList);
  if (selected >= 0) app.tk.RemoveListItem(kGadgetUserList, selected);
  return 0;
}

int SaveUserGadgets(App& app, int event_type) {
  if (event_type != kEventTypeLeftClick) return 0;
  app.model.ListUserGadget = app.tk.GetListItems(kGadgetUserList);
  if (!WriteFileAtomic(app.UserListFile, UserGadgetFileBytes(app.model.ListUserGadget))) {
    // The list keeps its new content all the same; only the file is as it was.
    ShowMessage(app, Text(kSaveFailedTitle), ErrorText(LastErrorCode()));
  }
  return CloseUserGadgetWindow(app);
}

int CloseUserGadgetWindow(App& app) {
  app.tk.DisableWindow(kWindowMain, false);
  app.tk.CloseWindow(kWindowUserGadget);
  return 0;
}

}  // namespace corvane
