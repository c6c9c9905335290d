// A recording fake of the hook library's platform calls, so the decisions
// of the keyboard hook and the key sending run natively and exactly.
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "hook/hook_state.h"

struct PostedMessage {
  std::uint32_t window;
  std::uint32_t message;
  std::uintptr_t wparam;
  std::intptr_t lparam;
};

struct NextHookCall {
  tvk::HookHandle hook;
  int code;
  std::uintptr_t wparam;
  std::intptr_t lparam;
};

struct FakeHookPlatform {
  // The layout's answer to ToUnicodeEx; the default is a US layout for
  // letters, digits and Backspace that honours Shift and Caps Lock.
  std::function<int(std::uint32_t key, const std::uint8_t* state, std::uint16_t* buffer)> to_unicode;
  int to_unicode_calls = 0;
  std::uint32_t last_scan = 0;
  std::uint32_t last_layout_window = 0;

  std::vector<PostedMessage> posts;  // also those that failed
  bool posts_succeed = true;
  std::vector<NextHookCall> next_hook_calls;
  std::intptr_t next_hook_result = 77;

  // set_hook hands out this handle (0 = refuse) and counts up.
  tvk::HookHandle next_handle = 0x100;
  std::vector<tvk::HookKind> hooks_set;
  std::vector<void*> hook_modules;
  std::vector<tvk::HookHandle> unhooked;

  // Every event injected, the size of each SendInput batch and its mark; a
  // call takes at most `accepts` events (as many as given when negative).
  std::vector<tvk::InputEvent> injected;
  std::vector<std::uint32_t> batches;
  std::vector<std::uintptr_t> marks;
  int accepts = -1;

  std::uint32_t tick = 1000;
  std::vector<std::uint32_t> waits;
  // What the message queue does on each look; the default finds it empty.
  std::function<tvk::PumpResult()> pump;
  int pumps = 0;

  // What GetAsyncKeyState and GetKeyState report: the keyboard right now.
  std::uint8_t keys_down_now[256] = {};
  bool caps_lock_on = false;
  // A window that IsWindow no longer finds (its program has ended).
  std::uint32_t closed_window = 0;
  // The foreground window (0: the secure desktop), whether its thread is in
  // menu mode and whether its program runs at a higher integrity level.
  std::uint32_t foreground = 0x5000;
  bool menu_mode = false;
  bool higher = false;
  int higher_calls = 0;
  std::uint32_t last_input = 0;
  // The mouse hook's thread: whether it starts, and each start and stop.
  bool mouse_watch_starts = true;
  int mouse_watch_starts_asked = 0;
  int mouse_watch_stops = 0;
};

extern FakeHookPlatform fake;
extern const tvk::HookPlatform kFakeHookPlatform;

void reset_fake_hook_platform();

// The library's state and data over the fake platform.
struct FakeProcess {
  tvk::HookProcess data{};
  tvk::HookContext context;
  explicit FakeProcess(tvk::KBHookState& state) : context{&state, &data, &kFakeHookPlatform} {}
};

// The US layout of the default ToUnicodeEx answer.
int us_layout_to_unicode(std::uint32_t key, const std::uint8_t* state, std::uint16_t* buffer);
