; Corvane LoadLanguage

; *********************************************************************************************************

; Constant Allways Overwrite
#MaxLanguage = 0

Global NewMap MyLanguage.s()

; *********************************************************************************************************

Procedure LoadLanguage()

  Protected path.s, temp.s, entry.s, text.s, index
  
  path = GetPathPart(ProgramFilename()) + "Catalog"
  
  Restore DefaultLanguage
  For index = 1 To #MaxLanguage
    Read.s entry
    MyLanguage(entry) = entry
  Next
  
  ; Can be changed from her...
  If ReadFile(0, path)
    While Eof(0) = 0
      temp = ReadString(0)
      entry = StringField(temp, 1, ";")
      entry = Trim(entry, #DQUOTE$)
      text = StringField(temp, 2, ";")
      text = Trim(text, #DQUOTE$)
      If text
        MyLanguage(entry) = text
      Else
        MyLanguage(entry) = entry
      EndIf
    Wend
    CloseFile(0)
  EndIf
EndProcedure

; *********************************************************************************************************

LoadLanguage()

; *********************************************************************************************************

DataSection
  ; Part Allways Overwrite
  DefaultLanguage:
  EndDefaultLanguage:
  ; End Part Allways Overwrite
EndDataSection

; *********************************************************************************************************

; IDE Options = PureBasic 5.10 (Windows - x86)
; CursorPosition = 23
; FirstLine = 3
; Folding = -
