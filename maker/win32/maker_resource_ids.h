#ifndef GD_MAKER_WIN32_MAKER_RESOURCE_IDS_H
#define GD_MAKER_WIN32_MAKER_RESOURCE_IDS_H
/* Ids of the maker's resources, commands and dialog controls; read by windres and C++.
   A command's status-bar prompt and tooltip are the string of the same id,
   "prompt\ntooltip". */

/* Resources */
#define IDD_ABOUTBOX 100
#define IDB_BULB 102
#define IDR_MAINFRAME 128
#define IDI_NAV_GENERAL 131
#define IDI_NAV_PICTURES 132
#define IDI_NAV_MUSIC 133
#define IDI_NAV_SETTINGS 134
#define IDB_TOOLBAR 137
#define IDD_GENERAL_PAGE 138
#define IDD_EFFECT_PAGE 165
#define IDI_NAV_EFFECTS 167
#define IDD_MAKING 172
#define IDD_TIP 173
#define IDB_EXIT 204
#define IDI_SAVER_DEFAULT 222
#define IDB_BULB_2X 1102
#define IDB_TOOLBAR_2X 1137
#define IDB_MENU_IMAGES 1138
#define IDB_EXIT_2X 1204
#define IDI_SELECT_ALL 1210
#define IDI_CLEAR_ALL 1211

/* Commands */
#define ID_TIP_OF_THE_DAY 104
#define ID_MAKE_PREVIEW 32772
#define ID_MAKE_SCR 32773
#define ID_HELP_TOPICS 32774
#define ID_HOMEPAGE 32781
#define ID_TECHNICAL_SUPPORT 32782
#define ID_GETTING_STARTED 32784
#define ID_FILE_NEW 57600
#define ID_FILE_OPEN 57601
#define ID_FILE_SAVE 57603
#define ID_FILE_SAVE_AS 57604
#define ID_FILE_MRU_FILE1 57616
#define ID_FILE_MRU_FILE2 57617
#define ID_FILE_MRU_FILE3 57618
#define ID_FILE_MRU_FILE4 57619
#define ID_APP_ABOUT 57664
#define ID_APP_EXIT 57665

/* Strings */
#define IDS_IDLE_MESSAGE 57345
#define IDS_INDICATOR_CAPS 59137
#define IDS_INDICATOR_NUM 59138
#define IDS_INDICATOR_SCRL 59139

/* General page */
#define IDC_SAVER_NAME 1000
#define IDC_AUTHOR 1001
#define IDC_EMAIL 1002
#define IDC_HOMEPAGE_EDIT 1003
#define IDC_COPYRIGHT 1004
#define IDC_DESCRIPTION 1005
#define IDC_ICON_DISPLAY 1006
#define IDC_ICON_DEFAULT 1007
#define IDC_ICON_CHANGE 1008
#define IDC_STANDARD_SAVER 1009
#define IDC_SELF_INSTALL 1010
#define IDC_OUTPUT_FOLDER 1011
#define IDC_BROWSE_FOLDER 1012

/* Effects page */
#define IDC_EFFECT_LIST 1048
#define IDC_EFFECT_NAME 1049
#define IDC_SELECT_ALL 1050
#define IDC_CLEAR_ALL 1051
#define IDC_EFFECT_HINT 1052
#define IDC_DEMO_FRAME 1067

/* About box */
#define IDC_ABOUT_ICON 1030
#define IDC_ABOUT_VERSION 1031
#define IDC_ABOUT_HOMEPAGE 1032
#define IDC_ABOUT_SUPPORT 1033
#define IDC_ABOUT_NOTICES 1034

/* Tip of the Day */
#define IDC_TIP_FRAME 1040
#define IDC_TIP_BULB 1041
#define IDC_TIP_HEADER 1042
#define IDC_TIP_TEXT 1043
#define IDC_TIP_FOOTER 1044
#define IDC_TIP_STARTUP 1045
#define IDC_TIP_NEXT 1046

/* The making dialog */
#define IDC_MAKING_DONE 1076
#define IDC_MAKING_LOG 1077
#define IDC_MAKING_PROGRESS 1078

/* The list pages (Pictures, Music): the strip of the list commands' images, in the order
   Add, Remove, Move up, Move down, Remove all. */
