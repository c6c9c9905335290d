#include "core/keystroke_translation.h"

#include <array>
#include <cstring>

#include "core/language_tables.h"
#include "core/ucode_table.h"

namespace {

constexpr char kBackspace = 0x08;
constexpr unsigned char kDelete = 0x7F;

}  // namespace

// typed_count is global; whatever it holds, no more than a full letter is
// read from typed_glyphs or erased on screen.
std::int32_t typed_length() {
  if (typed_count < 0) return 0;
  return typed_count < kLetterMaxGlyphs ? typed_count : kLetterMaxGlyphs;
}

int translates_ucode(unsigned int ucode) { return (ucode & 0xFFu) != 0 && ucode_name(nullptr, ucode); }

unsigned char key_to_ucode(unsigned int character) { return LiveKeyMap[character & 0xFFu]; }

void translate_key(KeystrokeString* out, std::int32_t* count, unsigned int ucode,
                   unsigned int character) {
  *count = 0;
  if (translates_ucode(ucode)) {
    std::array<unsigned char, kLetterOutputSize> letter;
    std::int32_t letter_length = 0;
    // On failure letter_length stays 0: the letter on screen is erased.
    letter_add(ucode, letter.data(), &letter_length);
    // Read after letter_add: a new letter has reset typed_count, so the
    // finished one stays on screen.
    glyph_diff(out->bytes, count, typed_glyphs, typed_length(), letter.data(), letter_length);
    std::memcpy(typed_glyphs, letter.data(), static_cast<std::size_t>(letter_length));
    typed_count = letter_length;
    typed_glyphs[letter_length] = 0;
    return;
  }

  const unsigned char key = static_cast<unsigned char>(character & 0xFFu);
  if (key == kBackspace || key == kDelete) {
    const std::int32_t erase = typed_length() > 1 ? typed_length() : 1;
    std::memset(out->bytes, kBackspace, static_cast<std::size_t>(erase));
    *count = erase;
  } else {
    out->bytes[0] = static_cast<char>(key);
    *count = 1;
  }
  out->bytes[*count] = 0;
  letter_reset();
}

std::int32_t glyph_diff(char* out, std::int32_t* count, const unsigned char* old_glyphs,
                        std::int32_t old_count, const unsigned char* new_glyphs,
                        std::int32_t new_count) {
  const std::int32_t m = old_count > 0 ? old_count : 0;
  const std::int32_t n = new_count > 0 ? new_count : 0;
  const std::int32_t shorter = m < n ? m : n;
  std::int32_t prefix = 0;
  while (prefix < shorter && old_glyphs[prefix] == new_glyphs[prefix]) ++prefix;

  std::int32_t written = 0;
  for (std::int32_t i = prefix; i < m; ++i) out[written++] = kBackspace;
  for (std::int32_t i = prefix; i < n; ++i) out[written++] = static_cast<char>(new_glyphs[i]);
  out[written] = 0;
  *count = written;
  return written;
}
