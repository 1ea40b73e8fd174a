#include "app/main_window.h"

#include <algorithm>

#include "app/numbers.h"

namespace corvane {

namespace {

constexpr int kMainWidth = 800;
constexpr int kMainHeight = 600;
constexpr int kListHeight = 280;
constexpr int kMainFlags = kWindowTitleBar | kWindowCloseBox | kWindowMinimize | kWindowMaximize |
                           kWindowResizable | kWindowScreenCentered;

// The icons the menu and the toolbar show.
constexpr int kImageNew = 0;
constexpr int kImageLoad = 1;
constexpr int kImageSave = 2;
constexpr int kImageSaveAs = 3;
constexpr int kImageAdd = 4;
constexpr int kImageDelete = 5;
constexpr int kImageFirst = 6;
constexpr int kImageGenerate = 7;
constexpr int kImageExit = 8;
constexpr int kImagePreferences = 9;
constexpr int kImageInfo = 10;
constexpr int kImageLicence = 11;

// An icon that could not be created is left out rather than named, so the item shows no picture.
int Icon(App& app, int image) { return app.tk.IsImage(image) ? image : kNoImage; }

void CreateFileMenu(App& app) {
  Toolkit& tk = app.tk;
  tk.MenuTitle(U"&File");
  tk.MenuItem(kMenuProjectNew, U"Project &New\tCtrl-N", Icon(app, kImageNew));
  tk.MenuBar();
  tk.MenuItem(kMenuProjectLoad, U"Project &Load\tCtrl-L", Icon(app, kImageLoad));
  tk.MenuItem(kMenuProjectSave, U"Project &Save\tCtrl-S", Icon(app, kImageSave));
  tk.MenuItem(kMenuProjectSaveAs, U"Project Save &As", Icon(app, kImageSaveAs));
  tk.MenuBar();
  tk.OpenSubMenu(U"&Preferences", Icon(app, kImagePreferences));
  tk.MenuItem(kMenuUserGadget, U"User&Gadget", Icon(app, kImagePreferences));
  tk.CloseSubMenu();
  tk.MenuBar();
  tk.MenuItem(kMenuExit, U"E&xit", Icon(app, kImageExit));
}

void CreateActionMenu(App& app) {
  Toolkit& tk = app.tk;
  tk.MenuTitle(U"&Action");
  tk.MenuItem(kMenuCommonAdd, U"Common &Add", Icon(app, kImageAdd));
  tk.MenuBar();
  tk.MenuItem(kMenuCommonDelete, U"Common &Delete", Icon(app, kImageDelete));
  tk.MenuItem(kMenuCommonFirst, U"Common &First File", Icon(app, kImageFirst));
  tk.MenuBar();
  tk.MenuItem(kMenuStartGenerate, U"&Start Generate", Icon(app, kImageGenerate));
}

void CreateHelpMenu(App& app) {
  Toolkit& tk = app.tk;
  tk.MenuTitle(U"&?");
  tk.MenuItem(kMenuInfo, U"&Info", Icon(app, kImageInfo));
  tk.MenuItem(kMenuLicence, U"&Licence", Icon(app, kImageLicence));
}

}  // namespace

int OpenMainWindow(App& app) {
  Toolkit& tk = app.tk;
  if (tk.OpenWindow(kWindowMain, 0, 0, kMainWidth, kMainHeight, Text(kMainTitle), kMainFlags) ==
      kNoObject) {
    return 0;
  }
  tk.ButtonGadget(kGadgetCommand, kWindowMain, 0, 0, 0, 0, U"CMD");
  tk.DisableGadget(kGadgetCommand, true);
  if (tk.CreateImageMenu(kMainMenu, kWindowMain)) {
    CreateFileMenu(app);
    CreateActionMenu(app);
    CreateHelpMenu(app);
  }
  tk.CreateStatusBar(kMainStatusBar, kWindowMain);
  tk.ListViewGadget(kGadgetCommonFiles, kWindowMain, 0, 0, kMainWidth, kListHeight);
  tk.ListViewGadget(kGadgetLog, kWindowMain, 0, kListHeight, kMainWidth, kListHeight);
  return 0;
}

int CreateMainToolBar(App& app) {
  Toolkit& tk = app.tk;
  if (!tk.CreateToolBar(kMainToolBar, kWindowMain)) return 0;
  tk.ToolBarSeparator();
  tk.ToolBarImageButton(kMenuProjectNew, Icon(app, kImageNew));
  tk.ToolBarImageButton(kMenuProjectLoad, Icon(app, kImageLoad));
  tk.ToolBarImageButton(kMenuProjectSave, Icon(app, kImageSave));
  tk.ToolBarSeparator();
  tk.ToolBarImageButton(kMenuCommonAdd, Icon(app, kImageAdd));
  tk.ToolBarImageButton(kMenuCommonDelete, Icon(app, kImageDelete));
  tk.ToolBarImageButton(kMenuCommonFirst, Icon(app, kImageFirst));
  tk.ToolBarSeparator();
  tk.ToolBarImageButton(kMenuStartGenerate, Icon(app, kImageGenerate));
  tk.ToolBarToolTip(kMainToolBar, kMenuProjectNew, U"Project New");
  tk.ToolBarToolTip(kMainToolBar, kMenuProjectLoad, U"Project Load");
  tk.ToolBarToolTip(kMainToolBar, kMenuProjectSave, U"Project Save");
  tk.ToolBarToolTip(kMainToolBar, kMenuCommonAdd, U"Add Commonfile");
  tk.ToolBarToolTip(kMainToolBar, kMenuCommonDelete, U"Remove Commonfile");
  tk.ToolBarToolTip(kMainToolBar, kMenuCommonFirst, U"Selected Commonfile as first");
  tk.ToolBarToolTip(kMainToolBar, kMenuStartGenerate, U"Generate");
  return 0;
}

int ResizeMain(App& app) {
  Toolkit& tk = app.tk;
  const int bars = tk.MenuBarHeight(kWindowMain) + tk.StatusBarHeight(kMainStatusBar) +
                   tk.ToolBarHeight(kMainToolBar);
  const int height = std::max(0, tk.WindowInnerHeight(kWindowMain) - bars);
  tk.ResizeGadget(MainSplitter(app), 0, 0, tk.WindowInnerWidth(kWindowMain), height);
  return 0;
}

int SetStatusText(App& app, const Text& text) {
  app.tk.StatusBarText(kMainStatusBar, 0, text);
  return 0;
}

int ShowMessage(App& app, const Text& title, const Text& text) {
  app.tk.MessageRequester(title, text, MessageButtons::kOk);
  return 0;
}

int AddLogLine(App& app, const Text& text) {
  Toolkit& tk = app.tk;
  tk.AppendListItem(kGadgetLog, text);
  tk.SelectListItem(kGadgetLog, tk.CountListItems(kGadgetLog) - 1);
  tk.SelectListItem(kGadgetLog, -1);
  return 0;
}

int MainSplitter(const App& app) { return app.main_splitter; }

}  // namespace corvane
