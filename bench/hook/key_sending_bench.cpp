// Preparing one key's batch for Unicode input: a letter's text after two
// Backspaces.
#include <benchmark/benchmark.h>

#include "bench/hook/bench_platform.h"
#include "hook/key_sending.h"

namespace {

struct SendFixture {
  tvk::KBHookState shared{};
  tvk::HookContext context{&shared, &process, &bench_platform::kPlatform};
  static tvk::HookProcess process;
};
tvk::HookProcess SendFixture::process{};

void BM_SendTextUITwoBackspacesThreeUnits(benchmark::State& state) {
  SendFixture fixture;
  for (auto _ : state) benchmark::DoNotOptimize(tvk::SendTextUI(fixture.context, u"\u0915\u094D\u0937", 2));
}
BENCHMARK(BM_SendTextUITwoBackspacesThreeUnits);

}  // namespace
