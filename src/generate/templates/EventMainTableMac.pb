;-TOP

; Corvane EventMain (Do Not Edit - Allways Overwrite)

; *********************************************************************************************************

; Init Event Pointer

Prototype MyProtoInvoke()
Prototype MyProtoInvoke1(EventType)

Structure udtCallEvent
  Invoke.MyProtoInvoke[0]
EndStructure

Structure udtCallEvent1
  Invoke.MyProtoInvoke1[0]
EndStructure

Global *CallEventMenu.udtCallEvent    = ?CallEventMenu
Global *CallEventGadget.udtCallEvent1 = ?CallEventGadget
Global *CallEventSize.udtCallEvent    = ?CallEventSize
Global *CallEventExit.udtCallEvent    = ?CallEventExit

#CallEventMenuCount = 0
#CallEventGadgetCount = 0
#CallEventWindowCount = 0

; *********************************************************************************************************

Procedure MyEventMenu(MenuID)
  If MenuID >= 0 And MenuID < #CallEventMenuCount
    *CallEventMenu\Invoke[MenuID]()
    
  ; Begin MacMenus
  CompilerIf #PB_Compiler_OS = #PB_OS_MacOS  
  Else
    Select MenuID
      Case #PB_Menu_About : EventMenu_MacAbout()
      Case #PB_Menu_Preferences: EventMenu_MacPreferences()
      Case #PB_Menu_Quit : EventMenu_MacQuit()
    EndSelect
  CompilerEndIf
  ; End MacMenus
  
  EndIf
EndProcedure

; *********************************************************************************************************

Procedure MyEventGadget(GadgetID, EventType)
  If GadgetID >= 0 And GadgetID < #CallEventGadgetCount
    *CallEventGadget\Invoke[GadgetID](EventType)
  EndIf
EndProcedure

; *********************************************************************************************************

Procedure MyEventSize(WindowID)
  If WindowID >= 0 And WindowID < #CallEventWindowCount
    *CallEventSize\Invoke[WindowID]()
  EndIf
EndProcedure

; *********************************************************************************************************

Procedure MyEventExit(WindowID)
  If WindowID >= 0 And WindowID < #CallEventWindowCount
    *CallEventExit\Invoke[WindowID]()
  EndIf
EndProcedure

; *********************************************************************************************************

Procedure MyEventDispatch(EventType)
  
EndProcedure

; *********************************************************************************************************

DataSection
EndDataSection

; *********************************************************************************************************
; IDE Options = PureBasic 5.22 LTS (MacOS X - x86)
; CursorPosition = 39
; FirstLine = 13
; Folding = --
; CompileSourceDirectory
