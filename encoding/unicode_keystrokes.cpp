#include "encoding/unicode_keystrokes.h"

#include <array>
#include <cstring>

#include "encoding/to_unicode.h"

std::int32_t letter_text(const unsigned char* glyphs, std::int32_t count, char16_t* text) {
  const std::int32_t glyph_count = count < 0 ? 0 : count < kLetterMaxGlyphs ? count : kLetterMaxGlyphs;
  // Cannot overflow: each glyph adds at most kGlyphTextMax units.
  const int length = glyphs_to_text(LiveEncodingTable, glyphs, glyph_count, text, kLetterTextSize);
  const std::int32_t written = length < 0 ? 0 : length;
  text[written] = 0;
  return written;
}

void text_diff(UnicodeKeystrokes* out, const char16_t* old_text, std::int32_t old_count,
               const char16_t* new_text, std::int32_t new_count) {
  const std::int32_t shorter = old_count < new_count ? old_count : new_count;
  std::int32_t prefix = 0;
  while (prefix < shorter && old_text[prefix] == new_text[prefix]) ++prefix;
  out->backspaces = old_count - prefix;
  out->count = new_count - prefix;
  std::memcpy(out->text, new_text + prefix, static_cast<std::size_t>(out->count) * sizeof(char16_t));
  out->text[out->count] = 0;
}

void unicode_keystrokes(const LetterChange& change, UnicodeKeystrokes* out) {
  std::array<char16_t, kLetterTextSize + 1> before_text;
  const std::int32_t before_length = letter_text(change.before, change.before_count, before_text.data());
  if (change.kind == LetterKey::kComposed) {
    std::array<char16_t, kLetterTextSize + 1> after_text;
    text_diff(out, before_text.data(), before_length, after_text.data(),
              letter_text(change.after, change.after_count, after_text.data()));
    return;
  }
  out->backspaces = 0;
  out->count = 0;
  if (change.kind == LetterKey::kErased) {
    out->backspaces = before_length > 1 ? before_length : 1;
  } else {
    out->text[out->count++] = windows_1252(change.character);
  }
  out->text[out->count] = 0;
}

void translate_key_unicode(UnicodeKeystrokes* out, unsigned int ucode, unsigned int character) {
  LetterChange change;
  translate_letter(&change, ucode, character);
  unicode_keystrokes(change, out);
}
