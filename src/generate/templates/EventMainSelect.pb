;-TOP

; Corvane EventMain (Do Not Edit - Allways Overwrite)

; *********************************************************************************************************

Procedure MyEventMenu(MenuID)
  Select MenuID
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

; IDE Options = PureBasic 5.10 Beta 1 (Windows - x86)
; CursorPosition = 33
; FirstLine = 4
; Folding = -
