#include "shell/shell_state.h"

HINSTANCE Instance = nullptr;
HWND MainWindow = nullptr;
HWND Panel = nullptr;
HWND Splash = nullptr;
HMENU SystemMenu = nullptr;
HICON OffIcon = nullptr;
HICON OnIcon = nullptr;
HICON StatusIcon = nullptr;
HCURSOR WaitCursor = nullptr;
char CurrentFileName[kNameSize] = "";

int ShowBox(HWND owner, const char* text, const char* caption, UINT icon) {
  return MessageBoxA(owner, text, caption, MB_TASKMODAL | icon);
}
