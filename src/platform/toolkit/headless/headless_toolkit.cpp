#include "platform/toolkit/headless/headless_toolkit.h"

#include <algorithm>

namespace corvane {

// --- Lookup and numbering.

HeadlessToolkit::WindowState* HeadlessToolkit::FindWindow(int window) {
  auto it = windows_.find(window);
  return it == windows_.end() ? nullptr : &it->second;
}

const HeadlessToolkit::WindowState* HeadlessToolkit::FindWindow(int window) const {
  auto it = windows_.find(window);
  return it == windows_.end() ? nullptr : &it->second;
}

HeadlessToolkit::GadgetState* HeadlessToolkit::FindGadget(int gadget) {
  auto it = gadgets_.find(gadget);
  return it == gadgets_.end() ? nullptr : &it->second;
}

const HeadlessToolkit::GadgetState* HeadlessToolkit::FindGadget(int gadget) const {
  auto it = gadgets_.find(gadget);
  return it == gadgets_.end() ? nullptr : &it->second;
}

HeadlessToolkit::GadgetState* HeadlessToolkit::FindGadget(int gadget, GadgetKind kind) {
  GadgetState* state = FindGadget(gadget);
  return state != nullptr && state->kind == kind ? state : nullptr;
}

// The list view `gadget` when `position` names one of its items.
HeadlessToolkit::GadgetState* HeadlessToolkit::FindItem(int gadget, int position) {
  GadgetState* list = FindGadget(gadget, GadgetKind::kListView);
  if (list == nullptr || position < 0 || position >= static_cast<int>(list->items.size())) {
    return nullptr;
  }
  return list;
}

// A fixed number is used as given; kAnyNumber takes the next free number of the chosen range.
template <typename Map>
int HeadlessToolkit::ChooseNumber(int number, const Map& in_use, int& next_chosen) {
  if (number != kAnyNumber) return number;
  while (in_use.count(next_chosen) != 0) ++next_chosen;
  return next_chosen++;
}

template <typename Map>
void HeadlessToolkit::EraseOfWindow(Map& objects, int window) {
  std::erase_if(objects, [window](const auto& entry) { return entry.second.window == window; });
}

// --- Windows.

int HeadlessToolkit::OpenWindow(int number, int x, int y, int inner_width, int inner_height,
                                const Text& title, int flags, int parent) {
  if (fail_open_window_) {
    fail_open_window_ = false;
    return kNoObject;
  }
  if (number < kAnyNumber) return kNoObject;
  number = ChooseNumber(number, windows_, next_window_);
  if (IsWindow(number)) CloseWindow(number);
  if ((flags & kWindowScreenCentered) != 0) {
    x = (kHeadlessScreenWidth - inner_width) / 2;
    y = (kHeadlessScreenHeight - inner_height) / 2;
  }
  WindowState& window = windows_[number];
  window.geometry = {x, y, inner_width, inner_height};
  window.title = title;
  window.flags = flags;
  window.parent = parent;
  return number;
}

void HeadlessToolkit::CloseWindow(int window) {
  if (windows_.erase(window) == 0) return;
  EraseOfWindow(gadgets_, window);
  EraseOfWindow(menus_, window);
  EraseOfWindow(toolbars_, window);
  EraseOfWindow(statusbars_, window);
  if (menus_.count(current_menu_) == 0) current_menu_ = -1;
  if (toolbars_.count(current_toolbar_) == 0) current_toolbar_ = -1;
  if (statusbars_.count(current_statusbar_) == 0) current_statusbar_ = -1;
}

bool HeadlessToolkit::IsWindow(int window) { return FindWindow(window) != nullptr; }

void HeadlessToolkit::DisableWindow(int window, bool disabled) {
  if (WindowState* state = FindWindow(window)) state->enabled = !disabled;
}

bool HeadlessToolkit::IsWindowEnabled(int window) {
  const WindowState* state = FindWindow(window);
  return state != nullptr && state->enabled;
}

int HeadlessToolkit::WindowInnerWidth(int window) {
  const WindowState* state = FindWindow(window);
  return state == nullptr ? 0 : state->geometry.width;
}

int HeadlessToolkit::WindowInnerHeight(int window) {
  const WindowState* state = FindWindow(window);
  return state == nullptr ? 0 : state->geometry.height;
}

void HeadlessToolkit::SetWindowTitle(int window, const Text& title) {
  if (WindowState* state = FindWindow(window)) state->title = title;
}

Text HeadlessToolkit::GetWindowTitle(int window) {
  const WindowState* state = FindWindow(window);
  return state == nullptr ? Text() : state->title;
}

// --- Gadgets.

int HeadlessToolkit::CreateGadget(int number, int window, GadgetKind kind, Rect geometry,
                                  const Text& text) {
  if (!IsWindow(window) || number < kAnyNumber) return kNoObject;
  number = ChooseNumber(number, gadgets_, next_gadget_);
  GadgetState& gadget = gadgets_[number] = GadgetState();
  gadget.kind = kind;
  gadget.window = window;
  gadget.geometry = geometry;
  gadget.text = text;
  return number;
}

int HeadlessToolkit::ButtonGadget(int number, int window, int x, int y, int width, int height,
                                  const Text& text) {
  return CreateGadget(number, window, GadgetKind::kButton, {x, y, width, height}, text);
}

int HeadlessToolkit::CheckBoxGadget(int number, int window, int x, int y, int width, int height,
                                    const Text& text) {
  return CreateGadget(number, window, GadgetKind::kCheckBox, {x, y, width, height}, text);
}

int HeadlessToolkit::TextGadget(int number, int window, int x, int y, int width, int height,
                                const Text& text) {
  return CreateGadget(number, window, GadgetKind::kText, {x, y, width, height}, text);
}

int HeadlessToolkit::ListViewGadget(int number, int window, int x, int y, int width, int height) {
  return CreateGadget(number, window, GadgetKind::kListView, {x, y, width, height}, Text());
}

int HeadlessToolkit::SplitterGadget(int number, int window, int x, int y, int width, int height,
                                    int first, int second, int flags) {
  (void)flags;  // the divider has no look in memory
  number = CreateGadget(number, window, GadgetKind::kSplitter, {x, y, width, height}, Text());
  if (number == kNoObject) return kNoObject;
  GadgetState& splitter = gadgets_[number];
  splitter.first = first;
  splitter.second = second;
  splitter.position = height / 2;
  LayOutSplitter(splitter);
  return number;
}

// The first child takes the part above the divider, the second the rest.
void HeadlessToolkit::LayOutSplitter(const GadgetState& splitter) {
  const Rect& area = splitter.geometry;
  if (GadgetState* first = FindGadget(splitter.first)) {
    first->geometry = {area.x, area.y, area.width, splitter.position};
  }
  if (GadgetState* second = FindGadget(splitter.second)) {
    second->geometry = {area.x, area.y + splitter.position, area.width,
                        area.height - splitter.position};
  }
}

void HeadlessToolkit::ResizeGadget(int gadget, int x, int y, int width, int height) {
  GadgetState* state = FindGadget(gadget);
  if (state == nullptr) return;
  state->geometry = {x, y, std::max(width, 0), std::max(height, 0)};
  if (state->kind == GadgetKind::kSplitter) {
    state->position = std::min(state->position, state->geometry.height);
    LayOutSplitter(*state);
  }
}

Rect HeadlessToolkit::GadgetGeometry(int gadget) {
  const GadgetState* state = FindGadget(gadget);
  return state == nullptr ? Rect() : state->geometry;
}

void HeadlessToolkit::DisableGadget(int gadget, bool disabled) {
  if (GadgetState* state = FindGadget(gadget)) state->enabled = !disabled;
}

bool HeadlessToolkit::IsGadgetEnabled(int gadget) {
  const GadgetState* state = FindGadget(gadget);
  return state != nullptr && state->enabled;
}

void HeadlessToolkit::SetGadgetText(int gadget, const Text& text) {
  if (GadgetState* state = FindGadget(gadget)) state->text = text;
}

Text HeadlessToolkit::GetGadgetText(int gadget) {
  const GadgetState* state = FindGadget(gadget);
  return state == nullptr ? Text() : state->text;
}

void HeadlessToolkit::SetCheckBoxState(int gadget, int state) {
  if (GadgetState* box = FindGadget(gadget, GadgetKind::kCheckBox)) box->state = state != 0;
}

int HeadlessToolkit::GetCheckBoxState(int gadget) {
  const GadgetState* box = FindGadget(gadget, GadgetKind::kCheckBox);
  return box == nullptr ? 0 : box->state;
}

void HeadlessToolkit::SetSplitterPosition(int gadget, int position) {
  GadgetState* splitter = FindGadget(gadget, GadgetKind::kSplitter);
  if (splitter == nullptr) return;
  splitter->position = std::clamp(position, 0, splitter->geometry.height);
  LayOutSplitter(*splitter);
}

int HeadlessToolkit::GetSplitterPosition(int gadget) {
  const GadgetState* splitter = FindGadget(gadget, GadgetKind::kSplitter);
  return splitter == nullptr ? 0 : splitter->position;
}

// --- List views.

void HeadlessToolkit::AppendListItem(int gadget, const Text& text) {
  if (GadgetState* list = FindGadget(gadget, GadgetKind::kListView)) list->items.push_back(text);
}

void HeadlessToolkit::InsertListItem(int gadget, int position, const Text& text) {
  GadgetState* list = FindGadget(gadget, GadgetKind::kListView);
  if (list == nullptr) return;
  const int count = static_cast<int>(list->items.size());
  if (position < 0 || position > count) position = count;
  list->items.insert(list->items.begin() + position, text);
  if (list->selected >= position) ++list->selected;
}

void HeadlessToolkit::RemoveListItem(int gadget, int position) {
  GadgetState* list = FindItem(gadget, position);
  if (list == nullptr) return;
  list->items.erase(list->items.begin() + position);
  if (list->selected == position) {
    list->selected = -1;
  } else if (list->selected > position) {
    --list->selected;
  }
}

void HeadlessToolkit::ClearList(int gadget) {
  if (GadgetState* list = FindGadget(gadget, GadgetKind::kListView)) {
    list->items.clear();
    list->selected = -1;
  }
}

int HeadlessToolkit::CountListItems(int gadget) {
  const GadgetState* list = FindGadget(gadget, GadgetKind::kListView);
  return list == nullptr ? 0 : static_cast<int>(list->items.size());
}

Text HeadlessToolkit::GetListItemText(int gadget, int position) {
  const GadgetState* list = FindItem(gadget, position);
  return list == nullptr ? Text() : list->items[position];
}

void HeadlessToolkit::SetListItemText(int gadget, int position, const Text& text) {
  if (GadgetState* list = FindItem(gadget, position)) list->items[position] = text;
}

std::vector<Text> HeadlessToolkit::GetListItems(int gadget) {
  const GadgetState* list = FindGadget(gadget, GadgetKind::kListView);
  return list == nullptr ? std::vector<Text>() : list->items;
}

int HeadlessToolkit::GetListSelected(int gadget) {
  const GadgetState* list = FindGadget(gadget, GadgetKind::kListView);
  return list == nullptr ? -1 : list->selected;
}

void HeadlessToolkit::SelectListItem(int gadget, int position) {
  GadgetState* list = FindGadget(gadget, GadgetKind::kListView);
  if (list == nullptr) return;
  list->selected = FindItem(gadget, position) != nullptr ? position : -1;
}

// --- Images.

int HeadlessToolkit::CreateImage(int number, int width, int height, std::span<const uint8_t> rgba) {
  if (width <= 0 || height <= 0 || number < kAnyNumber ||
      rgba.size() != static_cast<size_t>(width) * static_cast<size_t>(height) * 4) {
    return kNoObject;
  }
  number = ChooseNumber(number, images_, next_image_);
  images_[number] = {width, height, std::vector<uint8_t>(rgba.begin(), rgba.end())};
  return number;
}

bool HeadlessToolkit::IsImage(int image) { return images_.count(image) != 0; }

// --- Menus.

bool HeadlessToolkit::CreateImageMenu(int menu, int window) {
  if (fail_menu_ || !IsWindow(window)) {
    fail_menu_ = false;
    return false;
  }
  EraseOfWindow(menus_, window);  // a window has one menu bar
  menus_[menu] = MenuState{window, {}};
  current_menu_ = menu;
  return true;
}

void HeadlessToolkit::MenuTitle(const Text& title) {
  auto it = menus_.find(current_menu_);
  if (it != menus_.end())
    it->second.entries.push_back({MenuEntryKind::kTitle, -1, title, kNoImage});
}

void HeadlessToolkit::MenuItem(int item, const Text& text, int image) {
  auto it = menus_.find(current_menu_);
  if (it == menus_.end()) return;
  if (item == kMenuAbout || item == kMenuPreferences) {
    app_menu_.push_back({MenuEntryKind::kItem, item, text, image});
    app_menu_window_ = it->second.window;
    return;
  }
  it->second.entries.push_back({MenuEntryKind::kItem, item, text, image});
}

void HeadlessToolkit::MenuBar() {
  auto it = menus_.find(current_menu_);
  if (it != menus_.end())
    it->second.entries.push_back({MenuEntryKind::kSeparator, -1, Text(), kNoImage});
}

void HeadlessToolkit::OpenSubMenu(const Text& text, int image) {
  auto it = menus_.find(current_menu_);
  if (it != menus_.end()) {
    it->second.entries.push_back({MenuEntryKind::kSubMenu, -1, text, image});
  }
}

void HeadlessToolkit::CloseSubMenu() {
  auto it = menus_.find(current_menu_);
  if (it != menus_.end())
    it->second.entries.push_back({MenuEntryKind::kEndSubMenu, -1, Text(), kNoImage});
}

void HeadlessToolkit::AddKeyboardShortcut(int window, int shortcut, int item) {
  if (WindowState* state = FindWindow(window)) state->shortcuts[shortcut] = item;
}

// --- Toolbar and status bar.

bool HeadlessToolkit::CreateToolBar(int toolbar, int window) {
  if (!IsWindow(window)) return false;
  toolbars_[toolbar] = ToolBarState{window, {}};
  current_toolbar_ = toolbar;
  return true;
}

void HeadlessToolkit::ToolBarImageButton(int button, int image) {
  auto it = toolbars_.find(current_toolbar_);
  if (it != toolbars_.end()) it->second.entries.push_back({false, button, image, Text()});
}

void HeadlessToolkit::ToolBarSeparator() {
  auto it = toolbars_.find(current_toolbar_);
  if (it != toolbars_.end()) it->second.entries.push_back({true, -1, kNoImage, Text()});
}

void HeadlessToolkit::ToolBarToolTip(int toolbar, int button, const Text& text) {
  auto it = toolbars_.find(toolbar);
  if (it == toolbars_.end()) return;
  for (ToolBarEntry& entry : it->second.entries) {
    if (!entry.separator && entry.button == button) entry.tool_tip = text;
  }
}

bool HeadlessToolkit::CreateStatusBar(int statusbar, int window) {
  if (!IsWindow(window)) return false;
  statusbars_[statusbar] = StatusBarState{window, {}, {}};
  current_statusbar_ = statusbar;
  return true;
}

void HeadlessToolkit::AddStatusBarField(int width) {
  auto it = statusbars_.find(current_statusbar_);
  if (it == statusbars_.end()) return;
  it->second.widths.push_back(width);
  it->second.texts.emplace_back();
}

void HeadlessToolkit::StatusBarText(int statusbar, int field, const Text& text) {
  auto it = statusbars_.find(statusbar);
  if (it == statusbars_.end() || field < 0 || field >= static_cast<int>(it->second.texts.size())) {
    return;
  }
  it->second.texts[field] = text;
}

Text HeadlessToolkit::GetStatusBarText(int statusbar, int field) {
  auto it = statusbars_.find(statusbar);
  if (it == statusbars_.end() || field < 0 || field >= static_cast<int>(it->second.texts.size())) {
    return Text();
  }
  return it->second.texts[field];
}

int HeadlessToolkit::MenuBarHeight(int window) {
  return MenuOfWindow(window) == -1 ? 0 : menu_height_;
}

int HeadlessToolkit::ToolBarHeight(int toolbar) {
  return toolbars_.count(toolbar) == 0 ? 0 : toolbar_height_;
}

int HeadlessToolkit::StatusBarHeight(int statusbar) {
  return statusbars_.count(statusbar) == 0 ? 0 : statusbar_height_;
}

// --- Requesters.

namespace {

// What closing the box without pressing a button gives.
MessageResult DismissedAnswer(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::kYesNo:
      return MessageResult::kNo;
    case MessageButtons::kYesNoCancel:
      return MessageResult::kCancel;
    case MessageButtons::kOk:
      break;
  }
  return MessageResult::kOk;
}

template <typename T>
T TakeAnswer(std::deque<T>& answers) {
  if (answers.empty()) return T();
  T answer = std::move(answers.front());
  answers.pop_front();
  return answer;
}

}  // namespace

