#include "tests/hook/fake_hook_platform.h"

#include "hook/virtual_keys.h"

FakeHookPlatform fake;

namespace {

std::intptr_t fake_call_next_hook(tvk::HookHandle hook, int code, std::uintptr_t wparam, std::intptr_t lparam) {
  fake.next_hook_calls.push_back({hook, code, wparam, lparam});
  return fake.next_hook_result;
}

int fake_to_unicode(tvk::HookWindow window, std::uint32_t key, std::uint32_t scan, const std::uint8_t* state,
                    std::uint16_t* buffer) {
  ++fake.to_unicode_calls;
  fake.last_scan = scan;
  fake.last_layout_window = window;
  return fake.to_unicode(key, state, buffer);
}

bool fake_post_message(tvk::HookWindow window, std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam) {
  fake.posts.push_back({window, message, wparam, lparam});
  return fake.posts_succeed;
}

tvk::HookHandle fake_set_hook(tvk::HookKind kind, void* module) {
  fake.hooks_set.push_back(kind);
  fake.hook_modules.push_back(module);
  if (fake.next_handle == 0) return 0;
  return fake.next_handle++;
}

void fake_unhook(tvk::HookHandle hook) { fake.unhooked.push_back(hook); }

// Backspace has its own key; every other byte some key with a shift state.
std::uint16_t fake_vk_key_scan(std::uint8_t character) {
  if (character == 0x08) return kVkBack;
  if (character >= 'a' && character <= 'z') return static_cast<std::uint16_t>(character - 'a' + 'A');
  if (character >= 'A' && character <= 'Z') return static_cast<std::uint16_t>(0x100 | character);
  return 0xFFFF;
}

// Scan codes distinct from the key codes, as a playback record carries them.
std::uint32_t fake_map_virtual_key(std::uint32_t key) { return 0x280 + key; }

std::uint32_t fake_tick_count() { return fake.tick; }

std::uint32_t fake_send_input(const tvk::InputEvent* events, std::uint32_t count, std::uintptr_t mark) {
  const std::uint32_t taken =
      fake.accepts < 0 || static_cast<std::uint32_t>(fake.accepts) > count ? count : static_cast<std::uint32_t>(fake.accepts);
  fake.batches.push_back(count);
  fake.marks.push_back(mark);
  fake.injected.insert(fake.injected.end(), events, events + taken);
  return taken;
}

tvk::PumpResult fake_pump_message() {
  ++fake.pumps;
  return fake.pump ? fake.pump() : tvk::PumpResult::Empty;
}

void fake_wait_for_message(std::uint32_t milliseconds) {
  fake.waits.push_back(milliseconds);
  fake.tick += milliseconds;
}

bool fake_key_down_now(std::uint32_t key) { return fake.keys_down_now[key & 0xFF] != 0; }
bool fake_key_toggled(std::uint32_t key) { return key == kVkCapital && fake.caps_lock_on; }
bool fake_window_exists(tvk::HookWindow window) { return window != fake.closed_window; }
tvk::HookWindow fake_foreground_window() { return fake.foreground; }
bool fake_in_menu_mode(tvk::HookWindow) { return fake.menu_mode; }
bool fake_runs_higher(tvk::HookWindow) {
  ++fake.higher_calls;
  return fake.higher;
}
std::uint32_t fake_last_input_tick() { return fake.last_input; }
bool fake_start_mouse_watch() {
  ++fake.mouse_watch_starts_asked;
  return fake.mouse_watch_starts;
}
void fake_stop_mouse_watch() { ++fake.mouse_watch_stops; }

}  // namespace

const tvk::HookPlatform kFakeHookPlatform = {
    fake_call_next_hook, fake_to_unicode,     fake_post_message,     fake_set_hook,
    fake_unhook,         fake_vk_key_scan,    fake_map_virtual_key,  fake_tick_count,
    fake_send_input,     fake_pump_message,   fake_wait_for_message, fake_key_down_now,
    fake_key_toggled,    fake_window_exists,  fake_foreground_window, fake_in_menu_mode,
    fake_runs_higher,    fake_last_input_tick, fake_start_mouse_watch, fake_stop_mouse_watch,
};

int us_layout_to_unicode(std::uint32_t key, const std::uint8_t* state, std::uint16_t* buffer) {
  const bool shift = (state[kVkShift] & 0x80) != 0;
  const bool caps = (state[kVkCapital] & 0x01) != 0;
  if (key >= 'A' && key <= 'Z') {
    buffer[0] = static_cast<std::uint16_t>(shift != caps ? key : key - 'A' + 'a');
    return 1;
  }
  if (key >= '0' && key <= '9') {
    buffer[0] = static_cast<std::uint16_t>(shift ? ")!@#$%^&*("[key - '0'] : key);
    return 1;
  }
  // Backspace, Enter, Escape and Space give their control characters.
  if (key == kVkBack || key == 0x0D || key == 0x1B || key == 0x20) {
    buffer[0] = static_cast<std::uint16_t>(key);
    return 1;
  }
  return 0;
}

void reset_fake_hook_platform() {
  fake = FakeHookPlatform{};
  fake.to_unicode = us_layout_to_unicode;
}
