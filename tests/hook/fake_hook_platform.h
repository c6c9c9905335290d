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

using InjectedKey = tvk::InputEvent;

struct FakeHookPlatform {
  // Keyboard state that GetKeyboardState copies out.
  std::uint8_t keyboard_state[256] = {};
  // The layout's answer to ToAscii; the default is a US layout for
  // letters, digits and Backspace that honours Shift, Caps Lock and Control.
  std::function<int(std::uint32_t key, const std::uint8_t* state, std::uint16_t* buffer)> to_ascii;
  int to_ascii_calls = 0;
  std::uint32_t last_scan = 0;

  std::vector<PostedMessage> posts;
  std::vector<NextHookCall> next_hook_calls;
  std::intptr_t next_hook_result = 77;

  // set_hook hands out this handle (0 = refuse) and counts up.
  tvk::HookHandle next_handle = 0x100;
  std::vector<tvk::HookKind> hooks_set;
  std::vector<void*> hook_modules;
  std::vector<tvk::HookHandle> unhooked;

  // Every event injected, and the size of each SendInput batch.
  std::vector<InjectedKey> injected;
  std::vector<std::uint32_t> batches;

  std::uint32_t tick = 1000;
  std::vector<std::uint32_t> waits;
  // What the message queue does on each look; the default finds it empty.
  std::function<tvk::PumpResult()> pump;
  int pumps = 0;

  // The calling thread and the foreground window's; the hook's own thread
  // sees other programs' keys only out of context.
  std::uint32_t thread = 1;
  std::uint32_t foreground = 1;
  // What GetAsyncKeyState and GetKeyState report: the keyboard right now.
  std::uint8_t keys_down_now[256] = {};
  bool caps_lock_on = false;
  // A window that IsWindow no longer finds (its program has ended).
  std::uint32_t closed_window = 0;
};

extern FakeHookPlatform fake;
extern const tvk::HookPlatform kFakeHookPlatform;

void reset_fake_hook_platform();

// The state of one process that maps the library, over a shared block that
// several of them may share.
struct FakeProcess {
  tvk::HookProcess data{};
  tvk::HookContext context;
  explicit FakeProcess(tvk::KBHookShared& shared) : context{&shared, &data, &kFakeHookPlatform} {}
};

// The US layout of the default ToAscii answer.
int us_layout_to_ascii(std::uint32_t key, const std::uint8_t* state, std::uint16_t* buffer);
