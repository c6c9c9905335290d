// tvkhook.dll: the shared block in its shared section, this process's own
// data, the Win32 calls behind the portable decisions, the entry point and
// the exports. The platform maps this library into every process that
// takes keyboard input, so it carries no C++ runtime, no static
// constructors and allocates nothing.
#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "hook/hook_control.h"
#include "hook/keyboard_hook.h"
#include "hook/key_sending.h"
#include "hook/tvkhook.h"

namespace {

using tvk::HookHandle;
using tvk::HookWindow;

// One copy for every process that maps the library. The initialiser keeps it
// in a data section of its own rather than in zero-filled storage.
tvk::KBHookShared SharedBlock __attribute__((section(".sdata1"), shared)) = {0, 0, 0, 0, 0, 0, 0};

tvk::HookProcess ProcessData;

// The playback procedure writes the first four fields of the platform's
// record and leaves the window field alone.
static_assert(offsetof(EVENTMSG, message) == offsetof(tvk::PlaybackRecord, message) &&
                  offsetof(EVENTMSG, paramL) == offsetof(tvk::PlaybackRecord, paramL) &&
                  offsetof(EVENTMSG, paramH) == offsetof(tvk::PlaybackRecord, paramH) &&
                  offsetof(EVENTMSG, time) == offsetof(tvk::PlaybackRecord, time) &&
                  offsetof(EVENTMSG, hwnd) >= offsetof(tvk::PlaybackRecord, window),
              "the playback procedure fills the platform's record");

// Window and hook handles are 32-bit values; a 64-bit process (the test
// build) holds them sign-extended.
HookWindow from_window(HWND window) { return static_cast<HookWindow>(reinterpret_cast<UINT_PTR>(window)); }
HWND to_window(HookWindow window) {
  return reinterpret_cast<HWND>(static_cast<INT_PTR>(static_cast<std::int32_t>(window)));
}
HookHandle from_hook(HHOOK hook) { return static_cast<HookHandle>(reinterpret_cast<UINT_PTR>(hook)); }
HHOOK to_hook(HookHandle hook) {
  return reinterpret_cast<HHOOK>(static_cast<INT_PTR>(static_cast<std::int32_t>(hook)));
}

LRESULT CALLBACK KBHookProc(int code, WPARAM key, LPARAM key_bits);
LRESULT CALLBACK JPHookProc(int code, WPARAM wparam, LPARAM record);

std::intptr_t win_call_next_hook(HookHandle hook, int code, std::uintptr_t wparam, std::intptr_t lparam) {
  return CallNextHookEx(to_hook(hook), code, wparam, lparam);
}

void win_get_keyboard_state(std::uint8_t* state) { GetKeyboardState(state); }

int win_to_ascii(std::uint32_t key, std::uint32_t scan, const std::uint8_t* state, std::uint16_t* buffer) {
  WORD character = 0;
  const int count = ToAscii(key, scan, state, &character, 0);
  *buffer = character;
  return count;
}

void win_post_message(HookWindow window, std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam) {
  PostMessageA(to_window(window), message, wparam, lparam);
}

HookHandle win_set_hook(tvk::HookKind kind, void* module) {
  const HHOOK hook = kind == tvk::HookKind::Keyboard
                         ? SetWindowsHookExA(WH_KEYBOARD, KBHookProc, static_cast<HINSTANCE>(module), 0)
                         : SetWindowsHookExA(WH_JOURNALPLAYBACK, JPHookProc, static_cast<HINSTANCE>(module), 0);
  return from_hook(hook);
}

void win_unhook(HookHandle hook) { UnhookWindowsHookEx(to_hook(hook)); }

std::uint16_t win_vk_key_scan(std::uint8_t character) {
  return static_cast<std::uint16_t>(VkKeyScanA(static_cast<CHAR>(character)));
}

std::uint32_t win_map_virtual_key(std::uint32_t key) { return MapVirtualKeyA(key, 0); }

std::uint32_t win_tick_count() { return GetTickCount(); }

std::uint16_t win_ansi_to_unicode(std::uint8_t byte) {
  const char ansi = static_cast<char>(byte);
  WCHAR wide = 0;
  if (MultiByteToWideChar(CP_ACP, 0, &ansi, 1, &wide, 1) != 1) return byte;
  return wide;
}

// The records of one SendInput call; touched only in the process that sends.
INPUT InputRecords[tvk::kInputBatchSize];

void win_send_input(const tvk::InputEvent* events, std::uint32_t count) {
  if (count > tvk::kInputBatchSize) count = tvk::kInputBatchSize;
  for (std::uint32_t i = 0; i < count; ++i) {
    INPUT& record = InputRecords[i];
    record.type = INPUT_KEYBOARD;
    record.ki.wVk = events[i].key;
    record.ki.wScan = events[i].scan;
    record.ki.dwFlags = events[i].flags;
    record.ki.time = 0;
    record.ki.dwExtraInfo = 0;
  }
  SendInput(count, InputRecords, sizeof(INPUT));
}

tvk::PumpResult win_pump_message() {
  MSG message;
  if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) return tvk::PumpResult::Empty;
  if (message.message == WM_CANCELJOURNAL) return tvk::PumpResult::JournalCancelled;
  if (message.message == WM_QUIT) {
    PostQuitMessage(static_cast<int>(message.wParam));
    return tvk::PumpResult::Quit;
  }
  TranslateMessage(&message);
  DispatchMessageA(&message);
  return tvk::PumpResult::Dispatched;
}

