#include "hook/hook_control.h"

namespace tvk {

int InitKBHook(const HookContext& context, HookWindow main_window) {
  KBHookShared& shared = *context.shared;
  // A second copy of the main program, or a second call, is refused while
  // the registered window lives. The block outlives the program in every
  // process that took keys while it ran, so a window gone with its program
  // (an exit or a crash) counts as none: the system removed that program's
  // hooks, and the block starts over as at first load.
  if (shared.MainWindow != 0 && context.platform->window_exists(shared.MainWindow)) return -1;
  shared.KBHookHandle = 0;
  shared.KBOn = 0;
  shared.ToggleALTChar = 0;
  shared.SendBusy = kSendIdle;
  shared.HookThread = 0;
  shared.OtherSizeServed = 0;
  shared.MainWindow = main_window;
  return 1;
}

int SetKBHook(const HookContext& context) {
  KBHookShared& shared = *context.shared;
  if (shared.KBHookHandle != 0) return 1;
  shared.KBHookHandle = context.platform->set_hook(HookKind::Keyboard, context.process->ModuleInstance);
  if (shared.KBHookHandle == 0) return 0;
  shared.HookThread = context.platform->current_thread();
  return 1;
}

int IsSetKBHook(const HookContext& context) { return context.shared->KBHookHandle != 0 ? 1 : 0; }

void RemoveKBHook(const HookContext& context) {
  KBHookShared& shared = *context.shared;
  if (shared.KBHookHandle == 0) return;
  context.platform->unhook(shared.KBHookHandle);
  shared.KBHookHandle = 0;
  shared.HookThread = 0;
}

int KBHookTolvarON(const HookContext& context) {
  const int set = SetKBHook(context);
  context.shared->KBOn = static_cast<std::uint32_t>(set);
  return set;
}

void KBHookTolvarOFF(const HookContext& context) {
  context.shared->KBOn = 0;
  // With a toggle key the hook stays, so ALT plus that key can switch the
  // keyboard ON again from any application.
  if (context.shared->ToggleALTChar == 0) RemoveKBHook(context);
}

int IsKBHookTolvarON(const HookContext& context) {
  return context.shared->KBOn != 0 && context.shared->KBHookHandle != 0 ? 1 : 0;
}

int SetKBToggleALTChar(const HookContext& context, std::uint32_t toggle_key) {
  const std::uint16_t previous = context.shared->ToggleALTChar;
  context.shared->ToggleALTChar = static_cast<std::uint16_t>(toggle_key & 0xFFFF);
  return previous;
}

int MarkKBSend(const HookContext& context, std::uint32_t send_state) {
  const std::uint32_t previous = context.shared->SendBusy;
  context.shared->SendBusy = send_state;
  return static_cast<int>(previous);
}

int SetKBOtherSizeServed(const HookContext& context, std::uint32_t served) {
  const std::uint32_t previous = context.shared->OtherSizeServed;
  context.shared->OtherSizeServed = served != 0 ? 1 : 0;
  return static_cast<int>(previous);
}

}  // namespace tvk
