// The main program's decisions about its 32-bit companion: which commands
// bring a newly started companion's library to the state of the main
// program's own, whether its registration answer can be used, and whether
// a companion that ended is started again.
#pragma once
#include <cstdint>

#include "companion/companion_protocol.h"

// What the main program has asked of its own library that the library
// cannot be asked back: the keyboard switched ON, the toggle key, the send
// that runs. Whether the hook is set is read from the library itself.
struct MirroredHookState {
  std::uint32_t kb_on;
  std::uint32_t toggle_key;
  std::uint32_t send_state;
};

struct CompanionStep {
  CompanionCommand command;
  std::uint32_t argument;
};

constexpr int kCompanionSyncStepsMax = 6;

// The commands, after a successful InitKBHook, that bring a new companion's
// library to the main library's state (`hook_set`: the main library's hook
// is set). A library that outlived an earlier companion may still name that
// companion's hook, which died with it; the first step forgets it. Returns
// the number of steps.
int companion_sync_steps(const MirroredHookState& state, int hook_set, CompanionStep* steps);

// InitKBHook's answer in a new companion: 1 is a fresh registration; -1 is
// usable only when an earlier companion of this run registered this main
// program (its library stayed mapped in 32-bit programs); otherwise the
// library serves another, earlier Tolvar.
int companion_registration_usable(int init_result, int served_before);

// A companion ending is started again unless it keeps ending: after
// kCompanionQuickEndsMax ends in a row, each within kCompanionQuickEndMs of
// its start, the main program gives up.
constexpr std::uint32_t kCompanionQuickEndMs = 10000;
constexpr int kCompanionQuickEndsMax = 3;

struct CompanionLife {
  std::uint32_t started_at;  // tick of the latest start
  int quick_ends;            // ends in a row soon after their start
};

// Counts the end at tick `now`; returns 1 when the companion is to be
// started again.
int companion_restart_after_end(CompanionLife* life, std::uint32_t now);
