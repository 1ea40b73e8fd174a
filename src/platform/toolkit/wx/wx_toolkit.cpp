#include "platform/toolkit/wx/wx_toolkit.h"

#include <wx/accel.h>
#include <wx/app.h>
#include <wx/bitmap.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/evtloop.h>
#include <wx/filedlg.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/listbox.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/panel.h>
#include <wx/splitter.h>
#include <wx/stattext.h>
#include <wx/statusbr.h>
#include <wx/textdlg.h>
#include <wx/toolbar.h>

#include <algorithm>
#include <chrono>
#include <deque>
#include <map>
#include <mutex>
#include <thread>
#include <unordered_map>

namespace corvane {

namespace {

wxString ToWx(const Text& text) { return wxString::FromUTF8(ToUtf8(text)); }
Text FromWx(const wxString& text) { return FromUtf8(std::string(text.utf8_str())); }

// The application object wx needs; it runs no loop of its own and parses no command line.
class ToolkitApp : public wxApp {
 public:
  bool OnInit() override { return true; }
};

enum class Kind { kButton, kCheckBox, kText, kListView, kSplitter };

}  // namespace

struct WindowRecord {
  wxFrame* frame = nullptr;
  wxPanel* panel = nullptr;  // parent of the gadgets, fills the inner area
  int flags = 0;
  int parent = kNoParent;
  std::map<int, int> command_of_item;  // menu item -> wx command id
  std::unordered_map<int, int> item_of_command;
  std::map<int, int> shortcuts;  // kShortcutControl | letter -> menu item
};

struct GadgetRecord {
  Kind kind = Kind::kButton;
  int window = -1;
  wxWindow* control = nullptr;
  int splitter = -1;  // the splitter holding this gadget, -1 when it lies in the window itself
  Text text;
};

struct MenuRecord {
  int window = -1;
  wxMenuBar* bar = nullptr;
  std::vector<wxMenu*> open;  // the current title's menu, then the open submenus
};

struct ToolBarRecord {
  int window = -1;
  wxToolBar* bar = nullptr;
  std::map<int, int> command_of_button;
};

struct StatusBarRecord {
  int window = -1;
  wxStatusBar* bar = nullptr;
  std::vector<int> widths;
};

struct WxState {
  std::map<int, WindowRecord> windows;
  std::map<int, GadgetRecord> gadgets;
  std::map<int, MenuRecord> menus;
  std::map<int, ToolBarRecord> toolbars;
  std::map<int, StatusBarRecord> statusbars;
  std::map<int, wxBitmap> images;
  std::unordered_map<wxWindow*, int> window_of_frame;
  std::unordered_map<wxWindow*, int> gadget_of_control;
  int current_menu = -1;
  int current_toolbar = -1;
  int current_statusbar = -1;
  int app_menu_window = -1;
  int next_window = kFirstChosenNumber;
  int next_gadget = kFirstChosenNumber;
  int next_image = kFirstChosenNumber;
  int next_command = wxID_HIGHEST + 1;

  std::unique_ptr<wxEventLoopBase> loop;
  bool in_run = false;  // inside WaitEvent's run of the loop (not a modal dialog's)
  bool exit_scheduled = false;

