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

void translate_letter(LetterChange* change, unsigned int ucode, unsigned int character) {
  change->character = static_cast<unsigned char>(character & 0xFFu);
  if (translates_ucode(ucode)) {
    std::array<unsigned char, kLetterOutputSize> letter;
    std::int32_t letter_length = 0;
    // On failure letter_length stays 0: the letter on screen is erased.
    letter_add(ucode, letter.data(), &letter_length);
    // Read after letter_add: a new letter has reset typed_count, so the
    // finished one stays on screen.
    change->kind = LetterKey::kComposed;
    change->before_count = typed_length();
    std::memcpy(change->before, typed_glyphs, static_cast<std::size_t>(change->before_count));
    change->after_count = letter_length < kLetterMaxGlyphs ? letter_length : kLetterMaxGlyphs;
    std::memcpy(change->after, letter.data(), static_cast<std::size_t>(change->after_count));
    std::memcpy(typed_glyphs, change->after, static_cast<std::size_t>(change->after_count));
    typed_count = change->after_count;
    typed_glyphs[typed_count] = 0;
    return;
  }

  const bool erase = change->character == kBackspace || change->character == kDelete;
  change->kind = erase ? LetterKey::kErased : LetterKey::kPassed;
  change->before_count = typed_length();
  std::memcpy(change->before, typed_glyphs, static_cast<std::size_t>(change->before_count));
  change->after_count = erase ? 0 : change->before_count;
  std::memcpy(change->after, change->before, static_cast<std::size_t>(change->after_count));
  letter_reset();
}

void font_keystrokes(const LetterChange& change, KeystrokeString* out, std::int32_t* count) {
  switch (change.kind) {
    case LetterKey::kComposed:
      glyph_diff(out->bytes, count, change.before, change.before_count, change.after, change.after_count);
      return;
    case LetterKey::kErased: {
      const std::int32_t erase = change.before_count > 1 ? change.before_count : 1;
      std::memset(out->bytes, kBackspace, static_cast<std::size_t>(erase));
      *count = erase;
      break;
    }
    case LetterKey::kPassed:
      out->bytes[0] = static_cast<char>(change.character);
      *count = 1;
      break;
  }
  out->bytes[*count] = 0;
}

void translate_key(KeystrokeString* out, std::int32_t* count, unsigned int ucode,
                   unsigned int character) {
  LetterChange change;
  translate_letter(&change, ucode, character);
  font_keystrokes(change, out, count);
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