MessageResult HeadlessToolkit::MessageRequester(const Text& title, const Text& text,
                                                MessageButtons buttons) {
  MessageResult result =
      message_answers_.empty() ? DismissedAnswer(buttons) : TakeAnswer(message_answers_);
  messages_.push_back({title, text, buttons, result});
  return result;
}

Text HeadlessToolkit::InputRequester(const Text& title, const Text& message,
                                     const Text& default_text) {
  requesters_.push_back({RequesterKind::kInput, title, message, default_text, Text(), false});
  return TakeAnswer(input_answers_);
}

std::vector<Text> HeadlessToolkit::OpenFileRequester(const Text& title, const Text& default_path,
                                                     const Text& pattern, bool multiple) {
  requesters_.push_back({RequesterKind::kOpenFile, title, Text(), default_path, pattern, multiple});
  std::vector<Text> paths = TakeAnswer(open_answers_);
  if (!multiple && paths.size() > 1) paths.resize(1);
  return paths;
}

Text HeadlessToolkit::SaveFileRequester(const Text& title, const Text& default_path,
                                        const Text& pattern) {
  requesters_.push_back({RequesterKind::kSaveFile, title, Text(), default_path, pattern, false});
  return TakeAnswer(save_answers_);
}

void HeadlessToolkit::QueueMessageAnswer(MessageResult answer) {
  message_answers_.push_back(answer);
}
void HeadlessToolkit::QueueInputAnswer(const Text& answer) { input_answers_.push_back(answer); }
void HeadlessToolkit::QueueOpenAnswer(std::vector<Text> paths) {
  open_answers_.push_back(std::move(paths));
}
void HeadlessToolkit::QueueSaveAnswer(const Text& path) { save_answers_.push_back(path); }

