#include "encoding/from_unicode.h"

#include <cstring>
#include <map>

namespace {

constexpr char32_t kVirama = 0x094D;
constexpr char32_t kNukta = 0x093C;
constexpr char32_t kAnusvara = 0x0902;
constexpr char32_t kCandrabindu = 0x0901;
constexpr char32_t kVisarga = 0x0903;
constexpr char32_t kSignI = 0x093F;

std::string utf8(char32_t c) {
  std::string s;
  if (c < 0x80) {
    s += static_cast<char>(c);
  } else if (c < 0x800) {
    s += static_cast<char>(0xC0 | (c >> 6));
    s += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    s += static_cast<char>(0xE0 | (c >> 12));
    s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    s += static_cast<char>(0xF0 | (c >> 18));
    s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (c & 0x3F));
  }
  return s;
}

// Decodes UTF-8; a byte that starts no valid sequence comes out as 0xFFFD.
std::u32string decode(std::string_view text) {
  std::u32string out;
  for (std::size_t i = 0; i < text.size();) {
    const auto b = static_cast<unsigned char>(text[i]);
    int extra = b < 0x80 ? 0 : (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : (b & 0xF8) == 0xF0 ? 3 : -1;
    char32_t c = extra == 0 ? b : extra == 1 ? (b & 0x1F) : extra == 2 ? (b & 0x0F) : (b & 0x07);
    bool ok = extra >= 0 && i + static_cast<std::size_t>(extra) < text.size() + (extra == 0 ? 1 : 0);
    for (int k = 1; ok && k <= extra; ++k) {
      const auto t = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
      if ((t & 0xC0) != 0x80) ok = false;
      c = (c << 6) | (t & 0x3F);
    }
    if (!ok) {
      out += 0xFFFD;
      ++i;
      continue;
    }
    // The nukta letters QA..YYA are written as consonant + nukta, as the table has them.
    if (c >= 0x0958 && c <= 0x095F) {
      constexpr char32_t kBase[8] = {0x0915, 0x0916, 0x0917, 0x091C, 0x0921, 0x0922, 0x092B, 0x092F};
      out += kBase[c - 0x0958];
      out += kNukta;
    } else {
      out += c;
    }
    i += static_cast<std::size_t>(extra) + 1;
  }
  return out;
}

std::string utf8_text(const GlyphText& text) {
  char bytes[3 * kGlyphTextMax + 1];
  return std::string(bytes, static_cast<std::size_t>(glyph_text_utf8(text, bytes)));
}

bool is_consonant(char32_t c) { return c >= 0x0915 && c <= 0x0939; }
bool is_vowel_sign(char32_t c) { return (c >= 0x093E && c <= 0x094C) || c == 0x0962 || c == 0x0963; }

const char* stem_word(StemClass s) {
  return s == StemClass::kCentre ? "centre" : s == StemClass::kMid ? "mid" : "right";
}

// A second glyph for a text (named ha.alt, ha.alt2): read, never written.
bool is_alternate(const EncodingEntry& e) { return std::strstr(e.name, ".alt") != nullptr; }

// The table's texts sorted by the role they play when drawing a syllable.
struct Lookup {
  std::map<std::string, int> full, half, virama, ligature, spacing;
  std::map<std::string, int> marks;  // text + "|" + stem class
  std::map<std::string, int> i_sign;  // by length
  std::map<std::string, int> joiner;
  // A letter drawn in parts (आ: अ + ा): its first part's text and the vowel sign after it.
  std::map<std::string, std::pair<std::string, int>> composed;
  // Consonants drawn in two glyphs: ख as ख् and the stem ा, क़ as क and the nukta.
  std::map<std::string, std::string> parts;
  int reph = -1;
  const EncodingTable* table = nullptr;
  std::array<std::string, 256> texts;  // each glyph's text in UTF-8

  explicit Lookup(const EncodingTable& t) : table(&t) {
    for (int code = 0; code < 256; ++code) {
      const EncodingEntry& e = t.entries[static_cast<std::size_t>(code)];
      if (!e.present) continue;
      texts[static_cast<std::size_t>(code)] = utf8_text(e.text);
      if (is_alternate(e)) continue;
      const std::string& text = texts[static_cast<std::size_t>(code)];
      switch (e.cls) {
        case GlyphClass::kConsonant: full.emplace(text, code); break;
        case GlyphClass::kHalf: half.emplace(text, code); break;
        case GlyphClass::kVirama: virama.emplace(text, code); break;
        case GlyphClass::kLigature: ligature.emplace(text, code); break;
        case GlyphClass::kReph: reph = code; break;
        case GlyphClass::kJoiner: joiner.emplace(text, code); break;
        default:
          if (e.placement == Placement::kPrepend) i_sign.emplace(e.i_length, code);
          else if (e.placement == Placement::kMark) marks.emplace(text + "|" + stem_word(e.marks), code);
          else spacing.emplace(text, code);
      }
    }
    // A letter drawn in parts is drawn from a part that stands on its own (ौ: ा + ै, not ै + ा).
    for (int code = 0; code < 256; ++code) {
      const EncodingEntry& e = t.entries[static_cast<std::size_t>(code)];
      if (!e.present || is_alternate(e)) continue;
      for (int k = 0; k < e.composition_count; ++k) {
        const Composition& c = e.compositions[k];
        if (c.letter.length == 0) {
          stem = code;
          continue;
        }
        const std::string letter = utf8_text(c.letter);
        const std::string first = utf8_text(c.first);
        const auto it = composed.find(letter);
        if (it == composed.end() || (spacing.count(it->second.first) == 0 && spacing.count(first) != 0))
          composed[letter] = std::make_pair(first, code);
      }
    }
    const std::string virama = utf8(kVirama);
    const int nukta = mark(utf8(kNukta), StemClass::kRight);
    for (const auto& [text, code] : half) {
      const std::string consonant = text.substr(0, text.size() - virama.size());
      if (stem >= 0 && text.size() > virama.size() && text.compare(consonant.size(), virama.size(), virama) == 0 &&
          full.count(consonant) == 0)
        parts.emplace(consonant, std::string{static_cast<char>(code), static_cast<char>(stem)});
    }
    for (const auto& [text, code] : full) {
      if (nukta >= 0 && full.count(text + utf8(kNukta)) == 0)
        parts.emplace(text + utf8(kNukta), std::string{static_cast<char>(code), static_cast<char>(nukta)});
    }
    std::vector<std::pair<std::string, std::string>> with_nukta;
    for (const auto& [text, drawn] : parts) {
      if (nukta >= 0 && full.count(text + utf8(kNukta)) == 0 && parts.count(text + utf8(kNukta)) == 0)
        with_nukta.emplace_back(text + utf8(kNukta), drawn + static_cast<char>(nukta));
    }
    parts.insert(with_nukta.begin(), with_nukta.end());
  }

  int stem = -1;  // the vowel sign that makes a half form whole (after=्:)

  const EncodingEntry& entry(int code) const { return table->entries[static_cast<std::size_t>(code)]; }
  const std::string& text(int code) const { return texts[static_cast<std::size_t>(code)]; }

  // The halant mark after a ligated rakar cluster: for its stem and, where the table has one,
  // for its i sign length too (typing replaces the halant with that i sign).
  int halant_after(int cluster, StemClass stem) const {
    int fallback = -1;
    for (int code = 0; code < 256; ++code) {
      const EncodingEntry& e = entry(code);
      if (!e.present || e.cls != GlyphClass::kHalant || e.marks != stem) continue;
      if (std::strcmp(e.i_length, entry(cluster).i_length) == 0) return code;
      if (fallback < 0) fallback = code;
    }
    return fallback;
  }

  // The mark that fits the stem class, else the one for a right stem; -1 when none.
  int mark(const std::string& text, StemClass stem) const {
    auto it = marks.find(text + "|" + stem_word(stem));
    if (it == marks.end()) it = marks.find(text + "|right");
    return it == marks.end() ? -1 : it->second;
  }
};

int find(const std::map<std::string, int>& m, const std::string& key) {
  const auto it = m.find(key);
  return it == m.end() ? -1 : it->second;
}

std::string join(const std::vector<std::string>& units, std::size_t from, std::size_t to) {
  std::string s;
  for (std::size_t k = from; k < to; ++k) {
    if (k > from) s += utf8(kVirama);
    s += units[k];
  }
  return s;
}

class Converter {
 public:
  Converter(const EncodingTable& table, std::vector<Undrawable>& missing)
      : look_(table), missing_(missing) {}

  std::string run(const std::u32string& text) {
    text_ = &text;
    for (pos_ = 0; pos_ < text.size();) {
      const char32_t c = text[pos_];
      if (c == '\n') ++line_;
      if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
        out_ += static_cast<char>(c);
        ++pos_;
      } else if (c == 0x200C || c == 0x200D) {
        // Drawn where the table has the joiner (nothing on screen), else named.
        const int code = find(look_.joiner, utf8(c));
        if (code >= 0) emit(code);
        else miss(c);
        ++pos_;
      } else if (is_consonant(c)) {
        cluster();
      } else {
        other();
      }
    }
    return out_;
  }

 private:
  char32_t at(std::size_t k) const { return k < text_->size() ? (*text_)[k] : 0; }
  void miss(char32_t c) { missing_.push_back({c, line_}); }
  void emit(int code) { out_ += static_cast<char>(code); }

  // A character that begins no consonant cluster: vowel letter, digit, punctuation, or a
  // sign standing alone.
  // Draws a letter the table has only in parts (औ: अ, ा, ै); false when it has none.
  // A table may make a letter of itself (after=X:X) or of a letter made of it: the parts
  // are followed no deeper than any real letter needs.
  bool letter_in_parts(const std::string& letter, int depth = 0) {
    constexpr int kPartsDepthMax = 8;
    const auto it = look_.composed.find(letter);
    if (it == look_.composed.end() || depth == kPartsDepthMax) return false;
    const int first = find(look_.spacing, it->second.first);
    if (first >= 0) emit(first);
    else if (!letter_in_parts(it->second.first, depth + 1)) return false;
    // With an anusvara after it the sign takes its form with anusvara (ऐं: ए and ें), as typed.
    const int with_anusvara = at(pos_) == kAnusvara
        ? look_.mark(look_.text(it->second.second) + utf8(kAnusvara), StemClass::kRight) : -1;
    if (with_anusvara >= 0) ++pos_;
    emit(with_anusvara >= 0 ? with_anusvara : it->second.second);
    return true;
  }

  void other() {
    const char32_t c = at(pos_++);
    if (find(look_.spacing, utf8(c)) < 0 && letter_in_parts(utf8(c))) {
      signs(StemClass::kRight, -1);
      return;
    }
    int code = find(look_.spacing, utf8(c));
    if (code < 0) code = look_.mark(utf8(c), StemClass::kRight);
    if (code < 0) {
      miss(c);
      return;
    }
    emit(code);
    if (look_.entry(code).cls == GlyphClass::kVowel) signs(StemClass::kRight, -1);
  }

  // Anusvara, visarga and candrabindu after a syllable; candrabindu comes last, as it is
  // typed after the syllable is complete.
  void signs(StemClass anusvara_stem, int reph) {
    bool candrabindu = false;
    while (true) {
      const char32_t c = at(pos_);
      if (c == kAnusvara) emit_or_miss(look_.mark(utf8(c), anusvara_stem), c);
      else if (c == kVisarga) emit_or_miss(find(look_.spacing, utf8(c)), c);
      else if (c == kCandrabindu) candrabindu = true;
      else break;
      ++pos_;
    }
    if (reph >= 0) emit(reph);
    if (candrabindu) emit_or_miss(look_.mark(utf8(kCandrabindu), StemClass::kRight), kCandrabindu);
  }

  void emit_or_miss(int code, char32_t c) {
    if (code < 0) miss(c);
    else emit(code);
  }

  // A consonant with rakar and virama inside a cluster (ड्र्य): as typed, the rakar cluster
  // and a halant mark.
  bool rakar_front(const std::string& unit, std::vector<int>& front) {
    const std::string rakar_text = utf8(kVirama) + "\xE0\xA4\xB0";
    int code = find(look_.full, unit + rakar_text);
    int mark = -1;
    if (code < 0) {
      code = find(look_.full, unit);
      if (code < 0) return false;
      mark = look_.mark(rakar_text, look_.entry(code).marks);
    }
    const StemClass stem = look_.entry(code).marks == StemClass::kCentre ? StemClass::kCentre : StemClass::kRight;
    const int halant = mark < 0 ? look_.halant_after(code, stem) : look_.mark(utf8(kVirama), stem);
    if (halant < 0) return false;
    front.push_back(code);
    if (mark >= 0) front.push_back(mark);
    front.push_back(halant);
    return true;
  }

  // A consonant without a half or virama form inside a cluster: drawn whole with a halant
  // mark (ट्, as fonts without a half ट draw it).
  bool full_with_halant(const std::string& unit, std::vector<int>& front) {
    const int halant = look_.mark(utf8(kVirama), StemClass::kRight);
    const int code = find(look_.full, unit);
    const auto it = look_.parts.find(unit);
    if (halant < 0 || (code < 0 && it == look_.parts.end())) return false;
    if (code >= 0) front.push_back(code);
    else for (char c : it->second) front.push_back(static_cast<unsigned char>(c));
    front.push_back(halant);
    return true;
  }

  void cluster() {
    std::vector<std::string> units;
    while (true) {
      std::string unit = utf8(at(pos_++));
      if (at(pos_) == kNukta) unit += utf8(at(pos_++));
      units.push_back(unit);
      if (at(pos_) == kVirama && is_consonant(at(pos_ + 1))) {
        ++pos_;
        continue;
      }
      break;
    }
    const bool final_virama = at(pos_) == kVirama;
    if (final_virama) ++pos_;

    int reph = -1;
    if (units.size() >= 2 && units[0] == "\xE0\xA4\xB0" && look_.reph >= 0) {
      reph = look_.reph;
      units.erase(units.begin());
    }

    // The final consonant: the longest ligated cluster at the end, or a consonant with rakar.
    const std::size_t n = units.size();
    std::size_t used = 0;
    int base = -1;
    bool rakar = false;
    for (std::size_t len = n < 3 ? n : 3; len >= 1 && base < 0; --len) {
      base = find(look_.full, join(units, n - len, n));
      if (base >= 0) used = len;
    }
    if (n >= 2 && used == 1 && units[n - 1] == "\xE0\xA4\xB0") {
      for (std::size_t len = n - 1 < 3 ? n - 1 : 3; len >= 1; --len) {
        const int b = find(look_.full, join(units, n - 1 - len, n - 1));
        if (b >= 0) {
          base = b;
          used = len + 1;
          rakar = true;
          break;
        }
      }
    }
    // Or one drawn in two glyphs: the last is the base, the first goes before it.
    std::string base_parts;
    if (base < 0) {
      const auto it = look_.parts.find(units[n - 1]);
      if (it != look_.parts.end()) {
        base_parts = it->second.substr(0, it->second.size() - 1);
        base = static_cast<unsigned char>(it->second.back());
        used = 1;
      }
    }
    if (base < 0) {
      for (const std::string& u : units) miss(decode(u)[0]);
      return;
    }

    // Everything before it: half forms, or virama forms where a consonant has no half form.
    std::vector<int> front;
    for (std::size_t k = 0; k < n - used;) {
      if (k + 1 < n - used && units[k + 1] == "\xE0\xA4\xB0" && rakar_front(units[k], front)) {
        k += 2;
        continue;
      }
      int code = -1;
      std::size_t len = n - used - k >= 2 ? 2 : 1;
      for (; len >= 1 && code < 0; --len) {
        const std::string s = join(units, k, k + len) + utf8(kVirama);
        code = find(look_.half, s);
        if (code < 0) code = find(look_.virama, s);
        if (code >= 0) k += len;
      }
      if (code < 0 && !full_with_halant(units[k], front)) miss(decode(units[k])[0]);
      if (code < 0) ++k;
      else front.push_back(code);
    }

    const EncodingEntry& b = look_.entry(base);
    const std::string btext = base_parts.empty() ? look_.text(base) : units[n - 1];
    const bool rakar_cluster =
        rakar || (btext.size() > 6 && btext.compare(btext.size() - 6, 6, "\xE0\xA5\x8D\xE0\xA4\xB0") == 0);
    // After a rakar the halant mark stands for the consonant, and only right and centre fit.
    const StemClass stem = rakar_cluster && b.marks == StemClass::kMid ? StemClass::kRight : b.marks;
    const int rakar_mark = rakar ? look_.mark(utf8(kVirama) + "\xE0\xA4\xB0", stem) : -1;
    const auto emit_cluster = [&](int final_code) {
      for (int code : front) emit(code);
      if (final_code == base) out_ += base_parts;
      emit(final_code);
      if (rakar_mark >= 0) emit(rakar_mark);
    };

    if (final_virama) {
      // A zero-width joiner asks for the half form, a non-joiner (dropped) for the virama.
      int v = -1;
      if (!rakar && at(pos_) == 0x200D) v = find(look_.half, btext + utf8(kVirama));
      if (v < 0 && !rakar) v = find(look_.virama, btext + utf8(kVirama));
      if (v >= 0) {
        emit_cluster(v);
        signs(b.marks, reph);
      } else {
        emit_cluster(base);
        emit_or_miss(rakar ? look_.mark(utf8(kVirama), stem) : look_.halant_after(base, stem), kVirama);
        signs(stem, reph);
      }
      return;
    }

    const char32_t sign = is_vowel_sign(at(pos_)) ? at(pos_++) : 0;
    if (sign == 0) {
      emit_cluster(base);
      signs(stem, reph);
    } else if (sign == kSignI) {
      // After a rakar cluster the i sign is the one its halant mark gives way to.
      std::string length = b.i_length;
      const int halant = !rakar_cluster ? -1
                         : rakar ? look_.mark(utf8(kVirama), stem) : look_.halant_after(base, stem);
      if (halant >= 0) length = look_.entry(halant).i_length;
      else if (rakar_cluster) length = "i3";
      int i = find(look_.i_sign, length);
      if (i < 0 && !look_.i_sign.empty()) i = look_.i_sign.begin()->second;  // a font with one i sign
      emit_or_miss(i, sign);
      emit_cluster(base);
      signs(front.empty() && reph < 0 ? stem : StemClass::kRight, reph);
    } else {
      const int lig = rakar ? -1 : find(look_.ligature, btext + utf8(sign));
      if (lig >= 0) {
        emit_cluster(lig);
        signs(StemClass::kRight, reph);
        return;
      }
      emit_cluster(base);
      std::string s = utf8(sign);
      StemClass mark_stem = stem;
      int code = find(look_.spacing, s);
      if (code < 0) {
        // A sign drawn in parts (ौ: ा and ै): the spacing part, then the mark on its stem.
        const auto it = look_.composed.find(s);
        const int first = it == look_.composed.end() ? -1 : find(look_.spacing, it->second.first);
        if (first >= 0) {
          emit(first);
          s = look_.text(it->second.second);
          mark_stem = StemClass::kRight;
        }
      }
      StemClass after = StemClass::kRight;
      if (code < 0) {
        if (at(pos_) == kAnusvara && look_.mark(s + utf8(kAnusvara), mark_stem) >= 0) {
          s += utf8(kAnusvara);
          ++pos_;
        }
        code = look_.mark(s, mark_stem);
        if (code >= 0 && look_.entry(code).marks == StemClass::kCentre) after = StemClass::kCentre;
      }
      emit_or_miss(code, sign);
      signs(after, reph);
    }
  }

  Lookup look_;
  std::vector<Undrawable>& missing_;
  const std::u32string* text_ = nullptr;
  std::size_t pos_ = 0;
  int line_ = 1;
  std::string out_;
};

}  // namespace

std::string unicode_to_legacy(const EncodingTable& table, std::string_view text,
                              std::vector<Undrawable>& missing) {
  Converter converter(table, missing);
  return converter.run(decode(text));
}
