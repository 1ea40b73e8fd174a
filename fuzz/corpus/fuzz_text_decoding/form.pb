; A window written by hand, in the style of a form designer.

Enumeration
  #Window_0
EndEnumeration

Procedure Open_Window_0()
  If OpenWindow(#Window_0, 10, 20, 600, 400, "Main", #PB_Window_SystemMenu)
    If CreateMenu(#Menu_0, WindowID(#Window_0))
      MenuTitle("File")
      MenuItem(#MenuItem_Open, "Open\tCtrl+O")
    EndIf
    TextGadget(#Text_0, 10, 10, 200, 20, "Name", #PB_Text_Right)
    ButtonGadget(#Button_0, 10, 40, 80, 24, "OK")
  EndIf
EndProcedure