int HeadlessToolkit::PendingAnswers() const {
  return static_cast<int>(message_answers_.size() + input_answers_.size() + open_answers_.size() +
                          save_answers_.size());
}

// --- Events.

Event HeadlessToolkit::WaitEvent() {
  Event event;
  if (PollEvent(event)) return event;
  if (idle_handler_) {
    idle_handler_();
    if (PollEvent(event)) return event;
  }
  std::unique_lock lock(queue_mutex_);
  auto ready = [this] { return !queue_.empty(); };
  if (wait_timeout_ == kWaitForever) {
    queue_cv_.wait(lock, ready);
  } else if (!queue_cv_.wait_for(lock, wait_timeout_, ready)) {
    return Event();
  }
  event = queue_.front();
  queue_.pop_front();
  return event;
}

bool HeadlessToolkit::PollEvent(Event& event) {
  std::lock_guard lock(queue_mutex_);
  if (queue_.empty()) return false;
  event = queue_.front();
  queue_.pop_front();
  return true;
}

void HeadlessToolkit::PostEvent(const Event& event) {
  {
    std::lock_guard lock(queue_mutex_);
    queue_.push_back(event);
  }
  queue_cv_.notify_one();
}

int HeadlessToolkit::QueuedEvents() {
  std::lock_guard lock(queue_mutex_);
  return static_cast<int>(queue_.size());
}

