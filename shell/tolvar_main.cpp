// Entry point of tolvar.exe: one copy only, the window with its panel, the
// hook library, the default language, then messages until the window closes.
#include <windows.h>

#include "shell/file_selection.h"
#include "shell/keyboard_hooks.h"
#include "shell/shell_state.h"
#include "shell/startup.h"
#include "shell/status_display.h"
#include "shell/suggest_mode.h"
#include "shell/suggest_words.h"
#include "shell/tray_icon.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR, int show) {
  HWND other = nullptr;
  if (AnotherCopyRuns(previous, &other)) {
    ShowBox(nullptr, "Program already running, cannot bring up two copies.", "ERROR",
            MB_ICONEXCLAMATION);
    if (other) BringWindowToTop(other);
    return 0;
  }
  if (!LoadStatusIcons(instance)) {
    ShowBox(nullptr, "Program Error: could not load icons.", "ERROR", MB_ICONHAND);
    return 0;
  }
  if (!RegisterTolvarClass(instance)) {
    ShowBox(nullptr, "Windows Error: RegisterClass failed.", "ERROR", MB_ICONHAND);
    return 0;
  }
  CreateMainWindows();
  ShowSplash();
  ShowWithoutActivating();
  int registered = RegisterWithHookLibrary();
  if (registered) StartHookWatchdog();
  UpdateStatus(0);
  AddTrayIcon();
  LoadSettings();
  MarkSendMethod(UseJournalPBH, 0);
  ChooseSuggestMode(SuggestMode);

  ShowWindow(MainWindow, show);
  UpdateWindow(MainWindow);
  // A child window: a minimised show command would leave it iconic inside
  // the restored window.
  ShowWindow(Panel, SW_SHOWNA);
  UpdateWindow(Panel);
  if (Splash) {
    ShowWindow(Splash, show);
    UpdateWindow(Splash);
  }
  LoadDefaultLanguage();
  ChooseOutput(UnicodeOutput);
  DisplayFiles();

  int exit_code = RunMessageLoop();
  ShutDown(registered);
  return exit_code;
}
