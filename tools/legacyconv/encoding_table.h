// The byte table of an 8-bit Devanagari font encoding (one line per byte:
// code, name, Unicode text, class, placement, traits, draw), as kept in
// languages/vedrokan/vedrokan-table.tsv.
#pragma once
#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

enum class GlyphClass { kNone, kVowel, kConsonant, kVirama, kHalf, kLigature, kReph, kRakar,
                        kHalant, kMatra, kSign, kDigit, kPunct, kJoiner };
enum class Placement { kBase, kMark, kPrepend, kAppend };
enum class StemClass { kRight, kCentre, kMid };

struct EncodingEntry {
  bool present = false;
  std::string name;
  std::string text;  // UTF-8
  GlyphClass cls = GlyphClass::kNone;
  Placement placement = Placement::kBase;
  StemClass marks = StemClass::kRight;  // where vowel signs sit on a consonant, or whom a sign serves
  std::string i_length;                 // "i3": the i sign that fits a consonant, or an i sign's own length
  // A vowel sign drawn after the letter `first` makes the letter `second`
  // (अ + ा is आ): letters whose glyph is the same as those parts have no byte.
  std::vector<std::pair<std::string, std::string>> after;
};

struct EncodingTable {
  std::array<EncodingEntry, 256> entries;
};

// Reads the table text. Returns 1 on success; 0 with the reason in `error`
// ("line N: ...") for a malformed line, an unknown class or placement, or a
// code given twice.
int read_encoding_table(std::string_view text, EncodingTable& table, std::string& error);

// The table the converter carries: Vedrokan's, built in from the repository.
std::string_view builtin_encoding_table();
