#include "encoding/unicode_keystrokes.h"

#include <array>
#include <cstring>

#include "core/keystroke_translation.h"
#include "encoding/to_unicode.h"

namespace {

constexpr unsigned char kBackspace = 0x08;
constexpr unsigned char kDelete = 0x7F;

}  // namespace

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

void translate_key_unicode(UnicodeKeystrokes* out, unsigned int ucode, unsigned int character) {
  std::array<char16_t, kLetterTextSize + 1> typed_text;
  if (translates_ucode(ucode)) {
    std::array<unsigned char, kLetterOutputSize> letter;
    std::int32_t letter_length = 0;
    // As in translate_key: a failure erases the letter, and typed_glyphs is
    // read after letter_add, so a new letter leaves the finished one alone.
    letter_add(ucode, letter.data(), &letter_length);
    std::array<char16_t, kLetterTextSize + 1> new_text;
    text_diff(out, typed_text.data(), letter_text(typed_glyphs, typed_length(), typed_text.data()),
              new_text.data(), letter_text(letter.data(), letter_length, new_text.data()));
    std::memcpy(typed_glyphs, letter.data(), static_cast<std::size_t>(letter_length));
    typed_count = letter_length;
    typed_glyphs[letter_length] = 0;
    return;
  }

  const auto key = static_cast<unsigned char>(character & 0xFFu);
  out->backspaces = 0;
  out->count = 0;
  if (key == kBackspace || key == kDelete) {
    const std::int32_t typed = letter_text(typed_glyphs, typed_length(), typed_text.data());
    out->backspaces = typed > 1 ? typed : 1;
  } else {
    out->text[out->count++] = windows_1252(key);
  }
  out->text[out->count] = 0;
  letter_reset();
}
