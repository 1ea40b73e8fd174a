// The GUI toolkit the application is written against: windows, gadgets, menus, toolbars, status
// bars, images and requesters addressed by number, and one event queue. Implemented in memory
// (headless/) and on wxWidgets (wx/); nothing here names a widget library.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/text/text.h"

namespace corvane {

// Passed instead of a fixed number: the toolkit chooses one that collides with no fixed number
// (chosen numbers are 100000 or more) and returns it.
inline constexpr int kAnyNumber = -1;
// Returned by the creating calls when the object could not be created.
inline constexpr int kNoObject = -1;
// "No parent window" for OpenWindow.
inline constexpr int kNoParent = -1;
// "No image" for menu items and submenus.
inline constexpr int kNoImage = -1;
// The first number the toolkit chooses by itself.
inline constexpr int kFirstChosenNumber = 100000;

// Window flags, combined with |.
inline constexpr int kWindowTitleBar = 1 << 0;
inline constexpr int kWindowCloseBox = 1 << 1;
inline constexpr int kWindowMinimize = 1 << 2;
inline constexpr int kWindowMaximize = 1 << 3;
inline constexpr int kWindowResizable = 1 << 4;
// Centred on the screen; x and y are then ignored.
inline constexpr int kWindowScreenCentered = 1 << 5;

// Splitter flag: the divider is drawn as a separator line.
inline constexpr int kSplitterSeparator = 1 << 0;

// The macOS application-menu entries, reported as menu items with these numbers. The toolkit
// reports Quit by itself; About and Preferences exist once MenuItem has been called with them.
inline constexpr int kMenuAbout = -3;
inline constexpr int kMenuPreferences = -2;
inline constexpr int kMenuQuit = -1;

// Keyboard shortcut: kShortcutControl | an upper-case ASCII letter ('A' to 'Z'). The Control key
// is meant on every platform, also on macOS.
inline constexpr int kShortcutControl = 1 << 16;

// Status-bar field width that takes the whole width.
inline constexpr int kFieldFullWidth = -1;

// Gadget event types.
inline constexpr int kEventTypeLeftClick = 0;
inline constexpr int kEventTypeLeftDoubleClick = 2;

enum class EventKind {
  kNone,  // no event (a headless toolkit with nothing left to deliver)
  kMenu,  // menu item, toolbar button or keyboard shortcut; object = item number
  kGadget,
  kSizeWindow,
  kCloseWindow,
  kRepaint,
  kMoveWindow,
  kActivateWindow,
  kOther,
};

struct Event {
  EventKind kind = EventKind::kNone;
  int window = -1;
  int object = -1;  // menu item or gadget number
  int type = 0;     // gadget event type, or the type of a posted custom request
  intptr_t data = 0;
};

enum class MessageButtons { kOk, kYesNo, kYesNoCancel };
enum class MessageResult { kOk, kYes, kNo, kCancel };

struct Rect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool operator==(const Rect&) const = default;
};

// All calls but PostEvent belong to the GUI thread. Calls on a number that names no object of the
// right kind do nothing and return 0, -1, false or an empty text.
class Toolkit {
 public:
  virtual ~Toolkit() = default;

  // --- Windows. Opening a fixed number that is open already replaces that window.
  // Returns the window's number, or kNoObject when it could not be opened.
  virtual int OpenWindow(int number, int x, int y, int inner_width, int inner_height,
                         const Text& title, int flags, int parent = kNoParent) = 0;
  // Closes the window with its gadgets, menu, toolbar and status bar.
  virtual void CloseWindow(int window) = 0;
  virtual bool IsWindow(int window) = 0;
  // A disabled window ignores input (clicks, menus, shortcuts, close box).
  virtual void DisableWindow(int window, bool disabled) = 0;
  virtual bool IsWindowEnabled(int window) = 0;
  virtual int WindowInnerWidth(int window) = 0;
  virtual int WindowInnerHeight(int window) = 0;
  virtual void SetWindowTitle(int window, const Text& title) = 0;
  virtual Text GetWindowTitle(int window) = 0;

  // --- Gadgets. Numbers are program-wide; a fixed number in use already replaces that gadget.
  // Each returns the gadget's number, or kNoObject when `window` is not open.
  virtual int ButtonGadget(int number, int window, int x, int y, int width, int height,
                           const Text& text) = 0;
  virtual int CheckBoxGadget(int number, int window, int x, int y, int width, int height,
                             const Text& text) = 0;
  virtual int TextGadget(int number, int window, int x, int y, int width, int height,
                         const Text& text) = 0;
  // A single-column list view.
  virtual int ListViewGadget(int number, int window, int x, int y, int width, int height) = 0;
  // A splitter holding `first` (top) and `second` (bottom); the divider position is the height of
  // the first part and starts at half the height.
  virtual int SplitterGadget(int number, int window, int x, int y, int width, int height, int first,
                             int second, int flags) = 0;

