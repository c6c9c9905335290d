// Ids shared by the resource script and the code.
#pragma once

#define IDI_TOLVAR_OFF 101
#define IDI_TOLVAR_ON 102

// Menu "MainMenu" commands.
#define IDM_ABOUT 101
#define IDM_EXIT 102
#define IDM_LOAD_LANGUAGE 103
#define IDM_HELP_CONTENTS 105
#define IDM_ALT_F2_TOGGLE 106
#define IDM_USE_JOURNAL 108
#define IDM_USE_KEYBD_EVENT 109
#define IDM_USE_UNICODE_INPUT 110
// The tray menu's "Enable Indian Keyboard".
#define IDM_KEYBOARD_SWITCH 111
#define IDM_OUTPUT_FONT_CODES 112
#define IDM_OUTPUT_UNICODE 113
// Suggest words, beside the exact keys.
#define IDM_SUGGEST_WORDS 180

// Commands appended to the system menu.
#define IDS_SYS_KEYBOARD 1
#define IDS_SYS_ALT_F2 2
#define IDS_SYS_LOAD_LANGUAGE 103

// Controls of the panel "MainDialog".
#define IDC_KEYBOARD_CHECK 1001
#define IDC_STATUS_FRAME 1023
#define IDC_STATUS_ICON 1016
#define IDC_LANGUAGE_NAME 1017
#define IDC_FILE_LIST 1027

// The Language menu, the key chart and the panel's font line.
#define IDM_KEY_CHART 150
// The shipped languages, in the order they are listed: IDM_LANGUAGE_FIRST + index.
#define IDM_LANGUAGE_FIRST 152
#define IDM_LANGUAGE_LAST 175
#define IDC_LANGUAGE_FONT 176
