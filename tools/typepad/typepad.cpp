// typepad: a test target for typed input. One window (class "TypePad") that
// shows what it is typed in a chosen font, composes ALT + keypad digits into
// characters as Windows does, and records every key message it receives with
// its arrival time. It writes the text and the log (see typepad_options.h)
// on F12, on the message WM_APP+1, and when it is closed; WM_APP+2 forgets
// both. With --unicode the window is a Unicode one, as a Unicode program's
// is: it receives UTF-16 characters and keeps its text as UTF-8. While it
// has the focus it shows a caret after its text, as edit controls do.
#include <windows.h>
#include <tlhelp32.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "tools/typepad/alt_numpad_composer.h"
#include "tools/typepad/key_event_log.h"
#include "tools/typepad/typed_text.h"
#include "tools/typepad/typepad_options.h"

namespace {

constexpr UINT typepad_dump_message = WM_APP + 1;
constexpr UINT typepad_clear_message = WM_APP + 2;

typepad::TypepadOptions Options;
typepad::TypedText Text;
typepad::KeyEventLog Log;
typepad::AltNumpadComposer Composer;
HFONT Font;
LARGE_INTEGER CounterFrequency;
// After a composition, Windows itself may still send the character as
// WM_CHAR (Wine does not); that one copy is not added again.
int ComposedCharDue = -1;
// Room for the text as UTF-16, to draw it in a Unicode window.
wchar_t WideText[typepad::typed_text_capacity];

std::uint64_t counter_microseconds() {
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  const std::uint64_t ticks = static_cast<std::uint64_t>(counter.QuadPart);
  const std::uint64_t frequency = static_cast<std::uint64_t>(CounterFrequency.QuadPart);
  return ticks / frequency * 1000000 + ticks % frequency * 1000000 / frequency;
}

void log_event(std::uint32_t message, WPARAM wparam, LPARAM lparam) {
  typepad::KeyEvent event;
  event.tick_ms = GetTickCount();
  event.counter_us = counter_microseconds();
  event.message = message;
  event.wparam = static_cast<std::uint32_t>(wparam);
  event.lparam = static_cast<std::uint32_t>(lparam);
  typepad::key_event_log_add(Log, event);
}

// Written beside the target and renamed over it, so a reader waiting for the
// file never sees half of it.
template <typename Writer>
void write_file_whole(const char *path, Writer write) {
  if (!path[0]) return;
  char temporary[typepad::option_path_size + 8];
  std::snprintf(temporary, sizeof temporary, "%s.tmp", path);
  std::FILE *file = std::fopen(temporary, "wb");
  if (!file) return;
  const bool written = write(file);
  if (std::fclose(file) == 0 && written)
    MoveFileExA(temporary, path, MOVEFILE_REPLACE_EXISTING);
  else
    DeleteFileA(temporary);
}

// Every module mapped into typepad, so a test can show that no hook library
// of Tolvar's is.
bool write_modules(std::FILE *file) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return false;
  MODULEENTRY32 module = {};
  module.dwSize = sizeof module;
  bool written = true;
  for (BOOL more = Module32First(snapshot, &module); more; more = Module32Next(snapshot, &module))
    written = written && std::fprintf(file, "%s\n", module.szModule) > 0;
  CloseHandle(snapshot);
  return written;
}

void dump_text_and_log() {
  write_file_whole(Options.modules_path, write_modules);
  // The log first: a reader that waits for the text file finds both.
  write_file_whole(Options.log_path,
                   [](std::FILE *file) { return typepad::key_event_log_write(Log, file) != 0; });
  write_file_whole(Options.text_path, [](std::FILE *file) {
    return std::fwrite(Text.bytes.data(), 1, Text.length, file) == Text.length;
  });
}

void key_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  log_event(message, wparam, lparam);
  ComposedCharDue = -1;
  const bool release = message == WM_KEYUP || message == WM_SYSKEYUP;
  const bool extended = (lparam >> 24) & 1;
  const bool repeat = !release && ((lparam >> 30) & 1);
  const typepad::ComposedChar composed =
      typepad::alt_numpad_key(Composer, static_cast<unsigned>(wparam), extended, release, repeat);
  if (composed.kind != typepad::ComposedKind::None) {
    char character = static_cast<char>(composed.byte);
    if (composed.kind == typepad::ComposedKind::Oem) OemToCharBuffA(&character, &character, 1);
    const std::uint8_t byte = static_cast<std::uint8_t>(character);
    log_event(typepad::composed_char_event, byte, 0);
    if (Options.unicode) {
      // What a Unicode window gets: the code page's character as UTF-16.
      wchar_t unit = 0;
      MultiByteToWideChar(CP_ACP, 0, &character, 1, &unit, 1);
      typepad::typed_text_unit(Text, static_cast<char16_t>(unit));
      ComposedCharDue = unit;
    } else {
      typepad::typed_text_char(Text, byte);
      ComposedCharDue = byte;
    }
    InvalidateRect(window, nullptr, TRUE);
  }
  if (release) return;
  if (wparam == VK_F12)
    dump_text_and_log();
  else if (wparam == VK_F4 && message == WM_SYSKEYDOWN)
    PostMessageA(window, WM_CLOSE, 0, 0);
}

void char_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  log_event(message, wparam, lparam);
  if (message != WM_CHAR) return;
  const int character = static_cast<int>(wparam & (Options.unicode ? 0xFFFF : 0xFF));
  if (character == ComposedCharDue) {
    ComposedCharDue = -1;
    return;
  }
  if (Options.unicode)
    typepad::typed_text_unit(Text, static_cast<char16_t>(character));
  else
    typepad::typed_text_char(Text, static_cast<std::uint8_t>(character));
  InvalidateRect(window, nullptr, TRUE);
}

