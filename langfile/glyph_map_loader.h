// Reads the glyph statements of a language file (GKMAIN, GK, GKA, GKS) into
// a glyph table, in two passes so the rows are obtained once at their size.
#pragma once
#include <cstdint>

#include "core/language_tables.h"

// A GK statement lists at most this many codes: one glyph sequence.
constexpr int kMaxGkCodes = kGlyphSequenceLength;

// Fills `table` from `file_name` or `text` (exactly one is given).
// Non-zero = success; 0 with ErrorText, `table` holding a partial result.
int fillup_ifont(GlyphTable* table, const char* file_name, const char* text);

// First pass over the open source: gives each glyph that starts a GK, GKA or
// GKS line a row number, in order of first appearance. Returns the highest
// row number, or -1 when no glyph was found.
int index_glyphs(std::int32_t* glyphIndex);