void HeadlessToolkit::SetIdleHandler(std::function<void()> handler) {
  idle_handler_ = std::move(handler);
}

void HeadlessToolkit::SetWaitTimeout(std::chrono::milliseconds timeout) { wait_timeout_ = timeout; }

void HeadlessToolkit::SetBarHeights(int menu, int toolbar, int statusbar) {
  menu_height_ = menu;
  toolbar_height_ = toolbar;
  statusbar_height_ = statusbar;
}

// --- User input.

bool HeadlessToolkit::AcceptsInput(int window) const {
  const WindowState* state = FindWindow(window);
  return state != nullptr && state->enabled;
}

bool HeadlessToolkit::AcceptsGadgetInput(int gadget) const {
  const GadgetState* state = FindGadget(gadget);
  return state != nullptr && state->enabled && AcceptsInput(state->window);
}

void HeadlessToolkit::PostToWindow(EventKind kind, int window, int object, int type) {
  PostEvent({kind, window, object, type, 0});
}

bool HeadlessToolkit::ChooseMenuItem(int window, int item) {
  const int menu = MenuOfWindow(window);
  if (menu == -1 || !AcceptsInput(window)) return false;
  const std::vector<MenuEntry>& entries = menus_.at(menu).entries;
  const bool present = std::any_of(entries.begin(), entries.end(), [item](const MenuEntry& e) {
    return e.kind == MenuEntryKind::kItem && e.item == item;
  });
  if (present) PostToWindow(EventKind::kMenu, window, item, 0);
  return present;
}

