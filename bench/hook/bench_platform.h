// A platform whose calls cost next to nothing, so the benchmarks time the
// hook library's own decisions.
#pragma once
#include <cstring>

#include "hook/hook_state.h"

namespace bench_platform {

inline std::intptr_t call_next_hook(tvk::HookHandle, int, std::uintptr_t, std::intptr_t) { return 0; }
inline int to_unicode(tvk::HookWindow, std::uint32_t key, std::uint32_t, const std::uint8_t*, std::uint16_t* buffer) {
  buffer[0] = static_cast<std::uint16_t>(key | 0x20);
  return 1;
}
inline bool post_message(tvk::HookWindow, std::uint32_t, std::uintptr_t, std::intptr_t) { return true; }
inline tvk::HookHandle set_hook(tvk::HookKind, void*) { return 1; }
inline void unhook(tvk::HookHandle) {}
inline std::uint16_t vk_key_scan(std::uint8_t character) { return character; }
inline std::uint32_t map_virtual_key(std::uint32_t key) { return key; }
inline std::uint32_t tick_count() { return 0; }
inline std::uint32_t send_input(const tvk::InputEvent*, std::uint32_t count, std::uintptr_t) { return count; }
inline tvk::PumpResult pump_message() { return tvk::PumpResult::Empty; }
inline void wait_for_message(std::uint32_t) {}
inline bool key_down_now(std::uint32_t) { return false; }
inline bool key_toggled(std::uint32_t) { return false; }
inline bool window_exists(tvk::HookWindow) { return true; }
inline tvk::HookWindow foreground_window() { return 8; }
inline bool in_menu_mode(tvk::HookWindow) { return false; }
inline bool runs_higher(tvk::HookWindow) { return false; }
inline std::uint32_t last_input_tick() { return 0; }
inline bool start_mouse_watch() { return true; }
inline void stop_mouse_watch() {}

inline const tvk::HookPlatform kPlatform = {
    call_next_hook, to_unicode,     post_message,     set_hook,          unhook,       vk_key_scan,
    map_virtual_key, tick_count,    send_input,       pump_message,      wait_for_message, key_down_now,
    key_toggled,    window_exists,  foreground_window, in_menu_mode,     runs_higher,  last_input_tick,
    start_mouse_watch, stop_mouse_watch,
};

}  // namespace bench_platform
