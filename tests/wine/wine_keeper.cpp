// Keeps a Wine session warm for the test run: one hidden window that lives
// until it is closed or its session is killed. While it lives, Wine's system
// processes (services, desktop) stay up, so each test program starts in a
// fraction of a second and leaves nothing behind holding the test's output.
// Usage: wine_keeper.exe READY_FILE; the file is created once the window
// exists, so the session's starter knows when the session is warm.
#include <windows.h>

static LRESULT CALLBACK KeeperWndProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR command_line, int) {
  WNDCLASSA window_class = {};
  window_class.lpfnWndProc = KeeperWndProc;
  window_class.hInstance = instance;
  window_class.lpszClassName = "TolvarWineKeeper";
  if (!RegisterClassA(&window_class)) return 1;
  // Never shown: a mapped window would cost an X round trip and could take focus.
  HWND window = CreateWindowExA(0, "TolvarWineKeeper", "Tolvar Wine keeper", WS_OVERLAPPED, 0, 0, 1,
                                1, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  HANDLE ready = CreateFileA(command_line, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
  if (ready == INVALID_HANDLE_VALUE) return 1;
  CloseHandle(ready);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  return 0;
}
