// translate_key over phonetically typed words with spaces and backspaces,
// against a glyph table of a few dozen rows built in memory.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "core/error_text.h"
#include "core/keystroke_translation.h"
#include "core/language_tables.h"
#include "core/letter_composer.h"
#include "core/ucode_table.h"

namespace {

struct Consonant {
  char key;
  const char* ucode;
};
constexpr Consonant kConsonants[] = {
    {'k', "KA"}, {'g', "GA"}, {'c', "CA"}, {'j', "JA"}, {'t', "TA"}, {'d', "DA"},
    {'n', "NA"}, {'p', "PA"}, {'b', "BA"}, {'m', "MA"}, {'y', "YA"}, {'r', "RA"},
    {'l', "LA"}, {'v', "VA"}, {'s', "SA"}, {'h', "HA"}, {'S', "SSA"}, {'T', "TTA"}};
constexpr int kConsonantCount = sizeof kConsonants / sizeof kConsonants[0];

struct Sign {
  char key;
  const char* ucode;   // vowel sign after a consonant
  const char* vowel;   // the independent vowel at the start of a letter
  std::uint32_t attr;  // placement of the sign's glyph
};
constexpr Sign kSigns[] = {
    {'a', "D_AA", "AA", 0},   {'i', "D_I", "I", kAttrPrepend}, {'I', "D_II", "II", 0},
    {'u', "D_U", "U", 0},     {'U', "D_UU", "UU", 0},          {'e', "D_E", "E", 0},
    {'o', "D_O", "O", 0},     {'M', "ANUSVARA", "A", kAttrAppend}};
constexpr int kSignCount = sizeof kSigns / sizeof kSigns[0];

constexpr unsigned char kConsonantGlyph = 0x80;  // + index; the half form + 0x20
constexpr unsigned char kHalfGlyph = 0xA0;
constexpr unsigned char kSignGlyph = 0xD0;       // + index
constexpr unsigned char kVowelGlyph = 0xE0;      // + index

unsigned char ucode(const char* name) {
  unsigned char code = 0;
  if (!ucode_by_name(&code, name)) std::abort();
  return code;
}

void set_row(unsigned char glyph, int row) { LiveGlyphTable.glyphIndex[glyph] = row; }

void map(unsigned char glyph, unsigned char u, std::initializer_list<unsigned char> sequence) {
  std::copy(sequence.begin(), sequence.end(),
            LiveGlyphTable.rows[LiveGlyphTable.glyphIndex[glyph]].map[u]);
}

// Rows: the start state, each consonant, its half form, each sign glyph.
void build_language() {
  if (!ucode_init()) std::abort();
  const int rows = 1 + 2 * kConsonantCount + kSignCount;
  if (!alloc_glyph_rows(&LiveGlyphTable, rows - 1)) std::abort();
  std::fill(std::begin(LiveGlyphTable.glyphIndex), std::end(LiveGlyphTable.glyphIndex), -1);
  int row = 0;
  set_row(chr_NONE, row++);
  for (int c = 0; c < kConsonantCount; ++c) {
    set_row(kConsonantGlyph + c, row++);
    set_row(kHalfGlyph + c, row++);
  }
  for (int s = 0; s < kSignCount; ++s) {
    set_row(kSignGlyph + s, row++);
    LiveGlyphTable.rows[LiveGlyphTable.glyphIndex[kSignGlyph + s]].attr = kSigns[s].attr;
  }

  const unsigned char virama = ucode("VIRAMA");
  const unsigned char anusvara = ucode("ANUSVARA");
  LiveKeyMap['x'] = virama;
  for (int c = 0; c < kConsonantCount; ++c) {
    const unsigned char u = ucode(kConsonants[c].ucode);
    LiveKeyMap[static_cast<unsigned char>(kConsonants[c].key)] = u;
    const auto full = static_cast<unsigned char>(kConsonantGlyph + c);
    const auto half = static_cast<unsigned char>(kHalfGlyph + c);
    map(chr_NONE, u, {full});
    map(full, virama, {chr_DELPREV, half});
    for (int other = 0; other < kConsonantCount; ++other) {
      map(half, ucode(kConsonants[other].ucode),
          {static_cast<unsigned char>(kConsonantGlyph + other)});
    }
    for (int s = 0; s < kSignCount; ++s) {
      map(full, ucode(kSigns[s].ucode), {static_cast<unsigned char>(kSignGlyph + s)});
    }
  }
  for (int s = 0; s < kSignCount; ++s) {
    const unsigned char sign = ucode(kSigns[s].ucode);
    LiveKeyMap[static_cast<unsigned char>(kSigns[s].key)] = sign;
    map(chr_NONE, sign, {static_cast<unsigned char>(kVowelGlyph + s)});
    map(chr_NONE, ucode(kSigns[s].vowel), {static_cast<unsigned char>(kVowelGlyph + s)});
    if (sign != anusvara) {
      map(static_cast<unsigned char>(kSignGlyph + s), anusvara,
          {static_cast<unsigned char>(kSignGlyph + kSignCount - 1)});
    }
  }
}

// Words typed phonetically; '\b' is a backspace.
constexpr std::string_view kTyping =
    "namaste bhaarata desha kI bhaaShaa hindI hai. maiM ghara jaa rahaa hUM "
    "kxyaa aap mere saath calenge? vidyaalaya meM pustakeM hOM\b\bhaiM "
    "sxtrI puruSa baalaka baalikaa snehaa\b\b\b\bhaa mitra patra sUrya candra "
    "gaMgaa yamunaa sarasvatI kxShatriya dharxma karxma\b\bma saMskRta ";

void BM_TranslateKey(benchmark::State& state) {
  build_language();
  KeystrokeString out;
  std::int32_t count = 0;
  for (auto _ : state) {
    for (char c : kTyping) {
      const auto character = static_cast<unsigned char>(c);
      translate_key(&out, &count, key_to_ucode(character), character);
      benchmark::DoNotOptimize(out.bytes);
    }
    letter_reset();
  }
  const auto keys = static_cast<double>(kTyping.size());
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kTyping.size()));
  state.counters["per_key"] =
      benchmark::Counter(keys, benchmark::Counter::kIsIterationInvariantRate |
                                   benchmark::Counter::kInvert);
  free_language_tables();
  LiveGlyphTable = GlyphTable{};
  LiveKeyMap.fill(0);
}
BENCHMARK(BM_TranslateKey);

}  // namespace
