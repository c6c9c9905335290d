#include "encoding/to_unicode.h"

#include <cstring>
#include <vector>

namespace {

constexpr char16_t kRa = 0x0930;
constexpr char16_t kVirama = 0x094D;
constexpr char16_t kZeroWidthJoiner = 0x200D;
constexpr char16_t kNukta = 0x093C;
constexpr char16_t kAnusvara = 0x0902;
constexpr char16_t kCandrabindu = 0x0901;

// Windows-1252 at 0x80-0x9F; the five bytes it leaves undefined stay C1 controls.
constexpr std::array<char16_t, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

struct TextBuffer {
  char16_t* units;
  int length;
  int capacity;
  bool overflow;

  void append(const char16_t* text, int n) {
    if (n == 0) return;
    if (length + n > capacity) {
      overflow = true;
      return;
    }
    std::memcpy(units + length, text, static_cast<std::size_t>(n) * sizeof(char16_t));
    length += n;
  }
  void insert(int at, const char16_t* text, int n) {
    if (length + n > capacity) {
      overflow = true;
      return;
    }
    std::memmove(units + at + n, units + at, static_cast<std::size_t>(length - at) * sizeof(char16_t));
    std::memcpy(units + at, text, static_cast<std::size_t>(n) * sizeof(char16_t));
    length += n;
  }
  bool ends_with(const GlyphText& tail, int end) const {
    return end >= tail.length &&
           std::memcmp(units + end - tail.length, tail.units, tail.length * sizeof(char16_t)) == 0;
  }
  // Puts `text` in place of the `removed` units before `end`.
  void replace(int end, int removed, const GlyphText& text) {
    const int grow = text.length - removed;
    if (length + grow > capacity) {
      overflow = true;
      return;
    }
    std::memmove(units + end + grow, units + end, static_cast<std::size_t>(length - end) * sizeof(char16_t));
    std::memcpy(units + end - removed, text.units, text.length * sizeof(char16_t));
    length += grow;
  }
};

bool is_sign_after_letter(char16_t c) { return (c >= 0x0901 && c <= 0x0903) || (c >= 0x093E && c <= 0x094C); }

// A vowel sign after the letter it completes (अ + ा): the letter becomes the
// one they draw (आ), and the rest of the sign's text (the ं of ें) follows.
// A mark (Preeti's m) reaches its letter across the vowel signs, nasal signs
// and ्र typed between; `floor` is where the syllable began.
bool compose_letter(const EncodingEntry& e, TextBuffer& out, int floor, bool rest) {
  for (int k = 0; k < e.composition_count; ++k) {
    const Composition& c = e.compositions[k];
    int end = out.length;
    while (!out.ends_with(c.first, end) || end - c.first.length < floor) {
      if (e.placement != Placement::kMark || end <= floor) break;
      if (is_sign_after_letter(out.units[end - 1]) || out.units[end - 1] == kVirama) end -= 1;
      else if (end - 2 >= floor && out.units[end - 1] == kRa && out.units[end - 2] == kVirama) end -= 2;
      else break;
    }
    if (!out.ends_with(c.first, end) || end - c.first.length < floor) continue;
    out.replace(end, c.first.length, c.letter);
    if (rest) out.append(e.text.units + 1, e.text.length - 1);
    return true;
  }
  return false;
}

// Where the syllable being converted started in the output, and the i sign
// that waits for its consonant.
struct Syllable {
  int start = 0;
  bool joins = false;  // the last glyph ends in a virama: the next consonant belongs here
  GlyphText pending_i{};  // text of a PREPEND glyph not yet placed
  bool pending_has_base = false;
  GlyphText pending_sign{};  // a vowel sign typed after a half form, before its consonant
  int base_end = 0;  // where the text of the last consonant glyph ends
};

void place_pending_sign(Syllable& s, TextBuffer& out) {
  out.append(s.pending_sign.units, s.pending_sign.length);
  s.pending_sign.length = 0;
}

void place_pending_i(Syllable& s, TextBuffer& out) {
  if (s.pending_i.length != 0 && s.pending_has_base) {
    out.append(s.pending_i.units, s.pending_i.length);
    s.pending_i.length = 0;
  }
}

void drop_pending_i(Syllable& s, TextBuffer& out) {
  place_pending_sign(s, out);
  out.append(s.pending_i.units, s.pending_i.length);
  s.pending_i.length = 0;
}

bool is_zero_width_joiner(const GlyphText& t) { return t.length == 1 && t.units[0] == kZeroWidthJoiner; }

void convert_glyph(const EncodingTable& table, unsigned char byte, Syllable& s, TextBuffer& out) {
  const EncodingEntry& e = table.entries[byte];
  if (!e.present) {
    drop_pending_i(s, out);
    const char16_t c = windows_1252(byte);
    out.append(&c, 1);
    s.joins = false;
    return;
  }
  switch (e.cls) {
    case GlyphClass::kHalf:
    case GlyphClass::kVirama:
      if (!s.joins) {
        place_pending_i(s, out);
        s.start = out.length;
      }
      out.append(e.text.units, e.text.length);
      s.joins = true;
      break;
    case GlyphClass::kConsonant:
    case GlyphClass::kLigature:
      if (!s.joins) {
        place_pending_i(s, out);
        s.start = out.length;
      }
      out.append(e.text.units, e.text.length);
      s.base_end = out.length;
      place_pending_sign(s, out);
      s.joins = false;
      if (s.pending_i.length != 0) s.pending_has_base = true;
      break;
    case GlyphClass::kRakar: {
      // Typed after the vowel signs of its consonant (ट + े + ्र), it still follows the consonant.
      int at = out.length;
      while (at > s.base_end && is_sign_after_letter(out.units[at - 1])) --at;
      out.insert(at, e.text.units, e.text.length);
      break;
    }
    case GlyphClass::kReph: {
      place_pending_i(s, out);
      // Drawn after इ, the reph's curl makes ई.
      if (compose_letter(e, out, s.start, false)) break;
      const char16_t ra_virama[] = {kRa, kVirama};
      out.insert(s.start, ra_virama, 2);
      s.joins = false;
      break;
    }
    case GlyphClass::kHalant:
      // The cluster goes on (र्ख़, ड्र्य): a waiting i sign belongs behind its last consonant.
      out.append(e.text.units, e.text.length);
      s.joins = true;
      s.pending_has_base = false;
      break;
    case GlyphClass::kJoiner:
      // A joiner after a virama keeps the cluster open; a non-joiner ends it.
      out.append(e.text.units, e.text.length);
      s.joins = s.joins && is_zero_width_joiner(e.text);
      break;
    default:
      if (e.text.length == 1 && e.text.units[0] == kNukta) {
        // The nukta belongs to the consonant, also to one drawn with its virama (ज़्).
        const bool after_virama = out.length > 0 && out.units[out.length - 1] == kVirama;
        out.insert(after_virama ? out.length - 1 : out.length, e.text.units, 1);
        break;
      }
      if (e.placement == Placement::kPrepend) {
        drop_pending_i(s, out);
        s.pending_i = e.text;
        s.pending_has_base = false;
        s.joins = false;
        break;
      }
      place_pending_i(s, out);
      if (e.cls == GlyphClass::kMatra && compose_letter(e, out, s.start, true)) {
        // ख् + ा is the consonant ख: the i sign waiting for it has its base.
        if (s.joins && s.pending_i.length != 0) s.pending_has_base = true;
        s.joins = false;
        break;
      }
      if (e.cls == GlyphClass::kMatra && s.joins && s.pending_sign.length == 0) {
        // Typed after a half form (स् + ु + त): the sign belongs behind the consonant that follows.
        s.pending_sign = e.text;
        break;
      }
      if (e.cls == GlyphClass::kMatra && out.length > 0 &&
          (out.units[out.length - 1] == kAnusvara || out.units[out.length - 1] == kCandrabindu)) {
        // A vowel sign typed after the anusvara (म + ं + ै) is read before it: मैं.
        out.insert(out.length - 1, e.text.units, e.text.length);
        break;
      }
      if (e.placement == Placement::kBase &&
          (e.cls == GlyphClass::kVowel || e.cls == GlyphClass::kDigit || e.cls == GlyphClass::kPunct)) {
        drop_pending_i(s, out);
        s.start = out.length;
      }
      out.append(e.text.units, e.text.length);
      s.joins = false;
      break;
  }
}

}  // namespace

void append_utf8(std::string& out, char16_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

char16_t windows_1252(unsigned char byte) {
  return byte >= 0x80 && byte < 0xA0 ? kWindows1252High[byte - 0x80u] : byte;
}

int glyphs_to_text(const EncodingTable& table, const unsigned char* glyphs, int count,
                   char16_t* out, int capacity) {
  TextBuffer buffer{out, 0, capacity, false};
  Syllable s;
  for (int i = 0; i < count; ++i) convert_glyph(table, glyphs[i], s, buffer);
  drop_pending_i(s, buffer);
  return buffer.overflow ? -1 : buffer.length;
}

std::string legacy_to_unicode(const EncodingTable& table, std::string_view bytes) {
  std::vector<char16_t> units(bytes.size() * kGlyphTextMax);
  const int n = glyphs_to_text(table, reinterpret_cast<const unsigned char*>(bytes.data()),
                               static_cast<int>(bytes.size()), units.data(), static_cast<int>(units.size()));
  std::string out;
  for (int i = 0; i < n; ++i) append_utf8(out, units[static_cast<std::size_t>(i)]);
  return out;
}
