// "Suggest words": the user types a word loosely, as people spell it; it is
// typed by the exact keys as it comes, a candidate window lists Devanagari
// words for it, and a commit replaces the typed word on screen with the
// chosen one. These are the mode's decisions: which key adds to the word,
// chooses, commits, cancels or edits it, and what a commit types. The
// window and the engine sit at the edge (HookMessageOps).
#pragma once
#include <cstdint>

#include "encoding/encoding_table.h"
#include "suggest/native_letters.h"
#include "suggest/word_suggestion.h"

// 0 = exact keys (the default), 1 = suggest words. Read from and written to
// the settings file.
extern int SuggestMode;

// The candidates the window numbers; digits 1-5 choose among them.
constexpr int kShownSuggestions = 5;

// What Tolvar typed for the word: one unit per character on screen (a
// Unicode unit, or a glyph byte in font output). Room for the longest word
// the engine takes, each letter at its widest.
constexpr int kWordScreenSize = 512;

struct SuggestWord {
  char roman[kMaxRomanLetters + 1];  // the keys as typed, terminated
  int roman_length;                  // 0 = no word open
  char16_t screen[kWordScreenSize];
  int screen_length;
};

enum class SuggestKey : std::uint8_t {
  kLetter,  // a letter: typed by the exact keys and added to the word
  kChoose,  // a digit 1-5 within the candidates: that one replaces the word
  kCommit,  // Space, Enter or punctuation: the first candidate (if any) replaces the word, then the
            // key is typed
  kCancel,  // Escape: the word stays as typed, the key is swallowed
  kEdit,    // Backspace: the word loses its last letter and is typed anew
  kPass,    // no word open, or a key that is none of these: handled as by the exact keys
};

constexpr unsigned int kCharacterEnter = 0x0D;
constexpr unsigned int kCharacterEscape = 0x1B;
constexpr unsigned int kCharacterBackspace = 0x08;

// What `character` does to `word` with `candidates` in the window.
SuggestKey suggest_key_action(const SuggestWord& word, unsigned int character, int candidates);

// The word's screen after one key's output: `backspaces` units erased, then
// `text` (`count` units) added. 0 when it no longer fits (the word is then
// left as typed and closed by the caller).
int follow_screen(SuggestWord* word, int backspaces, const char16_t* text, int count);

// The same for glyph bytes led by Backspaces (0x08), as font output types them.
int follow_screen_bytes(SuggestWord* word, const char* keys);

// What a commit types in Unicode output: a Backspace per unit of the word's
// screen, then the UTF-8 `choice` as UTF-16 into `text` (`size` units,
// terminated). 1, or 0 when the choice does not fit.
int commit_text_unicode(const SuggestWord& word, const char* choice, char16_t* text, int size,
                        int* backspaces);

// The same in font output: Backspaces (0x08) for the word's screen, then the
// choice's glyph bytes through `table` into `keys` (`size` bytes,
// terminated). 0 when the font cannot draw the choice or it does not fit.
int commit_keys_font(const EncodingTable& table, const SuggestWord& word, const char* choice,
                     char* keys, int size);

struct ScreenRect {
  int left, top, right, bottom;
};

// Where the candidate window of `width` x `height` goes for a caret at
// `caret` (screen coordinates) on a monitor whose work area is `work`: its
// top left just below the caret, above it where the monitor has no room
// below, and moved left or right to stay on the monitor.
ScreenRect place_candidates(const ScreenRect& caret, int width, int height, const ScreenRect& work);

// Leaves in `list` only the first `wanted` candidates `table` can draw, in
// their order (each is converted to find out, so no more than are shown).
void keep_drawable(const EncodingTable& table, SuggestionList* list, int wanted);
