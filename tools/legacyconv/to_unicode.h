// Legacy bytes (display order, as the font draws them) to Unicode text.
#pragma once
#include <string>
#include <string_view>

#include "tools/legacyconv/encoding_table.h"

// Converts the bytes to UTF-8. A PREPEND glyph (the i sign) moves behind the
// consonant cluster it stands before, an APPEND glyph (reph) moves to the start
// of its syllable as RA + VIRAMA. Bytes outside the table pass through unchanged.
std::string legacy_to_unicode(const EncodingTable& table, std::string_view bytes);
