/* Resource and control ids of the configuration and about dialogs, shared by
   the resource script (resources/dialogs.rc, read by the resource compiler's
   C preprocessor, hence plain macros) and the dialog procedures. */
#pragma once

#define IDD_CONFIG 101          /* configuration dialog template */
#define IDD_ABOUT 105           /* about dialog template */
#define IDB_CONFIG_PICTURE 107  /* the picture in the configuration dialog */

/* Configuration dialog: video mode group */
#define IDC_VIDEO_GROUP 1060
#define IDC_VIDEO_MODES 1000    /* drop-down list of "%d x %d %d bits" */
#define IDC_USE_DESKTOP 1001
#define IDC_VSYNC 1028

/* Options group */
#define IDC_OPTIONS_GROUP 1061
#define IDC_SHOW_FPS 1027
#define IDC_MOUSE_EXIT 1011
#define IDC_SHOW_CLOCK 1004
#define IDC_CLOCK_12H 1054      /* radio: TimeFormat 1 */
#define IDC_CLOCK_24H 1049      /* radio: TimeFormat 0 */

/* Camera group */
#define IDC_CAMERA_GROUP 1062
#define IDC_SPEED_TEXT 1067
#define IDC_SPEED 1057          /* trackbar 0..100 */
#define IDC_REAL_DAY_NIGHT 1075

/* Gamma group */
#define IDC_GAMMA_GROUP 1063
#define IDC_BRIGHTNESS_TEXT 1030
#define IDC_GAMMA 1029          /* trackbar 0..100 */
#define IDC_DEF_GAMMA 1032

/* Sound group */
#define IDC_SOUND_GROUP 1065
#define IDC_VOLUME_TEXT 1017
#define IDC_VOLUME 1026         /* trackbar 1..100 */
#define IDC_ENABLE_MUSIC 1003

/* Products group and buttons (OK and Cancel are IDOK 1 and IDCANCEL 2) */
#define IDC_PRODUCTS_GROUP 1064
#define IDC_WEB_SITE_TEXT 1035
#define IDC_VISIT 1007
#define IDC_ABOUT 1008
#define IDC_RESTORE_DEFAULTS 1006

/* About dialog: seven centred lines, ids 1068 to 1074 */
#define IDC_ABOUT_FIRST_LINE 1068
