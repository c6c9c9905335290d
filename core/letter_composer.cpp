#include "core/letter_composer.h"

#include <array>

#include "core/error_text.h"
#include "core/language_tables.h"
#include "core/ucode_table.h"

unsigned char letter_glyphs[kLetterMaxGlyphs + 1];
std::int32_t letter_count = 0;
unsigned char typed_glyphs[kLetterMaxGlyphs + 1];
std::int32_t typed_count = 0;

namespace {

// Glyph code 1 names the start of a letter: its row maps a letter's first ucode.
constexpr unsigned char kStartGlyph = chr_NONE;
// Inside letter_glyphs a 1 marks a glyph to delete.
constexpr unsigned char kDeletedGlyph = 1;

// The row of `glyph` in the live table, or null when it has none.
const GlyphRow* glyph_row(unsigned char glyph) {
  if (LiveGlyphTable.rows == nullptr) return nullptr;
  const std::int32_t row = LiveGlyphTable.glyphIndex[glyph];
  if (row < 0 || row >= kGlyphCodes) return nullptr;
  return &LiveGlyphTable.rows[row];
}

// The sequence of `glyph`'s row for `ucode`, or null when the glyph has no row.
const unsigned char* glyph_sequence(unsigned char glyph, unsigned char ucode) {
  const GlyphRow* row = glyph_row(glyph);
  return row != nullptr ? row->map[ucode] : nullptr;
}

bool sequence_empty(const unsigned char* sequence) {
  for (int i = 0; i < kGlyphSequenceLength; ++i) {
    if (sequence[i] != 0) return false;
  }
  return true;
}

bool has_mapping(const unsigned char* sequence) {
  return sequence != nullptr && !sequence_empty(sequence);
}

constexpr unsigned char kEmptySequence[kGlyphSequenceLength] = {0, 0, 0, 0};

// Step back from the letter's last glyph towards its first while every glyph
// maps `ucode`; all of them do: the first glyph's sequence applies there.
const unsigned char* look_back(std::int32_t* position, unsigned char ucode) {
  for (std::int32_t j = *position - 1; j >= 0; --j) {
    if (!has_mapping(glyph_sequence(letter_glyphs[j], ucode))) return kEmptySequence;
  }
  *position = 0;
  return glyph_sequence(letter_glyphs[0], ucode);
}

// A sequence "3 3 u" in the row of a glyph shared by many letters (a halant
// mark, a vowel-sign stem): the glyph before it knows what the key makes.
bool is_asking_glyph_before(const unsigned char* sequence) {
  return sequence != nullptr && sequence[0] == chr_LOOKBACK && sequence[1] == chr_LOOKBACK;
}

// The glyph before the last answers with its sequence for `asked` (a ucode no
// key gives): the last glyph is taken off and that sequence applies at the
// glyph before; before the letter's first glyph the start row answers. An
// answer that asks again goes one glyph further back. Null when there is no
// answer: the key then begins a new letter.
const unsigned char* ask_glyph_before(std::int32_t* position, const unsigned char* sequence) {
  while (is_asking_glyph_before(sequence)) {
    const unsigned char asked = sequence[2];
    if (*position < 0 || asked >= kGlyphRowUcodes) return nullptr;
    const unsigned char before = *position >= 1 ? letter_glyphs[*position - 1] : kStartGlyph;
    sequence = glyph_sequence(before, asked);
    if (!has_mapping(sequence)) return nullptr;
    --letter_count;
    --*position;
  }
  return sequence;
}

void remove_deleted_glyphs() {
  for (std::int32_t j = letter_count - 1; j >= 0; --j) {
    if (letter_glyphs[j] != kDeletedGlyph) continue;
    for (std::int32_t k = j; k + 1 < letter_count; ++k) letter_glyphs[k] = letter_glyphs[k + 1];
    --letter_count;
  }
}

}  // namespace

