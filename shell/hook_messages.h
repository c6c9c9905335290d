// The entries the keyboard hook queues for the main window, in the order of
// the keys: a typed character to translate and type back, a letter reset,
// a key held back behind them to type in its turn, the toggle request, and
// the notice that a program run as administrator cannot be typed into.
// Message 1034 only says that entries wait; they come from the hook's own
// queue, so a message another program posts types nothing.
//
// Journal playback and message boxes dispatch this thread's messages, so
// the message can arrive while entries are being handled: the entries then
// wait in the hook's queue until the running handling takes them, in order;
// a send is never started inside another.
#pragma once

#include "hook/tvkhook_codes.h"
#include "suggest/word_suggestion.h"

// Send method: 0 = keyboard events (SendKeysKE), kUseUnicodeInput = Unicode
// input (each glyph byte as its Windows-1252 character through SendTextUI),
// any other value = journal playback (SendKeysJPH). Read from and written
// to the settings file.
extern int UseJournalPBH;
constexpr int kUseUnicodeInput = 2;

// Output: 0 = font codes (the glyph bytes of the language's 8-bit font),
// 1 = Unicode text (through the language's encoding table). Read from and
// written to the settings file; the shell keeps it 0 while no table is loaded.
extern int UnicodeOutput;

// What the handling needs of the platform; the real table calls tvkhook.dll,
// UpdateStatus and the notification-area icon, tests hand in their own.
struct HookMessageOps {
  // TakeKBEntry: 1 with the oldest entry, 0 when none waits.
  int (*take_entry)(KBEntry* entry);
  int (*send_jph)(const char* keys);
  int (*send_ke)(const char* keys);
  // SendTextUI: `backspaces` Backspaces, then the UTF-16 text.
  int (*send_text)(const char16_t* text, int backspaces);
  // SendHeldKey: a key the hook held, typed in its turn.
  int (*send_held_key)(unsigned int key);
  // UpdateStatus(1): switch the keyboard and refresh every display.
  void (*switch_keyboard)();
  // Says once that programs run as administrator are not typed into.
  void (*notice_elevated)();
  // Suggest words: the candidates for the romanized word, best first; 0 when
  // the suggestion data is not loaded (the word is then typed by the exact
  // keys alone).
  int (*suggest)(const char* roman, int length, SuggestionList* list);
  // The candidate window: the list numbered, or closed for an empty one.
  void (*show_candidates)(const SuggestionList* list);
  // A chosen word, remembered in the user lexicon.
  void (*remember_choice)(const char* roman, const char* word);
};

// Message 1034: handles every entry that waits.
void HandleHookEntries(const HookMessageOps& ops);
// Suggest words ends the open word as it was typed (the mode was left, or
// the focus moved to another window).
void CloseSuggestWord(const HookMessageOps& ops);
// Journal playback that typed nothing is not tried again in this run (keys go
// out as key events) until the user chooses it anew, which calls this.
void RetryJournalPlayback();
