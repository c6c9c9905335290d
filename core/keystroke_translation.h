// One typed character -> the keystrokes that bring the letter on screen up to
// date: backspaces (0x08) for glyphs that no longer fit, then the new glyphs.
// translate_letter is the one writer of the letter state; each output (font
// codes here, Unicode text in encoding/) is a pure function of the change it
// records.
#pragma once
#include <cstdint>

#include "core/letter_composer.h"

// Longest keystroke string: every typed glyph erased and a full letter typed
// anew, plus the terminating zero byte.
constexpr int kKeystrokeStringSize = 2 * kLetterMaxGlyphs + 1;  // 253

struct KeystrokeString {
  char bytes[kKeystrokeStringSize];
};

// What one key did to the letter on screen.
enum class LetterKey : std::uint8_t {
  kComposed,  // the key's ucode went into the letter (a new letter when the old one was complete)
  kErased,    // Backspace or Delete: the letter is erased and ended
  kPassed,    // any other character: typed as it is, and the letter ends
};

struct LetterChange {
  LetterKey kind;
  unsigned char character;   // the key's character (low byte)
  std::int32_t before_count; // the glyphs typed for the letter that the key changes
  std::int32_t after_count;  // and those on screen after it (kPassed: the same;
                             // kErased: none; kComposed: none when the composer failed)
  unsigned char before[kLetterMaxGlyphs];  // display order
  unsigned char after[kLetterMaxGlyphs];
};

// KeyMap entry of the low byte of `character`; 0 = no ucode.
unsigned char key_to_ucode(unsigned int character);

// Non-zero when translate_key composes `ucode` into the letter; otherwise
// the key ends the letter.
int translates_ucode(unsigned int ucode);

// The glyphs typed for the current letter that are on screen: typed_count
// kept within a full letter.
std::int32_t typed_length();

// Applies one key to the letter (composes `ucode`, or ends the letter for a
// key without one) and records in `change` the letter before and after it.
// The only writer of typed_glyphs and typed_count.
void translate_letter(LetterChange* change, unsigned int ucode, unsigned int character);

// The font-code keystrokes of a change: the backspaces and glyphs that turn
// its letter before into its letter after; for an erased letter one backspace
// per glyph (at least one); for a passed key its character. Zero-terminated
// (count < kKeystrokeStringSize). Touches no state.
void font_keystrokes(const LetterChange& change, KeystrokeString* out, std::int32_t* count);

// translate_letter, then font_keystrokes.
void translate_key(KeystrokeString* out, std::int32_t* count, unsigned int ucode,
                   unsigned int character);

// Keystrokes that turn old_glyphs into new_glyphs; zero-terminated into `out`,
// whose size must be at least old_count + new_count + 1. Returns the count.
std::int32_t glyph_diff(char* out, std::int32_t* count, const unsigned char* old_glyphs,
                        std::int32_t old_count, const unsigned char* new_glyphs,
                        std::int32_t new_count);