bool HeadlessToolkit::ChooseApplicationMenuItem(int item) {
  const bool present =
      item == kMenuQuit || std::any_of(app_menu_.begin(), app_menu_.end(),
                                       [item](const MenuEntry& e) { return e.item == item; });
  if (present) PostToWindow(EventKind::kMenu, app_menu_window_, item, 0);
  return present;
}

bool HeadlessToolkit::ClickToolBarButton(int window, int button) {
  if (!AcceptsInput(window)) return false;
  for (const auto& [number, toolbar] : toolbars_) {
    if (toolbar.window != window) continue;
    for (const ToolBarEntry& entry : toolbar.entries) {
      if (!entry.separator && entry.button == button) {
        PostToWindow(EventKind::kMenu, window, button, 0);
        return true;
      }
    }
  }
  return false;
}

bool HeadlessToolkit::PressShortcut(int window, int shortcut) {
  if (!AcceptsInput(window)) return false;
  const std::map<int, int>& shortcuts = windows_.at(window).shortcuts;
  auto it = shortcuts.find(shortcut);
  if (it == shortcuts.end()) return false;
  PostToWindow(EventKind::kMenu, window, it->second, 0);
  return true;
}

bool HeadlessToolkit::ClickGadget(int gadget) {
  if (!AcceptsGadgetInput(gadget)) return false;
  GadgetState& state = gadgets_.at(gadget);
  if (state.kind == GadgetKind::kCheckBox) state.state = !state.state;
  PostToWindow(EventKind::kGadget, state.window, gadget, kEventTypeLeftClick);
  return true;
}

