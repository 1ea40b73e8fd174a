#include "dialogs/start_dialog.h"

#include <array>

#include "app/application.h"
#include "app/numbers.h"

namespace corvane {

namespace {

constexpr TextView kStartTitle = U"Start Generate";
constexpr TextView kStartButtonText = U"Start";

struct SwitchBox {
  int x;
  int y;
  TextView text;
};

// The eight boxes in switch order (gadgets 3..10, the order of kSwitchTable).
constexpr std::array<SwitchBox, 8> kSwitchBoxes = {{
    {10, 10, U"First Window as Parend Window"},
    {10, 40, U"Windowposition Auto"},
    {10, 70, U"Multi Language"},
    {10, 100, U"Images Include"},
    {10, 130, U"ImageGadget set Zero"},
    {230, 10, U"Call Event Fast"},
    {230, 40, U"Fileformat UTF8"},
    {230, 70, U"MacOS MenuEvents"},
}};
static_assert(kSwitchBoxes.size() == kGadgetLastSwitch - kGadgetFirstSwitch + 1);
static_assert(kSwitchBoxes.size() == kSwitchTable.size());

constexpr int kBoxImageInclude = 6;
constexpr int kBoxImageNull = 7;

int64_t& SwitchOfBox(App& app, int gadget) {
  return app.state.switches.*kSwitchTable[gadget - kGadgetFirstSwitch].member;
}

void CreateStartGadgets(App& app) {
  for (size_t i = 0; i < kSwitchBoxes.size(); ++i) {
    const SwitchBox& box = kSwitchBoxes[i];
    app.tk.CheckBoxGadget(kGadgetFirstSwitch + static_cast<int>(i), kWindowStart, box.x, box.y, 210,
                          20, Text(box.text));
  }
  app.tk.ButtonGadget(kGadgetStart, kWindowStart, 10, 160, 120, 30, Text(kStartButtonText));
}

void ShowSwitchStates(App& app) {
  for (int gadget = kGadgetFirstSwitch; gadget <= kGadgetLastSwitch; ++gadget) {
    app.tk.SetCheckBoxState(gadget, SwitchOfBox(app, gadget) != 0 ? 1 : 0);
  }
}

// "Images Include" and "ImageGadget set Zero" exclude each other, but only when one is ticked.
void ClearPartnerBox(App& app, int gadget) {
  const int partner = gadget == kBoxImageInclude ? kBoxImageNull : kBoxImageInclude;
  SwitchOfBox(app, partner) = 0;
  app.tk.SetCheckBoxState(partner, 0);
}

}  // namespace

int OpenStartDialog(App& app) {
  const int flags = kWindowTitleBar | kWindowCloseBox | kWindowScreenCentered;
  if (app.tk.OpenWindow(kWindowStart, 0, 0, 600, 200, Text(kStartTitle), flags, kWindowMain) ==
      kNoObject) {
    return 0;
  }
  CreateStartGadgets(app);
  app.tk.DisableWindow(kWindowMain, true);
  ShowSwitchStates(app);
  return 0;
}

int CloseStartWindow(App& app) {
  app.tk.DisableWindow(kWindowMain, false);
  app.tk.CloseWindow(kWindowStart);
  return 0;
}

int SwitchBoxClick(App& app, int gadget, int event_type) {
  if (event_type != kEventTypeLeftClick) return 0;
  if (gadget < kGadgetFirstSwitch || gadget > kGadgetLastSwitch) return 0;
  const int state = app.tk.GetCheckBoxState(gadget) != 0 ? 1 : 0;
  SwitchOfBox(app, gadget) = state;
  if (state == 1 && (gadget == kBoxImageInclude || gadget == kBoxImageNull)) {
    ClearPartnerBox(app, gadget);
  }
  app.state.ProjectSaved = 0;
  return 0;
}

int StartButtonClick(App& app, int event_type) {
  if (event_type != kEventTypeLeftClick) return 0;
  // The dialog stays open until the worker's first request; a second click meanwhile must not
  // start a second run, so the button goes dead at once (StartGenerationRun refuses as well).
  app.tk.DisableGadget(kGadgetStart, true);
  StartGenerationRun(app);
  return 0;
}

}  // namespace corvane
