#include "dialogs/info_licence.h"

#include <vector>

#include "app/application.h"
#include "app/main_window.h"
#include "app/numbers.h"
#include "resources/resources.h"

namespace corvane {

namespace {

constexpr TextView kRevisionLead = U"\nRev. ";
constexpr int64_t kRevision = 398323;
constexpr TextView kInfoNotice = U"Writes the event handling of your PureBasic forms for you.";

constexpr TextView kLicenceTitle = U"Licence";
constexpr int kLicenceWidth = 600;
constexpr int kLicenceHeight = 480;

// The licence text without carriage returns, cut at each line feed; a rest after the last line
// feed is not a line.
std::vector<Text> LicenceLines() {
  std::vector<Text> lines;
  Text line;
  for (char32_t c : FromUtf8(LicenceText())) {
    if (c == U'\r') continue;
    if (c == U'\n') {
      lines.push_back(line);
      line.clear();
    } else {
      line.push_back(c);
    }
  }
  return lines;
}

bool IsRequestEvent(const Event& event) {
  return event.kind == EventKind::kGadget && event.window == kWindowMain &&
         event.object == kGadgetCommand;
}

// The dialogs that keep the main window disabled while they are open.
bool DialogHoldsMain(Toolkit& tk) {
  return tk.IsWindow(kWindowStart) || tk.IsWindow(kWindowReplace) || tk.IsWindow(kWindowUserGadget);
}

// Waits for the close event of the licence window and discards everything else, except the
// worker's requests: they go on to the command button's handler, so a running generation is
// never stalled while the licence is read.
void RunLicenceLoop(App& app, int window, int owner) {
  for (;;) {
    const Event event = app.tk.WaitEvent();
    if (event.kind == EventKind::kCloseWindow && event.window == window) return;
    if (IsRequestEvent(event)) {
      app.event_data = event.data;
      EventGadget_Cmd(app, event.type);
      // A request may enable the main window (closing a dialog); the licence stays modal.
      app.tk.DisableWindow(owner, true);
    }
    // Nothing else could close it, but a vanished window must not leave the loop waiting.
    if (!app.tk.IsWindow(window)) return;
  }
}

}  // namespace

Text ComposeInfoText() {
  return Text(kMainTitle) + Text(kRevisionLead) + Decimal(kRevision) + U"\n\n" + Text(kInfoNotice);
}

int ShowInfo(App& app) {
  app.tk.MessageRequester(Text(kInfoTitle), app.InfoText, MessageButtons::kOk);
  return 0;
}

int ShowLicence(App& app, int owner) {
  Toolkit& tk = app.tk;
  tk.DisableWindow(owner, true);
  const int flags = kWindowTitleBar | kWindowCloseBox | kWindowResizable | kWindowScreenCentered;
  const int window = tk.OpenWindow(kAnyNumber, 0, 0, kLicenceWidth, kLicenceHeight,
                                   Text(kLicenceTitle), flags, kNoParent);
  if (window == kNoObject) {
    // Only the disabled owner could send a close event: give it back instead of waiting.
    tk.DisableWindow(owner, false);
    return 0;
  }
  const int list = tk.ListViewGadget(kAnyNumber, window, 0, 0, kLicenceWidth, kLicenceHeight);
  for (const Text& line : LicenceLines()) tk.AppendListItem(list, line);
  RunLicenceLoop(app, window, owner);
  // A dialog opened by a request meanwhile keeps the main window disabled until it closes.
  if (owner != kWindowMain || !DialogHoldsMain(tk)) tk.DisableWindow(owner, false);
  tk.CloseWindow(window);
  return 0;
}

}  // namespace corvane
