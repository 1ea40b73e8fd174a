;-TOP

; Corvane EventMain (Do Not Edit - Allways Overwrite)

; *********************************************************************************************************

Procedure MyEventMenu(MenuID)
  Select MenuID
    CompilerIf #PB_Compiler_OS = #PB_OS_MacOS
      Case #PB_Menu_About : EventMenu_MacAbout()
      Case #PB_Menu_Preferences: EventMenu_MacPreferences()
      Case #PB_Menu_Quit : EventMenu_MacQuit()
    CompilerEndIf
  EndSelect
EndProcedure

; *********************************************************************************************************

Procedure MyEventGadget(GadgetID, EventType)
  Select GadgetID
  EndSelect
EndProcedure

; *********************************************************************************************************

Procedure MyEventSize(WindowID)
  Select WindowID
  EndSelect
EndProcedure

; *********************************************************************************************************

Procedure MyEventExit(WindowID)
  Select WindowID
  EndSelect
EndProcedure

; *********************************************************************************************************
; IDE Options = PureBasic 5.22 LTS (MacOS X - x86)
; CursorPosition = 10
; Folding = -