  virtual void ResizeGadget(int gadget, int x, int y, int width, int height) = 0;
  // Position inside the window and size.
  virtual Rect GadgetGeometry(int gadget) = 0;
  virtual void DisableGadget(int gadget, bool disabled) = 0;
  virtual bool IsGadgetEnabled(int gadget) = 0;
  // Text of a button, check box or text label.
  virtual void SetGadgetText(int gadget, const Text& text) = 0;
  virtual Text GetGadgetText(int gadget) = 0;

  // Check box: 0 unchecked, 1 checked.
  virtual void SetCheckBoxState(int gadget, int state) = 0;
  virtual int GetCheckBoxState(int gadget) = 0;

  // Splitter divider position in pixels.
  virtual void SetSplitterPosition(int gadget, int position) = 0;
  virtual int GetSplitterPosition(int gadget) = 0;

  // --- List view items, 0-based. An insert before or a removal before the selected item moves
  // the selection with its item; removing the selected item leaves no selection.
  virtual void AppendListItem(int gadget, const Text& text) = 0;
  // A position outside 0..count appends.
  virtual void InsertListItem(int gadget, int position, const Text& text) = 0;
  virtual void RemoveListItem(int gadget, int position) = 0;
  virtual void ClearList(int gadget) = 0;
  virtual int CountListItems(int gadget) = 0;
  virtual Text GetListItemText(int gadget, int position) = 0;
  virtual void SetListItemText(int gadget, int position, const Text& text) = 0;
  // All items, first to last.
  virtual std::vector<Text> GetListItems(int gadget) = 0;
  // The selected item, -1 for none.
  virtual int GetListSelected(int gadget) = 0;
  // Selects an item and scrolls it into view; -1 or a position out of range clears the selection.
  virtual void SelectListItem(int gadget, int position) = 0;

  // --- Images: `rgba` holds width * height pixels of 4 bytes (R, G, B, A), row by row.
  // Returns the image's number, or kNoObject when the data does not fit the size.
  virtual int CreateImage(int number, int width, int height, std::span<const uint8_t> rgba) = 0;
  virtual bool IsImage(int image) = 0;

  // --- Menu bar with images. The calls after CreateImageMenu build that menu, in order.
  // Returns false when the menu could not be created.
  virtual bool CreateImageMenu(int menu, int window) = 0;
  virtual void MenuTitle(const Text& title) = 0;
  // kMenuAbout and kMenuPreferences become the application-menu entries instead.
  virtual void MenuItem(int item, const Text& text, int image = kNoImage) = 0;
  virtual void MenuBar() = 0;  // a separator
  virtual void OpenSubMenu(const Text& text, int image = kNoImage) = 0;
  virtual void CloseSubMenu() = 0;
  // Control+letter raises a menu event for `item` in `window`.
  virtual void AddKeyboardShortcut(int window, int shortcut, int item) = 0;

  // --- Toolbar of image buttons; each button reports as the menu item of its number.
  virtual bool CreateToolBar(int toolbar, int window) = 0;
  virtual void ToolBarImageButton(int button, int image) = 0;
  virtual void ToolBarSeparator() = 0;
  virtual void ToolBarToolTip(int toolbar, int button, const Text& text) = 0;

  // --- Status bar; the field calls after CreateStatusBar add to that bar.
  virtual bool CreateStatusBar(int statusbar, int window) = 0;
  virtual void AddStatusBarField(int width) = 0;
  virtual void StatusBarText(int statusbar, int field, const Text& text) = 0;
  virtual Text GetStatusBarText(int statusbar, int field) = 0;

  // Heights inside the window's inner area; 0 for a bar that lies outside it or does not exist.
  virtual int MenuBarHeight(int window) = 0;
  virtual int ToolBarHeight(int toolbar) = 0;
  virtual int StatusBarHeight(int statusbar) = 0;

  // --- Requesters, modal.
  virtual MessageResult MessageRequester(const Text& title, const Text& text,
                                         MessageButtons buttons) = 0;
  // The text entered; empty when cancelled.
  virtual Text InputRequester(const Text& title, const Text& message, const Text& default_text) = 0;
  // `pattern` is "Label|*.ext|Label|*.ext..."; its first pair is selected. Returns the chosen
  // paths (one unless `multiple`), empty when cancelled.
  virtual std::vector<Text> OpenFileRequester(const Text& title, const Text& default_path,
                                              const Text& pattern, bool multiple) = 0;
  // The chosen path; empty when cancelled.
  virtual Text SaveFileRequester(const Text& title, const Text& default_path,
                                 const Text& pattern) = 0;

  // --- Events.
  // Blocks until the next event and returns it (the headless toolkit documents when it returns
  // an event of kind kNone instead).
  virtual Event WaitEvent() = 0;
  // Takes the next event if there is one; never blocks.
  virtual bool PollEvent(Event& event) = 0;
  // Queues an event; callable from any thread, wakes WaitEvent.
  virtual void PostEvent(const Event& event) = 0;
};

}  // namespace corvane
