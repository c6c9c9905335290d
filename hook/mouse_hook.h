// The low-level mouse hook: a button pressed anywhere may have put the caret
// somewhere else, so the letter being typed must not be retyped there. Its
// procedure runs on a thread of its own (a low-level mouse hook on a busy
// thread would hold up the pointer of the whole system) and only counts the
// presses; the keyboard hook reads the count at the next key.
#pragma once
#include <cstdint>

#include "hook/hook_state.h"

namespace tvk {

// The button-down messages a low-level mouse hook receives (left, right,
// middle and the X buttons); moves, the wheel and releases are not clicks.
constexpr std::uint32_t kMsgLeftButtonDown = 0x0201;
constexpr std::uint32_t kMsgRightButtonDown = 0x0204;
constexpr std::uint32_t kMsgMiddleButtonDown = 0x0207;
constexpr std::uint32_t kMsgXButtonDown = 0x020B;

constexpr bool is_button_down(std::uintptr_t message) {
  return message == kMsgLeftButtonDown || message == kMsgRightButtonDown || message == kMsgMiddleButtonDown ||
         message == kMsgXButtonDown;
}

// The mouse procedure's one decision, on the mouse thread: a button went
// down. The caller passes every event on to the next hook itself.
void LLMouseHookProc(const HookContext& context, int code, std::uintptr_t message);

}  // namespace tvk
