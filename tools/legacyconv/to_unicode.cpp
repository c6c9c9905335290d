#include "tools/legacyconv/to_unicode.h"

namespace {

constexpr std::string_view kRaVirama = "\xE0\xA4\xB0\xE0\xA5\x8D";  // र्

// Where the syllable being converted started in the output, and the i sign
// that waits for its consonant.
struct Syllable {
  std::size_t start = 0;
  bool joins = false;       // the last glyph ends in a virama: the next consonant belongs here
  std::string pending_i;    // text of a PREPEND glyph not yet placed
  bool pending_has_base = false;
};

void place_pending_i(Syllable& s, std::string& out) {
  if (!s.pending_i.empty() && s.pending_has_base) {
    out += s.pending_i;
    s.pending_i.clear();
  }
}

void drop_pending_i(Syllable& s, std::string& out) {
  out += s.pending_i;
  s.pending_i.clear();
}

}  // namespace

std::string legacy_to_unicode(const EncodingTable& table, std::string_view bytes) {
  std::string out;
  Syllable s;
  for (const char c : bytes) {
    const EncodingEntry& e = table.entries[static_cast<unsigned char>(c)];
    if (!e.present) {
      drop_pending_i(s, out);
      out += c;
      s.joins = false;
      continue;
    }
    switch (e.cls) {
      case GlyphClass::kHalf:
      case GlyphClass::kVirama:
        if (!s.joins) {
          place_pending_i(s, out);
          s.start = out.size();
        }
        out += e.text;
        s.joins = true;
        break;
      case GlyphClass::kConsonant:
      case GlyphClass::kLigature:
        if (!s.joins) {
          place_pending_i(s, out);
          s.start = out.size();
        }
        out += e.text;
        s.joins = false;
        if (!s.pending_i.empty()) s.pending_has_base = true;
        break;
      case GlyphClass::kRakar:
        out += e.text;
        break;
      case GlyphClass::kReph:
        place_pending_i(s, out);
        out.insert(s.start, kRaVirama);
        s.joins = false;
        break;
      case GlyphClass::kHalant:
        place_pending_i(s, out);
        out += e.text;
        s.joins = true;
        break;
      default:
        if (e.placement == Placement::kPrepend) {
          drop_pending_i(s, out);
          s.pending_i = e.text;
          s.pending_has_base = false;
          s.joins = false;
          break;
        }
        place_pending_i(s, out);
        if (e.placement == Placement::kBase &&
            (e.cls == GlyphClass::kVowel || e.cls == GlyphClass::kDigit ||
             e.cls == GlyphClass::kPunct)) {
          drop_pending_i(s, out);
          s.start = out.size();
        }
        out += e.text;
        s.joins = false;
        break;
    }
  }
  drop_pending_i(s, out);
  return out;
}
