// The toolkit on wxWidgets: real frames and native controls, with our own event queue that
// WaitEvent fills by running wx's event loop until an event is there.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/toolkit/toolkit.h"

class wxWindow;

namespace corvane {

// Initialises wx (GTK, Cocoa ...) with the program's arguments; the toolkit removes its own options
// from argv. Returns nullptr when the toolkit cannot start (no display). One at a time per process.
std::unique_ptr<Toolkit> CreateWxToolkit(int& argc, char** argv);

struct WxState;

// Windows are frames (a child window is a frame over its parent); the menu bar, toolbar and status
// bar lie outside the inner area, so their heights are reported as 0. Closing a window with its
// close box only reports kCloseWindow; the window stays until CloseWindow.
class WxToolkit : public Toolkit {
 public:
  // Use CreateWxToolkit; wx must have been initialised.
  WxToolkit();
  ~WxToolkit() override;
  WxToolkit(const WxToolkit&) = delete;
  WxToolkit& operator=(const WxToolkit&) = delete;

  int OpenWindow(int number, int x, int y, int inner_width, int inner_height, const Text& title,
                 int flags, int parent = kNoParent) override;
  void CloseWindow(int window) override;
  bool IsWindow(int window) override;
  void DisableWindow(int window, bool disabled) override;
  bool IsWindowEnabled(int window) override;
  int WindowInnerWidth(int window) override;
  int WindowInnerHeight(int window) override;
  void SetWindowTitle(int window, const Text& title) override;
  Text GetWindowTitle(int window) override;

  int ButtonGadget(int number, int window, int x, int y, int width, int height,
                   const Text& text) override;
  int CheckBoxGadget(int number, int window, int x, int y, int width, int height,
                     const Text& text) override;
  int TextGadget(int number, int window, int x, int y, int width, int height,
                 const Text& text) override;
  int ListViewGadget(int number, int window, int x, int y, int width, int height) override;
  int SplitterGadget(int number, int window, int x, int y, int width, int height, int first,
                     int second, int flags) override;
  void ResizeGadget(int gadget, int x, int y, int width, int height) override;
  Rect GadgetGeometry(int gadget) override;
  void DisableGadget(int gadget, bool disabled) override;
  bool IsGadgetEnabled(int gadget) override;
  void SetGadgetText(int gadget, const Text& text) override;
  Text GetGadgetText(int gadget) override;
  void SetCheckBoxState(int gadget, int state) override;
  int GetCheckBoxState(int gadget) override;
  void SetSplitterPosition(int gadget, int position) override;
  int GetSplitterPosition(int gadget) override;

  void AppendListItem(int gadget, const Text& text) override;
  void InsertListItem(int gadget, int position, const Text& text) override;
  void RemoveListItem(int gadget, int position) override;
  void ClearList(int gadget) override;
  int CountListItems(int gadget) override;
  Text GetListItemText(int gadget, int position) override;
  void SetListItemText(int gadget, int position, const Text& text) override;
  std::vector<Text> GetListItems(int gadget) override;
  int GetListSelected(int gadget) override;
  void SelectListItem(int gadget, int position) override;

  int CreateImage(int number, int width, int height, std::span<const uint8_t> rgba) override;
  bool IsImage(int image) override;

  bool CreateImageMenu(int menu, int window) override;
  void MenuTitle(const Text& title) override;
  void MenuItem(int item, const Text& text, int image = kNoImage) override;
  void MenuBar() override;
  void OpenSubMenu(const Text& text, int image = kNoImage) override;
  void CloseSubMenu() override;
  void AddKeyboardShortcut(int window, int shortcut, int item) override;

  bool CreateToolBar(int toolbar, int window) override;
  void ToolBarImageButton(int button, int image) override;
  void ToolBarSeparator() override;
  void ToolBarToolTip(int toolbar, int button, const Text& text) override;

  bool CreateStatusBar(int statusbar, int window) override;
  void AddStatusBarField(int width) override;
  void StatusBarText(int statusbar, int field, const Text& text) override;
  Text GetStatusBarText(int statusbar, int field) override;

  int MenuBarHeight(int window) override;
  int ToolBarHeight(int toolbar) override;
  int StatusBarHeight(int statusbar) override;

  MessageResult MessageRequester(const Text& title, const Text& text,
                                 MessageButtons buttons) override;
  Text InputRequester(const Text& title, const Text& message, const Text& default_text) override;
  std::vector<Text> OpenFileRequester(const Text& title, const Text& default_path,
                                      const Text& pattern, bool multiple) override;
  Text SaveFileRequester(const Text& title, const Text& default_path, const Text& pattern) override;

  Event WaitEvent() override;
  bool PollEvent(Event& event) override;
  void PostEvent(const Event& event) override;

  // Writes what the window shows (menu bar, toolbar and status bar included) as a PNG file.
  // False when the window is not open or the file cannot be written. Called from a wx handler
  // inside WaitEvent, it shows what wx's loop has drawn so far.
  bool SaveWindowScreenshot(int window, const std::string& png_path);
  // Runs wx's event loop for a moment, so that windows are laid out and drawn; events that arrive
  // meanwhile stay queued. Does nothing inside WaitEvent, whose loop draws by itself.
  void ProcessPendingWork();
  // True while WaitEvent runs wx's loop, i.e. the program waits for input; a wx timer that plays
  // the user acts only then (wx also runs briefly inside some calls, to lay bars out).
  bool IsWaiting() const;

 private:
  int CreateGadget(int number, int window, int kind, int x, int y, int width, int height,
                   const Text& text);
  void RemoveGadget(int gadget);
  void BindGadgetEvents(wxWindow* control, int kind);
  void PostGadgetEvent(wxWindow* control, int type);

  std::unique_ptr<WxState> s_;
};

}  // namespace corvane