void win_wait_for_message(std::uint32_t milliseconds) {
  MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds, QS_ALLINPUT);
}

std::uint32_t win_current_thread() { return GetCurrentThreadId(); }

std::uint32_t win_foreground_thread() {
  const HWND foreground = GetForegroundWindow();
  return foreground ? GetWindowThreadProcessId(foreground, nullptr) : 0;
}

bool win_key_down_now(std::uint32_t key) { return (GetAsyncKeyState(static_cast<int>(key)) & 0x8000) != 0; }

bool win_key_toggled(std::uint32_t key) { return (GetKeyState(static_cast<int>(key)) & 1) != 0; }

bool win_window_exists(HookWindow window) { return IsWindow(to_window(window)) != FALSE; }

constexpr tvk::HookPlatform kWin32Platform = {
    win_call_next_hook,    win_get_keyboard_state, win_to_ascii,      win_post_message,
    win_set_hook,          win_unhook,             win_vk_key_scan,   win_map_virtual_key,
    win_tick_count,        win_ansi_to_unicode,    win_send_input,         win_pump_message,  win_wait_for_message,
    win_current_thread,    win_foreground_thread,  win_key_down_now,  win_key_toggled,
    win_window_exists,
};

constexpr tvk::HookContext kContext = {&SharedBlock, &ProcessData, &kWin32Platform};

LRESULT CALLBACK KBHookProc(int code, WPARAM key, LPARAM key_bits) {
  return tvk::KBHookProc(kContext, code, key, key_bits);
}

LRESULT CALLBACK JPHookProc(int code, WPARAM wparam, LPARAM record) {
  return tvk::JPHookProc(kContext, code, wparam, record);
}

}  // namespace

// The entry point itself (no C runtime start-up code runs before it).
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) ProcessData.ModuleInstance = instance;
  return TRUE;
}

int WINAPI InitKBHook(HWND main_window) {
  return tvk::InitKBHook(kContext, from_window(main_window));
}
int WINAPI IsKBHookTolvarON(void) { return tvk::IsKBHookTolvarON(kContext); }
int WINAPI IsSetKBHook(void) { return tvk::IsSetKBHook(kContext); }
void WINAPI KBHookTolvarOFF(void) { tvk::KBHookTolvarOFF(kContext); }
int WINAPI KBHookTolvarON(void) { return tvk::KBHookTolvarON(kContext); }
void WINAPI RemoveKBHook(void) { tvk::RemoveKBHook(kContext); }
int WINAPI SendKeysJPH(const char* keys) { return tvk::SendKeysJPH(kContext, keys); }
int WINAPI SendKeysKE(const char* keys) { return tvk::SendKeysKE(kContext, keys); }
int WINAPI SendKeysUI(const char* keys) { return tvk::SendKeysUI(kContext, keys); }
static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wide characters are UTF-16 units");
int WINAPI SendTextUI(const wchar_t* text, int backspaces) {
  return tvk::SendTextUI(kContext, reinterpret_cast<const char16_t*>(text), backspaces);
}
int WINAPI SendHeldKey(int key) { return tvk::SendHeldKey(kContext, static_cast<std::uint32_t>(key)); }
int WINAPI SetKBHook(void) { return tvk::SetKBHook(kContext); }
int WINAPI SetKBToggleALTChar(int toggle_key) {
  return tvk::SetKBToggleALTChar(kContext, static_cast<std::uint32_t>(toggle_key));
}
int WINAPI MarkKBSend(int send_state) { return tvk::MarkKBSend(kContext, static_cast<std::uint32_t>(send_state)); }
int WINAPI SetKBOtherSizeServed(int served) {
  return tvk::SetKBOtherSizeServed(kContext, static_cast<std::uint32_t>(served));
}
