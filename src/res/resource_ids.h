// Resource identifiers of QXdrv: icons, dialog templates and string-table
// entries. Shared by the resource scripts and the code, so it holds only
// #define lines that the resource compiler understands.
#ifndef QXDRV_RES_RESOURCE_IDS_H
#define QXDRV_RES_RESOURCE_IDS_H

// Icons
#define IDI_PEN_ENABLED              128
#define IDI_PEN_DISABLED             189

// Calibration selection pictures, 32 x 32: each enabled one has a greyed
// *_OFF twin shown while its choice is unavailable.
#define IDI_MODE_FULL                141
#define IDI_MODE_FULL_OFF            178
#define IDI_MODE_4_3                 147
#define IDI_MODE_4_3_OFF             176
#define IDI_MODE_ORIGINAL            148
#define IDI_MODE_ORIGINAL_OFF        179
#define IDI_MODE_DOT_BY_DOT          191
#define IDI_MODE_DOT_BY_DOT_OFF      192
#define IDI_DETAIL1                  146
#define IDI_DETAIL1_OFF              150
#define IDI_DETAIL2                  145
#define IDI_DETAIL2_OFF              149

// Cursors of the Detail-2 edge steps: arrows whose hot spot is their tip.
#define IDCUR_EDGE_TOP               138
#define IDCUR_EDGE_BOTTOM            139

// Dialog templates
#define IDD_ABOUTBOX                 100
#define IDD_CALIB_SELECT             135
#define IDD_CALIB_DETAIL2            136
#define IDD_CALIB_HOTKEY             182
#define IDD_PROP_PORT                132

// Controls without an identifier of their own
#define IDC_STATIC                   (-1)

// Calibration selection dialog (IDD_CALIB_SELECT); IDOK and IDCANCEL are
// its buttons 1 and 2.
#define IDC_APPLY                    3
#define IDC_METHOD_EASY              1014
#define IDC_METHOD_DETAIL            1015
#define IDC_MODE_GROUP               1020
#define IDC_MODE_FULL_ICON           1040
#define IDC_MODE_4_3_ICON            1041
#define IDC_MODE_THIRD_ICON          1042
#define IDC_MODE_FULL                1019
#define IDC_MODE_4_3                 1018
#define IDC_MODE_THIRD               1017
#define IDC_EASY_NOTE1               1047
#define IDC_EASY_NOTE2               1048
#define IDC_EASY_NOTE3               1049
#define IDC_MANUAL_GROUP             1021
#define IDC_DETAIL1_ICON             1043
#define IDC_DETAIL2_ICON             1044
#define IDC_DETAIL1                  1022
#define IDC_DETAIL2                  1023
#define IDC_DETAIL2_NOTE1            1050
#define IDC_DETAIL2_NOTE2            1051
#define IDC_DETAIL2_NOTE3            1052
#define IDC_DETAIL2_NOTE4            1053
#define IDC_RESOLUTION_TEXT          1031
#define IDC_HOTKEY_TEXT              1032

// The prompt box: a child of the main window while it is the four-cross
// screen (a window of its own, not a dialog item).
#define IDC_CALIB_PROMPT_BOX         0xFFFF

// Detail-2 edge screen (IDD_CALIB_DETAIL2)
#define IDC_EDGE_PANEL               1022
#define IDC_EDGE_BAR                 1023
#define IDC_EDGE_TEXT_TOP            1048
#define IDC_EDGE_TEXT_BOTTOM         1050
#define IDC_EDGE_TEXT_ESC            1051

// Hotkey dialog (IDD_CALIB_HOTKEY)
#define IDC_HOTKEY_LIST              1049

// COM port page (IDD_PROP_PORT) and its picture: a computer joined by a
// cable to a display on a stand, pure blue transparent.
#define IDC_PORT_PICTURE             1050
#define IDC_PORT_LIST                1054
#define IDC_MODEL_LABEL              1058
#define IDC_MODEL_COMBO              1074
#define IDB_PORT_PICTURE             171

