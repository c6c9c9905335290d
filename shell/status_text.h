// What the status displays say and what a switch request does, as plain
// functions: UpdateStatus, SwitchAltF2Toggle and MarkSendMethod only carry
// these answers to the real windows and menus.
#pragma once
#include <cstddef>

// Every file name of the shell lives in a buffer of this size, terminator included.
constexpr std::size_t kNameSize = 260;
// CurrentFileName while no language file is in force.
constexpr char kNotLoaded[] = "<not loaded>";
// The ALT toggle key (VK_F2) handed to the hook library.
constexpr int kToggleKey = 0x71;

// What UpdateStatus does with the keyboard before it refreshes the displays.
enum class KeyboardSwitch {
  kNone,          // no switch asked
  kTurnOff,       // ON: switch OFF, no message
  kRefuseNoFile,  // OFF and no file in force: the refusal box, nothing switched
  kTurnOn,        // OFF with a file in force: switch ON
};
KeyboardSwitch decide_keyboard_switch(int toggle, int keyboard_on, const char* current_file_name);

// "Tolvar (Is ON: NAME)" or "Tolvar (Is OFF)", cut to `size`, always terminated.
void compose_status_title(char* out, std::size_t size, int keyboard_on, const char* language_name);

// Text of system menu item 1 for the keyboard state.
const char* keyboard_menu_text(int keyboard_on);

// Texts of system menu item 2 and menu item 106, and the announcement, once
// the toggle key has just been set (1) or cleared (0).
const char* alt_f2_menu_text(int toggle_set);
const char* alt_f2_message(int toggle_set);

// The hook library has no query for the toggle key: it is read by setting
// VK_F2 and looking at the previous value. Any key but 0 counts as set.
int toggle_key_was_set(int previous);
// The probe changed a key other than VK_F2: it must be put back.
int toggle_key_needs_restore(int previous);

// The announcement of commands 108 (non-zero) and 109 (0).
const char* send_method_message(int send_method);