bool HeadlessToolkit::ClickListItem(int gadget, int position) {
  if (!AcceptsGadgetInput(gadget) || FindItem(gadget, position) == nullptr) return false;
  SelectListItem(gadget, position);
  PostToWindow(EventKind::kGadget, gadgets_.at(gadget).window, gadget, kEventTypeLeftClick);
  return true;
}

bool HeadlessToolkit::DoubleClickListItem(int gadget, int position) {
  if (!AcceptsGadgetInput(gadget) || FindItem(gadget, position) == nullptr) return false;
  SelectListItem(gadget, position);
  PostToWindow(EventKind::kGadget, gadgets_.at(gadget).window, gadget, kEventTypeLeftDoubleClick);
  return true;
}

bool HeadlessToolkit::ClickCloseBox(int window) {
  if (!AcceptsInput(window) || (windows_.at(window).flags & kWindowCloseBox) == 0) return false;
  PostToWindow(EventKind::kCloseWindow, window, -1, 0);
  return true;
}

bool HeadlessToolkit::ResizeWindowByUser(int window, int inner_width, int inner_height) {
  if (!AcceptsInput(window)) return false;
  Rect& geometry = windows_.at(window).geometry;
  geometry.width = std::max(inner_width, 0);
  geometry.height = std::max(inner_height, 0);
  PostToWindow(EventKind::kSizeWindow, window, -1, 0);
  return true;
}

