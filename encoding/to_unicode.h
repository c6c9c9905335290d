// Glyph bytes in display order (as the font draws them) to Unicode text.
#pragma once
#include <string>
#include <string_view>

#include "encoding/encoding_table.h"

// Converts `count` glyph bytes into UTF-16 units in `out` (room for
// `capacity`; count * kGlyphTextMax always suffices) and returns how many it
// wrote, or -1 when they do not fit. A PREPEND glyph (the i sign) moves
// behind the consonant cluster it stands before, an APPEND glyph (reph) moves
// to the start of its syllable as RA + VIRAMA, a vowel sign after the letter
// it completes makes one letter (अ + ा: आ). A byte the table does not list
// comes out as its Windows-1252 character, which font output would type.
int glyphs_to_text(const EncodingTable& table, const unsigned char* glyphs, int count,
                   char16_t* out, int capacity);

// The character a byte is in Windows-1252 (what ALT+0 and its decimal code
// type); the five bytes it leaves undefined stay C1 controls.
char16_t windows_1252(unsigned char byte);

// Appends one UTF-16 unit as UTF-8 (tables hold no surrogates).
void append_utf8(std::string& out, char16_t unit);

// The same for a whole text, as UTF-8 (the converter's form).
std::string legacy_to_unicode(const EncodingTable& table, std::string_view bytes);
