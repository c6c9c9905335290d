// A language's encoding table: for each byte code of its 8-bit font, the
// Unicode text the glyph draws and the role it plays in a syllable (one line
// per byte: code, name, Unicode text, class, placement, traits, draw, as kept
// in languages/vedrokan/Vedrokan.tsv). The live table turns typed letters
// into Unicode; a staging copy is filled first so a failed load changes
// nothing.
#pragma once
#include <array>
#include <cstdint>
#include <string_view>

enum class GlyphClass : std::uint8_t { kNone, kVowel, kConsonant, kVirama, kHalf, kLigature, kReph,
                                       kRakar, kHalant, kMatra, kSign, kDigit, kPunct, kJoiner };
enum class Placement : std::uint8_t { kBase, kMark, kPrepend, kAppend };
enum class StemClass : std::uint8_t { kRight, kCentre, kMid };

// A glyph's text in UTF-16. The table takes Basic Multilingual Plane text
// only, so one unit is one code point, and one Backspace erases it.
constexpr int kGlyphTextMax = 8;
constexpr int kGlyphNameSize = 32;
constexpr int kILengthSize = 4;
constexpr int kCompositionsMax = 8;

struct GlyphText {
  char16_t units[kGlyphTextMax];
  std::uint8_t length;
};

// A vowel sign drawn after the letter `first` makes the letter `letter`
// (अ + ा is आ): letters whose glyph is the same as those parts have no byte.
// An empty `letter` drops `first`: after a virama, the stem ा of fonts that
// draw ख as ख् + ा.
struct Composition {
  GlyphText first;
  GlyphText letter;
};

struct EncodingEntry {
  bool present;
  char name[kGlyphNameSize];
  GlyphText text;
  GlyphClass cls;
  Placement placement;
  StemClass marks;               // where vowel signs sit on a consonant, or whom a sign serves
  char i_length[kILengthSize];   // "i3": the i sign that fits a consonant, or an i sign's own length
  std::uint8_t composition_count;
  Composition compositions[kCompositionsMax];
};

struct EncodingTable {
  std::array<EncodingEntry, 256> entries;
  std::int32_t entry_count;
};

extern EncodingTable LiveEncodingTable;
extern EncodingTable StagingEncodingTable;

// Empties `table`, ready for lines.
void clear_encoding_table(EncodingTable* table);

// Adds one line (without its line feed; a CR at its end is dropped) to the
// table; comments and blank lines add nothing. 1 = read; 0 with ErrorText
// "line N: ...\n" for a malformed line, an unknown class, placement or trait,
// text the table cannot hold, or a code given twice.
int read_encoding_line(EncodingTable* table, std::string_view line, int line_number);

// Reads a whole table text into `table` (emptied first). 1 = read; 0 with
// ErrorText as above.
int read_encoding_table(std::string_view text, EncodingTable* table);

// The UTF-8 form of a glyph text, for messages and tools; `out` holds at
// least 3 * kGlyphTextMax + 1 bytes. Returns its length.
int glyph_text_utf8(const GlyphText& text, char* out);
