#include "shell/hook_messages.h"

#include <cstring>

#include "core/keystroke_translation.h"
#include "core/letter_composer.h"
#include "encoding/to_unicode.h"
#include "encoding/unicode_keystrokes.h"
#include "shell/suggest_mode.h"

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
KeystrokeString FontKeys = {};
// The longest keys typed at once: a word's retyping after a Backspace, or a
// commit's Backspaces and glyphs.
constexpr int kLongestKeys = 2 * kWordScreenSize + 2 * kNativeUtf8Size;
char16_t GlyphText[kLongestKeys + 1];
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

// One key by the exact keys, its output left in UnicodeStrokes or FontKeys.
void translate_output(unsigned int character) {
  if (UnicodeOutput) {
    translate_key_unicode(&UnicodeStrokes, key_to_ucode(character), character);
    return;
  }
  std::int32_t count = 0;
  translate_key(&FontKeys, &count, key_to_ucode(character), character);
  if (count < 0 || count >= kKeystrokeStringSize) count = kKeystrokeStringSize - 1;
  FontKeys.bytes[count] = '\0';
}

int send_output(const HookMessageOps& ops) {
  // Unicode text goes out as characters whatever the send method.
  if (UnicodeOutput) return ops.send_text(UnicodeStrokes.text, UnicodeStrokes.backspaces);
  return type_keystrokes(ops, FontKeys.bytes);
}

// The last output as it changes `word` on screen.
int follow_output(SuggestWord* word) {
  if (UnicodeOutput) return follow_screen(word, UnicodeStrokes.backspaces, UnicodeStrokes.text, UnicodeStrokes.count);
  return follow_screen_bytes(word, FontKeys.bytes);
}

int type_character(const HookMessageOps& ops, unsigned int character) {
  translate_output(character);
  return send_output(ops);
}

// What could not be typed is not on screen: the letter starts anew and the
// key itself is typed as it was, never lost.
void type_key_as_it_was(const HookMessageOps& ops, const KBEntry& entry) {
  letter_reset();
  ops.send_held_key(entry.key);
  ops.send_held_key(entry.key | kKeyWordRelease);
}

void type_or_hand_back(const HookMessageOps& ops, const KBEntry& entry, unsigned int character) {
  // Enter and Escape come as characters only for the suggested words; they
  // go on as the keys they are.
  if (character == kCharacterEnter || character == kCharacterEscape) {
    type_key_as_it_was(ops, entry);
    return;
  }
  if (type_character(ops, character) != kSendDone) type_key_as_it_was(ops, entry);
}

// Suggest words: the word being typed and its candidates.
SuggestWord Word = {};
SuggestionList Candidates = {};
char16_t CommitText[kNativeUtf8Size];
char CommitKeys[kLongestKeys + 1];
SuggestWord Replayed = {};

void close_word(const HookMessageOps& ops) {
  const bool shown = Word.roman_length != 0 || Candidates.count != 0;
  Word.roman_length = 0;
  Word.screen_length = 0;
  Candidates.count = 0;
  if (shown && ops.show_candidates) ops.show_candidates(&Candidates);
}

void refresh_candidates(const HookMessageOps& ops) {
  if (!ops.suggest || !ops.suggest(Word.roman, Word.roman_length, &Candidates)) Candidates.count = 0;
  // Words the font cannot draw are not offered in font output.
  if (!UnicodeOutput) keep_drawable(LiveEncodingTable, &Candidates, kShownSuggestions);
  if (Candidates.count > kShownSuggestions) Candidates.count = kShownSuggestions;
  ops.show_candidates(&Candidates);
}

// The candidate replaces the word on screen; remembered when it was typed.
void commit_candidate(const HookMessageOps& ops, int index) {
  const char* choice = Candidates.items[index].text;
  int status = kSendFailed;
  if (UnicodeOutput) {
    int backspaces = 0;
    if (commit_text_unicode(Word, choice, CommitText, kNativeUtf8Size, &backspaces))
      status = ops.send_text(CommitText, backspaces);
  } else if (commit_keys_font(LiveEncodingTable, Word, choice, CommitKeys, sizeof CommitKeys)) {
    status = type_keystrokes(ops, CommitKeys);
  }
  if (status == kSendDone) ops.remember_choice(Word.roman, choice);
  letter_reset();
  close_word(ops);
}

