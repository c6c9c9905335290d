// Unicode output of one typed key: the keystrokes that bring the letter on
// screen, as Unicode text, up to date. One Backspace per code point that no
// longer fits, then the new code points; the text before the letter stays.
#pragma once
#include <cstdint>

#include "core/keystroke_translation.h"
#include "core/letter_composer.h"
#include "encoding/encoding_table.h"

// The longest text of one letter: every glyph of a full letter at its longest.
constexpr int kLetterTextSize = kLetterMaxGlyphs * kGlyphTextMax;  // 1008

struct UnicodeKeystrokes {
  std::int32_t backspaces;          // typed first
  std::int32_t count;               // then these UTF-16 units (one per code point)
  char16_t text[kLetterTextSize + 1];  // zero-terminated
};

// The Unicode keystrokes of a change that translate_letter recorded, with the
// live encoding table: for a composed key those that turn the letter's text
// before into its text after; for an erased letter one Backspace per code
// point typed for it (at least one); for a passed key its character.
// Touches no letter state.
void unicode_keystrokes(const LetterChange& change, UnicodeKeystrokes* out);

// The Unicode counterpart of translate_key: translate_letter, then
// unicode_keystrokes.
void translate_key_unicode(UnicodeKeystrokes* out, unsigned int ucode, unsigned int character);

// The Unicode text of `count` display-ordered glyphs with the live table into
// `text` (kLetterTextSize + 1 units, zero-terminated); returns its length.
// Glyphs past a full letter are left out.
std::int32_t letter_text(const unsigned char* glyphs, std::int32_t count, char16_t* text);

// The keystrokes that turn `old_text` into `new_text`: the backspaces for the
// old units after their common prefix, then the new units from there.
void text_diff(UnicodeKeystrokes* out, const char16_t* old_text, std::int32_t old_count,
               const char16_t* new_text, std::int32_t new_count);
