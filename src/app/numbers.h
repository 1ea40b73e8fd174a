// The fixed numbers of the program's own windows, gadgets and menu items.
#pragma once

namespace corvane {

// Windows.
inline constexpr int kWindowMain = 0;
inline constexpr int kWindowStart = 1;
inline constexpr int kWindowReplace = 2;
inline constexpr int kWindowUserGadget = 3;

// Gadgets of the main window.
inline constexpr int kGadgetCommand = 0;  // hidden command button, addressee of the worker's requests
inline constexpr int kGadgetCommonFiles = 1;
inline constexpr int kGadgetLog = 2;
// Start dialog: the eight switch boxes 3..10 in switch order, then "Start".
inline constexpr int kGadgetFirstSwitch = 3;
inline constexpr int kGadgetLastSwitch = 10;
inline constexpr int kGadgetStart = 11;
// Search-and-replace dialog.
inline constexpr int kGadgetOldLabel = 12;
inline constexpr int kGadgetNewLabel = 13;
inline constexpr int kGadgetTodoLabel = 14;
inline constexpr int kGadgetOldList = 15;
inline constexpr int kGadgetNewList = 16;
inline constexpr int kGadgetTodoList = 17;
inline constexpr int kGadgetBind = 18;
inline constexpr int kGadgetRelease = 19;
inline constexpr int kGadgetContinue = 20;
// User gadget window.
inline constexpr int kGadgetUserList = 21;
inline constexpr int kGadgetUserAdd = 22;
inline constexpr int kGadgetUserDel = 23;
inline constexpr int kGadgetUserOk = 24;

// Menu items (toolbar buttons report as the item of their number).
inline constexpr int kMenuProjectNew = 0;
inline constexpr int kMenuProjectLoad = 1;
inline constexpr int kMenuProjectSave = 2;
inline constexpr int kMenuProjectSaveAs = 3;
inline constexpr int kMenuUserGadget = 4;
inline constexpr int kMenuExit = 5;
inline constexpr int kMenuCommonAdd = 6;
inline constexpr int kMenuCommonDelete = 7;
inline constexpr int kMenuCommonFirst = 8;
inline constexpr int kMenuStartGenerate = 9;
inline constexpr int kMenuInfo = 10;
inline constexpr int kMenuLicence = 11;

// Menu 0, toolbar 0, status bar 0 of the main window.
inline constexpr int kMainMenu = 0;
inline constexpr int kMainToolBar = 0;
inline constexpr int kMainStatusBar = 0;

}  // namespace corvane
