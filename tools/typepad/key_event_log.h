// The key messages typepad received, each with its arrival time, in a fixed
// buffer, and their text form for the log file.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace typepad {

// Window message numbers, so that this file needs no <windows.h>.
constexpr std::uint32_t wm_keydown = 0x100;
constexpr std::uint32_t wm_keyup = 0x101;
constexpr std::uint32_t wm_char = 0x102;
constexpr std::uint32_t wm_deadchar = 0x103;
constexpr std::uint32_t wm_syskeydown = 0x104;
constexpr std::uint32_t wm_syskeyup = 0x105;
constexpr std::uint32_t wm_syschar = 0x106;
constexpr std::uint32_t wm_sysdeadchar = 0x107;
// Not a window message: a character typepad composed from ALT + keypad
// digits; wParam is the byte added to the text.
constexpr std::uint32_t composed_char_event = 0;

struct KeyEvent {
  std::uint32_t tick_ms;     // GetTickCount at arrival
  std::uint64_t counter_us;  // QueryPerformanceCounter at arrival, in microseconds
  std::uint32_t message;
  std::uint32_t wparam;
  std::uint32_t lparam;
};

constexpr std::size_t key_event_log_capacity = 32768;

struct KeyEventLog {
  std::array<KeyEvent, key_event_log_capacity> events;
  std::size_t count;
  std::size_t dropped;  // events that found the log full
};

void key_event_log_clear(KeyEventLog &log);

// Returns 0 (and counts the event as dropped) when the log is full.
int key_event_log_add(KeyEventLog &log, const KeyEvent &event);

// "WM_KEYDOWN", ..., "ALTNUM" for a composed character, "0x%X" otherwise.
const char *key_message_name(std::uint32_t message, char (&unknown)[16]);

// One header line, then one line per event:
//   tick_ms counter_us message wparam lparam
// e.g. "5391021 5391021377 WM_KEYDOWN 0x41 0x001E0001", and a last line
// "# dropped N" when events were dropped. Returns 0 on a write error.
int key_event_log_write(const KeyEventLog &log, std::FILE *file);

}  // namespace typepad
