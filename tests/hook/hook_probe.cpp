// hook_probe: a stand-in for the main program in the hook library's tests
// under Wine. It imports tvkhook.dll by name, as the main program does.
//
//   hook_probe main LOG     register a hidden window, enable ALT+F2, switch
//                           the keyboard ON and log every entry the hook
//                           queues ("char 0x61", "reset", "toggle", "key
//                           0x20", "elevated") until "stop"
//   hook_probe stop         close the window of a running "main"
//   hook_probe init         call InitKBHook from this process, print "init N"
//   hook_probe sendke HEX   SendKeysKE of the bytes, print "sendke N"
//   hook_probe sendjph HEX  SendKeysJPH of the bytes, print "sendjph N MS"
//   hook_probe sendtext B HEX
//                           SendTextUI of B Backspaces and the UTF-16 units
//                           (four hex digits each), print "sendtext N"
//   hook_probe typepad dump|clear|close
//                           make the running typepad write its text and key
//                           log, forget both, or close
#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "hook/tvkhook.h"

namespace {

constexpr char kClassName[] = "TvkHookProbe";
constexpr UINT_PTR kLifetimeTimer = 1;
constexpr UINT kLifetimeMs = 300000;  // a probe left behind ends by itself

FILE* Log = nullptr;

void log_line(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  std::vfprintf(Log, format, arguments);
  va_end(arguments);
  std::fputc('\n', Log);
  std::fflush(Log);
}

LRESULT CALLBACK ProbeWndProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case kMsgHookEntries: {
      KBEntry entry;
      while (TakeKBEntry(&entry)) {
        if (entry.kind == kEntryCharacter) log_line("char 0x%02x", entry.character);
        if (entry.kind == kEntryReset) log_line("reset");
        if (entry.kind == kEntryToggle) log_line("toggle");
        if (entry.kind == kEntryKey) log_line("key 0x%02x", entry.key & 0xFF);
        if (entry.kind == kEntryElevated) log_line("elevated");
      }
      return 0;
    }
    case WM_TIMER:
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

int run_main_window(const char* log_path) {
  Log = std::fopen(log_path, "wb");
  if (Log == nullptr) return 2;
  WNDCLASSA window_class{};
  window_class.lpfnWndProc = ProbeWndProc;
  window_class.hInstance = GetModuleHandleA(nullptr);
  window_class.lpszClassName = kClassName;
  if (RegisterClassA(&window_class) == 0) return 2;
  HWND window = CreateWindowA(kClassName, kClassName, WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                              window_class.hInstance, nullptr);
  if (window == nullptr) return 2;
  SetTimer(window, kLifetimeTimer, kLifetimeMs, nullptr);

  log_line("init %d", InitKBHook(window));
  log_line("toggle %d", SetKBToggleALTChar(VK_F2));
  log_line("on %d", KBHookTolvarON());
  log_line("ready");
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  RemoveKBHook();
  log_line("done");
  std::fclose(Log);
  return 0;
}

// "08e941" -> bytes; at most 255 of them.
bool parse_hex(const char* hex, char* bytes, std::size_t size) {
  const std::size_t length = std::strlen(hex);
  if (length % 2 != 0 || length / 2 >= size) return false;
  for (std::size_t i = 0; i < length / 2; ++i) {
    char pair[3] = {hex[2 * i], hex[2 * i + 1], '\0'};
    char* end = nullptr;
    const unsigned long value = std::strtoul(pair, &end, 16);
    if (*end != '\0' || value == 0) return false;
    bytes[i] = static_cast<char>(value);
  }
  bytes[length / 2] = '\0';
  return true;
}

// "0915094d" -> UTF-16 units; at most 255 of them.
bool parse_units(const char* hex, wchar_t* units, std::size_t size) {
  const std::size_t length = std::strlen(hex);
  if (length % 4 != 0 || length / 4 >= size) return false;
  for (std::size_t i = 0; i < length / 4; ++i) {
    char group[5] = {hex[4 * i], hex[4 * i + 1], hex[4 * i + 2], hex[4 * i + 3], '\0'};
    char* end = nullptr;
    const unsigned long value = std::strtoul(group, &end, 16);
    if (*end != '\0' || value == 0) return false;
    units[i] = static_cast<wchar_t>(value);
  }
  units[length / 4] = L'\0';
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "main") == 0) return run_main_window(argv[2]);
  if (argc == 2 && std::strcmp(argv[1], "stop") == 0) {
    HWND window = FindWindowA(kClassName, nullptr);
    if (window == nullptr) return 1;
    PostMessageA(window, WM_CLOSE, 0, 0);
    return 0;
  }
  if (argc == 2 && std::strcmp(argv[1], "init") == 0) {
    std::printf("init %d\n", InitKBHook(reinterpret_cast<HWND>(static_cast<UINT_PTR>(0x4242))));
    return 0;
  }
  if (argc == 3 && std::strcmp(argv[1], "typepad") == 0) {
    HWND typepad = FindWindowA("TypePad", nullptr);
    if (typepad == nullptr) return 1;
    if (std::strcmp(argv[2], "dump") == 0) return SendMessageA(typepad, WM_APP + 1, 0, 0) == 1 ? 0 : 1;
    if (std::strcmp(argv[2], "clear") == 0) return SendMessageA(typepad, WM_APP + 2, 0, 0) == 1 ? 0 : 1;
    if (std::strcmp(argv[2], "close") == 0) return PostMessageA(typepad, WM_CLOSE, 0, 0) ? 0 : 1;
  }
  char bytes[256];
  if (argc == 3 && std::strcmp(argv[1], "sendke") == 0 && parse_hex(argv[2], bytes, sizeof bytes)) {
    std::printf("sendke %d\n", SendKeysKE(bytes));
    return 0;
  }
  if (argc == 3 && std::strcmp(argv[1], "sendjph") == 0 && parse_hex(argv[2], bytes, sizeof bytes)) {
    const DWORD start = GetTickCount();
    const int status = SendKeysJPH(bytes);
    std::printf("sendjph %d %lu\n", status, static_cast<unsigned long>(GetTickCount() - start));
    return 0;
  }
  wchar_t units[256];
  if (argc == 4 && std::strcmp(argv[1], "sendtext") == 0 && parse_units(argv[3], units, 256)) {
    std::printf("sendtext %d\n", SendTextUI(units, std::atoi(argv[2])));
    return 0;
  }
  std::fprintf(stderr,
               "usage: hook_probe main LOG | stop | init | sendke HEX | sendjph HEX | sendtext B HEX | "
               "typepad dump|clear|close\n");
  return 2;
}
