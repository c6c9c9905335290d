#include "shell/companion_rules.h"

int companion_sync_steps(const MirroredHookState& state, int hook_set, CompanionStep* steps) {
  int count = 0;
  steps[count++] = {CompanionCommand::RemoveKBHook, 0};
  steps[count++] = {CompanionCommand::SetKBToggleALTChar, state.toggle_key};
  if (state.kb_on != 0) {
    steps[count++] = {CompanionCommand::KBHookTolvarON, 0};
    // ON with the hook removed around a playback that runs now.
    if (!hook_set) steps[count++] = {CompanionCommand::RemoveKBHook, 0};
  } else if (hook_set) {
    steps[count++] = {CompanionCommand::SetKBHook, 0};
  }
  steps[count++] = {CompanionCommand::MarkKBSend, state.send_state};
  steps[count++] = {CompanionCommand::SetKBOtherSizeServed, 1};
  return count;
}

int companion_registration_usable(int init_result, int served_before) {
  return init_result == 1 || (init_result == -1 && served_before);
}

int companion_restart_after_end(CompanionLife* life, std::uint32_t now) {
  if (now - life->started_at < kCompanionQuickEndMs) {
    ++life->quick_ends;
  } else {
    life->quick_ends = 0;
  }
  return life->quick_ends < kCompanionQuickEndsMax;
}
