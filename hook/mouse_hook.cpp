#include "hook/mouse_hook.h"

#include "hook/keyboard_hook.h"

namespace tvk {

void LLMouseHookProc(const HookContext& context, int code, std::uintptr_t message) {
  if (code != kHcAction || !is_button_down(message)) return;
  // The mouse thread is the count's only writer; nothing else is published
  // with it.
  context.process->MouseClicks.fetch_add(1, std::memory_order_relaxed);
}

}  // namespace tvk
