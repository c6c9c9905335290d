// Choosing a language: every shipped language loaded as one unit (language
// file, encoding table, description) from its folder, as the Language menu
// loads it; and listing the shipped languages, as start-up does.
#include <benchmark/benchmark.h>

#include "core/error_text.h"
#include "core/language_tables.h"
#include "core/ucode_table.h"
#include "langunit/language_unit.h"
#include "langunit/shipped_languages.h"

namespace {

ShippedLanguages List;

void BM_LoadShippedLanguage(benchmark::State& state) {
  ucode_init();
  if (!list_shipped_languages(TOLVAR_LANGUAGES_DIR, '/', &List) || state.range(0) >= List.count) {
    state.SkipWithError(ErrorText);
    return;
  }
  const ShippedLanguage& language = List.languages[state.range(0)];
  for (auto _ : state) {
    if (!load_language_unit(language.path)) {
      state.SkipWithError(ErrorText);
      return;
    }
  }
  state.SetLabel(language.description.name);
  free_language_tables();
}
BENCHMARK(BM_LoadShippedLanguage)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

void BM_ListShippedLanguages(benchmark::State& state) {
  for (auto _ : state) {
    if (!list_shipped_languages(TOLVAR_LANGUAGES_DIR, '/', &List)) {
      state.SkipWithError(ErrorText);
      return;
    }
  }
  state.counters["languages"] = List.count;
}
BENCHMARK(BM_ListShippedLanguages)->Unit(benchmark::kMillisecond);

}  // namespace
