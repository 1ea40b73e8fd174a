// The toolkit in memory: every window, gadget, menu and bar is plain state a test or the command
// line can read back; user input is injected, and requesters take their answers from queues.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <utility>
#include <vector>

#include "platform/toolkit/toolkit.h"

namespace corvane {

enum class GadgetKind { kButton, kCheckBox, kText, kListView, kSplitter };

enum class MenuEntryKind { kTitle, kItem, kSeparator, kSubMenu, kEndSubMenu };

// One entry of a menu, in the order the menu was built.
struct MenuEntry {
  MenuEntryKind kind = MenuEntryKind::kItem;
  int item = -1;  // kItem only
  Text text;      // title, item or submenu text
  int image = kNoImage;
  bool operator==(const MenuEntry&) const = default;
};

struct ToolBarEntry {
  bool separator = false;
  int button = -1;
  int image = kNoImage;
  Text tool_tip;
  bool operator==(const ToolBarEntry&) const = default;
};

// A message box as it was shown, with the answer it returned.
struct MessageRecord {
  Text title;
  Text text;
  MessageButtons buttons = MessageButtons::kOk;
  MessageResult result = MessageResult::kOk;
};

enum class RequesterKind { kInput, kOpenFile, kSaveFile };

// An input, open-file or save-file requester as it was shown.
struct RequesterRecord {
  RequesterKind kind = RequesterKind::kInput;
  Text title;
  Text message;       // input requester only
  Text default_text;  // default text or default path
  Text pattern;       // file requesters only
  bool multiple = false;
};

// The screen a centred window is placed on.
inline constexpr int kHeadlessScreenWidth = 1920;
inline constexpr int kHeadlessScreenHeight = 1080;

// Waiting behaviour of WaitEvent on an empty queue: first the idle handler (if any) runs on the
// calling thread and may inject events; if the queue is still empty, WaitEvent waits up to the
// wait timeout for PostEvent from another thread and returns an event of kind kNone when none came.
// The default timeout is 0 (never block), so a test without a worker cannot hang; a test or front
// end that runs a worker sets kWaitForever (or a generous limit) so WaitEvent really blocks.
// An app loop that ignores kNone keeps polling; a test running such a loop ends it from the idle
// handler (for instance by clicking the main window's close box).
//
// A message box without a queued answer returns what dismissing it gives: OK for kOk, No for
// kYesNo, Cancel for kYesNoCancel. Any other requester without a queued answer counts as cancelled.
//
// PostEvent, WaitEvent and PollEvent are thread-safe; everything else belongs to the GUI thread.
class HeadlessToolkit : public Toolkit {
 public:
  static constexpr std::chrono::milliseconds kWaitForever = std::chrono::milliseconds::max();

  HeadlessToolkit() = default;
  HeadlessToolkit(const HeadlessToolkit&) = delete;
  HeadlessToolkit& operator=(const HeadlessToolkit&) = delete;

  // --- Toolkit.
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

  // --- Driving: user input. Each returns false (and queues nothing) when the input could not
  // happen: the object does not exist, or it or its window is disabled.
  // A menu item of the window's menu.
  bool ChooseMenuItem(int window, int item);
  // kMenuQuit always, kMenuAbout / kMenuPreferences once added; reported to the window whose menu
  // added them (-1 when none did). Works while windows are disabled, as the macOS menu does.
  bool ChooseApplicationMenuItem(int item);
  bool ClickToolBarButton(int window, int button);
  // `shortcut` as for AddKeyboardShortcut.
  bool PressShortcut(int window, int shortcut);
  // Left click; a check box toggles its state first.
  bool ClickGadget(int gadget);
  // Selects the item first, then clicks or double-clicks the list view.
  bool ClickListItem(int gadget, int position);
  bool DoubleClickListItem(int gadget, int position);
  // Only windows with a close box.
  bool ClickCloseBox(int window);
  // Gives the window a new inner size and reports it, resizable or not.
  bool ResizeWindowByUser(int window, int inner_width, int inner_height);

  // --- Driving: requester answers, used first in, first out, one queue per kind.
  void QueueMessageAnswer(MessageResult answer);
  void QueueInputAnswer(const Text& answer);
  void QueueOpenAnswer(std::vector<Text> paths);
  void QueueSaveAnswer(const Text& path);
  // Answers queued but not used yet, all kinds together.
  int PendingAnswers() const;

