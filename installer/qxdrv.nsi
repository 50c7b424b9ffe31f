; The QXdrv setup program: a 64-bit installer in English and Japanese.
; makensis -DVERSION=1.2.0.0 -DBUILD_DIR=<cross build> -DRES_DIR=<src/res>
;          -DOUT_FILE=<setup.exe> qxdrv.nsi
;
; Installs QXdrv.exe and its help files under Program Files\NORVANE\QXdrv, a
; Start menu folder, autostart for every user and the installed-programs
; entry. An interactive install runs "QXdrv.exe -i" (which asks for the port
; when none is configured); a silent one (/S) asks nothing and takes
; /PORT=COM1: to COM256: and /MODEL=100|200, stored for every user and for the
; installing user. A bad option ends the setup before anything is stored.
; The driver is started by QXstart (from START_EXE) as the interactive user
; with that user's normal token, or not at all when there is none (the Run
; entry starts it at the next logon). A running copy is ended the way its own
; Exit ends it, never killed, so it puts the user's pointer settings back; a
; file still held (a copy in another session) is named and the setup ends.
; Uninstalling keeps the settings.

Unicode true
Target amd64-unicode
ManifestSupportedOS all
RequestExecutionLevel admin
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define PRODUCT "QXdrv"
!define PUBLISHER "NORVANE"
!define MAIN_CLASS "QXdrvTrayWnd"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\QXdrv"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define SETTINGS_KEY "SOFTWARE\NORVANE\QXdrv1.2\Setting"
!define SYNCHRONIZE 0x00100000
!define WAIT_FOR_END_MS 30000

Name "${PRODUCT}"
OutFile "${OUT_FILE}"
InstallDir "$PROGRAMFILES64\NORVANE\QXdrv"
BrandingText "${PUBLISHER} ${PRODUCT} ${VERSION}"

!define MUI_ICON "${RES_DIR}\pen_enabled.ico"
!define MUI_UNICON "${RES_DIR}\pen_enabled.ico"
!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

LangString HelpTitle ${LANG_ENGLISH} "QXdrv Help"
LangString HelpTitle ${LANG_JAPANESE} "QXdrv ヘルプ"
LangString HelpFile ${LANG_ENGLISH} "QXdrv_en.chm"
LangString HelpFile ${LANG_JAPANESE} "QXdrv_ja.chm"
LangString UninstallTitle ${LANG_ENGLISH} "Uninstall QXdrv"
LangString UninstallTitle ${LANG_JAPANESE} "QXdrv のアンインストール"
LangString NotEnded ${LANG_ENGLISH} "QXdrv did not end. Exit it from its tray menu and run the setup again."
LangString NotEnded ${LANG_JAPANESE} "QXdrv が終了しませんでした。トレイメニューから終了してから、もう一度実行してください。"
LangString BadModel ${LANG_ENGLISH} "/MODEL=$R2 is not a display model: give /MODEL=100 (PX-A100) or /MODEL=200 (PX-B200). Nothing was installed."
LangString BadModel ${LANG_JAPANESE} "/MODEL=$R2 はディスプレイのモデルではありません。/MODEL=100 (PX-A100) または /MODEL=200 (PX-B200) を指定してください。何もインストールされていません。"
LangString BadPort ${LANG_ENGLISH} "/PORT=$R1 is not a COM port QXdrv can use: give COM1: to COM256:, for example /PORT=COM1:. Nothing was installed."
LangString BadPort ${LANG_JAPANESE} "/PORT=$R1 は QXdrv が使える COM ポートではありません。COM1: から COM256: を、たとえば /PORT=COM1: のように指定してください。何もインストールされていません。"
LangString CannotReplace ${LANG_ENGLISH} "Setup could not replace $0: it is in use, perhaps by QXdrv in another user's session. Exit QXdrv there (or log that user off) and run the setup again."
LangString CannotReplace ${LANG_JAPANESE} "$0 を置き換えられませんでした。使用中です (別のユーザーのセッションで QXdrv が動いている可能性があります)。そちらで QXdrv を終了するか、そのユーザーをログオフしてから、もう一度実行してください。"

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "QXdrv setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "Copyright (C) NORVANE. All rights reserved."
VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileDescription" "QXdrv セットアップ"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "LegalCopyright" "Copyright (C) NORVANE. All rights reserved."

