// The key chart of the language in force: for each letter it can type, the
// keys that type it, found by typing them with the language itself, so a
// language file of any layout (phonetic or typewriter) has a chart.
#pragma once
#include <cstdint>

#include "core/ucode_table.h"

enum class ChartSection : std::uint8_t {
  kVowels,       // अ आ इ ...
  kVowelSigns,   // the vowel signs on the chart's consonant: का कि ...
  kConsonants,   // क ख ... and the nukta forms and conjuncts the keys reach
  kSigns,        // anusvara, visarga, virama (on the consonant), avagraha, danda, OM, digits
  kKeys,         // a language without an encoding table: each key and its ucode name
};
constexpr int kChartSections = 5;

constexpr int kChartKeysMax = 4;        // the longest spelling searched
constexpr int kChartSpellingsMax = 2;   // the shortest spellings shown per letter
constexpr int kChartTextMax = 6;        // UTF-16 units of a letter
constexpr int kChartEntriesMax = 128;

struct ChartEntry {
  ChartSection section;
  char16_t text[kChartTextMax];  // the letter; empty in kKeys
  std::uint8_t text_length;
  // Keys to type, shortest first; each zero-terminated.
  char spellings[kChartSpellingsMax][kChartKeysMax + 1];
  std::uint8_t spelling_count;
  char ucode[kUcodeNameBufferSize];  // kKeys: the key's ucode name
};

struct KeyChart {
  ChartEntry entries[kChartEntriesMax];  // by section, each in alphabet order
  std::int32_t count;
  // False when the language made the search too long and it stopped: some
  // letters or spellings may be missing.
  bool complete;
};

// Builds the chart of the live key map, glyph table and encoding table into
// *out. Typing the trial keys goes through the one letter the keys compose,
// so the letter in progress ends (as when the user clicks another window).
// 1 = built (a language without letters gives an empty chart); 0 with
// ErrorText when no language is loaded.
int make_key_chart(KeyChart* out);

// The section's heading, as the chart window and the help page show it.
const char* chart_section_title(ChartSection section);

// The letter of an entry in UTF-8 (`out` holds 3 * kChartTextMax + 1 bytes).
int chart_text_utf8(const ChartEntry& entry, char* out);
