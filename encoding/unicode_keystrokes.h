// Unicode output of one typed key: the keystrokes that bring the letter on
// screen, as Unicode text, up to date. One Backspace per code point that no
// longer fits, then the new code points; the text before the letter stays.
#pragma once
#include <cstdint>

#include "core/letter_composer.h"
#include "encoding/encoding_table.h"

// The longest text of one letter: every glyph of a full letter at its longest.
constexpr int kLetterTextSize = kLetterMaxGlyphs * kGlyphTextMax;  // 1008

struct UnicodeKeystrokes {
  std::int32_t backspaces;          // typed first
  std::int32_t count;               // then these UTF-16 units (one per code point)
  char16_t text[kLetterTextSize + 1];  // zero-terminated
};

// The Unicode counterpart of translate_key, over the same letter state and the
// live encoding table: a key with a ucode extends the letter and `out` turns
// the old letter's text into the new one's; a Backspace or Delete without one
// erases every code point typed for the letter (at least one); any other
// character is typed as it is. Either of the two ends the letter.
void translate_key_unicode(UnicodeKeystrokes* out, unsigned int ucode, unsigned int character);

// The Unicode text of `count` display-ordered glyphs with the live table into
// `text` (kLetterTextSize + 1 units, zero-terminated); returns its length.
// Glyphs past a full letter are left out.
std::int32_t letter_text(const unsigned char* glyphs, std::int32_t count, char16_t* text);

// The keystrokes that turn `old_text` into `new_text`: the backspaces for the
// old units after their common prefix, then the new units from there.
void text_diff(UnicodeKeystrokes* out, const char16_t* old_text, std::int32_t old_count,
               const char16_t* new_text, std::int32_t new_count);
