// The main program's side of its low-level keyboard hook: the watchdog that
// sets the hook again when the system has removed it, and the notice that
// programs run as administrator are not typed into.
#pragma once
#include <windows.h>

// The main window's timer that looks at the hook about once a second.
constexpr UINT_PTR kHookWatchdogTimer = 2;
constexpr UINT kHookWatchdogMs = 1000;

void StartHookWatchdog();
// kHookWatchdogTimer: a hook the system removed is set again, and the state
// shown follows when it cannot be.
void OnHookWatchdogTimer();
// Once per run, in a balloon of the notification-area icon.
void NoticeElevatedProgram();