; Ends a running QXdrv as its Exit command does (WM_CLOSE to its main window)
; and waits for its process: the files can then be replaced, and the user's
; pointer settings are back. Aborts when it does not end.
!macro DEFINE_END_RUNNING_COPY un
Function ${un}EndRunningCopy
    FindWindow $0 "${MAIN_CLASS}"
    ${If} $0 == 0
        Return
    ${EndIf}
    System::Call 'user32::GetWindowThreadProcessId(p r0, *i .r1) i'
    System::Call 'kernel32::OpenProcess(i ${SYNCHRONIZE}, i 0, i r1) p .r2'
    System::Call 'user32::PostMessageW(p r0, i ${WM_CLOSE}, p 0, p 0) i'
    ${If} $2 P<> 0
        System::Call 'kernel32::WaitForSingleObject(p r2, i ${WAIT_FOR_END_MS}) i .r3'
        System::Call 'kernel32::CloseHandle(p r2) i'
    ${Else}
        Sleep 2000
        StrCpy $3 0
    ${EndIf}
    FindWindow $0 "${MAIN_CLASS}"
    ${If} $3 != 0
    ${OrIf} $0 != 0
        MessageBox MB_ICONSTOP|MB_OK "$(NotEnded)" /SD IDOK
        SetErrorLevel 2
        Quit
    ${EndIf}
FunctionEnd
!macroend
!insertmacro DEFINE_END_RUNNING_COPY ""
!insertmacro DEFINE_END_RUNNING_COPY "un."

; Ends the setup when a file to be replaced is still held open, e.g. by a
; copy running in another session, which no message from here can reach.
!macro REQUIRE_REPLACEABLE file
    StrCpy $0 "${file}"
    ${If} ${FileExists} "$0"
        ClearErrors
        FileOpen $1 "$0" a
        ${If} ${Errors}
            MessageBox MB_ICONSTOP|MB_OK "$(CannotReplace)" /SD IDOK
            SetErrorLevel 2
            Quit
        ${EndIf}
        FileClose $1
    ${EndIf}
!macroend

; The /PORT= and /MODEL= options, in $R1 and $R2 (empty when not given). A
; port is a name the property sheet can list: "COM1:" to "COM256:", written
; so (capitals, no leading zero, the colon).
Function .onInit
    SetRegView 64
    SetShellVarContext all
    ${GetParameters} $R0
    StrCpy $R1 ""
    StrCpy $R2 ""
    ClearErrors
    ${GetOptions} $R0 "/PORT=" $R1
    ${IfNot} ${Errors}
        StrLen $0 $R1
        StrCpy $1 $R1 3
        StrCpy $3 $R1 1 -1
        IntOp $4 $0 - 4
        StrCpy $2 $R1 $4 3
        StrCpy $5 $2 1
        StrCpy $9 1
        ${If} $0 < 5
        ${OrIf} $0 > 7
        ${OrIfNot} $1 S== "COM"
        ${OrIfNot} $3 S== ":"
        ${OrIf} $5 S== "0"
            StrCpy $9 0
        ${EndIf}
        ; Only digits between: a character that is no digit counts as 0.
        ${For} $6 1 $4
            IntOp $7 $6 - 1
            StrCpy $8 $2 1 $7
            IntOp $7 $8 + 0
            ${If} $7 == 0
            ${AndIfNot} $8 S== "0"
                StrCpy $9 0
            ${EndIf}
        ${Next}
        ${If} $9 == 1
            IntOp $7 $2 + 0
            ${If} $7 < 1
            ${OrIf} $7 > 256
                StrCpy $9 0
            ${EndIf}
        ${EndIf}
        ${If} $9 == 0
            MessageBox MB_ICONSTOP|MB_OK "$(BadPort)" /SD IDOK
            SetErrorLevel 2
            Quit
        ${EndIf}
    ${EndIf}
    ClearErrors
    ${GetOptions} $R0 "/MODEL=" $R2
    ${IfNot} ${Errors}
        ${IfNot} $R2 S== "100"
        ${AndIfNot} $R2 S== "200"
            MessageBox MB_ICONSTOP|MB_OK "$(BadModel)" /SD IDOK
            SetErrorLevel 2
            Quit
        ${EndIf}
    ${EndIf}
