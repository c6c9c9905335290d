// The platform calls of the hook library as one table of plain function
// pointers. The DLL fills it with the user32/kernel32/advapi32 calls, the
// native tests with a fake, so both run the very same decisions.
#pragma once
#include <cstdint>

namespace tvk {

// Window and hook handles are 32-bit values on the platform the library
// targets; the library's state stores them at that width.
using HookWindow = std::uint32_t;
using HookHandle = std::uint32_t;

enum class HookKind { KeyboardLowLevel, JournalPlayback };

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
constexpr std::uint32_t kInputExtended = 1;  // an extended key (right Control, arrows...)
constexpr std::uint32_t kInputKeyUp = 2;     // a release
constexpr std::uint32_t kInputUnicode = 4;   // `scan` is a character

struct HookPlatform {
  // CallNextHookEx; its result is handed back unchanged.
  std::intptr_t (*call_next_hook)(HookHandle hook, int code, std::uintptr_t wparam, std::intptr_t lparam);
  // ToUnicodeEx(key, scan, state, buffer, 4, 0, layout) with the keyboard
  // layout of `window`'s thread; flag 4 keeps the system's dead-key state
  // as it is. Up to 4 UTF-16 units; returns their count, -1 for a dead key.
  int (*to_unicode)(HookWindow window, std::uint32_t key, std::uint32_t scan, const std::uint8_t* state,
                    std::uint16_t* buffer);
  // PostMessageA; never waits. false: not posted (the queue is full).
  bool (*post_message)(HookWindow window, std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam);
  // SetWindowsHookExA for all threads with the library's own procedure of
  // that kind (LLKBHookProc or JPHookProc); 0 = refused.
  HookHandle (*set_hook)(HookKind kind, void* module);
  // UnhookWindowsHookEx.
  void (*unhook)(HookHandle hook);
  // VkKeyScanA: the virtual-key code in the low byte, shift state above.
  std::uint16_t (*vk_key_scan)(std::uint8_t character);
  // MapVirtualKeyA(key, 0): the scan code of a virtual-key code.
  std::uint32_t (*map_virtual_key)(std::uint32_t key);
  // GetTickCount.
  std::uint32_t (*tick_count)();
  // SendInput with `mark` as every event's extra information: the whole
  // batch goes into the input stream at once. Returns how many events it
  // inserted (0 when the system refused them).
  std::uint32_t (*send_input)(const InputEvent* events, std::uint32_t count, std::uintptr_t mark);
  // PeekMessageA(PM_REMOVE) without filters; a message found is translated
  // and dispatched, except WM_CANCELJOURNAL, which is reported instead, and
  // WM_QUIT, which is posted again and reported.
  PumpResult (*pump_message)();
  // Blocks until input or a message arrives for the thread, or the time is up.
  void (*wait_for_message)(std::uint32_t milliseconds);
  // GetAsyncKeyState: the key is down at this moment.
  bool (*key_down_now)(std::uint32_t key);
  // GetKeyState: the key's toggle (Caps Lock on).
  bool (*key_toggled)(std::uint32_t key);
  // IsWindow: the window still exists, in whatever process.
  bool (*window_exists)(HookWindow window);
  // GetForegroundWindow; 0 when none is (the secure desktop is in front).
  HookWindow (*foreground_window)();
  // The window's thread shows a menu (GetGUIThreadInfo: menu mode).
  bool (*in_menu_mode)(HookWindow window);
  // The window's process runs at a higher integrity level than this one
  // (as administrator), or cannot be asked: input sent there is dropped.
  bool (*runs_higher)(HookWindow window);
  // GetLastInputInfo: the tick of the last input the system took.
  std::uint32_t (*last_input_tick)();
  // Starts the thread that sets the low-level mouse hook (its procedure
  // LLMouseHookProc) and waits a bounded time for it; false: no thread, or
  // the hook was refused.
  bool (*start_mouse_watch)();
  // Ends that thread, which removes its hook, and waits a bounded time.
  void (*stop_mouse_watch)();
};

}  // namespace tvk
