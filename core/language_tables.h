// The loaded language: the key map (typed character -> ucode) and the glyph
// table (glyph x ucode -> glyph sequence), each as a live and a staging copy.
#pragma once
#include <array>
#include <cstdint>

#include "core/global_memory.h"

using KeyMap = std::array<unsigned char, 256>;

constexpr int kGlyphSequenceLength = 4;
constexpr int kGlyphRowUcodes = 128;
constexpr int kGlyphCodes = 256;
constexpr int kLanguageNameSize = 128;
constexpr std::uint32_t kAttrPrepend = 0x02;
constexpr std::uint32_t kAttrAppend = 0x04;

struct GlyphRow {
  std::uint32_t attr;
  unsigned char map[kGlyphRowUcodes][kGlyphSequenceLength];
};
static_assert(sizeof(GlyphRow) == 516, "a glyph row is 516 bytes");

struct GlyphTable {
  char name[kLanguageNameSize];
  GlobalMemoryHandle rows_handle;
  GlyphRow* rows;
  std::int32_t glyphIndex[kGlyphCodes];
};

extern KeyMap LiveKeyMap;
extern KeyMap StagingKeyMap;
extern GlyphTable LiveGlyphTable;
extern GlyphTable StagingGlyphTable;

// Rows 0..highest_row, zero-filled, locked. 1 = success; 0 with ErrorText.
int alloc_glyph_rows(GlyphTable* table, int highest_row);
// 1 when the table ends without a rows object.
int free_glyph_rows(GlyphTable* table);
// Releases live and staging rows; 1 when both releases succeeded.
int free_language_tables();
// The live table's language name ("" until a file gave one).
const char* current_language_name();