void paint(HWND window) {
  PAINTSTRUCT paint_info;
  HDC dc = BeginPaint(window, &paint_info);
  RECT area;
  GetClientRect(window, &area);
  InflateRect(&area, -8, -8);
  HGDIOBJ previous = SelectObject(dc, Font);
  const UINT format = DT_LEFT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS;
  SIZE extent = {0, 0};
  if (Options.unicode) {
    const int units = MultiByteToWideChar(CP_UTF8, 0, Text.bytes.data(), static_cast<int>(Text.length),
                                          WideText, static_cast<int>(typepad::typed_text_capacity));
    DrawTextW(dc, WideText, units, &area, format);
    GetTextExtentPoint32W(dc, WideText, units, &extent);
  } else {
    DrawTextA(dc, Text.bytes.data(), static_cast<int>(Text.length), &area, format);
    GetTextExtentPoint32A(dc, Text.bytes.data(), static_cast<int>(Text.length), &extent);
  }
  // The caret after the text, where programs that ask for it (a candidate
  // window) find it; the tests type one line.
  SetCaretPos(area.left + extent.cx, area.top);
  SelectObject(dc, previous);
  EndPaint(window, &paint_info);
}

LRESULT CALLBACK TypePadWndProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
      if (Options.slow_ms > 0) Sleep(static_cast<DWORD>(Options.slow_ms));
      // Not passed on: a lone ALT would open the system menu and eat keys.
      key_message(window, message, wparam, lparam);
      return 0;
    case WM_CHAR:
    case WM_DEADCHAR:
    case WM_SYSCHAR:
    case WM_SYSDEADCHAR:
      char_message(window, message, wparam, lparam);
      return 0;
    case typepad_dump_message:
      dump_text_and_log();
      return 1;
    case typepad_clear_message:
      typepad::typed_text_clear(Text);
      typepad::key_event_log_clear(Log);
      typepad::alt_numpad_reset(Composer);
      ComposedCharDue = -1;
      InvalidateRect(window, nullptr, TRUE);
      return 1;
    case WM_PAINT:
      paint(window);
      return 0;
    case WM_SETFOCUS: {
      TEXTMETRICA metrics = {};
      HDC dc = GetDC(window);
      HGDIOBJ previous = SelectObject(dc, Font);
      GetTextMetricsA(dc, &metrics);
      SelectObject(dc, previous);
      ReleaseDC(window, dc);
      CreateCaret(window, nullptr, 2, metrics.tmHeight);
      ShowCaret(window);
      InvalidateRect(window, nullptr, TRUE);
      return 0;
    }
    case WM_KILLFOCUS:
      DestroyCaret();
      return 0;
    case WM_CLOSE:
      dump_text_and_log();
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return Options.unicode ? DefWindowProcW(window, message, wparam, lparam)
                         : DefWindowProcA(window, message, wparam, lparam);
}

// The window as an ANSI program makes it, or with --unicode as a Unicode one.
HWND create_window(HINSTANCE instance) {
  const DWORD style = WS_OVERLAPPEDWINDOW;
  HCURSOR arrow = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  HBRUSH white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  if (Options.unicode) {
    WNDCLASSW window_class = {};
    window_class.lpfnWndProc = TypePadWndProc;
    window_class.hInstance = instance;
    window_class.hCursor = arrow;
    window_class.hbrBackground = white;
    window_class.lpszClassName = L"TypePad";
    if (!RegisterClassW(&window_class)) return nullptr;
    wchar_t title[typepad::option_title_size];
    if (!MultiByteToWideChar(CP_ACP, 0, Options.title, -1, title, typepad::option_title_size)) title[0] = 0;
    return CreateWindowExW(0, L"TypePad", title, style, 40, 40, 720, 300, nullptr, nullptr, instance,
                           nullptr);
  }
  WNDCLASSA window_class = {};
  window_class.lpfnWndProc = TypePadWndProc;
  window_class.hInstance = instance;
  window_class.hCursor = arrow;
  window_class.hbrBackground = white;
  window_class.lpszClassName = "TypePad";
  if (!RegisterClassA(&window_class)) return nullptr;
  return CreateWindowExA(0, "TypePad", Options.title, style, 40, 40, 720, 300, nullptr, nullptr,
                         instance, nullptr);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  char error[512];
  if (!typepad::typepad_parse_options(__argc, __argv, Options, error, sizeof error)) {
    std::fprintf(stderr, "typepad: %s", error);
    return 2;
  }
  if (Options.font_file[0] && !AddFontResourceExA(Options.font_file, FR_PRIVATE, nullptr)) {
    std::fprintf(stderr, "typepad: cannot load font file %s\n", Options.font_file);
    return 2;
  }
  QueryPerformanceFrequency(&CounterFrequency);
  Font = CreateFontA(-Options.font_size, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                     Options.font_name);

  HWND window = create_window(instance);
  if (!window) return 1;
  ShowWindow(window, SW_SHOW);
  SetForegroundWindow(window);
  SetFocus(window);

  // A Unicode window's messages are fetched and dispatched as Unicode, so
  // WM_CHAR keeps every UTF-16 unit.
  MSG message;
  while ((Options.unicode ? GetMessageW(&message, nullptr, 0, 0) : GetMessageA(&message, nullptr, 0, 0)) > 0) {
    TranslateMessage(&message);
    if (Options.unicode)
      DispatchMessageW(&message);
    else
      DispatchMessageA(&message);
  }
  if (Font) DeleteObject(Font);
  if (Options.font_file[0]) RemoveFontResourceExA(Options.font_file, FR_PRIVATE, nullptr);
  return 0;
}
