#include "shell/hook_messages.h"

#include "core/keystroke_translation.h"
#include "core/letter_composer.h"
#include "encoding/to_unicode.h"
#include "encoding/unicode_keystrokes.h"

// Unicode input unless the settings file says otherwise: the only method
// whose keys cannot be split by the user's (no ALT sequence to land in).
int UseJournalPBH = kUseUnicodeInput;
int UnicodeOutput = 0;

namespace {

// Set while entries are being handled, sends and boxes included.
int HookMessageRunning = 0;
// Set when journal playback typed nothing; cleared when the user chooses it again.
int JournalPlaybackRefused = 0;
// Filled anew for each key: no allocation on the way.
UnicodeKeystrokes UnicodeStrokes = {};
char16_t GlyphText[kKeystrokeStringSize];
constexpr char kBackspace = 0x08;

// The glyph bytes as the characters the 8-bit fonts map them at, those of
// Windows-1252, whatever code page the system has; the Backspaces lead.
int type_as_unicode_input(const HookMessageOps& ops, const char* keys) {
  int backspaces = 0;
  while (keys[backspaces] == kBackspace) ++backspaces;
  int length = 0;
  for (const char* at = keys + backspaces; *at != '\0'; ++at) {
    GlyphText[length++] = windows_1252(static_cast<unsigned char>(*at));
  }
  GlyphText[length] = 0;
  return ops.send_text(GlyphText, backspaces);
}

int type_keystrokes(const HookMessageOps& ops, const char* keys) {
  if (UseJournalPBH == kUseUnicodeInput) return type_as_unicode_input(ops, keys);
  if (UseJournalPBH && !JournalPlaybackRefused) {
    // Playback refused or never played (as on systems without journal
    // hooks): nothing was typed, so the same keys go out as key events.
    // Later keys skip the playback: every try waits for the library to
    // give up.
    const int status = ops.send_jph(keys);
    if (status != kSendRefused) return status;
    JournalPlaybackRefused = 1;
  }
  return ops.send_ke(keys);
}

int type_character(const HookMessageOps& ops, unsigned int character) {
  if (UnicodeOutput) {
    // Unicode text goes out as characters whatever the send method.
    translate_key_unicode(&UnicodeStrokes, key_to_ucode(character), character);
    return ops.send_text(UnicodeStrokes.text, UnicodeStrokes.backspaces);
  }
  KeystrokeString keys;
  std::int32_t count = 0;
  translate_key(&keys, &count, key_to_ucode(character), character);
  if (count < 0 || count >= kKeystrokeStringSize) count = kKeystrokeStringSize - 1;
  keys.bytes[count] = '\0';
  return type_keystrokes(ops, keys.bytes);
}

void handle_entry(const HookMessageOps& ops, const KBEntry& entry) {
  switch (entry.kind) {
    case kEntryCharacter:
      // What could not be typed is not on screen: the letter starts anew
      // and the key itself is typed as it was, never lost.
      if (type_character(ops, entry.character & 0x7F) != kSendDone) {
        letter_reset();
        ops.send_held_key(entry.key);
        ops.send_held_key(entry.key | kKeyWordRelease);
      }
      break;
    case kEntryReset:
      letter_reset();
      break;
    case kEntryKey:
      ops.send_held_key(entry.key);
      break;
    case kEntryToggle:
      letter_reset();
      ops.switch_keyboard();
      break;
    case kEntryElevated:
      ops.notice_elevated();
      break;
    default:
      break;
  }
}

}  // namespace

void HandleHookEntries(const HookMessageOps& ops) {
  if (HookMessageRunning) return;
  HookMessageRunning = 1;
  KBEntry entry;
  while (ops.take_entry(&entry)) handle_entry(ops, entry);
  HookMessageRunning = 0;
}

void RetryJournalPlayback() { JournalPlaybackRefused = 0; }