  // --- Driving: waiting and failures.
  void SetIdleHandler(std::function<void()> handler);
  void SetWaitTimeout(std::chrono::milliseconds timeout);
  // The next OpenWindow / CreateImageMenu fails once.
  void FailNextOpenWindow() { fail_open_window_ = true; }
  void FailNextMenu() { fail_menu_ = true; }
  // Heights reported for existing bars (defaults 24, 28, 24).
  void SetBarHeights(int menu, int toolbar, int statusbar);

  // --- Reading back.
  std::vector<int> OpenWindows() const;
  Rect WindowGeometry(int window) const;  // x, y and inner size
  int WindowFlags(int window) const;
  int WindowParent(int window) const;
  bool IsGadget(int gadget) const;
  GadgetKind KindOfGadget(int gadget) const;
  int GadgetWindow(int gadget) const;
  std::pair<int, int> SplitterChildren(int gadget) const;
  int MenuOfWindow(int window) const;  // -1 for none
  std::vector<MenuEntry> MenuEntries(int menu) const;
  std::vector<MenuEntry> ApplicationMenuItems() const { return app_menu_; }
  std::vector<ToolBarEntry> ToolBarEntries(int toolbar) const;
  std::map<int, int> Shortcuts(int window) const;  // shortcut -> menu item
  std::vector<int> StatusBarFields(int statusbar) const;
  const std::vector<MessageRecord>& Messages() const { return messages_; }
  const std::vector<RequesterRecord>& Requesters() const { return requesters_; }
  // Events queued and not yet taken.
  int QueuedEvents();

 private:
  struct WindowState {
    Rect geometry;
    Text title;
    int flags = 0;
    int parent = kNoParent;
    bool enabled = true;
    std::map<int, int> shortcuts;
  };
  struct GadgetState {
    GadgetKind kind = GadgetKind::kButton;
    int window = -1;
    Rect geometry;
    Text text;
    bool enabled = true;
    int state = 0;
    std::vector<Text> items;
    int selected = -1;
    int first = -1;
    int second = -1;
    int position = 0;
  };
  struct MenuState {
    int window = -1;
    std::vector<MenuEntry> entries;
  };
  struct ToolBarState {
    int window = -1;
    std::vector<ToolBarEntry> entries;
  };
  struct StatusBarState {
    int window = -1;
    std::vector<int> widths;
    std::vector<Text> texts;
  };
  struct ImageState {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;
  };

  WindowState* FindWindow(int window);
  const WindowState* FindWindow(int window) const;
  GadgetState* FindGadget(int gadget);
  const GadgetState* FindGadget(int gadget) const;
  GadgetState* FindGadget(int gadget, GadgetKind kind);
  GadgetState* FindItem(int gadget, int position);
  int CreateGadget(int number, int window, GadgetKind kind, Rect geometry, const Text& text);
  template <typename Map>
  static int ChooseNumber(int number, const Map& in_use, int& next_chosen);
  template <typename Map>
  static void EraseOfWindow(Map& objects, int window);
  void LayOutSplitter(const GadgetState& splitter);
  bool AcceptsInput(int window) const;
  bool AcceptsGadgetInput(int gadget) const;
  void PostToWindow(EventKind kind, int window, int object, int type);

  std::map<int, WindowState> windows_;
  std::map<int, GadgetState> gadgets_;
  std::map<int, MenuState> menus_;
  std::map<int, ToolBarState> toolbars_;
  std::map<int, StatusBarState> statusbars_;
  std::map<int, ImageState> images_;
  std::vector<MenuEntry> app_menu_;
  int app_menu_window_ = -1;
  int current_menu_ = -1;
  int current_toolbar_ = -1;
  int current_statusbar_ = -1;
  int next_window_ = kFirstChosenNumber;
  int next_gadget_ = kFirstChosenNumber;
  int next_image_ = kFirstChosenNumber;
  int menu_height_ = 24;
  int toolbar_height_ = 28;
  int statusbar_height_ = 24;
  bool fail_open_window_ = false;
  bool fail_menu_ = false;

  std::deque<MessageResult> message_answers_;
  std::deque<Text> input_answers_;
  std::deque<std::vector<Text>> open_answers_;
  std::deque<Text> save_answers_;
  std::vector<MessageRecord> messages_;
  std::vector<RequesterRecord> requesters_;

  std::function<void()> idle_handler_;
  std::chrono::milliseconds wait_timeout_{0};
  std::mutex queue_mutex_;
  std::condition_variable queue_cv_;
  std::deque<Event> queue_;
};

}  // namespace corvane