// --- Reading back.

std::vector<int> HeadlessToolkit::OpenWindows() const {
  std::vector<int> numbers;
  for (const auto& [number, window] : windows_) numbers.push_back(number);
  return numbers;
}

Rect HeadlessToolkit::WindowGeometry(int window) const {
  const WindowState* state = FindWindow(window);
  return state == nullptr ? Rect() : state->geometry;
}

int HeadlessToolkit::WindowFlags(int window) const {
  const WindowState* state = FindWindow(window);
  return state == nullptr ? 0 : state->flags;
}

int HeadlessToolkit::WindowParent(int window) const {
  const WindowState* state = FindWindow(window);
  return state == nullptr ? kNoParent : state->parent;
}

bool HeadlessToolkit::IsGadget(int gadget) const { return FindGadget(gadget) != nullptr; }

GadgetKind HeadlessToolkit::KindOfGadget(int gadget) const {
  const GadgetState* state = FindGadget(gadget);
  return state == nullptr ? GadgetKind::kButton : state->kind;
}

int HeadlessToolkit::GadgetWindow(int gadget) const {
  const GadgetState* state = FindGadget(gadget);
  return state == nullptr ? -1 : state->window;
}

std::pair<int, int> HeadlessToolkit::SplitterChildren(int gadget) const {
  const GadgetState* state = FindGadget(gadget);
  if (state == nullptr || state->kind != GadgetKind::kSplitter) return {-1, -1};
  return {state->first, state->second};
}

int HeadlessToolkit::MenuOfWindow(int window) const {
  for (const auto& [number, menu] : menus_) {
    if (menu.window == window) return number;
  }
  return -1;
}

std::vector<MenuEntry> HeadlessToolkit::MenuEntries(int menu) const {
  auto it = menus_.find(menu);
  return it == menus_.end() ? std::vector<MenuEntry>() : it->second.entries;
}

std::vector<ToolBarEntry> HeadlessToolkit::ToolBarEntries(int toolbar) const {
  auto it = toolbars_.find(toolbar);
  return it == toolbars_.end() ? std::vector<ToolBarEntry>() : it->second.entries;
}

std::map<int, int> HeadlessToolkit::Shortcuts(int window) const {
  const WindowState* state = FindWindow(window);
  return state == nullptr ? std::map<int, int>() : state->shortcuts;
}

std::vector<int> HeadlessToolkit::StatusBarFields(int statusbar) const {
  auto it = statusbars_.find(statusbar);
  return it == statusbars_.end() ? std::vector<int>() : it->second.widths;
}

}  // namespace corvane