FunctionEnd

Function un.onInit
    SetRegView 64
    SetShellVarContext all
FunctionEnd

Section "QXdrv" SecMain
    SectionIn RO
    Call EndRunningCopy
    !insertmacro REQUIRE_REPLACEABLE "$INSTDIR\QXdrv.exe"
    !insertmacro REQUIRE_REPLACEABLE "$INSTDIR\QXdrv_en.chm"
    !insertmacro REQUIRE_REPLACEABLE "$INSTDIR\QXdrv_ja.chm"

    SetOutPath "$INSTDIR"
    File "${BUILD_DIR}\QXdrv.exe"
    File "${BUILD_DIR}\QXdrv_en.chm"
    File "${BUILD_DIR}\QXdrv_ja.chm"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    CreateDirectory "$SMPROGRAMS\QXdrv"
    CreateShortcut "$SMPROGRAMS\QXdrv\QXdrv.lnk" "$INSTDIR\QXdrv.exe"
    CreateShortcut "$SMPROGRAMS\QXdrv\$(HelpTitle).lnk" "$INSTDIR\$(HelpFile)"
    CreateShortcut "$SMPROGRAMS\QXdrv\$(UninstallTitle).lnk" "$INSTDIR\uninstall.exe"

    WriteRegStr HKLM "${RUN_KEY}" "${PRODUCT}" '"$INSTDIR\QXdrv.exe"'

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" '"$INSTDIR\QXdrv.exe",0'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    IntFmt $0 "0x%08X" $0
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" "$0"

    ; The port and model given, for every user and, since a user's own
    ; values are read first, for the installing user as install mode does.
    ${If} $R1 != ""
        WriteRegStr HKLM "${SETTINGS_KEY}" "UsePort" "$R1"
        WriteRegStr HKCU "${SETTINGS_KEY}" "UsePort" "$R1"
    ${EndIf}
    ${If} $R2 != ""
        WriteRegDWORD HKLM "${SETTINGS_KEY}" "QXMachine" $R2
        WriteRegDWORD HKCU "${SETTINGS_KEY}" "QXMachine" $R2
    ${EndIf}

    ; Install mode asks for the port once, unless one is configured; what it
    ; stores then goes to the interactive user as well.
    ${IfNot} ${Silent}
        ReadRegStr $0 HKCU "${SETTINGS_KEY}" "UsePort"
        ReadRegStr $1 HKLM "${SETTINGS_KEY}" "UsePort"
        ExecWait '"$INSTDIR\QXdrv.exe" -i'
        ${If} $0 == ""
        ${AndIf} $1 == ""
            ReadRegStr $R1 HKLM "${SETTINGS_KEY}" "UsePort"
            ReadRegDWORD $R2 HKLM "${SETTINGS_KEY}" "QXMachine"
        ${EndIf}
    ${EndIf}

    ; The driver, as the interactive user of this session or at the next logon.
    InitPluginsDir
    File "/oname=$PLUGINSDIR\QXstart.exe" "${START_EXE}"
    StrCpy $0 '"$PLUGINSDIR\QXstart.exe" "$INSTDIR\QXdrv.exe"'
    ${If} $R1 != ""
        StrCpy $0 '$0 UsePort=$R1'
    ${EndIf}
    ${If} $R2 != ""
        StrCpy $0 '$0 QXMachine=$R2'
    ${EndIf}
    ExecWait $0 $1
    DetailPrint "QXstart: $1"
SectionEnd

Section "Uninstall"
    Call un.EndRunningCopy
    Delete "$INSTDIR\QXdrv.exe"
    Delete "$INSTDIR\QXdrv_en.chm"
    Delete "$INSTDIR\QXdrv_ja.chm"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    RMDir "$PROGRAMFILES64\NORVANE"
    Delete "$SMPROGRAMS\QXdrv\*.lnk"
    RMDir "$SMPROGRAMS\QXdrv"
    DeleteRegValue HKLM "${RUN_KEY}" "${PRODUCT}"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    ; The settings and calibrations under SOFTWARE\NORVANE stay.
SectionEnd
