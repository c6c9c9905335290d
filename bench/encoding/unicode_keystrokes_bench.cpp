// Every shipped language typed key by key, font output (translate_key) beside
// Unicode output (translate_key_unicode), over the same keys and letter state;
// and a language's load (key map, glyph table and encoding table).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <string_view>

#include "core/keystroke_translation.h"
#include "core/language_tables.h"
#include "core/ucode_table.h"
#include "encoding/encoding_loading.h"
#include "encoding/unicode_keystrokes.h"
#include "langfile/language_loading.h"

namespace {

// Words in the key chart's keys; '\b' is a backspace.
constexpr std::string_view kTyping =
    "namaste bhaarata desha kii bhaaShaa hindii hai. mai.n ghara jaa rahaa huu.N "
    "kyaa aap mere saatha chale.nge? vidyaalaya me.n pustake.n ho\b\bhai.n "
    "strii puruSha baalaka baalikaa snehaa\b\b\b\bhaa mitra patra suurya chandra "
    "ga.ngaa yamunaa sarasvatii kShatriya dharma karma\b\bma sa.nskRRita ";

// The same words in Kruti Dev's bytes, typed on the Remington keys.
constexpr std::string_view kRemingtonTyping =
    "ueLrs Hkkjr ns'k dh Hkk\x22kk fgUnh gS- e\xAE ?kj tk jgk gw\xA1 D;k vki esjs lkFk pysaxs\x5C "
    "fo|ky; esa iqLrdsa g\xAE L=h iq#\x22k ckyd ckfydk gk fe= i= lw;Z pU\xE6 xaxk ;equk ljLorh "
    "D\x22kf=; /keZ deZ\b\bZ laL\x97r ";

std::string language_path(const char* name) {
  return std::string(TOLVAR_LANGUAGES_DIR "/") + name;
}

void load(const std::string& path) {
  if (!ucode_init() || !load_language(path.c_str(), nullptr) || !load_encoding_table(path.c_str()) ||
      !encoding_table_loaded())
    std::abort();
}

void count_keys(benchmark::State& state, std::string_view typing) {
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(typing.size()));
  state.counters["per_key"] = benchmark::Counter(
      static_cast<double>(typing.size()),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_TranslateKeyFontOutput(benchmark::State& state, const char* language, std::string_view typing) {
  load(language_path(language));
  KeystrokeString out;
  std::int32_t count = 0;
  for (auto _ : state) {
    for (char c : typing) {
      const auto character = static_cast<unsigned char>(c);
      translate_key(&out, &count, key_to_ucode(character), character);
      benchmark::DoNotOptimize(out.bytes);
    }
    letter_reset();
  }
  count_keys(state, typing);
}

void BM_TranslateKeyUnicodeOutput(benchmark::State& state, const char* language, std::string_view typing) {
  load(language_path(language));
  static UnicodeKeystrokes out;
  for (auto _ : state) {
    for (char c : typing) {
      const auto character = static_cast<unsigned char>(c);
      translate_key_unicode(&out, key_to_ucode(character), character);
      benchmark::DoNotOptimize(out.text);
    }
    letter_reset();
  }
  count_keys(state, typing);
}

void BM_LoadLanguage(benchmark::State& state, const char* language) {
  const std::string path = language_path(language);
  for (auto _ : state) load(path);
}

#define TOLVAR_LANGUAGE_BENCHMARKS(name, file, typing)                                          \
  BENCHMARK_CAPTURE(BM_TranslateKeyFontOutput, name, file, typing);                           \
  BENCHMARK_CAPTURE(BM_TranslateKeyUnicodeOutput, name, file, typing);                        \
  BENCHMARK_CAPTURE(BM_LoadLanguage, name, file)->Unit(benchmark::kMillisecond)

TOLVAR_LANGUAGE_BENCHMARKS(Vedrokan, "vedrokan/Vedrokan.gkf", kTyping);
TOLVAR_LANGUAGE_BENCHMARKS(KrutiDev010, "krutidev/KrutiDev010.gkf", kTyping);
TOLVAR_LANGUAGE_BENCHMARKS(KrutiDev010Remington, "krutidev/KrutiDev010-Remington.gkf", kRemingtonTyping);
TOLVAR_LANGUAGE_BENCHMARKS(Preeti, "preeti/Preeti.gkf", kTyping);
TOLVAR_LANGUAGE_BENCHMARKS(Kantipur, "preeti/Kantipur.gkf", kTyping);

}  // namespace
