// Registration of the main window, the switching of the low-level keyboard
// hook and its watchdog: the exports of tvkhook.dll other than the send
// functions, over the state of the context.
#pragma once
#include <cstdint>

#include "hook/hook_state.h"

namespace tvk {

// 1 = registered; -1 = a window that still exists is registered (nothing
// changes). Chooses the mark of the library's own input for this run.
int InitKBHook(const HookContext& context, HookWindow main_window);
// 1 = the keyboard hook is set (now or before); 0 = the platform refused.
int SetKBHook(const HookContext& context);
int IsSetKBHook(const HookContext& context);
void RemoveKBHook(const HookContext& context);
int KBHookTolvarON(const HookContext& context);
void KBHookTolvarOFF(const HookContext& context);
int IsKBHookTolvarON(const HookContext& context);
// Stores the low 16 bits; returns the previous code, zero-extended.
int SetKBToggleALTChar(const HookContext& context, std::uint32_t toggle_key);
// Non-zero: Space, Enter and Escape are queued as characters, as the
// suggested words need them in order with the letters. Returns the previous.
int SetKBWordKeys(const HookContext& context, std::uint32_t on);

// The system removes a low-level hook whose procedure once took too long,
// and says nothing. The main program calls this about every second: when
// input came since the hook's last call, a probe (a marked key the hook
// swallows) goes out; a probe not seen within kProbeWaitMs means the hook
// is gone, and it is set again. Returns 1 when the hook was found removed
// (set again, or not, as IsSetKBHook then says), else 0.
constexpr std::uint32_t kProbeWaitMs = 500;
int CheckKBHook(const HookContext& context);

}  // namespace tvk