#define IDB_LIST_COMMANDS 226
#define IDB_LIST_COMMANDS_2X 1226

/* Pictures page: its form, the list's context menu, the strip of the picture type
   images (BMP, JPG, GIF, PNG, PCX, TIF, TGA, WMF) and its controls. */
#define IDD_PICTURE_PAGE 139
#define IDB_PICTURE_TYPES 235
#define IDR_PICTURE_LIST_MENU 236
#define IDB_PICTURE_TYPES_2X 1235
#define IDC_PICTURE_LIST 1130
#define IDC_PICTURE_ADD 1131
#define IDC_PICTURE_REMOVE 1132
#define IDC_PICTURE_UP 1133
#define IDC_PICTURE_DOWN 1134
#define IDC_PICTURE_REMOVE_ALL 1135
#define IDC_PICTURE_TOTALS 1136
#define IDC_CAPTION_TEXT 1137
#define IDC_CAPTION_SAMPLE 1138
#define IDC_CAPTION_FONT 1139
#define IDC_CAPTION_POSITION 1140
#define IDC_CAPTION_APPLY_ALL 1141
#define IDC_CAPTION_SET_DEFAULT 1142
#define IDC_PICTURE_PREVIEW_FRAME 1143
#define IDC_PICTURE_PIXEL_SIZE 1144

/* Music page: the page, its type marks and player buttons, its controls; the context
   menu is the menu resource "MusicList", whose commands are the buttons' ids. */
#define IDD_MUSIC_PAGE 144
#define IDB_MUSIC_TYPES 1230
#define IDB_MUSIC_TYPES_2X 1231
#define IDI_PLAYER_PLAY 1232
#define IDI_PLAYER_STOP 1233
#define IDC_MUSIC_LIST 1300
#define IDC_MUSIC_ADD 1301
#define IDC_MUSIC_REMOVE 1302
#define IDC_MUSIC_UP 1303
#define IDC_MUSIC_DOWN 1304
#define IDC_MUSIC_REMOVE_ALL 1305
#define IDC_MUSIC_TOTALS 1306
#define IDC_PLAYER_PLAY 1307
#define IDC_PLAYER_STOP 1308
#define IDC_PLAYER_POSITION 1309
#define IDC_PLAYER_TIME 1310
#define IDC_PLAYER_STATUS 1311

/* The file dialog's own area: the anchor frame, the preview box and the system
   dialog's placeholder (stc32). */
#define IDC_PREVIEW_ANCHOR 7000
#define IDC_PREVIEW_CHECK 7001
#define IDC_FILE_DIALOG_PLACEHOLDER 1119

/* Settings page: its template, the icons of its three buttons and its controls */
#define IDD_SETTING_PAGE 164
#define IDI_BG_CHANGE 1260
#define IDI_BG_DEFAULT 1261
#define IDI_BANNER_FONT 1262
#define IDC_PICTURE_PAUSE 1100
#define IDC_EFFECT_DURATION 1101
#define IDC_AUTO_ADJUST 1102
#define IDC_SHUFFLE_PICTURES 1103
#define IDC_MOVE_PICTURES 1104
#define IDC_MUSIC_PAUSE 1105
#define IDC_SHUFFLE_MUSIC 1106
#define IDC_MUTE_MUSIC 1107
#define IDC_MOUSE_MOVE 1108
#define IDC_MOUSE_LEFT 1109
#define IDC_MOUSE_RIGHT 1110
#define IDC_KEYBOARD_EVENT 1111
#define IDC_BG_SWATCH 1112
#define IDC_BG_CHANGE 1113
#define IDC_BG_DEFAULT 1114
#define IDC_BANNER_TEXT 1115
#define IDC_BANNER_FONT 1116
#define IDC_BANNER_POS 1117
#define IDC_BANNER_SAMPLE 1118
#define IDC_BANNER_NOTE 1120
#define IDC_SMOOTH_SCALING 1121
#define IDC_SHUFFLE_ROUNDS 1122
#define IDC_PAN_ZOOM 1123
#define IDC_PAN_ZOOM_STRENGTH 1124
#define IDC_BACKDROP 1125
#define IDC_MONITOR_MODE 1126
#define IDC_FIT_BOX 1190
#define IDC_TRUE_COLOURS 1191

#endif
