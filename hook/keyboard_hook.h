// The low-level keyboard hook procedure's decisions. It runs on the main
// program's thread for every key of every program, ahead of them all: it
// queues a character to translate and swallows the key, queues the toggle
// request, or passes the key on, and while anything the main program types
// is still due it holds every other key in the queue too, so each reaches
// the program in its turn.
#pragma once
#include <cstdint>

#include "hook/hook_state.h"

namespace tvk {

constexpr int kHcAction = 0;
// Events typed and not seen back this long after the send are taken as
// lost (the hook was removed meanwhile): keys are no longer held for them.
constexpr std::uint32_t kOwnInputLostMs = 1000;

// Backspace, Delete, and 0x30 and above except the keypad digits and the
// function keys up to Scroll Lock.
constexpr bool is_character_key(std::uint32_t key) {
  if (key == 0x08 || key == 0x2E) return true;
  if (key < 0x30) return false;
  if (key >= 0x60 && key <= 0x69) return false;
  if (key >= 0x70 && key <= 0x91) return false;
  return true;
}

// The keys that finish or cancel a suggested word: Space, Enter, Escape.
constexpr bool is_word_key(std::uint32_t key) { return key == 0x20 || key == 0x0D || key == 0x1B; }

// The hook procedure: `message` is the key's window message (wParam),
// `event` points to its LowLevelKey (lParam). Returns the next hook's
// result, or 1 to swallow.
std::intptr_t LLKBHookProc(const HookContext& context, int code, std::uintptr_t message, std::intptr_t event);

// Moves the oldest entry into *entry and returns 1; 0 when none waits (the
// notice of a program run as administrator and a letter reset of a key
// passed at once come first).
int TakeKBEntry(const HookContext& context, KBEntry* entry);

// The keyboard as the user holds it now, read when the hook is set; from
// then on the hook follows it key by key.
void SyncKeyState(const HookContext& context);

}  // namespace tvk
