// The two messages that the keyboard hook library posts to the main window:
// 1034 (a typed character, or 0 = the letter is finished) and 1035 (the
// toggle request). Each character is translated and typed back; the
// keyboard hook is removed around a journal playback, whose keys it could
// not tell from the user's.
//
// Journal playback dispatches this thread's messages until it ends, so a
// message can arrive while an earlier one is still being handled. Such a
// message is held back and handled, in order, once the running one is done;
// a send is never started inside another.
#pragma once

// Send method: 0 = keyboard events (SendKeysKE), kUseUnicodeInput = Unicode
// input (SendKeysUI), any other value = journal playback (SendKeysJPH). Read
// from and written to the settings file.
extern int UseJournalPBH;
constexpr int kUseUnicodeInput = 2;

// Output: 0 = font codes (the glyph bytes of the language's 8-bit font),
// 1 = Unicode text (through the language's encoding table). Read from and
// written to the settings file; the shell keeps it 0 while no table is loaded.
extern int UnicodeOutput;

// Status of SendKeysJPH when nothing was typed: the playback hook was refused
// or never played.
constexpr int kSendStatusRefused = 6;

// A held-back toggle request, beside the characters 0..0x7F of message 1034,
// and a held-back message 1036 (a key the hook held), its wParam in the low
// bits.
constexpr unsigned int kHeldToggleRequest = 0x100;
constexpr unsigned int kHeldHookKey = 0x10000;

// What the handling needs of the platform; the real table calls tvkhook.dll
// and UpdateStatus, tests hand in their own.
struct HookMessageOps {
  void (*remove_hook)();
  int (*set_hook)();
  int (*send_jph)(const char* keys);
  int (*send_ke)(const char* keys);
  int (*send_ui)(const char* keys);
  // SendTextUI: `backspaces` Backspaces, then the UTF-16 text (Unicode output).
  int (*send_text)(const char16_t* text, int backspaces);
  // SendHeldKey: a key the hook held, typed after the glyphs before it.
  int (*send_held_key)(unsigned int key);
  // UpdateStatus(1): switch the keyboard and refresh every display.
  void (*switch_keyboard)();
  // The holding queue is full: post the message (a character, or
  // kHeldToggleRequest) to the main window again, behind the waiting ones.
  void (*post_again)(unsigned int entry);
};

// Message 1034 with `character` in wParam.
void HandleHookCharacter(const HookMessageOps& ops, unsigned int character);
// Message 1035.
void HandleHookToggle(const HookMessageOps& ops);
// Message 1036 with its wParam.
void HandleHookHeldKey(const HookMessageOps& ops, unsigned int key);
// Journal playback that typed nothing is not tried again in this run (keys go
// out as key events) until the user chooses it anew, which calls this.
void RetryJournalPlayback();
