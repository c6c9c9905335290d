#include "hook/hook_control.h"

#include "hook/keyboard_hook.h"
#include "hook/virtual_keys.h"

namespace tvk {

int InitKBHook(const HookContext& context, HookWindow main_window) {
  KBHookState& state = *context.state;
  // A second call is refused while the registered window lives.
  if (state.MainWindow != 0 && context.platform->window_exists(state.MainWindow)) return -1;
  state.KBHookHandle = 0;
  state.KBOn = 0;
  state.ToggleALTChar = 0;
  state.SendBusy = kSendIdle;
  state.MainWindow = main_window;
  // Another program would have to guess it to pass its keys off as the
  // library's own; zero, as most senders leave it, is never the mark.
  state.OwnMark = (static_cast<std::uintptr_t>(context.platform->tick_count()) * 2654435761u) ^
                  (static_cast<std::uintptr_t>(main_window) << 8) ^ 0x54564B00u;
  if (state.OwnMark == 0) state.OwnMark = 0x54564B00u;
  return 1;
}

int SetKBHook(const HookContext& context) {
  KBHookState& state = *context.state;
  if (state.KBHookHandle != 0) return 1;
  SyncKeyState(context);
  state.KBHookHandle = context.platform->set_hook(HookKind::KeyboardLowLevel, context.process->ModuleInstance);
  // Events typed while no hook was set never come back through this one.
  HookProcess& process = *context.process;
  process.OwnOutstanding = 0;
  process.LastHookCall = context.platform->tick_count();
  process.ProbeSentAt = 0;
  if (state.KBHookHandle == 0) return 0;
  if (state.MouseWatch == 0) {
    // Clicks counted before the hook was removed ended no letter typed since.
    // Without the mouse hook the keyboard still works; only a click no
    // longer ends the letter.
    process.MouseClicksSeen = process.MouseClicks.load(std::memory_order_relaxed);
    state.MouseWatch = context.platform->start_mouse_watch() ? 1 : 0;
  }
  return 1;
}

int IsSetKBHook(const HookContext& context) { return context.state->KBHookHandle != 0 ? 1 : 0; }

void RemoveKBHook(const HookContext& context) {
  KBHookState& state = *context.state;
  if (state.KBHookHandle == 0) return;
  context.platform->unhook(state.KBHookHandle);
  state.KBHookHandle = 0;
  if (state.MouseWatch == 0) return;
  context.platform->stop_mouse_watch();
  state.MouseWatch = 0;
}

int KBHookTolvarON(const HookContext& context) {
  const int set = SetKBHook(context);
  context.state->KBOn = static_cast<std::uint32_t>(set);
  return set;
}

void KBHookTolvarOFF(const HookContext& context) {
  context.state->KBOn = 0;
  // With a toggle key the hook stays, so ALT plus that key can switch the
  // keyboard ON again from any application.
  if (context.state->ToggleALTChar == 0) RemoveKBHook(context);
}

int IsKBHookTolvarON(const HookContext& context) {
  return context.state->KBOn != 0 && context.state->KBHookHandle != 0 ? 1 : 0;
}

int SetKBToggleALTChar(const HookContext& context, std::uint32_t toggle_key) {
  const std::uint16_t previous = context.state->ToggleALTChar;
  context.state->ToggleALTChar = static_cast<std::uint16_t>(toggle_key & 0xFFFF);
  return previous;
}

int SetKBWordKeys(const HookContext& context, std::uint32_t on) {
  const int previous = context.state->WordKeys != 0 ? 1 : 0;
  context.state->WordKeys = on != 0 ? 1 : 0;
  return previous;
}

int CheckKBHook(const HookContext& context) {
  KBHookState& state = *context.state;
  HookProcess& process = *context.process;
  const HookPlatform& platform = *context.platform;
  if (state.KBHookHandle == 0) return 0;
  const std::uint32_t now = platform.tick_count();
  if (process.ProbeSentAt != 0) {
    if (!process.ProbeDue) {
      process.ProbeSentAt = 0;
      return 0;
    }
    if (now - process.ProbeSentAt < kProbeWaitMs) return 0;
    // The probe never came back: the hook is no longer called.
    platform.unhook(state.KBHookHandle);
    state.KBHookHandle = 0;
    process.OwnOutstanding = 0;
    SetKBHook(context);
    return 1;
  }
  // Input the hook has not seen: mouse input does that too, and the probe
  // costs next to nothing.
  if (static_cast<std::int32_t>(platform.last_input_tick() - process.LastHookCall) <= 0) return 0;
  process.ProbeSentAt = now != 0 ? now : 1;
  process.ProbeDue = true;
  const InputEvent probe[2] = {{static_cast<std::uint16_t>(kVkProbe), 0, 0},
                               {static_cast<std::uint16_t>(kVkProbe), 0, kInputKeyUp}};
  platform.send_input(probe, 2, state.OwnMark);
  return 0;
}

}  // namespace tvk
