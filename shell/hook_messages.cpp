#include "shell/hook_messages.h"

#include "core/keystroke_translation.h"
#include "core/letter_composer.h"
#include "encoding/unicode_keystrokes.h"
#include "shell/key_queue.h"

// Unicode input unless the settings file says otherwise: the only method
// whose keys cannot be split by the user's (no ALT sequence to land in).
int UseJournalPBH = kUseUnicodeInput;
int UnicodeOutput = 0;

namespace {

// Set while a message is being handled, sends and boxes included.
int HookMessageRunning = 0;
KeyQueue HeldMessages = {};
// Set when journal playback typed nothing; cleared when the user chooses it again.
int JournalPlaybackRefused = 0;
// Filled anew for each key: no allocation on the way.
UnicodeKeystrokes UnicodeStrokes = {};

void type_keystrokes(const HookMessageOps& ops, const char* keys) {
  if (UseJournalPBH == kUseUnicodeInput) {
    // Typed as characters, which the hook lets pass: it stays set.
    ops.send_ui(keys);
  } else if (UseJournalPBH && !JournalPlaybackRefused) {
    // The keys a playback plays look like the user's own: the hook is
    // removed around it.
    ops.remove_hook();
    // Playback refused or never played (as on systems without journal
    // hooks): nothing was typed, so the same keys go out as key events.
    // Later keys skip the playback: every try waits for the library to
    // give up, and keys typed meanwhile would pass the removed hook.
    if (ops.send_jph(keys) == kSendStatusRefused) {
      JournalPlaybackRefused = 1;
      ops.send_ke(keys);
    }
    ops.set_hook();
    // The hook of the program typed into waits for the end of the key's
    // batch, which only key events bring, and only now that it is set.
    ops.send_ke("");
  } else {
    // Keys typed back as key events carry the library's mark and pass its
    // hook, so the hook stays set: a key the user presses while they go out,
    // or before the program has taken them, is still translated.
    ops.send_ke(keys);
  }
}

void handle_entry(const HookMessageOps& ops, unsigned int entry) {
  if (entry >= kHeldHookKey) {
    ops.send_held_key(entry - kHeldHookKey);
    return;
  }
  if (entry == kHeldToggleRequest) {
    letter_reset();
    ops.switch_keyboard();
    return;
  }
  if (entry == 0) {
    letter_reset();
    return;
  }
  if (UnicodeOutput) {
    // Unicode text goes out as characters whatever the send method: the
    // hook lets them pass, and there is no ALT sequence to split.
    translate_key_unicode(&UnicodeStrokes, key_to_ucode(entry), entry);
    ops.send_text(UnicodeStrokes.text, UnicodeStrokes.backspaces);
    return;
  }
  KeystrokeString keys;
  std::int32_t count = 0;
  translate_key(&keys, &count, key_to_ucode(entry), entry);
  if (count < 0 || count >= kKeystrokeStringSize) count = kKeystrokeStringSize - 1;
  keys.bytes[count] = '\0';
  type_keystrokes(ops, keys.bytes);
}

void handle_in_order(const HookMessageOps& ops, unsigned int entry) {
  if (HookMessageRunning) {
    if (!key_queue_push(&HeldMessages, entry)) ops.post_again(entry);
    return;
  }
  HookMessageRunning = 1;
  handle_entry(ops, entry);
  while (key_queue_pop(&HeldMessages, &entry)) handle_entry(ops, entry);
  HookMessageRunning = 0;
}

}  // namespace

void HandleHookCharacter(const HookMessageOps& ops, unsigned int character) {
  handle_in_order(ops, character & 0xFF);
}

void HandleHookToggle(const HookMessageOps& ops) { handle_in_order(ops, kHeldToggleRequest); }

void HandleHookHeldKey(const HookMessageOps& ops, unsigned int key) {
  handle_in_order(ops, kHeldHookKey | (key & 0xFFFF));
}

void RetryJournalPlayback() { JournalPlaybackRefused = 0; }
