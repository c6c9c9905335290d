#include "shell/status_text.h"

#include <cstdio>
#include <cstring>

#include "shell/hook_messages.h"

KeyboardSwitch decide_keyboard_switch(int toggle, int keyboard_on, const char* current_file_name) {
  if (!toggle) return KeyboardSwitch::kNone;
  if (keyboard_on) return KeyboardSwitch::kTurnOff;
  if (std::strcmp(current_file_name, kNotLoaded) == 0) return KeyboardSwitch::kRefuseNoFile;
  return KeyboardSwitch::kTurnOn;
}

void compose_status_title(char* out, std::size_t size, int keyboard_on, const char* language_name) {
  if (size == 0) return;
  if (keyboard_on) {
    std::snprintf(out, size, "Tolvar (Is ON: %s)", language_name);
  } else {
    std::snprintf(out, size, "Tolvar (Is OFF)");
  }
}

const char* keyboard_menu_text(int keyboard_on) {
  return keyboard_on ? "Disabl&e Indian Keyboard" : "&Enable Indian Keyboard";
}

const char* alt_f2_menu_text(int toggle_set) {
  return toggle_set ? "Disable &ALT+F2 Toggle" : "Enable &ALT+F2 Toggle";
}

const char* alt_f2_message(int toggle_set) {
  return toggle_set ? "Enabling use of ALT+F2 to toggle TOLVAR On/Off"
                    : "Disabling use of ALT+F2 to toggle TOLVAR On/Off";
}

int toggle_key_was_set(int previous) { return (previous & 0xFFFF) != 0; }

int toggle_key_needs_restore(int previous) { return (previous & 0xFFFF) != kToggleKey; }

const char* send_method_message(int send_method) {
  if (send_method == 0) return "Using Keybd_Event for sending keys.";
  if (send_method == kUseUnicodeInput) return "Using Unicode Input for sending keys.";
  return "Using JournalPlaybackHook for sending keys.";
}