// Backspace: the word without its last letter, typed anew by the exact keys
// (only what differs goes out).
void edit_word(const HookMessageOps& ops) {
  Replayed.screen_length = 0;
  letter_reset();
  Word.roman[--Word.roman_length] = '\0';
  for (int i = 0; i < Word.roman_length; ++i) {
    translate_output(static_cast<unsigned char>(Word.roman[i]));
    follow_output(&Replayed);
  }
  text_diff(&UnicodeStrokes, Word.screen, Word.screen_length, Replayed.screen, Replayed.screen_length);
  if (UnicodeOutput) {
    ops.send_text(UnicodeStrokes.text, UnicodeStrokes.backspaces);
  } else {
    int at = 0;
    for (; at < UnicodeStrokes.backspaces; ++at) CommitKeys[at] = '\b';
    for (int i = 0; i < UnicodeStrokes.count; ++i) CommitKeys[at++] = static_cast<char>(UnicodeStrokes.text[i]);
    CommitKeys[at] = '\0';
    type_keystrokes(ops, CommitKeys);
  }
  std::memcpy(Word.screen, Replayed.screen, sizeof(char16_t) * static_cast<std::size_t>(Replayed.screen_length));
  Word.screen_length = Replayed.screen_length;
  if (Word.roman_length == 0) {
    close_word(ops);
  } else {
    refresh_candidates(ops);
  }
}

void add_letter(const HookMessageOps& ops, const KBEntry& entry, unsigned int character) {
  // A word begins a letter of its own, so a commit erases nothing before it.
  if (Word.roman_length == 0) {
    letter_reset();
    Word.screen_length = 0;
  }
  translate_output(character);
  if (send_output(ops) != kSendDone) {
    close_word(ops);
    type_key_as_it_was(ops, entry);
    return;
  }
  if (!follow_output(&Word)) {
    close_word(ops);
    return;
  }
  Word.roman[Word.roman_length++] = static_cast<char>(character);
  Word.roman[Word.roman_length] = '\0';
  refresh_candidates(ops);
}

void suggest_character(const HookMessageOps& ops, const KBEntry& entry, unsigned int character) {
  switch (suggest_key_action(Word, character, Candidates.count)) {
    case SuggestKey::kLetter:
      add_letter(ops, entry, character);
      return;
    case SuggestKey::kChoose:
      commit_candidate(ops, static_cast<int>(character - '1'));
      return;
    case SuggestKey::kCommit:
      if (Candidates.count > 0) {
        commit_candidate(ops, 0);
      } else {
        close_word(ops);
      }
      type_or_hand_back(ops, entry, character);
      return;
    case SuggestKey::kCancel:
      close_word(ops);
      return;
    case SuggestKey::kEdit:
      edit_word(ops);
      return;
    case SuggestKey::kPass:
      close_word(ops);
      type_or_hand_back(ops, entry, character);
      return;
  }
}

void handle_entry(const HookMessageOps& ops, const KBEntry& entry) {
  switch (entry.kind) {
    case kEntryCharacter:
      if (SuggestMode && ops.show_candidates) {
        suggest_character(ops, entry, entry.character & 0x7F);
      } else {
        type_or_hand_back(ops, entry, entry.character & 0x7F);
      }
      break;
    case kEntryReset:
      // A key that moves the caret or edits elsewhere: the word stays as typed.
      close_word(ops);
      letter_reset();
      break;
    case kEntryKey:
      ops.send_held_key(entry.key);
      break;
    case kEntryToggle:
      close_word(ops);
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

void CloseSuggestWord(const HookMessageOps& ops) {
  // Inside a running handling the word is that handling's to end.
  if (!HookMessageRunning) close_word(ops);
}

void RetryJournalPlayback() { JournalPlaybackRefused = 0; }
