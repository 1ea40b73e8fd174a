#include "app/application.h"

#include <vector>

#include "analysis/generation_run.h"
#include "app/main_window.h"
#include "app/numbers.h"
#include "app/settings.h"
#include "dialogs/info_licence.h"
#include "dialogs/start_dialog.h"
#include "dialogs/user_gadget_dialog.h"
#include "platform/thread/thread.h"
#include "project/project_commands.h"
#include "project/project_file.h"
#include "rename/replace_dialog.h"
#include "resources/resources.h"

namespace corvane {

namespace {

constexpr int kSplitterDivider = 100;

// --- Guards: one run at a time.

// True (after telling the user) while a run is active; the command is then not carried out.
bool RefusedDuringRun(App& app) {
  if (!app.run_active) return false;
  ShowMessage(app, U"Info", U"A generation is running. Please wait until it has finished.");
  return true;
}

// --- The handler table. Every handler takes the event type (menu, size and close handlers
// ignore it) and returns 0.

using Handler = int (*)(App&, int event_type);

int Nothing(App&, int) { return 0; }

// A project command that touches the common files or the model, held back during a run.
template <int (*Command)(App&)>
int ProjectCommand(App& app, int) {
  if (!RefusedDuringRun(app)) Command(app);
  return 0;
}

template <int (*Command)(App&)>
int Plain(App& app, int) {
  Command(app);
  return 0;
}

// The dialog lists act on a double click, the buttons on a click; the handlers they share cannot
// tell a list's single click from a button's.
template <Handler Action>
int OnDoubleClick(App& app, int event_type) {
  return event_type == kEventTypeLeftDoubleClick ? Action(app, event_type) : 0;
}

template <Handler Action>
int OnClick(App& app, int event_type) {
  return event_type == kEventTypeLeftClick ? Action(app, event_type) : 0;
}

template <int kGadget>
int SwitchBox(App& app, int event_type) {
  return SwitchBoxClick(app, kGadget, event_type);
}

int Licence(App& app, int) { return ShowLicence(app, kWindowMain); }
int MenuExit(App& app, int) { return QueryExit(app); }
int MenuStart(App& app, int) { return MenuStartGenerate(app); }
int SizeMain(App& app, int) { return ResizeMain(app); }

constexpr int kMenuSlots = 12;
constexpr int kGadgetSlots = 25;
constexpr int kWindowSlots = 4;

// Menu items 0..11, gadgets 0..24, windows 0..3 resized, windows 0..3 close box.
constexpr Handler kCallEvent[kMenuSlots + kGadgetSlots + 2 * kWindowSlots] = {
    // Menu items.
    ProjectCommand<ProjectNew>,
    ProjectCommand<ProjectLoad>,
    ProjectCommand<ProjectSave>,
    ProjectCommand<ProjectSaveAs>,
    Plain<OpenUserGadgetList>,
    MenuExit,
    ProjectCommand<CommonAdd>,
    ProjectCommand<CommonDelete>,
    ProjectCommand<CommonFirst>,
    MenuStart,
    Plain<ShowInfo>,
    Licence,
    // Gadgets.
    EventGadget_Cmd,
    Nothing,  // common-file list
    Nothing,  // log list
    SwitchBox<3>,
    SwitchBox<4>,
    SwitchBox<5>,
    SwitchBox<6>,
    SwitchBox<7>,
    SwitchBox<8>,
    SwitchBox<9>,
    SwitchBox<10>,
    StartButtonClick,
    Nothing,  // labels of the search-and-replace dialog
    Nothing,
    Nothing,
    OnDoubleClick<BindSelected>,     // old names
    OnDoubleClick<BindSelected>,     // new names
    OnDoubleClick<ReleaseSelected>,  // bound pairs
    OnClick<BindSelected>,
    OnClick<ReleaseSelected>,
    ContinueReplace,
    UserGadgetEdit,
    UserGadgetAdd,
    UserGadgetDelete,
    SaveUserGadgets,
    // Windows resized.
    SizeMain,
    Nothing,
    Nothing,
    Nothing,
    // Close boxes.
    MenuExit,
    Plain<CloseStartWindow>,
    Plain<CancelReplace>,
    Plain<CloseUserGadgetWindow>,
};

constexpr const Handler* CallEventMenu = kCallEvent;
constexpr const Handler* CallEventGadget = CallEventMenu + kMenuSlots;
constexpr const Handler* CallEventSize = CallEventGadget + kGadgetSlots;
constexpr const Handler* CallEventExit = CallEventSize + kWindowSlots;

int CallHandler(App& app, const Handler* table, int size, int number, int event_type) {
  if (number >= 0 && number < size) table[number](app, event_type);
  return 0;
}

// --- The GUI side of the request channel.

template <typename T>
T* ParamAs(const GuiRequest* request) {
  return reinterpret_cast<T*>(request->Param);
}

bool IsRequestType(int type) { return type >= RequestCloseStart && type <= RequestRunEnded; }

void ReplyPending(App& app, int64_t result) {
  app.pending_answered = true;
  ReplyGuiRequest(app.PendingRequest, result);
}

// The action of one request; returns false when the reply is deferred.
bool ActOnRequest(App& app, int type, GuiRequest* request, int64_t& result) {
  switch (type) {
    case RequestCloseStart:
      CloseStartWindow(app);
      return true;
    case RequestOpenReplace:
      app.pending_answered = false;
      OpenReplaceDialog(app, static_cast<int>(request->Param));
      return false;
    case RequestCloseReplace:
      CloseReplaceDialog(app);
      return true;
    case RequestLog:
      AddLogLine(app, Text(*ParamAs<const Text>(request)));
      return true;
    case RequestEnableMain:
      app.tk.DisableWindow(kWindowMain, false);
      return true;
    case RequestReadCommonFiles:
      *ParamAs<std::vector<Text>>(request) = app.tk.GetListItems(kGadgetCommonFiles);
      return true;
    case RequestSaveProjectAs:
      result = ProjectSaveAs(app);
      return true;
    case RequestReadTodoList:
      *ParamAs<std::vector<Text>>(request) = TodoListItems(app);
      return true;
    case RequestWriteProject: {
      const WriteProjectRequest& write = *ParamAs<const WriteProjectRequest>(request);
      AppProjectHost host(app);
      result = WriteProject(host, app.model, app.state, write.path, write.mode);
      return true;
    }
    case RequestRunEnded:
      app.run_active = false;
      return true;
    default:
      return true;
  }
}

// The worker: the run, then the request that ends it on the GUI thread. After that reply the
// worker touches nothing but its own stack.
void RunWorker(App* app) {
  ChannelRunHost host(app->channel);
  RunContext run{app->model, app->state, host};
  GenerateThread(run);
  app->channel.SendGuiRequest(RequestRunEnded, 0);
}

// --- Start-up.

void AddApplicationMenuEntries(App& app) {
  app.tk.MenuItem(kMenuAbout, U"");
  app.tk.MenuItem(kMenuPreferences, U"");
}

void CreateMainSplitter(App& app) {
  app.main_splitter = app.tk.SplitterGadget(kAnyNumber, kWindowMain, 0, 0, 800, 600,
                                            kGadgetCommonFiles, kGadgetLog, kSplitterSeparator);
}

void AddShortcuts(App& app) {
  app.tk.AddKeyboardShortcut(kWindowMain, kShortcutControl | 'N', kMenuProjectNew);
  app.tk.AddKeyboardShortcut(kWindowMain, kShortcutControl | 'L', kMenuProjectLoad);
  app.tk.AddKeyboardShortcut(kWindowMain, kShortcutControl | 'S', kMenuProjectSave);
}

void EventLoop(App& app) {
  while (app.ExitApplication != 1) DispatchEvent(app, app.tk.WaitEvent());
}

// The macOS application-menu entries raise the program's own items in a later pass of the loop.
void PostApplicationMenuItem(App& app, int item) {
  int mapped = -1;
  if (item == kMenuAbout) mapped = kMenuInfo;
  if (item == kMenuPreferences) mapped = kMenuUserGadget;
  if (item == kMenuQuit) mapped = kMenuExit;
  if (mapped < 0) return;
  Event event;
  event.kind = EventKind::kMenu;
  event.window = kWindowMain;
  event.object = mapped;
  app.tk.PostEvent(event);
}

}  // namespace

int Main(App& app) {
  app.InfoText = ComposeInfoText();
  app.ExitApplication = 0;
  // Missing icons leave the menu and toolbar without pictures; the program still starts.
  CreateIconImages(app.tk);
  // The source model and the handler table exist already: App holds the one model of the process,
  // and the table is a constant.
  OpenMainWindow(app);
  if (!app.tk.IsWindow(kWindowMain)) return 1;
  AddApplicationMenuEntries(app);
  CreateMainToolBar(app);
  app.tk.AddStatusBarField(kFieldFullWidth);
  CreateMainSplitter(app);
  AddShortcuts(app);
  LoadSettings(app);
  ResizeMain(app);
  app.tk.SetSplitterPosition(MainSplitter(app), kSplitterDivider);
  EventLoop(app);
  SaveSettings(app);
  return 0;
}

void DispatchEvent(App& app, const Event& event) {
  switch (event.kind) {
    case EventKind::kMenu:
      PostApplicationMenuItem(app, event.object);
      MyEventMenu(app, event.object);
      return;
    case EventKind::kGadget:
      app.event_data = event.data;
      MyEventGadget(app, event.object, event.type);
      return;
    case EventKind::kSizeWindow:
      MyEventSize(app, event.window);
      return;
    case EventKind::kCloseWindow:
      MyEventExit(app, event.window);
      return;
    default:
      return;
  }
}

int MyEventMenu(App& app, int item) { return CallHandler(app, CallEventMenu, kMenuSlots, item, 0); }

int MyEventGadget(App& app, int gadget, int event_type) {
  return CallHandler(app, CallEventGadget, kGadgetSlots, gadget, event_type);
}

int MyEventSize(App& app, int window) {
  return CallHandler(app, CallEventSize, kWindowSlots, window, 0);
}

int MyEventExit(App& app, int window) {
  return CallHandler(app, CallEventExit, kWindowSlots, window, 0);
}

int QueryExit(App& app) {
  if (RefusedDuringRun(app)) return 0;
  if (QuerySaveProject(app) == 0) return 0;
  app.ExitApplication = 1;
  return 0;
}

int MenuStartGenerate(App& app) {
  if (RefusedDuringRun(app)) return 0;
  if (app.state.ProjectHasFile == 0 && ProjectSaveAs(app) == 0) return 0;
  OpenStartDialog(app);
  return 0;
}

int EventGadget_Cmd(App& app, int event_type) {
  if (!IsRequestType(event_type)) return 0;
  auto* request = reinterpret_cast<GuiRequest*>(app.event_data);
  // A request event without its record cannot be answered; it is dropped.
  if (request == nullptr) return 0;
  app.PendingRequest = request;
  int64_t result = 0;
  if (ActOnRequest(app, event_type, request, result)) ReplyPending(app, result);
  return 0;
}

void StartGenerationRun(App& app) {
  if (RefusedDuringRun(app)) return;
  app.run_active = true;
  App* const shared = &app;
  StartDetachedThread([shared] { RunWorker(shared); });
}

}  // namespace corvane