int letter_add(unsigned int ucode, unsigned char* out, std::int32_t* out_count) {
  *out_count = 0;
  if (letter_count >= kLetterFullAt) {
    set_error_text("Error: too many glyphs in this devanagari letter\n");
    return 0;
  }
  if (!ucode_name(nullptr, ucode)) {
    letter_reset();
    set_error_text("error: letter_add: illegal ucode: 0x%02x\n", ucode);
    return 0;
  }
  if (LiveGlyphTable.rows == nullptr) return 0;

  // Only the low byte names the ucode (ucode_name accepted it on that).
  const auto u = static_cast<unsigned char>(ucode & 0xFFu);
  std::int32_t position = -1;
  unsigned char previous = kStartGlyph;
  if (letter_count >= 1) {
    position = letter_count - 1;
    previous = letter_glyphs[position];
  } else {
    letter_reset();
  }

  const unsigned char* sequence = glyph_sequence(previous, u);
  if (position >= 0 && is_asking_glyph_before(sequence)) sequence = ask_glyph_before(&position, sequence);
  if (sequence == nullptr || (position >= 0 && sequence_empty(sequence))) {
    // The letter is complete and stays on screen as typed; u begins the next.
    letter_reset();
    position = -1;
    previous = kStartGlyph;
    sequence = glyph_sequence(kStartGlyph, u);
  }
  if (!has_mapping(sequence)) {
    set_error_text("letter_add: glyph/ucode has no mapping!: 0x%02x, prevglyph 0x%02x\n", ucode,
                   previous);
    return 0;
  }

  if (sequence[0] == chr_LOOKBACK && position >= 1) sequence = look_back(&position, u);

  for (int i = 0; i < kGlyphSequenceLength && sequence[i] != 0; ++i) {
    const unsigned char byte = sequence[i];
    if (byte == chr_DELPREV) {
      if (position >= 0) letter_glyphs[position] = kDeletedGlyph;
    } else if (byte == chr_NONE) {
      set_error_text("Warning: illegal glyph code chr_NONE for 0x%02x\n", ucode);
    } else if (byte != chr_LOOKBACK) {
      letter_glyphs[letter_count++] = byte;
    }
  }
  remove_deleted_glyphs();
  letter_glyphs[letter_count] = 0;
  letter_order(letter_glyphs, letter_count, out, out_count);
  return 1;
}

void letter_reset() {
  letter_count = 0;
  typed_count = 0;
}

int letter_reset_checked() {
  letter_reset();
  return 1;
}

void letter_order(const unsigned char* glyphs, std::int32_t count, unsigned char* out,
                  std::int32_t* out_count) {
  std::array<unsigned char, kLetterOutputSize> front;
  std::array<unsigned char, kLetterOutputSize> middle;
  std::array<unsigned char, kLetterOutputSize> back;
  std::int32_t front_count = 0;
  std::int32_t middle_count = 0;
  std::int32_t back_count = 0;
  std::int32_t skipped = 0;

  // A letter never holds more than kLetterMaxGlyphs; a longer count is left
  // unordered past that point and shows up in the consistency check below.
  const std::int32_t ordered = count < kLetterMaxGlyphs ? count : kLetterMaxGlyphs;
  for (std::int32_t i = 0; i < ordered; ++i) {
    const unsigned char glyph = glyphs[i];
    if (glyph == kDeletedGlyph) {
      ++skipped;
      continue;
    }
    const GlyphRow* row = glyph_row(glyph);
    const std::uint32_t attr = row != nullptr ? (row->attr & 0xFFu) : 0;
    if (attr & kAttrPrepend) {
      front[front_count++] = glyph;
    } else if (attr & kAttrAppend) {
      back[back_count++] = glyph;
    } else {
      middle[middle_count++] = glyph;
    }
  }

  const std::int32_t placed = front_count + middle_count + back_count + skipped;
  if (placed != count) {
    // Only glyphs inside the letter are shown.
    const int first = count > 0 ? glyphs[0] : 0;
    const int second = count > 1 ? glyphs[1] : 0;
    const int third = count > 2 ? glyphs[2] : 0;
    set_error_text("Internal Programming Error: mycount %d, count %d Glyphs: %d %d %d\n",
                   static_cast<int>(placed), static_cast<int>(count), first, second, third);
  }

  std::int32_t n = 0;
  for (std::int32_t i = 0; i < front_count; ++i) out[n++] = front[i];
  for (std::int32_t i = 0; i < middle_count; ++i) out[n++] = middle[i];
  for (std::int32_t i = 0; i < back_count; ++i) out[n++] = back[i];
  out[n] = 0;
  *out_count = n;
}
