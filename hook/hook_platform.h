// The platform calls of the hook library as one table of plain function
// pointers. The DLL fills it with the user32/kernel32 calls, the native
// tests with a fake, so both run the very same decisions.
#pragma once
#include <cstdint>

namespace tvk {

// Window and hook handles are 32-bit values on the platform the library
// targets; the shared block stores them at that width.
using HookWindow = std::uint32_t;
using HookHandle = std::uint32_t;

enum class HookKind { Keyboard, JournalPlayback };

// What one look at the calling thread's message queue found. Quit: a WM_QUIT,
// which the look has posted again for the program's own loop.
enum class PumpResult { Empty, Dispatched, JournalCancelled, Quit };

// One event of a batch typed at once, as the platform's keyboard input
// record holds it: a virtual key with its scan code, or (kInputUnicode) a
// UTF-16 code unit in the scan code's place and no key.
struct InputEvent {
  std::uint16_t key;
  std::uint16_t scan;
  std::uint32_t flags;
};
constexpr std::uint32_t kInputKeyUp = 2;    // a release
constexpr std::uint32_t kInputUnicode = 4;  // `scan` is a character

struct HookPlatform {
  // CallNextHookEx; its result is handed back unchanged.
  std::intptr_t (*call_next_hook)(HookHandle hook, int code, std::uintptr_t wparam, std::intptr_t lparam);
  // GetKeyboardState: 256 bytes, bit 0x80 of a byte = that key is down.
  void (*get_keyboard_state)(std::uint8_t* state);
  // ToAscii(key, scan, state, buffer, 0): 1 = one character in the low byte of *buffer.
  int (*to_ascii)(std::uint32_t key, std::uint32_t scan, const std::uint8_t* state, std::uint16_t* buffer);
  // PostMessageA; never waits, its result does not matter.
  void (*post_message)(HookWindow window, std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam);
  // SetWindowsHookExA for all threads with the library's own procedure of
  // that kind (KBHookProc or JPHookProc); 0 = refused.
  HookHandle (*set_hook)(HookKind kind, void* module);
  // UnhookWindowsHookEx.
  void (*unhook)(HookHandle hook);
  // VkKeyScanA: the virtual-key code in the low byte, shift state above.
  std::uint16_t (*vk_key_scan)(std::uint8_t character);
  // MapVirtualKeyA(key, 0): the scan code of a virtual-key code.
  std::uint32_t (*map_virtual_key)(std::uint32_t key);
  // GetTickCount.
  std::uint32_t (*tick_count)();
  // MultiByteToWideChar(CP_ACP) of one byte: the UTF-16 character that
  // ALT+0ddd types for it in the system's ANSI code page.
  std::uint16_t (*ansi_to_unicode)(std::uint8_t byte);
  // SendInput: the whole batch goes into the input stream at once, so no
  // other key comes between its events.
  void (*send_input)(const InputEvent* events, std::uint32_t count);
  // PeekMessageA(PM_REMOVE) without filters; a message found is translated
  // and dispatched, except WM_CANCELJOURNAL, which is reported instead, and
  // WM_QUIT, which is posted again and reported.
  PumpResult (*pump_message)();
  // Blocks until input or a message arrives for the thread, or the time is up.
  void (*wait_for_message)(std::uint32_t milliseconds);
  // GetCurrentThreadId.
  std::uint32_t (*current_thread)();
  // The thread of the foreground window; 0 when there is none.
  std::uint32_t (*foreground_thread)();
  // GetAsyncKeyState: the key is down at this moment.
  bool (*key_down_now)(std::uint32_t key);
  // GetKeyState: the key's toggle (Caps Lock on).
  bool (*key_toggled)(std::uint32_t key);
  // IsWindow: the window still exists, in whatever process.
  bool (*window_exists)(HookWindow window);
};

}  // namespace tvk
