; The yardstick of the installer's speed: an NSIS 3 installer doing the same
; job as Setup with Setup.inf, for a silent run (/S). It copies the same five
; files to the same folders, counts the shared ones, registers the
; component's server and library, writes a log of what it installed, makes
; the three Start-menu shortcuts and leaves an uninstaller with its entry.
;   makensis -DPAYLOAD=<folder> -DOUTFILE=<package> -DTARGET=amd64-unicode Chimebox.nsi
Unicode true
Target ${TARGET}
Name "Chimebox"
OutFile "${OUTFILE}"
RequestExecutionLevel admin
InstallDir "$PROGRAMFILES64\Chimebox"
SilentInstall silent

!define SHARED_DLLS "Software\Microsoft\Windows\CurrentVersion\SharedDLLs"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Chimebox"

!macro CountShared path
  ReadRegDWORD $0 HKLM "${SHARED_DLLS}" "${path}"
  IntOp $0 $0 + 1
  WriteRegDWORD HKLM "${SHARED_DLLS}" "${path}" $0
  FileWrite $9 "${path}=1$\r$\n"
!macroend

Section
  SetShellVarContext all
  SetRegView 64
  CreateDirectory "$INSTDIR"
  FileOpen $9 "$INSTDIR\Setup.log" w
  FileWrite $9 "[Installed]$\r$\n"

  SetOutPath "$COMMONFILES64\Tonewright"
  File "${PAYLOAD}\TWMPC.exe"
  File "${PAYLOAD}\TWMPCUI.dll"
  !insertmacro CountShared "$COMMONFILES64\Tonewright\TWMPC.exe"
  !insertmacro CountShared "$COMMONFILES64\Tonewright\TWMPCUI.dll"

  SetOutPath "$INSTDIR"
  File "${PAYLOAD}\TWChimebox.exe"
  File "${PAYLOAD}\Chimebox.chm"
  File "${PAYLOAD}\License.txt"
  FileWrite $9 "$INSTDIR\TWChimebox.exe=0$\r$\n$INSTDIR\Chimebox.chm=0$\r$\n$INSTDIR\License.txt=0$\r$\n"

  ExecWait '"$COMMONFILES64\Tonewright\TWMPC.exe" /regserver'
  RegDLL "$COMMONFILES64\Tonewright\TWMPCUI.dll"

  WriteUninstaller "$INSTDIR\_Unins.exe"
  CreateDirectory "$SMPROGRAMS\Chimebox"
  CreateShortcut "$SMPROGRAMS\Chimebox\Chimebox.lnk" "$INSTDIR\TWChimebox.exe"
  CreateShortcut "$SMPROGRAMS\Chimebox\Help.lnk" "$INSTDIR\Chimebox.chm"
  CreateShortcut "$SMPROGRAMS\Chimebox\Uninstall Chimebox.lnk" "$INSTDIR\_Unins.exe" "" "$INSTDIR\_Unins.exe" 1
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Chimebox"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\_Unins.exe"'
  FileClose $9
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  SetRegView 64
  UnRegDLL "$COMMONFILES64\Tonewright\TWMPCUI.dll"
  ExecWait '"$COMMONFILES64\Tonewright\TWMPC.exe" /unregserver'
  Delete "$COMMONFILES64\Tonewright\TWMPC.exe"
  Delete "$COMMONFILES64\Tonewright\TWMPCUI.dll"
  DeleteRegValue HKLM "${SHARED_DLLS}" "$COMMONFILES64\Tonewright\TWMPC.exe"
  DeleteRegValue HKLM "${SHARED_DLLS}" "$COMMONFILES64\Tonewright\TWMPCUI.dll"
  RMDir "$COMMONFILES64\Tonewright"
  Delete "$SMPROGRAMS\Chimebox\*.lnk"
  RMDir "$SMPROGRAMS\Chimebox"
  Delete "$INSTDIR\TWChimebox.exe"
  Delete "$INSTDIR\Chimebox.chm"
  Delete "$INSTDIR\License.txt"
  Delete "$INSTDIR\Setup.log"
  Delete "$INSTDIR\_Unins.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
