// tvkhook.dll: the library's state, the Win32 calls behind the portable
// decisions, the entry point and the exports. Only the main program loads
// it; its low-level keyboard hook runs on the thread that set it and its
// mouse hook on a thread of its own, so no other process maps the library
// or shares any of its data. It carries no C++ runtime, no static
// constructors and allocates nothing.
#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "hook/hook_control.h"
#include "hook/key_sending.h"
#include "hook/keyboard_hook.h"
#include "hook/mouse_hook.h"
#include "hook/tvkhook.h"
#include "hook/virtual_keys.h"

namespace {

using tvk::HookHandle;
using tvk::HookWindow;

tvk::KBHookState State;
tvk::HookProcess ProcessData;

// The playback procedure writes the first four fields of the platform's
// record and leaves the window field alone.
static_assert(offsetof(EVENTMSG, message) == offsetof(tvk::PlaybackRecord, message) &&
                  offsetof(EVENTMSG, paramL) == offsetof(tvk::PlaybackRecord, paramL) &&
                  offsetof(EVENTMSG, paramH) == offsetof(tvk::PlaybackRecord, paramH) &&
                  offsetof(EVENTMSG, time) == offsetof(tvk::PlaybackRecord, time) &&
                  offsetof(EVENTMSG, hwnd) >= offsetof(tvk::PlaybackRecord, window),
              "the playback procedure fills the platform's record");
static_assert(sizeof(KBDLLHOOKSTRUCT) == sizeof(LowLevelKey) &&
                  offsetof(KBDLLHOOKSTRUCT, vkCode) == offsetof(LowLevelKey, vk) &&
                  offsetof(KBDLLHOOKSTRUCT, scanCode) == offsetof(LowLevelKey, scan) &&
                  offsetof(KBDLLHOOKSTRUCT, flags) == offsetof(LowLevelKey, flags) &&
                  offsetof(KBDLLHOOKSTRUCT, dwExtraInfo) == offsetof(LowLevelKey, extra),
              "the hook procedure reads the platform's record");
static_assert(LLKHF_EXTENDED == kLowLevelExtended && LLKHF_INJECTED == kLowLevelInjected &&
                  LLKHF_ALTDOWN == kLowLevelAltDown && LLKHF_UP == kLowLevelUp,
              "the low-level key flags");
static_assert(sizeof(KBEntry) == 12, "an entry crosses the export as three 32-bit words");
static_assert(WM_LBUTTONDOWN == tvk::kMsgLeftButtonDown && WM_RBUTTONDOWN == tvk::kMsgRightButtonDown &&
                  WM_MBUTTONDOWN == tvk::kMsgMiddleButtonDown && WM_XBUTTONDOWN == tvk::kMsgXButtonDown,
              "the mouse procedure knows the button-down messages");
static_assert(sizeof(std::atomic<std::uint32_t>) == 4 && std::atomic<std::uint32_t>::is_always_lock_free,
              "the click count is a plain 32-bit word that needs no runtime");

// Window and hook handles are 32-bit values; a 64-bit process holds them
// sign-extended.
HookWindow from_window(HWND window) { return static_cast<HookWindow>(reinterpret_cast<UINT_PTR>(window)); }
HWND to_window(HookWindow window) {
  return reinterpret_cast<HWND>(static_cast<INT_PTR>(static_cast<std::int32_t>(window)));
}
HookHandle from_hook(HHOOK hook) { return static_cast<HookHandle>(reinterpret_cast<UINT_PTR>(hook)); }
HHOOK to_hook(HookHandle hook) {
  return reinterpret_cast<HHOOK>(static_cast<INT_PTR>(static_cast<std::int32_t>(hook)));
}

LRESULT CALLBACK LLKBHookProc(int code, WPARAM message, LPARAM event);
LRESULT CALLBACK JPHookProc(int code, WPARAM wparam, LPARAM record);
LRESULT CALLBACK LLMouseHookProc(int code, WPARAM message, LPARAM event);

std::intptr_t win_call_next_hook(HookHandle hook, int code, std::uintptr_t wparam, std::intptr_t lparam) {
  return CallNextHookEx(to_hook(hook), code, wparam, lparam);
}

// Flag 4: leave the keyboard's dead-key state alone (Windows 10 1607 and
// later; earlier systems ignore it).
int win_to_unicode(HookWindow window, std::uint32_t key, std::uint32_t scan, const std::uint8_t* state,
                   std::uint16_t* buffer) {
  const HKL layout = GetKeyboardLayout(GetWindowThreadProcessId(to_window(window), nullptr));
  WCHAR characters[4] = {0, 0, 0, 0};
  const int count = ToUnicodeEx(key, scan, state, characters, 4, 4, layout);
  for (int i = 0; i < 4; ++i) buffer[i] = characters[i];
  return count;
}

bool win_post_message(HookWindow window, std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam) {
  return PostMessageA(to_window(window), message, wparam, lparam) != FALSE;
}

HookHandle win_set_hook(tvk::HookKind kind, void* module) {
  const HHOOK hook = kind == tvk::HookKind::KeyboardLowLevel
                         ? SetWindowsHookExA(WH_KEYBOARD_LL, LLKBHookProc, static_cast<HINSTANCE>(module), 0)
                         : SetWindowsHookExA(WH_JOURNALPLAYBACK, JPHookProc, static_cast<HINSTANCE>(module), 0);
  return from_hook(hook);
}

void win_unhook(HookHandle hook) { UnhookWindowsHookEx(to_hook(hook)); }

std::uint16_t win_vk_key_scan(std::uint8_t character) {
  return static_cast<std::uint16_t>(VkKeyScanA(static_cast<CHAR>(character)));
}

std::uint32_t win_map_virtual_key(std::uint32_t key) { return MapVirtualKeyA(key, 0); }

std::uint32_t win_tick_count() { return GetTickCount(); }

// The records of one SendInput call.
INPUT InputRecords[tvk::kInputBatchSize];

std::uint32_t win_send_input(const tvk::InputEvent* events, std::uint32_t count, std::uintptr_t mark) {
  if (count > tvk::kInputBatchSize) count = tvk::kInputBatchSize;
  for (std::uint32_t i = 0; i < count; ++i) {
    INPUT& record = InputRecords[i];
    record.type = INPUT_KEYBOARD;
    record.ki.wVk = events[i].key;
    record.ki.wScan = events[i].scan;
    record.ki.dwFlags = events[i].flags;
    record.ki.time = 0;
    record.ki.dwExtraInfo = mark;
  }
  return SendInput(count, InputRecords, sizeof(INPUT));
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

bool win_key_down_now(std::uint32_t key) { return (GetAsyncKeyState(static_cast<int>(key)) & 0x8000) != 0; }

bool win_key_toggled(std::uint32_t key) { return (GetKeyState(static_cast<int>(key)) & 1) != 0; }

bool win_window_exists(HookWindow window) { return IsWindow(to_window(window)) != FALSE; }

HookWindow win_foreground_window() { return from_window(GetForegroundWindow()); }

bool win_in_menu_mode(HookWindow window) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  const DWORD thread = GetWindowThreadProcessId(to_window(window), nullptr);
  if (!GetGUIThreadInfo(thread, &info)) return false;
  return (info.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE | GUI_SYSTEMMENUMODE)) != 0;
}

