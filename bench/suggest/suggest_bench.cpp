// The suggestion engine's figures: loading a language's data (time and
// memory) and the candidates for each romanized word of the Hindi dev split
// (mean, median and 99th percentile per word).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <ctime>
#include <vector>

#include "core/error_text.h"
#include "suggest/word_suggestion.h"

namespace {

constexpr const char* kModel = TOLVAR_SUGGEST_DATA_DIR "/romanization.model";

std::string words_of(const char* lang) { return std::string(TOLVAR_SUGGEST_DATA_DIR "/") + lang + ".words"; }

void load(const char* lang, SuggestData* data) {
  if (!load_suggest_data(kModel, words_of(lang).c_str(), data)) {
    std::fputs(ErrorText, stderr);
    std::abort();
  }
}

void BM_LoadSuggestData(benchmark::State& state, const char* lang) {
  static SuggestData data;
  for (auto _ : state) load(lang, &data);
  state.counters["data_MB"] = static_cast<double>(suggest_data_bytes(data)) / (1 << 20);
}
BENCHMARK_CAPTURE(BM_LoadSuggestData, hi, "hi")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LoadSuggestData, mr, "mr")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LoadSuggestData, ne, "ne")->Unit(benchmark::kMillisecond);

void BM_SuggestDevSplitWords(benchmark::State& state) {
  static SuggestData data;
  load("hi", &data);
  std::vector<std::string> words;
  std::ifstream dev(TOLVAR_DATA_DIR "/romanized-hi/dakshina-hi-dev.tsv");
  std::string line;
  while (std::getline(dev, line)) {
    const std::size_t t1 = line.find('\t'), t2 = line.find('\t', t1 + 1);
    if (t2 != std::string::npos) words.push_back(line.substr(t1 + 1, t2 - t1 - 1));
  }
  if (words.empty()) {
    state.SkipWithError("the dev split is not in " TOLVAR_DATA_DIR);
    return;
  }
  // Wall time and the thread's CPU time per word: on a shared machine the
  // second shows the engine's own cost when others hold the cores.
  std::vector<double> wall, cpu;
  SuggestionList list;
  for (auto _ : state) {
    for (const std::string& w : words) {
      timespec cpu_start, cpu_end;
      clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpu_start);
      const auto start = std::chrono::steady_clock::now();
      suggest_words(data, nullptr, w.data(), w.size(), &list);
      benchmark::DoNotOptimize(list.count);
      wall.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
      clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpu_end);
      cpu.push_back((cpu_end.tv_sec - cpu_start.tv_sec) * 1e6 + (cpu_end.tv_nsec - cpu_start.tv_nsec) / 1e3);
    }
  }
  std::sort(wall.begin(), wall.end());
  std::sort(cpu.begin(), cpu.end());
  state.counters["words"] = static_cast<double>(words.size());
  state.counters["p50_us"] = wall[wall.size() / 2];
  state.counters["p99_us"] = wall[wall.size() * 99 / 100];
  state.counters["cpu_p50_us"] = cpu[cpu.size() / 2];
  state.counters["cpu_p99_us"] = cpu[cpu.size() * 99 / 100];
  state.counters["per_word"] = benchmark::Counter(static_cast<double>(words.size()),
                                                  benchmark::Counter::kIsIterationInvariantRate |
                                                      benchmark::Counter::kInvert);
}
BENCHMARK(BM_SuggestDevSplitWords)->Unit(benchmark::kMillisecond);

}  // namespace
