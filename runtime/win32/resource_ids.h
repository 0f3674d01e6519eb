#ifndef GD_RUNTIME_WIN32_RESOURCE_IDS_H
#define GD_RUNTIME_WIN32_RESOURCE_IDS_H
/* Ids of the template's own resources and dialog controls; read by windres and C++. */

#define IDS_ABOUTBOX 101
#define IDD_SETTINGS 102
#define IDR_MAINFRAME 128
#define IDD_ABOUT_PAGE 129
#define IDD_OPTIONS_PAGE 130
#define IDD_EFFECTS_PAGE 131
#define IDC_SAVER_CURSOR 132
#define IDD_LAUNCHER 134

/* Initial items of the drop-down lists of the options page, one resource of this type
   per dialog: records of (control id, 0x0403, byte count, NUL-terminated text), ended by
   a zero word. */
#define RT_DIALOG_LISTS 240

#define IDC_TAB 1000
#define IDC_NAME 1003
#define IDC_AUTHOR 1004
#define IDC_COPYRIGHT 1005
#define IDC_EMAIL 1007
#define IDC_HOMEPAGE 1008
#define IDC_DESCRIPTION 1009
#define IDC_CHANGE_COLOR 1011
#define IDC_INSTALL 1011
#define IDC_PICTURE_PAUSE 1013
#define IDC_EFFECT_DURATION 1014
#define IDC_AUTO_ADJUST 1015
#define IDC_SHUFFLE_PICTURE 1016
#define IDC_MOUSE_MOVE 1017
#define IDC_MOUSE_LEFT 1018
#define IDC_MOUSE_RIGHT 1019
#define IDC_KEYBOARD 1020
#define IDC_MUSIC_PAUSE 1021
#define IDC_SHUFFLE_MUSIC 1022
#define IDC_EFFECT_LIST 1024
#define IDC_MOVE_PICTURE 1025
#define IDC_BG_SWATCH 1026
#define IDC_DEFAULT_COLOR 1027
#define IDC_MAKER_LINK 1028
#define IDC_PLAY 1029
#define IDC_SETTINGS 1031
#define IDC_MUTE_MUSIC 1032

#endif