// The mandatory integrity level of a process's token (its last sub-authority:
// 0x2000 medium, 0x3000 high); 0 when it cannot be read.
DWORD integrity_level(HANDLE process) {
  HANDLE token = nullptr;
  if (!OpenProcessToken(process, TOKEN_QUERY, &token)) return 0;
  union {
    TOKEN_MANDATORY_LABEL label;
    BYTE bytes[64];
  } buffer;
  DWORD size = 0;
  DWORD level = 0;
  if (GetTokenInformation(token, TokenIntegrityLevel, &buffer, sizeof buffer, &size)) {
    PSID sid = buffer.label.Label.Sid;
    const UCHAR count = *GetSidSubAuthorityCount(sid);
    if (count > 0) level = *GetSidSubAuthority(sid, count - 1);
  }
  CloseHandle(token);
  return level;
}

// A program whose token this one may not read (run as administrator, or by
// the system) takes none of its input either.
bool win_runs_higher(HookWindow window) {
  DWORD process_id = 0;
  GetWindowThreadProcessId(to_window(window), &process_id);
  if (process_id == GetCurrentProcessId()) return false;
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process_id);
  if (process == nullptr) return true;
  const DWORD theirs = integrity_level(process);
  CloseHandle(process);
  const DWORD ours = integrity_level(GetCurrentProcess());
  return theirs == 0 || theirs > ours;
}

std::uint32_t win_last_input_tick() {
  LASTINPUTINFO info = {};
  info.cbSize = sizeof info;
  return GetLastInputInfo(&info) ? info.dwTime : 0;
}

// The mouse hook's thread: its handle and id, and the event it sets when
// ready, are the main thread's; the hook's handle is the mouse thread's own.
// The event lives as long as the process, so a thread that answers only
// after the wait gave up never sets a handle closed meanwhile.
HANDLE MouseThread;
DWORD MouseThreadId;
HANDLE MouseReady;
HHOOK MouseHook;
// How long starting waits for the thread's hook, and stopping for its end.
constexpr DWORD kMouseThreadWaitMs = 2000;

