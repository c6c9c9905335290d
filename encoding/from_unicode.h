// Unicode text to legacy bytes in display order, where the font can draw it.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "encoding/encoding_table.h"

// A character the encoding has no glyph for, with its line (counted from 1).
struct Undrawable {
  char32_t code_point;
  int line;
};

// Converts UTF-8 text into bytes of the encoding: consonant clusters become
// half forms and a full consonant (or a ligated cluster), the i sign goes in
// front, reph behind, vowel signs and marks take the variant that fits the
// consonant. Characters without a glyph are left out and listed in `missing`;
// a zero-width joiner after a virama asks for the half form, and a joiner is
// written where the table has one (else listed too). Space, tab and line ends
// pass unchanged.
std::string unicode_to_legacy(const EncodingTable& table, std::string_view text,
                              std::vector<Undrawable>& missing);
