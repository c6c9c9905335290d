// The keyboard hook procedure's decisions: for each key event, post a
// character and swallow it, post the toggle request and swallow it, post a
// letter reset and pass it on, swallow a release, or pass it on untouched.
#pragma once
#include <cstdint>

#include "hook/hook_state.h"

namespace tvk {

constexpr int kHcAction = 0;
// Glyphs not taken this long after their key are taken as lost (the focus
// moved, or a key was dropped): nothing is held for them any more.
constexpr std::uint32_t kGlyphsLostMs = 1000;
constexpr int kHcNoRemove = 3;  // the application only peeked at the message

// Backspace, Delete, and 0x30 and above except the keypad digits and the
// function keys up to Scroll Lock.
constexpr bool is_character_key(std::uint32_t key) {
  if (key == 0x08 || key == 0x2E) return true;
  if (key < 0x30) return false;
  if (key >= 0x60 && key <= 0x69) return false;
  if (key >= 0x70 && key <= 0x91) return false;
  return true;
}

// The hook procedure: `key` is the virtual-key code (wParam), `key_bits`
// the key message's lParam. Returns the next hook's result, or 1 to swallow.
std::intptr_t KBHookProc(const HookContext& context, int code, std::uintptr_t key, std::intptr_t key_bits);

}  // namespace tvk