// Sets the hook and answers its events until WM_QUIT; it does nothing else,
// so the pointer never waits on Tolvar's busy main thread. MouseReady is
// set once the hook is set and the thread's queue exists (a quit posted
// before that would be lost).
DWORD WINAPI mouse_watch_thread(LPVOID) {
  MSG message;
  PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
  MouseHook = SetWindowsHookExA(WH_MOUSE_LL, LLMouseHookProc, static_cast<HINSTANCE>(ProcessData.ModuleInstance), 0);
  if (MouseHook == nullptr) return 1;
  SetEvent(MouseReady);
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  UnhookWindowsHookEx(MouseHook);
  return 0;
}

void win_stop_mouse_watch() {
  if (MouseThread == nullptr) return;
  PostThreadMessageA(MouseThreadId, WM_QUIT, 0, 0);
  WaitForSingleObject(MouseThread, kMouseThreadWaitMs);
  CloseHandle(MouseThread);
  MouseThread = nullptr;
  MouseThreadId = 0;
}

bool win_start_mouse_watch() {
  if (MouseThread != nullptr) return true;
  if (MouseReady == nullptr) MouseReady = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  if (MouseReady == nullptr) return false;
  ResetEvent(MouseReady);
  MouseThread = CreateThread(nullptr, 0, mouse_watch_thread, nullptr, 0, &MouseThreadId);
  if (MouseThread == nullptr) return false;
  const HANDLE waits[2] = {MouseReady, MouseThread};
  if (WaitForMultipleObjects(2, waits, FALSE, kMouseThreadWaitMs) == WAIT_OBJECT_0) return true;
  win_stop_mouse_watch();
  return false;
}

constexpr tvk::HookPlatform kWin32Platform = {
    win_call_next_hook, win_to_unicode,     win_post_message,     win_set_hook,
    win_unhook,         win_vk_key_scan,    win_map_virtual_key,  win_tick_count,
    win_send_input,     win_pump_message,   win_wait_for_message, win_key_down_now,
    win_key_toggled,    win_window_exists,  win_foreground_window, win_in_menu_mode,
    win_runs_higher,    win_last_input_tick, win_start_mouse_watch, win_stop_mouse_watch,
};

constexpr tvk::HookContext kContext = {&State, &ProcessData, &kWin32Platform};

LRESULT CALLBACK LLKBHookProc(int code, WPARAM message, LPARAM event) {
  return tvk::LLKBHookProc(kContext, code, message, event);
}

LRESULT CALLBACK JPHookProc(int code, WPARAM wparam, LPARAM record) {
  return tvk::JPHookProc(kContext, code, wparam, record);
}

LRESULT CALLBACK LLMouseHookProc(int code, WPARAM message, LPARAM event) {
  tvk::LLMouseHookProc(kContext, code, message);
  return CallNextHookEx(MouseHook, code, message, event);
}

}  // namespace

// The entry point itself (no C runtime start-up code runs before it).
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) ProcessData.ModuleInstance = instance;
  return TRUE;
}

int WINAPI InitKBHook(HWND main_window) { return tvk::InitKBHook(kContext, from_window(main_window)); }
int WINAPI IsKBHookTolvarON(void) { return tvk::IsKBHookTolvarON(kContext); }
int WINAPI IsSetKBHook(void) { return tvk::IsSetKBHook(kContext); }
void WINAPI KBHookTolvarOFF(void) { tvk::KBHookTolvarOFF(kContext); }
int WINAPI KBHookTolvarON(void) { return tvk::KBHookTolvarON(kContext); }
void WINAPI RemoveKBHook(void) { tvk::RemoveKBHook(kContext); }
int WINAPI SendKeysJPH(const char* keys) { return tvk::SendKeysJPH(kContext, keys); }
int WINAPI SendKeysKE(const char* keys) { return tvk::SendKeysKE(kContext, keys); }
static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wide characters are UTF-16 units");
int WINAPI SendTextUI(const wchar_t* text, int backspaces) {
  return tvk::SendTextUI(kContext, reinterpret_cast<const char16_t*>(text), backspaces);
}
int WINAPI SendHeldKey(int key) { return tvk::SendHeldKey(kContext, static_cast<std::uint32_t>(key)); }
int WINAPI SetKBHook(void) { return tvk::SetKBHook(kContext); }
int WINAPI SetKBToggleALTChar(int toggle_key) {
  return tvk::SetKBToggleALTChar(kContext, static_cast<std::uint32_t>(toggle_key));
}
int WINAPI TakeKBEntry(KBEntry* entry) { return tvk::TakeKBEntry(kContext, entry); }
int WINAPI CheckKBHook(void) { return tvk::CheckKBHook(kContext); }
int WINAPI SetKBWordKeys(int on) { return tvk::SetKBWordKeys(kContext, static_cast<std::uint32_t>(on)); }
