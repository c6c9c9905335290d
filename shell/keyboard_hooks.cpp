#include "shell/keyboard_hooks.h"

#include "hook/tvkhook.h"
#include "shell/shell_state.h"
#include "shell/status_display.h"
#include "shell/tray_icon.h"

void StartHookWatchdog() { SetTimer(MainWindow, kHookWatchdogTimer, kHookWatchdogMs, nullptr); }

void OnHookWatchdogTimer() {
  if (CheckKBHook()) UpdateStatus(0);
}

void NoticeElevatedProgram() {
  ShowTrayBalloon("Tolvar", "Tolvar cannot type into programs run as administrator.");
}
