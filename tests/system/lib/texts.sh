# The texts the system tests expect, written out here so that a slip in a
# string table shows (escapes as the UI probe prints them: \r, \n stay two
# characters): English as the product's description quotes it, Japanese as
# the product's own translation has it.

# _qx_text_of en|ja ID: the text of string ID (or a dialog's caption, by the
# dialog's id) in that language; fails for an ID that has none here.
_qx_text_of() {
    local t
    case $1:$2 in
    en:IDS_ALREADY_RUNNING) t='%1 is already exist.' ;;
    en:IDS_CALIB_CONFIRM_QUESTION) t='May apply a result of calibration?\r\r  Yes : press [Y] key\r  No   : press [N] key,  please ' ;;
    en:IDS_CALIB_EXIT_QUESTION) t='Exit calibration?\r\r  Yes : press [Y] key\r  No   : press [N] key,  please ' ;;
    en:IDS_CHART_OUTPUT) t='The image output of a personal computer' ;;
    en:IDS_D2_NOTE_B200_3) t='  of PDP is PARTIAL.' ;;
    en:IDS_DISABLE_PORT_QUESTION) t='If you disable the COM port, the pen can'\''t be used any more.\r\rDo you want to invalidate the COM port?' ;;
    en:IDS_DISPLAY_PANEL_TITLE) t='Display Properties' ;;
    en:IDS_EDGE_ADJUST_QUESTION) t='When the display position has shifted with PDP device, it recommends performing a calibration after the adjustment.\r\r\nDo you want to adjust the position of the PDP device first?' ;;
    en:IDS_EDGE_APPLY_QUESTION) t='May apply a result of calibration?\r' ;;
    en:IDS_ENTER_INTEGER_RANGE) t='Please enter an integer between %1 and %2.' ;;
    en:IDS_ENTER_NUMBER) t='Please enter a number.' ;;
    en:IDS_HELP_MISSING) t='The help file was not found:\r%1\r\rReinstall QXdrv to restore its help.' ;;
    en:IDS_PANEL_DISPLAY_GONE) t='The display chosen for the panel (%1) is not attached now.\r\rThe pen works on the primary display until it is attached again. To use another display, choose it in "Properties" of the tray menu.' ;;
    en:IDS_HOTKEY_CHANGED) t='The Hotkey for calibration select was changed.\r\rNew Hotkey is %1.' ;;
    en:IDS_HTML_NEXT_START) t='"Optimization of HTML" is applied from the time of starting next time.' ;;
    en:IDS_HTML_QUESTION) t='Trouble may usually arise in operation by the setting range.\n\nAre you sure wanto to "Optimaization of HTML"' ;;
    en:IDS_INSTALL_NOT_SET) t='No COM port was set, so the pen cannot be used yet.\r\rRun "QXdrv.exe -i" again, or choose the port later in "Properties" of the tray menu.' ;;
    en:IDS_INSTALL_PORT_APPLIED) t='The COM port which the pen can be used was applied.\n' ;;
    en:IDS_INSTALL_SET_PORT) t='Set the COM port which the pen can be used.\r\r\nPlease set up "COM1" in general.\n' ;;
    en:IDS_MENU_ABOUT) t='&About...' ;;
    en:IDS_MENU_CALIBRATION) t='&Calibration...' ;;
    en:IDS_MENU_DISABLE_PORT) t='&Disable COM port' ;;
    en:IDS_MENU_EXIT) t='E&xit' ;;
    en:IDS_MENU_HELP) t='&Help' ;;
    en:IDS_MENU_PROPERTIES) t='P&roperties...' ;;
    en:IDS_MENU_RESOLUTION) t='Current Resolution' ;;
    en:IDS_MENU_TEST_MODE) t='&Test Mode' ;;
    en:IDS_MENU_TEST_MODE_POPUP) t='Test Mode' ;;
    en:IDS_MODEL_B200) t='PX-B200' ;;
    en:IDS_MODE_SELECTED) t='%1 mode is selected.' ;;
    en:IDS_NO_ADDRESS) t='Nothing.' ;;
    en:IDS_PORT_CHANGED) t='The use COM port was changed into [%1].\rIt will be effective from the next starting.' ;;
    en:IDS_PORT_CHANGE_CANCELED) t='The COM port Setting was canceled.' ;;
    en:IDS_PORT_CHANGE_QUESTION) t='If the COM port is changed, the pen may not work from the next starting.\rDo you want to change a COM port?' ;;
    en:IDS_PORT_OPEN_FAILED) t='Failed in opening of a COM port (%1), the pen can'\''t be used.\n\rPlease check your system setup.' ;;
    en:IDS_PORT_CONFLICT_WARNING) t='The specified port is used by other applications \rand a pen may be unable to use it after re-starting.\n\r\rWhen you cannot use it, please choose the port which does not conflict from "COM port selection" of a property after re-starting.' ;;
    en:IDS_QUIT_QUESTION) t='Quit %1 application?' ;;
    en:IDS_RESOLUTION_PIXELS) t='%d x %d pixels' ;;
    en:IDS_RES_CHANGED_ADJUSTED) t='Screen resolution was changed.\r(Current resolution = %1)\r\rThis resolution was adjusted.\rWhen you readjust, please choose ""Yes"". When you apply the previous adjustment value, please reconfirm the screen mode of PDP, and choose ""No.""\r\r' ;;
    en:IDS_RES_CHANGED_ASK) t='Do you want to calibrate of the pen?\r\r* The adjustment value is registered after the calibration.' ;;
    en:IDS_RES_CHANGED_NO_PRESET) t='Screen resolution was changed.\r(Current resolution = %1)\r\rThe preset value of the specified resolution does not exist.Recommend adjustment by the Detail-1 setup. \rDo you want to calibrate by the Detail-1 setup?\r\r* The setting value is registered after the setup.' ;;
    en:IDS_RES_CHANGED_PRESET) t='Screen resolution was changed.\r(Current resolution = %1)\rDo you want to calibrate of the pen? \r\rIf you select "No", the optimum preset value [%2 mode] will be applied for resolution.' ;;
    en:IDS_SELECT_PORT) t='Please select a COM port.' ;;
    en:IDS_SUFFIX_IN_USE) t=' [Using]' ;;
    en:IDS_SUFFIX_SELECTED) t=' [Selected]' ;;
    en:IDS_TRAY_TIP) t='Set to %1 Ver.1.2.' ;;
    en:IDS_VERSION_STAMP) t='Version 1.2' ;;
    en:IDD_ABOUTBOX) t='About QXdrv' ;;
    ja:IDS_MENU_RESOLUTION) t='現在の解像度' ;;
    ja:IDS_MENU_CALIBRATION) t='キャリブレーション(&C)...' ;;
    ja:IDS_MENU_DISABLE_PORT) t='COM ポートを無効にする(&D)' ;;
    ja:IDS_MENU_PROPERTIES) t='プロパティ(&R)...' ;;
    ja:IDS_MENU_TEST_MODE_POPUP) t='テストモード' ;;
    ja:IDS_MENU_TEST_MODE) t='テストモード(&T)' ;;
    ja:IDS_MENU_HELP) t='ヘルプ(&H)' ;;
    ja:IDS_MENU_ABOUT) t='バージョン情報(&A)...' ;;
    ja:IDS_MENU_EXIT) t='終了(&X)' ;;
    ja:IDS_VERSION_STAMP) t='Version 1.2.0.0' ;;
    ja:IDS_TRAY_TIP) t='%1 Ver.1.2 で動作中です。' ;;
    ja:IDS_DISABLE_PORT_QUESTION) t='COM ポートを無効にすると、ペンは使用できなくなります。\r\rCOM ポートを無効にしますか?' ;;
    ja:IDS_ALREADY_RUNNING) t='%1 は既に起動しています。' ;;
    ja:IDS_RESOLUTION_PIXELS) t='%d x %d ピクセル' ;;
    ja:IDS_SUFFIX_IN_USE) t=' [使用中]' ;;
    ja:IDS_SUFFIX_SELECTED) t=' [選択]' ;;
    ja:IDS_INSTALL_NOT_SET) t='COM ポートが設定されていないため、ペンはまだ使用できません。\r\r"QXdrv.exe -i" をもう一度実行するか、後でトレイメニューの「プロパティ」からポートを選択してください。' ;;
    ja:IDS_MODEL_A100) t='PX-A100' ;;
    ja:IDD_ABOUTBOX) t='QXdrv のバージョン情報' ;;
    ja:IDD_CALIB_SELECT) t='キャリブレーションの選択' ;;
    ja:IDD_TEST_MODE) t='テストモード' ;;
    *) return 1 ;;
    esac
    printf '%s\n' "$t"
}
