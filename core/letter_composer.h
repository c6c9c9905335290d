// The letter being composed: its glyphs in composition order, and the glyphs
// last typed for it in display order.
#pragma once
#include <cstdint>

constexpr int kLetterMaxGlyphs = 126;
constexpr int kLetterFullAt = 123;     // letter_add refuses from here on
constexpr int kLetterOutputSize = 132; // working buffers for display order

// Control bytes of a glyph sequence.
constexpr unsigned char chr_NONE = 1;
constexpr unsigned char chr_DELPREV = 2;
constexpr unsigned char chr_LOOKBACK = 3;

extern unsigned char letter_glyphs[kLetterMaxGlyphs + 1];
extern std::int32_t letter_count;
extern unsigned char typed_glyphs[kLetterMaxGlyphs + 1];
extern std::int32_t typed_count;

// Adds `ucode` to the letter; `out` (>= 127 bytes) receives the letter in
// display order. 1 = success; 0 with ErrorText (out_count stays 0).
int letter_add(unsigned int ucode, unsigned char* out, std::int32_t* out_count);

// Ends the letter in progress.
void letter_reset();
// The same, for callers that want a result; always 1.
int letter_reset_checked();

// Writes `count` glyphs in display order: PREPEND, then plain, then APPEND.
void letter_order(const unsigned char* glyphs, std::int32_t count,
                  unsigned char* out, std::int32_t* out_count);