  std::mutex queue_mutex;
  std::deque<Event> queue;
};

namespace {

// A fixed number is used as given; kAnyNumber takes the next free number of the chosen range.
template <typename Map>
int ChooseNumber(int number, const Map& in_use, int& next_chosen) {
  if (number != kAnyNumber) return number;
  while (in_use.count(next_chosen) != 0) ++next_chosen;
  return next_chosen++;
}

long FrameStyle(int flags, bool has_parent) {
  long style = 0;
  if (flags & kWindowTitleBar) style |= wxCAPTION | wxSYSTEM_MENU;
  if (flags & kWindowCloseBox) style |= wxCLOSE_BOX | wxSYSTEM_MENU;
  if (flags & kWindowMinimize) style |= wxMINIMIZE_BOX;
  if (flags & kWindowMaximize) style |= wxMAXIMIZE_BOX;
  if (flags & kWindowResizable) style |= wxRESIZE_BORDER;
  if (has_parent) style |= wxFRAME_FLOAT_ON_PARENT;
  return style;
}

// The application-menu entries have wx's own ids, which the macOS port moves into its app menu.
int AppMenuCommand(int item) {
  switch (item) {
    case kMenuAbout:
      return wxID_ABOUT;
    case kMenuPreferences:
      return wxID_PREFERENCES;
    case kMenuQuit:
      return wxID_EXIT;
    default:
      return wxID_NONE;
  }
}

int AppMenuItem(int command) {
  switch (command) {
    case wxID_ABOUT:
      return kMenuAbout;
    case wxID_PREFERENCES:
      return kMenuPreferences;
    case wxID_EXIT:
      return kMenuQuit;
    default:
      return 0;
  }
}

// On macOS "Ctrl" in a menu text means the Command key; the hint names the real Control key.
wxString MenuLabel(const Text& text) {
  wxString label = ToWx(text);
#ifdef __WXOSX__
  label.Replace("\tCtrl-", "\tRawCtrl-");
  label.Replace("\tCtrl+", "\tRawCtrl+");
#endif
  return label;
}

}  // namespace

// --- Start and end.

std::unique_ptr<Toolkit> CreateWxToolkit(int& argc, char** argv) {
  wxApp::SetInstance(new ToolkitApp);
  if (!wxEntryStart(argc, argv)) return nullptr;  // wx has cleaned up after itself
  if (!wxTheApp->CallOnInit()) {
    wxEntryCleanup();
    return nullptr;
  }
  wxInitAllImageHandlers();
  return std::make_unique<WxToolkit>();
}

WxToolkit::WxToolkit() : s_(std::make_unique<WxState>()) {
  s_->loop = std::make_unique<wxGUIEventLoop>();
  wxTheApp->SetExitOnFrameDelete(false);
  // PostEvent's wake-up, delivered on the GUI thread.
  wxTheApp->Bind(wxEVT_THREAD, [this](wxThreadEvent&) {
    if (s_->in_run && s_->loop->IsRunning() && !s_->exit_scheduled) {
      s_->exit_scheduled = true;
      s_->loop->ScheduleExit();
    }
  });
  // On macOS the application menu sends its entries to the application when no frame takes them.
  wxTheApp->Bind(wxEVT_MENU, [this](wxCommandEvent& event) {
    const int item = AppMenuItem(event.GetId());
    if (item == 0) return event.Skip();
    PostEvent({EventKind::kMenu, s_->app_menu_window, item, 0, 0});
  });
}

WxToolkit::~WxToolkit() {
  std::vector<int> open;
  for (const auto& [number, window] : s_->windows) open.push_back(number);
  for (int number : open) CloseWindow(number);
  s_->loop.reset();
  wxEntryCleanup();
}

// --- Events.

namespace {

// Lets wx handle what is pending now (layout, drawing, input: input only reaches our queue).
// Nothing happens inside WaitEvent's run of the loop: a nested run there stops GTK's drawing.
void DispatchPending(WxState& s) {
  if (s.in_run) return;
  wxEventLoopActivator activate(s.loop.get());
  while (s.loop->Pending()) s.loop->Dispatch();
  s.loop->ProcessIdle();
}

}  // namespace

bool WxToolkit::PollEvent(Event& event) {
  std::lock_guard lock(s_->queue_mutex);
  if (s_->queue.empty()) return false;
  event = s_->queue.front();
  s_->queue.pop_front();
  return true;
}

// Only our queue and wx's thread-safe event posting are touched, so any thread may call this.
void WxToolkit::PostEvent(const Event& event) {
  {
    std::lock_guard lock(s_->queue_mutex);
    s_->queue.push_back(event);
  }
  if (wxTheApp != nullptr) wxTheApp->QueueEvent(new wxThreadEvent(wxEVT_THREAD));
}

// wx's loop runs until a handler or a post has queued an event: the wake-up handler ends it. A post
// between the check and the start of the loop is not lost: its wake-up is processed inside.
Event WxToolkit::WaitEvent() {
  Event event;
  while (!PollEvent(event)) {
    s_->exit_scheduled = false;
    s_->in_run = true;
    s_->loop->Run();
    s_->in_run = false;
  }
  return event;
}

bool WxToolkit::IsWaiting() const { return s_->in_run; }

void WxToolkit::ProcessPendingWork() {
  for (int round = 0; round < 20 && !s_->in_run; ++round) {
    DispatchPending(*s_);
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

// --- Windows.

namespace {

WindowRecord* FindWindowRecord(WxState& s, int window) {
  auto it = s.windows.find(window);
  return it == s.windows.end() ? nullptr : &it->second;
}

GadgetRecord* FindGadgetRecord(WxState& s, int gadget) {
  auto it = s.gadgets.find(gadget);
  return it == s.gadgets.end() ? nullptr : &it->second;
}

GadgetRecord* FindGadgetRecord(WxState& s, int gadget, Kind kind) {
  GadgetRecord* record = FindGadgetRecord(s, gadget);
  return record != nullptr && record->kind == kind ? record : nullptr;
}

wxListBox* FindList(WxState& s, int gadget) {
  GadgetRecord* record = FindGadgetRecord(s, gadget, Kind::kListView);
  return record == nullptr ? nullptr : static_cast<wxListBox*>(record->control);
}

// The list when `position` names one of its items.
wxListBox* FindListItem(WxState& s, int gadget, int position) {
  wxListBox* list = FindList(s, gadget);
  if (list == nullptr || position < 0 || position >= static_cast<int>(list->GetCount())) {
    return nullptr;
  }
  return list;
}

bool AcceptsInput(WxState& s, int window) {
  WindowRecord* record = FindWindowRecord(s, window);
  return record != nullptr && record->frame->IsEnabled();
}

// Adding a bar to a frame takes its room from the inner area; the window grows back to the inner
// size it had.
template <typename AddBar>
void KeepInnerSize(WxState& s, wxFrame* frame, AddBar add_bar) {
  const wxSize inner = frame->GetClientSize();
  add_bar();
  DispatchPending(s);  // the bar's height is known once wx has laid it out
  frame->SetClientSize(inner);
}

// Drops the records of the window's objects; the controls go with the frame.
template <typename Map>
void EraseOfWindow(Map& objects, int window) {
  std::erase_if(objects, [window](const auto& entry) { return entry.second.window == window; });
}

}  // namespace

int WxToolkit::OpenWindow(int number, int x, int y, int inner_width, int inner_height,
                          const Text& title, int flags, int parent) {
  if (number < kAnyNumber) return kNoObject;
  number = ChooseNumber(number, s_->windows, s_->next_window);
  if (IsWindow(number)) CloseWindow(number);
  WindowRecord* parent_record = FindWindowRecord(*s_, parent);
  wxFrame* frame =
      new wxFrame(parent_record == nullptr ? nullptr : parent_record->frame, wxID_ANY, ToWx(title),
                  wxPoint(x, y), wxDefaultSize, FrameStyle(flags, parent_record != nullptr));
  WindowRecord& record = s_->windows[number] = WindowRecord();
  record.frame = frame;
  record.panel = new wxPanel(frame);
  record.flags = flags;
  record.parent = parent_record == nullptr ? kNoParent : parent;
  s_->window_of_frame[frame] = number;
  frame->SetClientSize(std::max(inner_width, 0), std::max(inner_height, 0));
  if (flags & kWindowScreenCentered) frame->CentreOnScreen();

  frame->Bind(wxEVT_CLOSE_WINDOW, [this, frame](wxCloseEvent& event) {
    // The app decides what a close box does; the window stays until CloseWindow.
    if (event.CanVeto()) event.Veto();
    auto it = s_->window_of_frame.find(frame);
    if (it == s_->window_of_frame.end() || !AcceptsInput(*s_, it->second)) return;
    if (s_->windows.at(it->second).flags & kWindowCloseBox) {
      PostEvent({EventKind::kCloseWindow, it->second, -1, 0, 0});
    }
  });
  frame->Bind(wxEVT_SIZE, [this, frame](wxSizeEvent& event) {
    event.Skip();  // the frame still lays out its inner panel
    auto it = s_->window_of_frame.find(frame);
    if (it != s_->window_of_frame.end()) PostEvent({EventKind::kSizeWindow, it->second, -1, 0, 0});
  });
  frame->Bind(wxEVT_MENU, [this, frame](wxCommandEvent& event) {
    auto it = s_->window_of_frame.find(frame);
    if (it == s_->window_of_frame.end()) return;
    const int window = it->second;
    if (const int app_item = AppMenuItem(event.GetId()); app_item != 0) {
      // The application menu works while windows are disabled, as on macOS.
      PostEvent({EventKind::kMenu, window, app_item, 0, 0});
      return;
    }
    const WindowRecord& record = s_->windows.at(window);
    auto command = record.item_of_command.find(event.GetId());
    if (command == record.item_of_command.end() || !AcceptsInput(*s_, window)) return;
    PostEvent({EventKind::kMenu, window, command->second, 0, 0});
  });
  frame->Show();
  return number;
}

void WxToolkit::CloseWindow(int window) {
  WindowRecord* record = FindWindowRecord(*s_, window);
  if (record == nullptr) return;
  // wx destroys child frames with their parent; their records go first.
  std::vector<int> children;
  for (const auto& [number, other] : s_->windows) {
    if (other.parent == window) children.push_back(number);
  }
  for (int child : children) CloseWindow(child);

  wxFrame* frame = s_->windows.at(window).frame;
  for (const auto& [number, gadget] : s_->gadgets) {
    if (gadget.window == window) s_->gadget_of_control.erase(gadget.control);
  }
  EraseOfWindow(s_->gadgets, window);
  EraseOfWindow(s_->menus, window);
  EraseOfWindow(s_->toolbars, window);
  EraseOfWindow(s_->statusbars, window);
  if (s_->menus.count(s_->current_menu) == 0) s_->current_menu = -1;
  if (s_->toolbars.count(s_->current_toolbar) == 0) s_->current_toolbar = -1;
  if (s_->statusbars.count(s_->current_statusbar) == 0) s_->current_statusbar = -1;
  if (s_->app_menu_window == window) s_->app_menu_window = -1;
  s_->window_of_frame.erase(frame);
  s_->windows.erase(window);
  frame->Hide();  // wx deletes the frame later; it disappears now
  frame->Destroy();
}

bool WxToolkit::IsWindow(int window) { return FindWindowRecord(*s_, window) != nullptr; }

void WxToolkit::DisableWindow(int window, bool disabled) {
  if (WindowRecord* record = FindWindowRecord(*s_, window)) record->frame->Enable(!disabled);
}

bool WxToolkit::IsWindowEnabled(int window) { return AcceptsInput(*s_, window); }

int WxToolkit::WindowInnerWidth(int window) {
  WindowRecord* record = FindWindowRecord(*s_, window);
  return record == nullptr ? 0 : record->frame->GetClientSize().GetWidth();
}

int WxToolkit::WindowInnerHeight(int window) {
  WindowRecord* record = FindWindowRecord(*s_, window);
  return record == nullptr ? 0 : record->frame->GetClientSize().GetHeight();
}

void WxToolkit::SetWindowTitle(int window, const Text& title) {
  if (WindowRecord* record = FindWindowRecord(*s_, window)) record->frame->SetTitle(ToWx(title));
}

Text WxToolkit::GetWindowTitle(int window) {
  WindowRecord* record = FindWindowRecord(*s_, window);
  return record == nullptr ? Text() : FromWx(record->frame->GetTitle());
}

// --- Gadgets.

namespace {

// A control of zero width or height never shows (the hidden command button).
void ShowIfSized(wxWindow* control, int width, int height) {
  control->Show(width > 0 && height > 0);
}

wxWindow* MakeControl(Kind kind, wxWindow* parent, wxPoint pos, wxSize size, const Text& text) {
  switch (kind) {
    case Kind::kButton:
      return new wxButton(parent, wxID_ANY, ToWx(text), pos, size);
    case Kind::kCheckBox:
      return new wxCheckBox(parent, wxID_ANY, ToWx(text), pos, size);
    case Kind::kText: {
      auto* label = new wxStaticText(parent, wxID_ANY, wxString(), pos, size);
      label->SetLabelText(ToWx(text));  // shown as written, no mnemonics
      return label;
    }
    case Kind::kListView:
      return new wxListBox(parent, wxID_ANY, pos, size, 0, nullptr, wxLB_SINGLE | wxLB_NEEDED_SB);
    case Kind::kSplitter:
      break;
  }
  return nullptr;
}

}  // namespace

int WxToolkit::CreateGadget(int number, int window, int kind, int x, int y, int width, int height,
                            const Text& text) {
  WindowRecord* owner = FindWindowRecord(*s_, window);
  if (owner == nullptr || number < kAnyNumber) return kNoObject;
  number = ChooseNumber(number, s_->gadgets, s_->next_gadget);
  RemoveGadget(number);
  const Kind gadget_kind = static_cast<Kind>(kind);
  const wxSize size(std::max(width, 0), std::max(height, 0));
  wxWindow* control = MakeControl(gadget_kind, owner->panel, wxPoint(x, y), size, text);
  if (control == nullptr) {
    control = new wxSplitterWindow(owner->panel, wxID_ANY, wxPoint(x, y), size, 0);
  }
  control->SetSize(x, y, size.GetWidth(), size.GetHeight());
  control->SetMinSize(wxDefaultSize);  // the creation size is no lower limit (splitter parts)
  ShowIfSized(control, size.GetWidth(), size.GetHeight());
  s_->gadgets[number] = GadgetRecord{gadget_kind, window, control, -1, text};
  s_->gadget_of_control[control] = number;
  BindGadgetEvents(control, kind);
  return number;
}

// A gadget number in use again: the old control goes.
void WxToolkit::RemoveGadget(int gadget) {
  GadgetRecord* record = FindGadgetRecord(*s_, gadget);
  if (record == nullptr) return;
  s_->gadget_of_control.erase(record->control);
  wxWindow* control = record->control;
  s_->gadgets.erase(gadget);
  if (auto* splitter = dynamic_cast<wxSplitterWindow*>(control->GetParent())) {
    if (splitter->IsSplit()) splitter->Unsplit(control);
  }
  control->Destroy();
}

void WxToolkit::PostGadgetEvent(wxWindow* control, int type) {
  auto it = s_->gadget_of_control.find(control);
  if (it == s_->gadget_of_control.end()) return;
  const GadgetRecord& record = s_->gadgets.at(it->second);
  if (!record.control->IsThisEnabled() || !AcceptsInput(*s_, record.window)) return;
  PostEvent({EventKind::kGadget, record.window, it->second, type, 0});
}

void WxToolkit::BindGadgetEvents(wxWindow* control, int kind) {
  auto left_click = [this, control](wxCommandEvent&) {
    PostGadgetEvent(control, kEventTypeLeftClick);
  };
  switch (static_cast<Kind>(kind)) {
    case Kind::kButton:
      control->Bind(wxEVT_BUTTON, left_click);
      break;
    case Kind::kCheckBox:
      control->Bind(wxEVT_CHECKBOX, left_click);
      break;
    case Kind::kListView:
      control->Bind(wxEVT_LISTBOX, left_click);
      control->Bind(wxEVT_LISTBOX_DCLICK, [this, control](wxCommandEvent&) {
        PostGadgetEvent(control, kEventTypeLeftDoubleClick);
      });
      break;
    case Kind::kText:
    case Kind::kSplitter:
      break;
  }
}

int WxToolkit::ButtonGadget(int number, int window, int x, int y, int width, int height,
                            const Text& text) {
  return CreateGadget(number, window, static_cast<int>(Kind::kButton), x, y, width, height, text);
}

int WxToolkit::CheckBoxGadget(int number, int window, int x, int y, int width, int height,
                              const Text& text) {
  return CreateGadget(number, window, static_cast<int>(Kind::kCheckBox), x, y, width, height, text);
}

int WxToolkit::TextGadget(int number, int window, int x, int y, int width, int height,
                          const Text& text) {
  return CreateGadget(number, window, static_cast<int>(Kind::kText), x, y, width, height, text);
}

int WxToolkit::ListViewGadget(int number, int window, int x, int y, int width, int height) {
  return CreateGadget(number, window, static_cast<int>(Kind::kListView), x, y, width, height,
                      Text());
}

// The two gadgets move into the splitter, the first on top; the divider starts at half the height.
int WxToolkit::SplitterGadget(int number, int window, int x, int y, int width, int height,
                              int first, int second, int flags) {
  const int style = wxSP_LIVE_UPDATE | ((flags & kSplitterSeparator) ? wxSP_3DSASH : wxSP_NOBORDER);
  number =
      CreateGadget(number, window, static_cast<int>(Kind::kSplitter), x, y, width, height, Text());
  if (number == kNoObject) return kNoObject;
  auto* splitter = static_cast<wxSplitterWindow*>(s_->gadgets.at(number).control);
  splitter->SetWindowStyleFlag(style);
  splitter->SetSashGravity(0.0);    // a taller splitter gives the room to the second part
  splitter->SetMinimumPaneSize(1);  // dragging the divider to an edge never removes a part
  GadgetRecord* top = FindGadgetRecord(*s_, first);
  GadgetRecord* bottom = FindGadgetRecord(*s_, second);
  if (top == nullptr || bottom == nullptr || top == bottom || top->window != window ||
      bottom->window != window) {
    return number;  // nothing to split; the splitter stays empty
  }
  for (GadgetRecord* part : {top, bottom}) {
    part->control->Reparent(splitter);
    part->control->Show();
    part->splitter = number;
  }
  splitter->SplitHorizontally(top->control, bottom->control, std::max(height, 0) / 2);
  return number;
}

void WxToolkit::ResizeGadget(int gadget, int x, int y, int width, int height) {
  GadgetRecord* record = FindGadgetRecord(*s_, gadget);
  if (record == nullptr || record->splitter != -1) return;  // the splitter places its parts
  width = std::max(width, 0);
  height = std::max(height, 0);
  record->control->SetSize(x, y, width, height);
  ShowIfSized(record->control, width, height);
}

Rect WxToolkit::GadgetGeometry(int gadget) {
  GadgetRecord* record = FindGadgetRecord(*s_, gadget);
  if (record == nullptr) return Rect();
  const wxRect rect = record->control->GetRect();
  Rect geometry{rect.x, rect.y, rect.width, rect.height};
  if (record->splitter != -1) {  // positions inside the splitter, made relative to the window
    const Rect outer = GadgetGeometry(record->splitter);
    geometry.x += outer.x;
    geometry.y += outer.y;
  }
  return geometry;
}

void WxToolkit::DisableGadget(int gadget, bool disabled) {
  if (GadgetRecord* record = FindGadgetRecord(*s_, gadget)) record->control->Enable(!disabled);
}

bool WxToolkit::IsGadgetEnabled(int gadget) {
  GadgetRecord* record = FindGadgetRecord(*s_, gadget);
  return record != nullptr && record->control->IsThisEnabled();
}

void WxToolkit::SetGadgetText(int gadget, const Text& text) {
  GadgetRecord* record = FindGadgetRecord(*s_, gadget);
  if (record == nullptr) return;
  record->text = text;
  if (record->kind == Kind::kText) {
    static_cast<wxStaticText*>(record->control)->SetLabelText(ToWx(text));
  } else if (record->kind == Kind::kButton || record->kind == Kind::kCheckBox) {
    record->control->SetLabel(ToWx(text));
  }
}

Text WxToolkit::GetGadgetText(int gadget) {
  GadgetRecord* record = FindGadgetRecord(*s_, gadget);
  return record == nullptr ? Text() : record->text;
}

void WxToolkit::SetCheckBoxState(int gadget, int state) {
  if (GadgetRecord* box = FindGadgetRecord(*s_, gadget, Kind::kCheckBox)) {
    static_cast<wxCheckBox*>(box->control)->SetValue(state != 0);
  }
}

int WxToolkit::GetCheckBoxState(int gadget) {
  GadgetRecord* box = FindGadgetRecord(*s_, gadget, Kind::kCheckBox);
  return box != nullptr && static_cast<wxCheckBox*>(box->control)->GetValue() ? 1 : 0;
}

void WxToolkit::SetSplitterPosition(int gadget, int position) {
  GadgetRecord* record = FindGadgetRecord(*s_, gadget, Kind::kSplitter);
  if (record == nullptr) return;
  auto* splitter = static_cast<wxSplitterWindow*>(record->control);
  splitter->SetSashPosition(std::clamp(position, 0, splitter->GetSize().GetHeight()));
}

int WxToolkit::GetSplitterPosition(int gadget) {
  GadgetRecord* record = FindGadgetRecord(*s_, gadget, Kind::kSplitter);
  return record == nullptr ? 0 : static_cast<wxSplitterWindow*>(record->control)->GetSashPosition();
}

// --- List views. The selection is moved by hand, so it follows its item on every port.

namespace {

void SelectAndShow(wxListBox* list, int position) {
  if (position < 0 || position >= static_cast<int>(list->GetCount())) {
    const int selected = list->GetSelection();
    if (selected != wxNOT_FOUND) list->Deselect(selected);
    return;
  }
  list->SetSelection(position);
  list->EnsureVisible(position);
}

}  // namespace

void WxToolkit::AppendListItem(int gadget, const Text& text) {
  if (wxListBox* list = FindList(*s_, gadget)) list->Append(ToWx(text));
}

void WxToolkit::InsertListItem(int gadget, int position, const Text& text) {
  wxListBox* list = FindList(*s_, gadget);
  if (list == nullptr) return;
  const int count = static_cast<int>(list->GetCount());
  if (position < 0 || position > count) position = count;
  const int selected = list->GetSelection();
  list->Insert(ToWx(text), position);
  if (selected != wxNOT_FOUND) list->SetSelection(selected >= position ? selected + 1 : selected);
}

void WxToolkit::RemoveListItem(int gadget, int position) {
  wxListBox* list = FindListItem(*s_, gadget, position);
  if (list == nullptr) return;
  const int selected = list->GetSelection();
  list->Delete(position);
  if (selected == wxNOT_FOUND || selected == position) {
    SelectAndShow(list, -1);
  } else {
    list->SetSelection(selected > position ? selected - 1 : selected);
  }
}

void WxToolkit::ClearList(int gadget) {
  if (wxListBox* list = FindList(*s_, gadget)) list->Clear();
}

int WxToolkit::CountListItems(int gadget) {
  wxListBox* list = FindList(*s_, gadget);
  return list == nullptr ? 0 : static_cast<int>(list->GetCount());
}

Text WxToolkit::GetListItemText(int gadget, int position) {
  wxListBox* list = FindListItem(*s_, gadget, position);
  return list == nullptr ? Text() : FromWx(list->GetString(position));
}

void WxToolkit::SetListItemText(int gadget, int position, const Text& text) {
  if (wxListBox* list = FindListItem(*s_, gadget, position)) list->SetString(position, ToWx(text));
}

std::vector<Text> WxToolkit::GetListItems(int gadget) {
  std::vector<Text> items;
  wxListBox* list = FindList(*s_, gadget);
  if (list == nullptr) return items;
  const wxArrayString strings = list->GetStrings();
  items.reserve(strings.size());
  for (const wxString& item : strings) items.push_back(FromWx(item));
  return items;
}

int WxToolkit::GetListSelected(int gadget) {
  wxListBox* list = FindList(*s_, gadget);
  return list == nullptr ? -1 : list->GetSelection();
}

void WxToolkit::SelectListItem(int gadget, int position) {
  if (wxListBox* list = FindList(*s_, gadget)) SelectAndShow(list, position);
}

// --- Images.

int WxToolkit::CreateImage(int number, int width, int height, std::span<const uint8_t> rgba) {
  if (width <= 0 || height <= 0 || number < kAnyNumber ||
      rgba.size() != static_cast<size_t>(width) * static_cast<size_t>(height) * 4) {
    return kNoObject;
  }
  number = ChooseNumber(number, s_->images, s_->next_image);
  wxImage image(width, height, false);
  image.InitAlpha();
  unsigned char* rgb = image.GetData();
  unsigned char* alpha = image.GetAlpha();
  for (size_t pixel = 0; pixel < rgba.size() / 4; ++pixel) {
    rgb[pixel * 3] = rgba[pixel * 4];
    rgb[pixel * 3 + 1] = rgba[pixel * 4 + 1];
    rgb[pixel * 3 + 2] = rgba[pixel * 4 + 2];
    alpha[pixel] = rgba[pixel * 4 + 3];
  }
  s_->images[number] = wxBitmap(image, 32);
  return number;
}

bool WxToolkit::IsImage(int image) { return s_->images.count(image) != 0; }

// --- Menus.

namespace {

// The command id of a menu item in a window, shared by its menu entry, toolbar button and shortcut.
int CommandOf(WxState& s, WindowRecord& window, int item) {
  if (const int app_command = AppMenuCommand(item); app_command != wxID_NONE) return app_command;
  auto it = window.command_of_item.find(item);
  if (it != window.command_of_item.end()) return it->second;
  const int command = s.next_command++;
  window.command_of_item[item] = command;
  window.item_of_command[command] = item;
  return command;
}

wxMenu* CurrentMenu(WxState& s) {
  auto it = s.menus.find(s.current_menu);
  if (it == s.menus.end() || it->second.open.empty()) return nullptr;
  return it->second.open.back();
}

const wxBitmap* ImageOf(WxState& s, int image) {
  auto it = s.images.find(image);
  return it == s.images.end() ? nullptr : &it->second;
}

}  // namespace

bool WxToolkit::CreateImageMenu(int menu, int window) {
  WindowRecord* record = FindWindowRecord(*s_, window);
  if (record == nullptr) return false;
  EraseOfWindow(s_->menus, window);  // a window has one menu bar
  auto* bar = new wxMenuBar;
  KeepInnerSize(*s_, record->frame,
                [&] { record->frame->SetMenuBar(bar); });  // deletes an older bar
  s_->menus[menu] = MenuRecord{window, bar, {}};
  s_->current_menu = menu;
  return true;
}

void WxToolkit::MenuTitle(const Text& title) {
  auto it = s_->menus.find(s_->current_menu);
  if (it == s_->menus.end()) return;
  auto* menu = new wxMenu;
  it->second.bar->Append(menu, ToWx(title));
  it->second.open = {menu};
}

void WxToolkit::MenuItem(int item, const Text& text, int image) {
  wxMenu* menu = CurrentMenu(*s_);
  if (menu == nullptr) return;
  const int window = s_->menus.at(s_->current_menu).window;
  if (item == kMenuAbout || item == kMenuPreferences) {
    s_->app_menu_window = window;
#ifdef __WXOSX__
    // The macOS port moves these ids into the application menu; elsewhere there is no such menu.
    menu->Append(AppMenuCommand(item), MenuLabel(text));
#endif
    return;
  }
  auto* entry = new wxMenuItem(menu, CommandOf(*s_, s_->windows.at(window), item), MenuLabel(text));
  if (const wxBitmap* bitmap = ImageOf(*s_, image)) entry->SetBitmap(*bitmap);
  menu->Append(entry);
}

void WxToolkit::MenuBar() {
  if (wxMenu* menu = CurrentMenu(*s_)) menu->AppendSeparator();
}

void WxToolkit::OpenSubMenu(const Text& text, int image) {
  wxMenu* menu = CurrentMenu(*s_);
  if (menu == nullptr) return;
  auto* submenu = new wxMenu;
  auto* entry = new wxMenuItem(menu, wxID_ANY, MenuLabel(text), wxString(), wxITEM_NORMAL, submenu);
  if (const wxBitmap* bitmap = ImageOf(*s_, image)) entry->SetBitmap(*bitmap);
  menu->Append(entry);
  s_->menus.at(s_->current_menu).open.push_back(submenu);
}

void WxToolkit::CloseSubMenu() {
  auto it = s_->menus.find(s_->current_menu);
  if (it != s_->menus.end() && it->second.open.size() > 1) it->second.open.pop_back();
}

// Raw Control, so that macOS takes the Control key and not Command.
void WxToolkit::AddKeyboardShortcut(int window, int shortcut, int item) {
  WindowRecord* record = FindWindowRecord(*s_, window);
  const int letter = shortcut & ~kShortcutControl;
  if (record == nullptr || (shortcut & kShortcutControl) == 0 || letter < 'A' || letter > 'Z') {
    return;
  }
  record->shortcuts[shortcut] = item;
  std::vector<wxAcceleratorEntry> entries;
  for (const auto& [key, target] : record->shortcuts) {
    entries.emplace_back(wxACCEL_RAW_CTRL, key & ~kShortcutControl,
                         CommandOf(*s_, *record, target));
  }
  record->frame->SetAcceleratorTable(
      wxAcceleratorTable(static_cast<int>(entries.size()), entries.data()));
}

// --- Toolbar and status bar.

bool WxToolkit::CreateToolBar(int toolbar, int window) {
  WindowRecord* record = FindWindowRecord(*s_, window);
  if (record == nullptr) return false;
  EraseOfWindow(s_->toolbars, window);  // a frame has one toolbar
  wxToolBar* bar = nullptr;
  KeepInnerSize(*s_, record->frame, [&] {
    delete record->frame->GetToolBar();
    record->frame->SetToolBar(nullptr);
    bar = record->frame->CreateToolBar(wxTB_HORIZONTAL | wxTB_FLAT);
  });
  s_->toolbars[toolbar] = ToolBarRecord{window, bar, {}};
  s_->current_toolbar = toolbar;
  return bar != nullptr;
}

void WxToolkit::ToolBarImageButton(int button, int image) {
  auto it = s_->toolbars.find(s_->current_toolbar);
  if (it == s_->toolbars.end()) return;
  ToolBarRecord& toolbar = it->second;
  const int command = CommandOf(*s_, s_->windows.at(toolbar.window), button);
  const wxBitmap* bitmap = ImageOf(*s_, image);
  wxFrame* frame = s_->windows.at(toolbar.window).frame;
  KeepInnerSize(*s_, frame, [&] {
    toolbar.bar->AddTool(command, wxString(), bitmap != nullptr ? *bitmap : wxNullBitmap);
    toolbar.bar->Realize();
  });
  toolbar.command_of_button[button] = command;
}

void WxToolkit::ToolBarSeparator() {
  auto it = s_->toolbars.find(s_->current_toolbar);
  if (it == s_->toolbars.end()) return;
  KeepInnerSize(*s_, s_->windows.at(it->second.window).frame, [&] {
    it->second.bar->AddSeparator();
    it->second.bar->Realize();
  });
}

void WxToolkit::ToolBarToolTip(int toolbar, int button, const Text& text) {
  auto it = s_->toolbars.find(toolbar);
  if (it == s_->toolbars.end()) return;
  auto command = it->second.command_of_button.find(button);
  if (command != it->second.command_of_button.end()) {
    it->second.bar->SetToolShortHelp(command->second, ToWx(text));
  }
}

bool WxToolkit::CreateStatusBar(int statusbar, int window) {
  WindowRecord* record = FindWindowRecord(*s_, window);
  if (record == nullptr) return false;
  EraseOfWindow(s_->statusbars, window);  // a frame has one status bar
  wxStatusBar* bar = nullptr;
  KeepInnerSize(*s_, record->frame, [&] {
    delete record->frame->GetStatusBar();
    record->frame->SetStatusBar(nullptr);
    bar = record->frame->CreateStatusBar(1);
  });
  s_->statusbars[statusbar] = StatusBarRecord{window, bar, {}};
  s_->current_statusbar = statusbar;
  return bar != nullptr;
}

// wx's field width -1 takes the remaining width, as kFieldFullWidth does.
void WxToolkit::AddStatusBarField(int width) {
  auto it = s_->statusbars.find(s_->current_statusbar);
  if (it == s_->statusbars.end()) return;
  StatusBarRecord& record = it->second;
  record.widths.push_back(width == kFieldFullWidth ? -1 : width);
  record.bar->SetFieldsCount(static_cast<int>(record.widths.size()), record.widths.data());
}

void WxToolkit::StatusBarText(int statusbar, int field, const Text& text) {
  auto it = s_->statusbars.find(statusbar);
  if (it == s_->statusbars.end() || field < 0 ||
      field >= static_cast<int>(it->second.widths.size())) {
    return;
  }
  it->second.bar->SetStatusText(ToWx(text), field);
}

Text WxToolkit::GetStatusBarText(int statusbar, int field) {
  auto it = s_->statusbars.find(statusbar);
  if (it == s_->statusbars.end() || field < 0 ||
      field >= static_cast<int>(it->second.widths.size())) {
    return Text();
  }
  return FromWx(it->second.bar->GetStatusText(field));
}

// wx frames keep their menu bar, toolbar and status bar outside the inner area.
int WxToolkit::MenuBarHeight(int) { return 0; }
int WxToolkit::ToolBarHeight(int) { return 0; }
int WxToolkit::StatusBarHeight(int) { return 0; }

// --- Requesters.

namespace {

long MessageStyle(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::kYesNo:
      return wxYES_NO;
    case MessageButtons::kYesNoCancel:
      return wxYES_NO | wxCANCEL;
    case MessageButtons::kOk:
      break;
  }
  return wxOK;
}

// Closing the box without a button gives what the buttons offer for dismissing it.
MessageResult MessageAnswer(int answer, MessageButtons buttons) {
  switch (answer) {
    case wxID_YES:
      return MessageResult::kYes;
    case wxID_NO:
      return MessageResult::kNo;
    case wxID_OK:
      return MessageResult::kOk;
    case wxID_CANCEL:
      if (buttons == MessageButtons::kYesNoCancel) return MessageResult::kCancel;
      break;
  }
  if (buttons == MessageButtons::kYesNo) return MessageResult::kNo;
  if (buttons == MessageButtons::kYesNoCancel) return MessageResult::kCancel;
  return MessageResult::kOk;
}

wxString Wildcard(const Text& pattern) {
  return pattern.empty() ? wxString(wxFileSelectorDefaultWildcardStr) : ToWx(pattern);
}

void SplitDefaultPath(const Text& path, wxString& directory, wxString& file) {
  const size_t slash = path.find_last_of(U"/\\");
  if (slash == Text::npos) {
    file = ToWx(path);
    return;
  }
  directory = ToWx(path.substr(0, slash + 1));
  file = ToWx(path.substr(slash + 1));
}

}  // namespace

MessageResult WxToolkit::MessageRequester(const Text& title, const Text& text,
                                          MessageButtons buttons) {
  wxMessageDialog dialog(nullptr, ToWx(text), ToWx(title), MessageStyle(buttons));
  return MessageAnswer(dialog.ShowModal(), buttons);
}

Text WxToolkit::InputRequester(const Text& title, const Text& message, const Text& default_text) {
  wxTextEntryDialog dialog(nullptr, ToWx(message), ToWx(title), ToWx(default_text));
  return dialog.ShowModal() == wxID_OK ? FromWx(dialog.GetValue()) : Text();
}

std::vector<Text> WxToolkit::OpenFileRequester(const Text& title, const Text& default_path,
                                               const Text& pattern, bool multiple) {
  wxString directory, file;
  SplitDefaultPath(default_path, directory, file);
  long style = wxFD_OPEN | wxFD_FILE_MUST_EXIST | (multiple ? wxFD_MULTIPLE : 0);
  wxFileDialog dialog(nullptr, ToWx(title), directory, file, Wildcard(pattern), style);
  dialog.SetFilterIndex(0);
  std::vector<Text> chosen;
  if (dialog.ShowModal() != wxID_OK) return chosen;
  wxArrayString paths;
  dialog.GetPaths(paths);
  for (const wxString& path : paths) chosen.push_back(FromWx(path));
  if (!multiple && chosen.size() > 1) chosen.resize(1);
  return chosen;
}

// The app asks about overwriting by itself, so the requester does not.
Text WxToolkit::SaveFileRequester(const Text& title, const Text& default_path,
                                  const Text& pattern) {
  wxString directory, file;
  SplitDefaultPath(default_path, directory, file);
  wxFileDialog dialog(nullptr, ToWx(title), directory, file, Wildcard(pattern), wxFD_SAVE);
  dialog.SetFilterIndex(0);
  return dialog.ShowModal() == wxID_OK ? FromWx(dialog.GetPath()) : Text();
}

// --- Screenshots.

// Each part (menu bar, toolbar, inner area, status bar) is copied from its own window, at its
// place in the frame; GTK gives a window's drawing only through that window.
bool WxToolkit::SaveWindowScreenshot(int window, const std::string& png_path) {
  WindowRecord* record = FindWindowRecord(*s_, window);
  if (record == nullptr) return false;
  ProcessPendingWork();
  wxFrame* frame = record->frame;
  const wxSize size = frame->GetSize();
  if (size.x <= 0 || size.y <= 0) return false;
  wxBitmap bitmap(size.x, size.y, 24);
  {
    wxMemoryDC memory(bitmap);
    memory.SetBackground(*wxWHITE_BRUSH);
    memory.Clear();
    const wxPoint origin = frame->GetScreenPosition();
    for (wxWindow* part :
         {static_cast<wxWindow*>(frame->GetMenuBar()), static_cast<wxWindow*>(frame->GetToolBar()),
          static_cast<wxWindow*>(record->panel), static_cast<wxWindow*>(frame->GetStatusBar())}) {
      if (part == nullptr || !part->IsShown()) continue;
      const wxPoint at = part->GetScreenPosition() - origin;
      const wxSize part_size = part->GetSize();
      wxWindowDC source(part);
      memory.Blit(at.x, at.y, part_size.x, part_size.y, &source, 0, 0);
    }
  }
  return bitmap.ConvertToImage().SaveFile(wxString::FromUTF8(png_path), wxBITMAP_TYPE_PNG);
}

}  // namespace corvane
