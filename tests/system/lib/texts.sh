# The texts the system tests expect, written out here so that a slip in a
# string table shows (escapes as the UI probe prints them: \r, \n stay two
# characters): English as the product's description quotes it, Japanese as
# the product's own translation has it.

# _qx_en_quoted ID: the quoted English text of string ID; fails for an ID
# that has none here.
_qx_en_quoted() {
    local t
    case $1 in
    IDS_ALREADY_RUNNING) t='%1 is already exist.' ;;
    IDS_CALIB_CONFIRM_QUESTION) t='May apply a result of calibration?\r\r  Yes : press [Y] key\r  No   : press [N] key,  please ' ;;
    IDS_CALIB_EXIT_QUESTION) t='Exit calibration?\r\r  Yes : press [Y] key\r  No   : press [N] key,  please ' ;;
    IDS_D2_NOTE_B200_3) t='  of PDP is PARTIAL.' ;;
    IDS_DISABLE_PORT_QUESTION) t='If you disable the COM port, the pen can'\''t be used any more.\r\rDo you want to invalidate the COM port?' ;;
    IDS_DISPLAY_PANEL_TITLE) t='Display Properties' ;;
    IDS_EDGE_ADJUST_QUESTION) t='When the display position has shifted with PDP device, it recommends performing a calibration after the adjustment.\r\r\nDo you want to adjust the position of the PDP device first?' ;;
    IDS_EDGE_APPLY_QUESTION) t='May apply a result of calibration?\r' ;;
    IDS_ENTER_INTEGER_RANGE) t='Please enter an integer between %1 and %2.' ;;
    IDS_ENTER_NUMBER) t='Please enter a number.' ;;
    IDS_HELP_MISSING) t='The help file was not found:\r%1\r\rReinstall QXdrv to restore its help.' ;;
    IDS_HOTKEY_CHANGED) t='The Hotkey for calibration select was changed.\r\rNew Hotkey is %1.' ;;
    IDS_HTML_NEXT_START) t='"Optimization of HTML" is applied from the time of starting next time.' ;;
    IDS_HTML_QUESTION) t='Trouble may usually arise in operation by the setting range.\n\nAre you sure wanto to "Optimaization of HTML"' ;;
    IDS_INSTALL_NOT_SET) t='No COM port was set, so the pen cannot be used yet.\r\rRun "QXdrv.exe -i" again, or choose the port later in "Properties" of the tray menu.' ;;
    IDS_INSTALL_PORT_APPLIED) t='The COM port which the pen can be used was applied.\n' ;;
    IDS_INSTALL_SET_PORT) t='Set the COM port which the pen can be used.\r\r\nPlease set up "COM1" in general.\n' ;;
    IDS_MENU_ABOUT) t='&About...' ;;
    IDS_MENU_CALIBRATION) t='&Calibration...' ;;
    IDS_MENU_DISABLE_PORT) t='&Disable COM port' ;;
    IDS_MENU_EXIT) t='E&xit' ;;
    IDS_MENU_HELP) t='&Help' ;;
    IDS_MENU_PROPERTIES) t='P&roperties...' ;;
    IDS_MENU_RESOLUTION) t='Current Resolution' ;;
    IDS_MENU_TEST_MODE) t='&Test Mode' ;;
    IDS_MENU_TEST_MODE_POPUP) t='Test Mode' ;;
    IDS_MODEL_B200) t='PX-B200' ;;
    IDS_MODE_SELECTED) t='%1 mode is selected.' ;;
    IDS_NO_ADDRESS) t='Nothing.' ;;
    IDS_PORT_CHANGED) t='The use COM port was changed into [%1].\rIt will be effective from the next starting.' ;;
    IDS_PORT_CHANGE_CANCELED) t='The COM port Setting was canceled.' ;;
    IDS_PORT_CHANGE_QUESTION) t='If the COM port is changed, the pen may not work from the next starting.\rDo you want to change a COM port?' ;;
    IDS_PORT_CONFLICT_WARNING) t='The specified port is used by other applications \rand a pen may be unable to use it after re-starting.\n\r\rWhen you cannot use it, please choose the port which does not conflict from "COM port selection" of a property after re-starting.' ;;
    IDS_QUIT_QUESTION) t='Quit %1 application?' ;;
    IDS_RESOLUTION_PIXELS) t='%d x %d pixels' ;;
    IDS_RES_CHANGED_ADJUSTED) t='Screen resolution was changed.\r(Current resolution = %1)\r\rThis resolution was adjusted.\rWhen you readjust, please choose ""Yes"". When you apply the previous adjustment value, please reconfirm the screen mode of PDP, and choose ""No.""\r\r' ;;
    IDS_RES_CHANGED_ASK) t='Do you want to calibrate of the pen?\r\r* The adjustment value is registered after the calibration.' ;;
    IDS_RES_CHANGED_NO_PRESET) t='Screen resolution was changed.\r(Current resolution = %1)\r\rThe preset value of the specified resolution does not exist.Recommend adjustment by the Detail-1 setup. \rDo you want to calibrate by the Detail-1 setup?\r\r* The setting value is registered after the setup.' ;;
    IDS_RES_CHANGED_PRESET) t='Screen resolution was changed.\r(Current resolution = %1)\rDo you want to calibrate of the pen? \r\rIf you select "No", the optimum preset value [%2 mode] will be applied for resolution.' ;;
    IDS_SELECT_PORT) t='Please select a COM port.' ;;
    IDS_SUFFIX_IN_USE) t=' [Using]' ;;
    IDS_SUFFIX_SELECTED) t=' [Selected]' ;;
    IDS_TRAY_TIP) t='Set to %1 Ver.1.2.' ;;
    IDS_VERSION_STAMP) t='Version 1.2' ;;
    *) return 1 ;;
    esac
    printf '%s\n' "$t"
}

