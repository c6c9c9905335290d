// The keyboard hook procedure runs for every key event of every
// application: the events it does not care about must leave at once.
#include <benchmark/benchmark.h>

#include "bench/hook/bench_platform.h"
#include "hook/keyboard_hook.h"
#include "hook/virtual_keys.h"

namespace {

struct HookFixture {
  tvk::KBHookShared shared{};
  tvk::HookProcess process{};
  tvk::HookContext context{&shared, &process, &bench_platform::kPlatform};
  HookFixture(std::uint32_t on, std::uint16_t toggle) {
    shared.MainWindow = 1;
    shared.KBHookHandle = 2;
    shared.KBOn = on;
    shared.ToggleALTChar = toggle;
  }
};

void run(benchmark::State& state, HookFixture& fixture, int code, std::uint32_t key, std::uint32_t bits) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(tvk::KBHookProc(fixture.context, code, key, static_cast<std::intptr_t>(bits)));
  }
}

void BM_KeyPressWhileOff(benchmark::State& state) {
  HookFixture fixture(0, 0);
  run(state, fixture, 0, 'A', 0x001E0001);
}
BENCHMARK(BM_KeyPressWhileOff);

void BM_KeyPressWhileOffWatchingToggle(benchmark::State& state) {
  HookFixture fixture(0, kVkF2);
  run(state, fixture, 0, 'A', 0x001E0001);
}
BENCHMARK(BM_KeyPressWhileOffWatchingToggle);

void BM_PeekedKeyWhileOn(benchmark::State& state) {
  HookFixture fixture(1, kVkF2);
  run(state, fixture, 3, 'A', 0x001E0001);
}
BENCHMARK(BM_PeekedKeyWhileOn);

void BM_CharacterReleaseWhileOn(benchmark::State& state) {
  HookFixture fixture(1, kVkF2);
  run(state, fixture, 0, 'A', 0xC01E0001);
}
BENCHMARK(BM_CharacterReleaseWhileOn);

void BM_SpaceRunWhileOn(benchmark::State& state) {
  HookFixture fixture(1, kVkF2);
  fixture.process.LetterResetPosted = 1;
  run(state, fixture, 0, 0x20, 0x00390001);
}
BENCHMARK(BM_SpaceRunWhileOn);

// Copies the keyboard state and translates: the most a key event costs.
void BM_TranslatedLetterWhileOn(benchmark::State& state) {
  HookFixture fixture(1, kVkF2);
  run(state, fixture, 0, 'A', 0x001E0001);
}
BENCHMARK(BM_TranslatedLetterWhileOn);

// On the hook's own thread for another program's key (64-bit Windows and a
// program of the other word size): the modifiers are read from the keyboard.
void BM_TranslatedLetterOutOfContext(benchmark::State& state) {
  HookFixture fixture(1, kVkF2);
  fixture.shared.HookThread = bench_platform::current_thread();
  run(state, fixture, 0, 'A', 0x001E0001);
}
BENCHMARK(BM_TranslatedLetterOutOfContext);

// The same while a companion's library serves that program: passed on.
void BM_KeyServedByTheOtherLibrary(benchmark::State& state) {
  HookFixture fixture(1, kVkF2);
  fixture.shared.HookThread = bench_platform::current_thread();
  fixture.shared.OtherSizeServed = 1;
  run(state, fixture, 0, 'A', 0x001E0001);
}
BENCHMARK(BM_KeyServedByTheOtherLibrary);

}  // namespace
