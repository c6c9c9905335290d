// The low-level keyboard hook procedure runs for every key event of every
// program, ahead of them all: the events it does not translate must leave
// at once.
#include <benchmark/benchmark.h>

#include "bench/hook/bench_platform.h"
#include "hook/keyboard_hook.h"
#include "hook/virtual_keys.h"

namespace {

struct HookFixture {
  tvk::KBHookState state{};
  tvk::HookProcess process{};
  tvk::HookContext context{&state, &process, &bench_platform::kPlatform};
  HookFixture(std::uint32_t on, std::uint16_t toggle) {
    state.MainWindow = 1;
    state.KBHookHandle = 2;
    state.KBOn = on;
    state.ToggleALTChar = toggle;
    state.OwnMark = 0x5456;
  }
};

void run(benchmark::State& state, HookFixture& fixture, std::uint32_t vk, bool release,
         std::uint32_t flags = 0, std::uintptr_t extra = 0) {
  LowLevelKey key{vk, 0x1E, flags | (release ? kLowLevelUp : 0), 0, extra};
  const std::uintptr_t message = release ? kMsgKeyUp : kMsgKeyDown;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        tvk::LLKBHookProc(fixture.context, tvk::kHcAction, message, reinterpret_cast<std::intptr_t>(&key)));
    // The queue never fills: the main program takes what the hook queued.
    fixture.process.EntryCount = 0;
  }
}

void BM_KeyPressWhileOff(benchmark::State& state) {
  HookFixture fixture(0, 0);
  run(state, fixture, 'A', false);
}
BENCHMARK(BM_KeyPressWhileOff);

void BM_KeyPressWhileOffWatchingToggle(benchmark::State& state) {
  HookFixture fixture(0, kVkF2);
  run(state, fixture, 'A', false);
}
BENCHMARK(BM_KeyPressWhileOffWatchingToggle);

void BM_OwnInputComingBack(benchmark::State& state) {
  HookFixture fixture(1, kVkF2);
  run(state, fixture, kVkPacket, false, kLowLevelInjected, 0x5456);
}
BENCHMARK(BM_OwnInputComingBack);

void BM_SpaceRunWhileOn(benchmark::State& state) {
  HookFixture fixture(1, kVkF2);
  fixture.process.LetterResetPosted = 1;
  run(state, fixture, 0x20, false);
}
BENCHMARK(BM_SpaceRunWhileOn);

void BM_ReleaseWhileOn(benchmark::State& state) {
  HookFixture fixture(1, kVkF2);
  run(state, fixture, 0x20, true);
}
BENCHMARK(BM_ReleaseWhileOn);

// The foreground window and its layout asked, the character queued: the
// most a key event costs.
void BM_TranslatedLetterWhileOn(benchmark::State& state) {
  HookFixture fixture(1, kVkF2);
  run(state, fixture, 'A', false);
}
BENCHMARK(BM_TranslatedLetterWhileOn);

}  // namespace
