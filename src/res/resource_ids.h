// Resource identifiers of QXdrv: icons, dialog templates and string-table
// entries. Shared by the resource scripts and the code, so it holds only
// #define lines that the resource compiler understands.
#ifndef QXDRV_RES_RESOURCE_IDS_H
#define QXDRV_RES_RESOURCE_IDS_H

// Icons
#define IDI_PEN_ENABLED              128
#define IDI_PEN_DISABLED             189

// Dialog templates
#define IDD_ABOUTBOX                 100

// Controls without an identifier of their own
#define IDC_STATIC                   (-1)

// Application and start-up
#define IDS_APP_NAME                 57344
#define IDS_ALREADY_RUNNING          57346
#define IDS_TRAY_TIP                 57347
#define IDS_HOTKEY_FAILED            57711
#define IDS_INSTALL_SET_PORT         57696
#define IDS_INSTALL_PORT_APPLIED     57697

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

// Serial link
#define IDS_PORT_OPEN_FAILED         57677
#define IDS_RECEIVE_FAILED           57684

// Calibration model
#define IDS_MODE_FULL                57703
#define IDS_MODE_4_3                 57704
#define IDS_MODE_SELECTED            57706
#define IDS_PRESET_APPLIED           57720
#define IDS_PRESET_APPLIED_NO_MODE   57721
#define IDS_RESOLUTION_PIXELS        57724
#define IDS_MODE_ORIGINAL            60000
#define IDS_MODE_DOT_BY_DOT          60005

// Settings store
#define IDS_MAKER_KEY                60016
#define IDS_SETTINGS_SUBKEY          60017
#define IDS_PRODUCT_SUBKEY           60018
#define IDS_VERSION_STAMP            60019
#define IDS_NO_RIGHTS                60102

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