// Pointer pages of the property sheet: double-click area (IDD_PROP_DBLCLICK),
// double-click speed (IDD_PROP_DBLCLICK_SPEED) and other setup
// (IDD_PROP_OTHER); their pictures are pure blue transparent.
#define IDD_PROP_DBLCLICK            133
#define IDD_PROP_DBLCLICK_SPEED      138
#define IDD_PROP_OTHER               137
#define IDC_AREA_EDIT                1006
#define IDC_AREA_PICTURE             1009
#define IDC_PAGE_SLIDER              1028
#define IDC_SET_DEFAULT              1029
#define IDC_SPEED_ANIMATION          1037
#define IDC_SPEED_TARGET             1039
#define IDC_MIDDLE_BUTTON            1025
#define IDC_PEN_PICTURE              1051
#define IDC_CALIB_NOTICE             1064
#define IDC_HTML_ENABLE              1076
#define IDC_RANGE_SLIDER             1077
#define IDC_RANGE_NARROW             1078
#define IDC_RANGE_WIDE               1079
#define IDC_RANGE_GROUP              1080
#define IDC_RANGE_RECOMMENDED        1081
#define IDB_SPEED_TARGET             159
#define IDB_PEN_PICTURE              156
#define IDR_SPEED_ANIMATION          172
#define IDS_TIP_MIDDLE_BUTTON        57693
#define IDS_TIP_DBLCLICK_AREA        57694
#define IDS_TIP_DBLCLICK_SPEED       57702
#define IDS_TIP_CALIB_NOTICE         60014
#define IDS_TIP_HTML                 60020
#define IDS_HTML_NEXT_START          60021
#define IDS_HTML_QUESTION            60104
#define IDS_ENTER_INTEGER            61712
#define IDS_ENTER_INTEGER_RANGE      61714

// Panel display page (IDD_PROP_DISPLAY): the displays of the desktop, one of
// them the panel.
#define IDD_PROP_DISPLAY             194
#define IDC_DISPLAY_LIST             1120
#define IDS_DISPLAY_ENTRY            60320
#define IDS_DISPLAY_PRIMARY          60321
#define IDS_DISPLAY_NOT_PRESENT      60322
#define IDS_TIP_DISPLAY_LIST         60323

// Application and start-up
#define IDS_APP_NAME                 57344
#define IDS_ALREADY_RUNNING          57346
#define IDS_TRAY_TIP                 57347
#define IDS_HOTKEY_FAILED            57711
#define IDS_INSTALL_SET_PORT         57696
#define IDS_INSTALL_PORT_APPLIED     57697
#define IDS_INSTALL_NOT_SET          60200

// Tray menu
#define IDS_QUIT_QUESTION            57665
#define IDS_MENU_PROPERTIES          57666
#define IDS_MENU_CALIBRATION         57667
#define IDS_MENU_ABOUT               57668
#define IDS_MENU_EXIT                57669
#define IDS_PROPERTIES_CAPTION       57670
#define IDS_MENU_RESOLUTION          57671
#define IDS_MENU_DISABLE_PORT        57672
#define IDS_MENU_TEST_MODE           57685
#define IDS_MENU_TEST_MODE_POPUP     57686
#define IDS_DISABLE_PORT_QUESTION    57691
#define IDS_MENU_HELP                57701
#define IDS_HELP_FILE                60201
#define IDS_HELP_MISSING             60202
#define IDS_HELP_REFUSED             60203
#define IDS_HELP_NO_VIEWER           60204

// The panel's display
#define IDS_PANEL_DISPLAY_GONE       60300

// Serial link
#define IDS_PORT_OPEN_FAILED         57677
#define IDS_RECEIVE_FAILED           57684

// Resolution change
#define IDS_RES_CHANGED_PRESET       57681
#define IDS_RES_CHANGED_NO_PRESET    57715
#define IDS_RES_CHANGED_ADJUSTED     57716
#define IDS_RES_CHANGED_ASK          57717
#define IDS_DISPLAY_PANEL_TITLE      57726

// Calibration model
#define IDS_MODE_FULL                57703
#define IDS_MODE_4_3                 57704
#define IDS_MODE_SELECTED            57706
#define IDS_PRESET_APPLIED           57720
#define IDS_PRESET_APPLIED_NO_MODE   57721
#define IDS_RESOLUTION_PIXELS        57724
#define IDS_MODE_ORIGINAL            60000
#define IDS_MODE_DOT_BY_DOT          60005

// Calibration dialogs and screens
#define IDS_CALIB_EXIT_QUESTION      57348
#define IDS_CALIB_PROMPT             57349
#define IDS_CALIB_CONFIRM_PROMPT     57350
#define IDS_CALIB_CONFIRM_QUESTION   57351
#define IDS_EDGE_APPLY_QUESTION      57683
#define IDS_EDGE_ADJUST_QUESTION     57699
#define IDS_EDGE_ADJUST_NOTICE       57700
#define IDS_HOTKEY_CHANGED           57707
#define IDS_HOTKEY_CHANGE_FAILED     57708
#define IDS_HOTKEY_TEXT              57709
#define IDS_DETAIL1_AT_ZOOM_QUESTION 57710
#define IDS_EDGE_ERROR               57712
#define IDS_TIP_HOTKEY               57713
#define IDS_TIP_CALIB_METHOD         57714
#define IDS_EDGE_TOP_TEXT            57727
#define IDS_EDGE_BOTTOM_TEXT         57728
#define IDS_EDGE_ESC_TEXT            57729
#define IDS_PROMPT_FONT              57730
#define IDS_D2_NOTE_A100_1           60002
#define IDS_D2_NOTE_A100_2           60003
#define IDS_D2_NOTE_A100_3           60004
#define IDS_D2_NOTE_B200_1           60006
#define IDS_D2_NOTE_B200_2           60007
#define IDS_D2_NOTE_B200_3           60008

