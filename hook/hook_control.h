// Registration of the main window and the switching of the keyboard hook:
// the exports of tvkhook.dll other than the two send functions, over the
// shared block of the context.
#pragma once
#include <cstdint>

#include "hook/hook_state.h"

namespace tvk {

// 1 = registered; -1 = a window that still exists is registered (nothing
// changes).
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
// The send state of the main program's own library, mirrored into a library
// of the other word size that sends nothing itself. Returns the previous one.
int MarkKBSend(const HookContext& context, std::uint32_t send_state);
// Non-zero: a library of the other word size serves its programs. Returns
// the previous value.
int SetKBOtherSizeServed(const HookContext& context, std::uint32_t served);

}  // namespace tvk
