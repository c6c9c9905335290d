// tolvar32.exe: started by the 64-bit tolvar.exe, it loads the 32-bit
// tvkhook.dll beside it, so that Windows maps that library into 32-bit
// programs, and keeps that library in step with the main program's own by
// carrying out the main program's commands. It shows no window and ends when
// the main program ends, also when the main program is killed.
#include <windows.h>

#include <cstdlib>

#include "companion/companion_protocol.h"
#include "hook/tvkhook.h"

namespace {

constexpr char kCommandWindowClass[] = "TolvarCompanion";

LRESULT run_command(WPARAM command, LPARAM argument) {
  const int value = static_cast<int>(argument);
  switch (static_cast<CompanionCommand>(command)) {
    case CompanionCommand::InitKBHook:
      return InitKBHook(reinterpret_cast<HWND>(argument));
    case CompanionCommand::SetKBHook:
      return SetKBHook();
    case CompanionCommand::RemoveKBHook:
      RemoveKBHook();
      return 1;
    case CompanionCommand::KBHookTolvarON:
      return KBHookTolvarON();
    case CompanionCommand::KBHookTolvarOFF:
      KBHookTolvarOFF();
      return 1;
    case CompanionCommand::SetKBToggleALTChar:
      return SetKBToggleALTChar(value);
    case CompanionCommand::MarkKBSend:
      return MarkKBSend(value);
    case CompanionCommand::SetKBOtherSizeServed:
      return SetKBOtherSizeServed(value);
  }
  return 0;
}

LRESULT CALLBACK CompanionWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kMsgCompanionCommand) return run_command(wParam, lParam);
  return DefWindowProcA(window, message, wParam, lParam);
}

// "HANDLE WINDOW": the main program's process handle, inherited, and its
// main window, both in decimal.
int read_arguments(const char* command_line, HANDLE* main_process, HWND* main_window) {
  char* end = nullptr;
  const unsigned long process = std::strtoul(command_line, &end, 10);
  if (end == command_line) return 0;
  const char* rest = end;
  const unsigned long window = std::strtoul(rest, &end, 10);
  if (end == rest || process == 0 || window == 0) return 0;
  *main_process = reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(process));
  *main_window = reinterpret_cast<HWND>(static_cast<UINT_PTR>(window));
  return 1;
}

// Dispatches the main program's commands until it ends (or a WM_QUIT).
void serve(HANDLE main_process) {
  for (;;) {
    const DWORD woken = MsgWaitForMultipleObjects(1, &main_process, FALSE, INFINITE, QS_ALLINPUT);
    if (woken != WAIT_OBJECT_0 + 1) return;  // the main program ended, or the handle is gone
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) return;
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR command_line, int) {
  HANDLE main_process = nullptr;
  HWND main_window = nullptr;
  if (!read_arguments(command_line, &main_process, &main_window) ||
      WaitForSingleObject(main_process, 0) != WAIT_TIMEOUT) {
    MessageBoxA(nullptr, "tolvar32.exe serves 32-bit programs for tolvar.exe, which starts it.",
                "ERROR", MB_ICONEXCLAMATION | MB_TASKMODAL);
    return 1;
  }

  WNDCLASSA window_class = {};
  window_class.lpfnWndProc = CompanionWndProc;
  window_class.hInstance = instance;
  window_class.lpszClassName = kCommandWindowClass;
  if (!RegisterClassA(&window_class)) return 1;
  // Never shown: it only takes the main program's commands.
  HWND command_window = CreateWindowExA(0, kCommandWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr,
                                        nullptr, instance, nullptr);
  if (!command_window) return 1;
  PostMessageA(main_window, kMsgCompanionReady, reinterpret_cast<WPARAM>(command_window), 0);

  serve(main_process);
  RemoveKBHook();
  return 0;
}
