// Vedrokan typed key by key, font output (translate_key) beside Unicode
// output (translate_key_unicode), over the same keys and letter state.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string_view>

#include "core/keystroke_translation.h"
#include "core/language_tables.h"
#include "core/ucode_table.h"
#include "encoding/encoding_loading.h"
#include "encoding/unicode_keystrokes.h"
#include "langfile/language_loading.h"

namespace {

constexpr const char* kVedrokan = TOLVAR_VEDROKAN_DIR "/Vedrokan.gkf";

// Words in Vedrokan's keys; '\b' is a backspace.
constexpr std::string_view kTyping =
    "namaste bhaarata desha kii bhaaShaa hindii hai. mai.n ghara jaa rahaa huu.N "
    "kyaa aap mere saatha chale.nge? vidyaalaya me.n pustake.n ho\b\bhai.n "
    "strii puruSha baalaka baalikaa snehaa\b\b\b\bhaa mitra patra suurya chandra "
    "ga.ngaa yamunaa sarasvatii kShatriya dharma karma\b\bma sa.nskRRita ";

void load_vedrokan() {
  if (!ucode_init() || !load_ku_data(kVedrokan, nullptr) || !load_gk_data(kVedrokan, nullptr) ||
      !load_encoding_table(kVedrokan) || !encoding_table_loaded())
    std::abort();
}

void count_keys(benchmark::State& state) {
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kTyping.size()));
  state.counters["per_key"] = benchmark::Counter(
      static_cast<double>(kTyping.size()),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_TranslateKeyFontOutput(benchmark::State& state) {
  load_vedrokan();
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
  count_keys(state);
}
BENCHMARK(BM_TranslateKeyFontOutput);

void BM_TranslateKeyUnicodeOutput(benchmark::State& state) {
  load_vedrokan();
  static UnicodeKeystrokes out;
  for (auto _ : state) {
    for (char c : kTyping) {
      const auto character = static_cast<unsigned char>(c);
      translate_key_unicode(&out, key_to_ucode(character), character);
      benchmark::DoNotOptimize(out.text);
    }
    letter_reset();
  }
  count_keys(state);
}
BENCHMARK(BM_TranslateKeyUnicodeOutput);

}  // namespace
