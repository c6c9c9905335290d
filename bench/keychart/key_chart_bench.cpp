// The key chart of each shipped language, made as the chart window makes it
// when it opens or the language changes.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "core/ucode_table.h"
#include "keychart/key_chart.h"
#include "langunit/language_unit.h"

namespace {

KeyChart Chart;

void BM_MakeKeyChart(benchmark::State& state, const char* language) {
  const std::string path = std::string(TOLVAR_LANGUAGES_DIR "/") + language;
  if (!ucode_init() || !load_language_unit(path.c_str())) std::abort();
  for (auto _ : state) {
    if (!make_key_chart(&Chart)) std::abort();
    benchmark::DoNotOptimize(Chart.count);
  }
}

}  // namespace

BENCHMARK_CAPTURE(BM_MakeKeyChart, Vedrokan, "vedrokan/Vedrokan.gkf")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_MakeKeyChart, KrutiDev010, "krutidev/KrutiDev010.gkf")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_MakeKeyChart, KrutiDev010Remington, "krutidev/KrutiDev010-Remington.gkf")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_MakeKeyChart, Preeti, "preeti/Preeti.gkf")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_MakeKeyChart, Kantipur, "preeti/Kantipur.gkf")->Unit(benchmark::kMillisecond);
