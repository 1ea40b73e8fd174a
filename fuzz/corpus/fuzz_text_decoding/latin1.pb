Procedure Open_Window_0()
  OpenWindow(#Window_0, 0, 0, 300, 200, "Café", #PB_Window_SystemMenu)
  ButtonGadget(#Button_Euro, 10, 10, 80, 24, "10 €")
EndProcedure