# _qx_ja_text ID: the Japanese text of string ID as the Japanese user must read
# it; fails for an ID that has none here.
_qx_ja_text() {
    local t
    case $1 in
    IDS_MENU_RESOLUTION) t='現在の解像度' ;;
    IDS_MENU_CALIBRATION) t='キャリブレーション(&C)...' ;;
    IDS_MENU_DISABLE_PORT) t='COM ポートを無効にする(&D)' ;;
    IDS_MENU_PROPERTIES) t='プロパティ(&R)...' ;;
    IDS_MENU_TEST_MODE_POPUP) t='テストモード' ;;
    IDS_MENU_TEST_MODE) t='テストモード(&T)' ;;
    IDS_MENU_HELP) t='ヘルプ(&H)' ;;
    IDS_MENU_ABOUT) t='バージョン情報(&A)...' ;;
    IDS_MENU_EXIT) t='終了(&X)' ;;
    IDS_VERSION_STAMP) t='Version 1.2.0.0' ;;
    IDS_TRAY_TIP) t='%1 Ver.1.2 で動作中です。' ;;
    IDS_DISABLE_PORT_QUESTION) t='COM ポートを無効にすると、ペンは使用できなくなります。\r\rCOM ポートを無効にしますか?' ;;
    IDS_ALREADY_RUNNING) t='%1 は既に起動しています。' ;;
    IDS_RESOLUTION_PIXELS) t='%d x %d ピクセル' ;;
    IDS_SUFFIX_IN_USE) t=' [使用中]' ;;
    IDS_SUFFIX_SELECTED) t=' [選択]' ;;
    IDS_INSTALL_NOT_SET) t='COM ポートが設定されていないため、ペンはまだ使用できません。\r\r"QXdrv.exe -i" をもう一度実行するか、後でトレイメニューの「プロパティ」からポートを選択してください。' ;;
    IDS_MODEL_A100) t='PX-A100' ;;
    *) return 1 ;;
    esac
    printf '%s\n' "$t"
}
