;-TOP

;- Corvane Main Program for Purebasic

; ***************************************************************************************
;
; Comment       : 
; Author        : 
; Second Author : 
; File          : 
; Version       : 
; Create        : 
; Update        : 
; 
; Compilermode  : 
;
; ***************************************************************************************

;- Global Variable
Global ExitApplication = 0

; ***************************************************************************************

;- Include CommonFile
IncludeFile "CommonFile.pb"

;- Include UserFiles
;IncludeFile "???.pb"

;- Include EventFiles
IncludeFile "EventMenu.pb"
IncludeFile "EventGadget.pb"
IncludeFile "EventWindow.pb"
IncludeFile "EventMain.pb"

; ***************************************************************************************

;- Main Program
Procedure Main()

  Open_WindowXY()
  
  If WindowID(#Window)
    
    Repeat
    
      Select WaitWindowEvent()
      
        Case #PB_Event_Menu
          MyEventMenu(EventMenu())
        Case #PB_Event_Gadget
          MyEventGadget(EventGadget(), EventType())
        Case #PB_Event_SizeWindow
          MyEventSize(EventWindow())
        Case #PB_Event_CloseWindow
          MyEventExit(EventWindow())
        Case #PB_Event_Repaint
          ;
        Case #PB_Event_MoveWindow
          ;
        Case #PB_Event_ActivateWindow
          ;
        Case #PB_Event_SysTray
          ;
      EndSelect
      
    Until ExitApplication = 1
    
  EndIf

EndProcedure:Main()

End

; ***************************************************************************************

; IDE Options = PureBasic 5.10 Beta 1 (Windows - x86)
; Folding = -
; EnableXP
; CompileSourceDirectory