// Property sheet and COM port page
#define IDS_PORT_CHANGED             57678
#define IDS_PORT_CHANGE_QUESTION     57680
#define IDS_PORT_CHANGE_CANCELED     57682
#define IDS_TIP_PORT_LIST            57692
#define IDS_SELECT_PORT              57698
#define IDS_SUFFIX_IN_USE            57718
#define IDS_SUFFIX_SELECTED          57719
#define IDS_SUFFIX_CONFLICTED        57722
#define IDS_SUFFIX_NOT_PRESENT       57725
#define IDS_PORT_CONFLICT_WARNING    57723
#define IDS_MODEL_A100               60010
#define IDS_MODEL_B200               60011
#define IDS_TIP_MODEL                60015

// Settings store
#define IDS_MAKER_KEY                60016
#define IDS_SETTINGS_SUBKEY          60017
#define IDS_PRODUCT_SUBKEY           60018
#define IDS_VERSION_STAMP            60019
#define IDS_NO_RIGHTS                60102

// Test mode dialog (IDD_TEST_MODE) and test chart (IDD_TEST_CHART)
#define IDD_TEST_MODE                134
#define IDD_TEST_CHART               190
#define IDC_TM_UNTREATED             1012
#define IDC_TM_DRIVER_LEFT           1013
#define IDC_TM_DRIVER_MIDDLE         1014
#define IDC_TM_DRIVER_RIGHT          1015
#define IDC_TM_DRIVER_POSITION       1016
#define IDC_TM_SYSTEM_LEFT           1017
#define IDC_TM_SYSTEM_MIDDLE         1018
#define IDC_TM_SYSTEM_RIGHT          1019
#define IDC_TM_SYSTEM_POSITION       1020
#define IDC_TM_DBLCLK_WIDTH          1021
#define IDC_TM_DBLCLK_HEIGHT         1022
#define IDC_TM_DBLCLK_TIME           1023
#define IDC_TM_LIVE_RATIO_X          1024
#define IDC_TM_LIVE_RATIO_Y          1025
#define IDC_TM_LIVE_OFFSET_X         1026
#define IDC_TM_LIVE_OFFSET_Y         1027
#define IDC_TM_MANUAL_RATIO_X        1028
#define IDC_TM_MANUAL_RATIO_Y        1029
#define IDC_TM_MANUAL_OFFSET_X       1030
#define IDC_TM_MANUAL_OFFSET_Y       1031
#define IDC_TM_SET                   1046
#define IDC_TM_DEBUG_GROUP           1055
#define IDC_TM_CHART                 1065
#define IDC_TM_COMPUTER_NAME         1072
#define IDC_TM_ADDRESSES             1073
#define IDC_CHART_INSTRUCTION        1048
#define IDC_CHART_MODE_LINE          1050
#define IDS_MARK_DOWN                57687
#define IDS_MARK_UP                  57688
#define IDS_MARK_DISABLED            57689
#define IDS_MARK_NONE                57690
#define IDS_CHART_INSTRUCTION        60012
#define IDS_CHART_OUTPUT             60013
#define IDS_NO_ADDRESS               60103
#define IDS_ENTER_NUMBER             61713

// Menu and command identifiers carried by WM_COMMAND; they share the numbers
// of the menu texts.
#define ID_APP_RESOLUTION            IDS_MENU_RESOLUTION
#define ID_APP_PROPERTIES            IDS_MENU_PROPERTIES
#define ID_APP_CALIBRATION           IDS_MENU_CALIBRATION
#define ID_APP_DISABLE_PORT          IDS_MENU_DISABLE_PORT
#define ID_APP_TEST_MODE             IDS_MENU_TEST_MODE
#define ID_APP_HELP                  IDS_MENU_HELP
#define ID_APP_ABOUT                 IDS_MENU_ABOUT
#define ID_APP_EXIT                  IDS_MENU_EXIT

#endif
