// Building and playing the longest key list a send can hold.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/hook/bench_platform.h"
#include "hook/key_list.h"
#include "hook/key_sending.h"

namespace {

const std::string kLongest(170, '\xE9');

void BM_BuildKeyList170Glyphs(benchmark::State& state) {
  tvk::KeyList list{};
  for (auto _ : state) {
    benchmark::DoNotOptimize(tvk::BuildKeyList(list, kLongest.c_str(), bench_platform::vk_key_scan));
  }
  state.SetItemsProcessed(state.iterations() * 1020);
}
BENCHMARK(BM_BuildKeyList170Glyphs);

void BM_PlayKeyList170Glyphs(benchmark::State& state) {
  tvk::KeyList list{};
  tvk::BuildKeyList(list, kLongest.c_str(), bench_platform::vk_key_scan);
  tvk::KeyPlayer player{};
  tvk::KeyEvent event{};
  for (auto _ : state) {
    tvk::ResetKeyPlayer(list, player);
    while (tvk::NextKeyEvent(list, player, event) != 0) benchmark::DoNotOptimize(event);
  }
  state.SetItemsProcessed(state.iterations() * 1700);  // events
}
BENCHMARK(BM_PlayKeyList170Glyphs);

void BM_SendKeysKEOneGlyph(benchmark::State& state) {
  tvk::KBHookState shared{};
  static tvk::HookProcess process{};
  const tvk::HookContext context{&shared, &process, &bench_platform::kPlatform};
  for (auto _ : state) benchmark::DoNotOptimize(tvk::SendKeysKE(context, "\x08\xE9"));
}
BENCHMARK(BM_SendKeysKEOneGlyph);

}  // namespace
