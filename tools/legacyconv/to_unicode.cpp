#include "tools/legacyconv/to_unicode.h"

namespace {

constexpr std::string_view kRaVirama = "\xE0\xA4\xB0\xE0\xA5\x8D";  // र्
constexpr std::string_view kZeroWidthJoiner = "\xE2\x80\x8D";

bool ends_with(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// A vowel sign after the letter it completes (अ + ा): the letter becomes the
// one they draw (आ), and the rest of the sign's text (the ं of ें) follows.
bool compose_letter(const EncodingEntry& e, std::string& out) {
  for (const auto& [first, letter] : e.after) {
    if (!ends_with(out, first)) continue;
    out.replace(out.size() - first.size(), first.size(), letter);
    // The sign's first character is a Devanagari letter: three bytes in UTF-8.
    out += e.text.substr(3);
    return true;
  }
  return false;
}

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
        // The cluster goes on (र्ख़, ड्र्य): a waiting i sign belongs behind its last consonant.
        out += e.text;
        s.joins = true;
        s.pending_has_base = false;
        break;
      case GlyphClass::kJoiner:
        // A joiner after a virama keeps the cluster open; a non-joiner ends it.
        out += e.text;
        s.joins = s.joins && e.text == kZeroWidthJoiner;
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
        if (e.cls == GlyphClass::kMatra && compose_letter(e, out)) {
          s.joins = false;
          break;
        }
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
