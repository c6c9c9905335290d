// A platform whose calls cost next to nothing, so the benchmarks time the
// hook library's own decisions.
#pragma once
#include <cstring>

#include "hook/hook_state.h"

namespace bench_platform {

inline std::intptr_t call_next_hook(tvk::HookHandle, int, std::uintptr_t, std::intptr_t) { return 0; }
inline void get_keyboard_state(std::uint8_t* state) { std::memset(state, 0, 256); }
inline int to_ascii(std::uint32_t key, std::uint32_t, const std::uint8_t*, std::uint16_t* buffer) {
  *buffer = static_cast<std::uint16_t>(key | 0x20);
  return 1;
}
inline void post_message(tvk::HookWindow, std::uint32_t, std::uintptr_t, std::intptr_t) {}
inline tvk::HookHandle set_hook(tvk::HookKind, void*) { return 1; }
inline void unhook(tvk::HookHandle) {}
inline std::uint16_t vk_key_scan(std::uint8_t character) { return character; }
inline std::uint32_t map_virtual_key(std::uint32_t key) { return key; }
inline std::uint32_t tick_count() { return 0; }
inline std::uint16_t ansi_to_unicode(std::uint8_t byte) { return byte; }
inline void send_input(const tvk::InputEvent*, std::uint32_t) {}
inline tvk::PumpResult pump_message() { return tvk::PumpResult::Empty; }
inline void wait_for_message(std::uint32_t) {}
inline std::uint32_t current_thread() { return 7; }
inline std::uint32_t foreground_thread() { return 8; }
inline bool key_down_now(std::uint32_t) { return false; }
inline bool key_toggled(std::uint32_t) { return false; }
inline bool window_exists(tvk::HookWindow) { return true; }

inline const tvk::HookPlatform kPlatform = {
    call_next_hook, get_keyboard_state, to_ascii,    post_message, set_hook,     unhook,
    vk_key_scan,    map_virtual_key,    tick_count,  ansi_to_unicode, send_input,   pump_message, wait_for_message,
    current_thread, foreground_thread,  key_down_now, key_toggled,  window_exists,
};

}  // namespace bench_platform
