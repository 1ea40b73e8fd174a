; Hilfsfunktionen für das Fenster
Procedure ShowOk()
  SetGadgetText(#Window_0_Text_0, "Grüße")
  DisableGadget(#WINDOW_0_Button_0, 1) : DisableGadget(#Window_0_Button_01, 1)
EndProcedure
