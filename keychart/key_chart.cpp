#include "keychart/key_chart.h"

#include <cstring>

#include "core/error_text.h"
#include "core/language_tables.h"
#include "encoding/encoding_loading.h"
#include "core/keystroke_translation.h"
#include "encoding/unicode_keystrokes.h"

namespace {

constexpr char16_t kKa = u'\u0915';
constexpr char16_t kVirama = u'\u094D';
constexpr char16_t kNukta = u'\u093C';

// The letters a chart looks for, in the order it lists them, each with the
// nukta apart (क़ as क + ़) as outputs are compared in that form. A vowel
// sign or a sign written after kOnConsonant sits on the chart's consonant.
constexpr char16_t kOnConsonant = u'*';

struct ChartLetter {
  ChartSection section;
  const char16_t* text;
};

constexpr ChartLetter kChartLetters[] = {
    {ChartSection::kVowels, u"अ"}, {ChartSection::kVowels, u"आ"}, {ChartSection::kVowels, u"इ"},
    {ChartSection::kVowels, u"ई"}, {ChartSection::kVowels, u"उ"}, {ChartSection::kVowels, u"ऊ"},
    {ChartSection::kVowels, u"ऋ"}, {ChartSection::kVowels, u"ॠ"}, {ChartSection::kVowels, u"ऌ"},
    {ChartSection::kVowels, u"ॡ"}, {ChartSection::kVowels, u"ऍ"}, {ChartSection::kVowels, u"ऎ"},
    {ChartSection::kVowels, u"ए"}, {ChartSection::kVowels, u"ऐ"}, {ChartSection::kVowels, u"ऑ"},
    {ChartSection::kVowels, u"ऒ"}, {ChartSection::kVowels, u"ओ"}, {ChartSection::kVowels, u"औ"},

    {ChartSection::kVowelSigns, u"*ा"}, {ChartSection::kVowelSigns, u"*ि"},
    {ChartSection::kVowelSigns, u"*ी"}, {ChartSection::kVowelSigns, u"*ु"},
    {ChartSection::kVowelSigns, u"*ू"}, {ChartSection::kVowelSigns, u"*ृ"},
    {ChartSection::kVowelSigns, u"*ॄ"}, {ChartSection::kVowelSigns, u"*ॢ"},
    {ChartSection::kVowelSigns, u"*ॣ"}, {ChartSection::kVowelSigns, u"*ॅ"},
    {ChartSection::kVowelSigns, u"*ॆ"}, {ChartSection::kVowelSigns, u"*े"},
    {ChartSection::kVowelSigns, u"*ै"}, {ChartSection::kVowelSigns, u"*ॉ"},
    {ChartSection::kVowelSigns, u"*ॊ"}, {ChartSection::kVowelSigns, u"*ो"},
    {ChartSection::kVowelSigns, u"*ौ"},

    {ChartSection::kConsonants, u"क"}, {ChartSection::kConsonants, u"ख"},
    {ChartSection::kConsonants, u"ग"}, {ChartSection::kConsonants, u"घ"},
    {ChartSection::kConsonants, u"ङ"}, {ChartSection::kConsonants, u"च"},
    {ChartSection::kConsonants, u"छ"}, {ChartSection::kConsonants, u"ज"},
    {ChartSection::kConsonants, u"झ"}, {ChartSection::kConsonants, u"ञ"},
    {ChartSection::kConsonants, u"ट"}, {ChartSection::kConsonants, u"ठ"},
    {ChartSection::kConsonants, u"ड"}, {ChartSection::kConsonants, u"ढ"},
    {ChartSection::kConsonants, u"ण"}, {ChartSection::kConsonants, u"त"},
    {ChartSection::kConsonants, u"थ"}, {ChartSection::kConsonants, u"द"},
    {ChartSection::kConsonants, u"ध"}, {ChartSection::kConsonants, u"न"},
    {ChartSection::kConsonants, u"\u0928\u093C"}, {ChartSection::kConsonants, u"प"},
    {ChartSection::kConsonants, u"फ"}, {ChartSection::kConsonants, u"ब"},
    {ChartSection::kConsonants, u"भ"}, {ChartSection::kConsonants, u"म"},
    {ChartSection::kConsonants, u"य"}, {ChartSection::kConsonants, u"र"},
    {ChartSection::kConsonants, u"\u0930\u093C"}, {ChartSection::kConsonants, u"ल"},
    {ChartSection::kConsonants, u"ळ"}, {ChartSection::kConsonants, u"\u0933\u093C"},
    {ChartSection::kConsonants, u"व"}, {ChartSection::kConsonants, u"श"},
    {ChartSection::kConsonants, u"ष"}, {ChartSection::kConsonants, u"स"},
    {ChartSection::kConsonants, u"ह"}, {ChartSection::kConsonants, u"\u0915\u093C"},
    {ChartSection::kConsonants, u"\u0916\u093C"}, {ChartSection::kConsonants, u"\u0917\u093C"},
    {ChartSection::kConsonants, u"\u091C\u093C"}, {ChartSection::kConsonants, u"\u0921\u093C"},
    {ChartSection::kConsonants, u"\u0922\u093C"}, {ChartSection::kConsonants, u"\u092B\u093C"},
    {ChartSection::kConsonants, u"\u092F\u093C"}, {ChartSection::kConsonants, u"क्ष"},
    {ChartSection::kConsonants, u"त्र"}, {ChartSection::kConsonants, u"ज्ञ"},
    {ChartSection::kConsonants, u"श्र"},

    {ChartSection::kSigns, u"*ं"}, {ChartSection::kSigns, u"*ँ"}, {ChartSection::kSigns, u"*ः"},
    {ChartSection::kSigns, u"*्"}, {ChartSection::kSigns, u"ऽ"}, {ChartSection::kSigns, u"।"},
    {ChartSection::kSigns, u"॥"}, {ChartSection::kSigns, u"ॐ"}, {ChartSection::kSigns, u"०"},
    {ChartSection::kSigns, u"१"}, {ChartSection::kSigns, u"२"}, {ChartSection::kSigns, u"३"},
    {ChartSection::kSigns, u"४"}, {ChartSection::kSigns, u"५"}, {ChartSection::kSigns, u"६"},
    {ChartSection::kSigns, u"७"}, {ChartSection::kSigns, u"८"}, {ChartSection::kSigns, u"९"},
};
constexpr int kChartLetterCount = static_cast<int>(sizeof kChartLetters / sizeof kChartLetters[0]);
static_assert(kChartLetterCount <= kChartEntriesMax, "every letter has room in a chart");

struct Text {
  char16_t units[kChartTextMax];
  int length;
};

// Keys typed from an empty letter.
struct Trial {
  char keys[kChartKeysMax];
  int key_count;
};

// Kept out of the stack, reused by every chart.
Text Targets[kChartLetterCount];
Text TargetSkeletons[kChartLetterCount];
char Keys[96];
int KeyCount = 0;

bool is_mark(char16_t unit) {
  return (unit >= 0x0900 && unit <= 0x0903) || (unit >= 0x093A && unit <= 0x093C) ||
         (unit >= 0x093E && unit <= 0x094F) || (unit >= 0x0951 && unit <= 0x0957) ||
         unit == 0x0962 || unit == 0x0963 || unit == 0x200C || unit == 0x200D;
}

bool is_consonant(char16_t unit) { return (unit >= 0x0915 && unit <= 0x0939) || (unit >= 0x0958 && unit <= 0x095F); }

// A letter with a nukta written as one code point becomes the letter and the
// nukta, so a font's precomposed क़ matches the chart's क + ़.
void append_decomposed(Text* text, char16_t unit) {
  char16_t base = 0;
  switch (unit) {
    case 0x0929: base = 0x0928; break;
    case 0x0931: base = 0x0930; break;
    case 0x0934: base = 0x0933; break;
    case 0x0958: base = 0x0915; break;
    case 0x0959: base = 0x0916; break;
    case 0x095A: base = 0x0917; break;
    case 0x095B: base = 0x091C; break;
    case 0x095C: base = 0x0921; break;
    case 0x095D: base = 0x0922; break;
    case 0x095E: base = 0x092B; break;
    case 0x095F: base = 0x092F; break;
    default: break;
  }
  if (base != 0) {
    if (text->length + 2 > kChartTextMax) {
      text->length = kChartTextMax + 1;
      return;
    }
    text->units[text->length++] = base;
    text->units[text->length++] = kNukta;
    return;
  }
  if (text->length >= kChartTextMax) {
    text->length = kChartTextMax + 1;
    return;
  }
  text->units[text->length++] = unit;
}

// The Devanagari letters without their marks: what a longer spelling may
// still change into another letter (क् before h makes ख्, a period before N
// makes ँ), so a trial is followed while this is the start of some chart
// letter's.
void skeleton_of(const Text& text, Text* out) {
  out->length = 0;
  for (int i = 0; i < text.length; ++i) {
    const char16_t unit = text.units[i];
    if (unit >= 0x0900 && unit <= 0x097F && !is_mark(unit)) out->units[out->length++] = unit;
  }
}

bool same_text(const Text& a, const Text& b) {
  return a.length == b.length && std::memcmp(a.units, b.units, sizeof(char16_t) * a.length) == 0;
}

bool starts_some_skeleton(const Text& skeleton) {
  for (int i = 0; i < kChartLetterCount; ++i) {
    const Text& target = TargetSkeletons[i];
    if (skeleton.length <= target.length &&
        std::memcmp(skeleton.units, target.units, sizeof(char16_t) * skeleton.length) == 0) {
      return true;
    }
  }
  return false;
}

// Types `trial` from an empty screen as Tolvar types it with Unicode
// output (a sign may begin a letter of its own: the period of ".N" turns into
// ँ). 1 with the screen's text in *shown and, to compare with the chart's
// letters, with nukta letters taken apart in *out; 0 when it is longer than a
// chart shows.
int type_trial(const Trial& trial, Text* shown, Text* out) {
  static UnicodeKeystrokes strokes;
  letter_reset();
  char16_t screen[2 * kChartTextMax];
  int length = 0;
  for (int i = 0; i < trial.key_count; ++i) {
    const auto key = static_cast<unsigned char>(trial.keys[i]);
    translate_key_unicode(&strokes, key_to_ucode(key), key);
    // A key that changes nothing and leaves no letter open (a dead key) only
    // makes a longer spelling of what the keys after it type.
    if (strokes.backspaces == 0 && strokes.count == 0 && typed_length() == 0) return 0;
    length = strokes.backspaces < length ? length - strokes.backspaces : 0;
    if (length + strokes.count > 2 * kChartTextMax) return 0;
    for (int u = 0; u < strokes.count; ++u) screen[length++] = strokes.text[u];
  }
  if (length > kChartTextMax) return 0;
  std::memcpy(shown->units, screen, sizeof(char16_t) * length);
  shown->length = length;
  out->length = 0;
  for (int i = 0; i < length && out->length <= kChartTextMax; ++i) append_decomposed(out, screen[i]);
  return out->length <= kChartTextMax;
}

// Keeps a letter's shortest spellings: the search finds them in the keys'
// order, so among those of one length the first found stays first.
void add_spelling(ChartEntry* entry, const Trial& trial) {
  int at = entry->spelling_count;
  while (at > 0 && static_cast<int>(std::strlen(entry->spellings[at - 1])) > trial.key_count) --at;
  if (at >= kChartSpellingsMax) return;
  const int last = entry->spelling_count < kChartSpellingsMax ? entry->spelling_count : kChartSpellingsMax - 1;
  for (int i = last; i > at; --i) std::memcpy(entry->spellings[i], entry->spellings[i - 1], kChartKeysMax + 1);
  std::memcpy(entry->spellings[at], trial.keys, static_cast<std::size_t>(trial.key_count));
  entry->spellings[at][trial.key_count] = '\0';
  if (entry->spelling_count < kChartSpellingsMax) ++entry->spelling_count;
}

// Keys that type a half letter (ends with a virama) when typed first.
bool HalfKey[128];

bool uses_half_key(const char* spelling) {
  for (const char* key = spelling; *key != '\0'; ++key) {
    if (HalfKey[static_cast<unsigned char>(*key) & 0x7F]) return true;
  }
  return false;
}

// A spelling that goes the long way round (a half form and a stem where one
// key types the letter, a virama undone) is no help on a chart: another
// spelling stays only when it is at most one key longer than the shortest
// and builds on half letters only where the shortest does too.
void drop_long_spellings(ChartEntry* entry) {
  if (entry->spelling_count == 0) return;
  const std::size_t shortest = std::strlen(entry->spellings[0]);
  const bool halves = uses_half_key(entry->spellings[0]);
  int kept = 1;
  for (int i = 1; i < entry->spelling_count; ++i) {
    if (std::strlen(entry->spellings[i]) > shortest + 1 || (!halves && uses_half_key(entry->spellings[i]))) continue;
    if (kept != i) std::memcpy(entry->spellings[kept], entry->spellings[i], kChartKeysMax + 1);
    ++kept;
  }
  entry->spelling_count = static_cast<std::uint8_t>(kept);
}

// The chart's letters with `consonant` in place of kOnConsonant.
void make_targets(char16_t consonant) {
  for (int i = 0; i < kChartLetterCount; ++i) {
    Text& target = Targets[i];
    target.length = 0;
    for (const char16_t* unit = kChartLetters[i].text; *unit != 0; ++unit) {
      target.units[target.length++] = *unit == kOnConsonant ? consonant : *unit;
    }
    skeleton_of(target, &TargetSkeletons[i]);
  }
}

// Whether the text holds a unit that belongs to no letter (another
// character, or a mark before the first letter) anywhere but at its end.
// At the end it may still become part of a letter (the period of ".N"
// becomes ँ, the i sign a typist types first goes after its consonant);
// anywhere else the keys have gone astray.
bool astray(const Text& text) {
  bool in_letter = false;
  for (int i = 0; i + 1 < text.length; ++i) {
    const char16_t unit = text.units[i];
    const bool devanagari = unit >= 0x0900 && unit <= 0x097F;
    if (!devanagari || (is_mark(unit) && !in_letter)) return true;
    if (!is_mark(unit)) in_letter = true;
  }
  return false;
}

// Where a trial that typed `text` may lead: on towards a longer spelling
// while its skeleton begins some letter's, but a whole consonant other than
// the chart's (which carries the signs) no further.
bool worth_following(const Text& text, const Text& skeleton, char16_t consonant) {
  if (astray(text) || !starts_some_skeleton(skeleton)) return false;
  if (text.length == 0 || text.units[text.length - 1] == kVirama) return true;
  for (int i = 0; i < skeleton.length; ++i) {
    if (is_consonant(skeleton.units[i]) && !(skeleton.length == 1 && skeleton.units[0] == consonant)) {
      return false;
    }
  }
  return true;
}

// Every spelling that begins with `trial`, in the keys' order, added to
// the letters it types.
void visit(KeyChart* chart, Trial* trial, char16_t consonant) {
  Text shown;
  Text text;
  if (!type_trial(*trial, &shown, &text)) return;
  for (int i = 0; i < kChartLetterCount; ++i) {
    if (!same_text(text, Targets[i])) continue;
    ChartEntry& entry = chart->entries[i];
    // The letter as the font's own keys type it (क़ as one character where
    // the font has it so).
    if (entry.spelling_count == 0) {
      std::memcpy(entry.text, shown.units, sizeof(char16_t) * shown.length);
      entry.text_length = static_cast<std::uint8_t>(shown.length);
    }
    add_spelling(&entry, *trial);
  }
  if (trial->key_count == kChartKeysMax) return;
  Text skeleton;
  skeleton_of(text, &skeleton);
  if (!worth_following(text, skeleton, consonant)) return;
  for (int k = 0; k < KeyCount; ++k) {
    trial->keys[trial->key_count++] = Keys[k];
    visit(chart, trial, consonant);
    --trial->key_count;
  }
}

// Every letter's shortest spellings.
void search_spellings(KeyChart* chart, char16_t consonant) {
  make_targets(consonant);
  for (int i = 0; i < kChartLetterCount; ++i) {
    ChartEntry& entry = chart->entries[i];
    entry = ChartEntry{};
    entry.section = kChartLetters[i].section;
  }
  for (int k = 0; k < KeyCount; ++k) {
    Trial trial;
    trial.keys[0] = Keys[k];
    trial.key_count = 1;
    visit(chart, &trial, consonant);
  }
  for (int i = 0; i < kChartLetterCount; ++i) drop_long_spellings(&chart->entries[i]);
}

// The first consonant, in the chart's order, that has a spelling.
char16_t first_consonant(const KeyChart& chart) {
  for (int i = 0; i < kChartLetterCount; ++i) {
    if (kChartLetters[i].section == ChartSection::kConsonants && chart.entries[i].spelling_count > 0 &&
        Targets[i].length == 1) {
      return Targets[i].units[0];
    }
  }
  return 0;
}

void collect_keys() {
  KeyCount = 0;
  for (unsigned int key = 0x21; key < 0x7F; ++key) {
    if (translates_ucode(key_to_ucode(key))) Keys[KeyCount++] = static_cast<char>(key);
  }
}

void find_half_keys() {
  for (int k = 0; k < KeyCount; ++k) {
    Trial trial;
    trial.keys[0] = Keys[k];
    trial.key_count = 1;
    Text shown;
    Text text;
    HalfKey[static_cast<unsigned char>(Keys[k])] =
        type_trial(trial, &shown, &text) && shown.length > 0 && shown.units[shown.length - 1] == kVirama;
  }
}

// A chart without an encoding table: the keys and their ucodes.
void list_keys(KeyChart* chart) {
  for (int k = 0; k < KeyCount && chart->count < kChartEntriesMax; ++k) {
    ChartEntry& entry = chart->entries[chart->count++];
    entry = ChartEntry{};
    entry.section = ChartSection::kKeys;
    entry.spellings[0][0] = Keys[k];
    entry.spelling_count = 1;
    ucode_name(entry.ucode, key_to_ucode(static_cast<unsigned char>(Keys[k])));
  }
}

}  // namespace

