// One typed character -> the keystrokes that bring the letter on screen up to
// date: backspaces (0x08) for glyphs that no longer fit, then the new glyphs.
#pragma once
#include <cstdint>

#include "core/letter_composer.h"

// Longest keystroke string: every typed glyph erased and a full letter typed
// anew, plus the terminating zero byte.
constexpr int kKeystrokeStringSize = 2 * kLetterMaxGlyphs + 1;  // 253

struct KeystrokeString {
  char bytes[kKeystrokeStringSize];
};

// KeyMap entry of the low byte of `character`; 0 = no ucode.
unsigned char key_to_ucode(unsigned int character);

// Non-zero when translate_key composes `ucode` into the letter; otherwise
// the key ends the letter.
int translates_ucode(unsigned int ucode);

// The glyphs typed for the current letter that are on screen: typed_count
// kept within a full letter.
std::int32_t typed_length();

// Fills `out` with the keystrokes for `ucode` / `character` and sets *count.
// The string is zero-terminated (count < kKeystrokeStringSize).
void translate_key(KeystrokeString* out, std::int32_t* count, unsigned int ucode,
                   unsigned int character);

// Keystrokes that turn old_glyphs into new_glyphs; zero-terminated into `out`,
// whose size must be at least old_count + new_count + 1. Returns the count.
std::int32_t glyph_diff(char* out, std::int32_t* count, const unsigned char* old_glyphs,
                        std::int32_t old_count, const unsigned char* new_glyphs,
                        std::int32_t new_count);