int make_key_chart(KeyChart* out) {
  out->count = 0;
  if (LiveGlyphTable.rows == nullptr) {
    set_error_text("The key chart needs a language: none is loaded\n");
    return 0;
  }
  collect_keys();
  if (!encoding_table_loaded()) {
    list_keys(out);
    return 1;
  }
  // The signs sit on क, or where the keys cannot type it on the first
  // consonant they can.
  find_half_keys();
  search_spellings(out, kKa);
  const char16_t consonant = first_consonant(*out);
  if (consonant != 0 && consonant != kKa) search_spellings(out, consonant);
  letter_reset();
  // The letters found, in the chart's order.
  for (int i = 0; i < kChartLetterCount; ++i) {
    if (out->entries[i].spelling_count == 0) continue;
    out->entries[out->count++] = out->entries[i];
  }
  return 1;
}

const char* chart_section_title(ChartSection section) {
  switch (section) {
    case ChartSection::kVowels: return "Vowels";
    case ChartSection::kVowelSigns: return "Vowel signs";
    case ChartSection::kConsonants: return "Consonants";
    case ChartSection::kSigns: return "Signs and digits";
    case ChartSection::kKeys: return "Keys";
  }
  return "";
}

int chart_text_utf8(const ChartEntry& entry, char* out) {
  int n = 0;
  for (int i = 0; i < entry.text_length && i < kChartTextMax; ++i) {
    const char16_t unit = entry.text[i];
    if (unit < 0x80) {
      out[n++] = static_cast<char>(unit);
    } else if (unit < 0x800) {
      out[n++] = static_cast<char>(0xC0 | (unit >> 6));
      out[n++] = static_cast<char>(0x80 | (unit & 0x3F));
    } else {
      out[n++] = static_cast<char>(0xE0 | (unit >> 12));
      out[n++] = static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
      out[n++] = static_cast<char>(0x80 | (unit & 0x3F));
    }
  }
  out[n] = '\0';
  return n;
}
