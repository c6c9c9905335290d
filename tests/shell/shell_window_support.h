// In-process harness for the shell's Win32 tests: the real main window,
// panel and menus of tolvar.exe, made by the shell's own start-up steps,
// registered with the real tvkhook.dll; and a watcher that answers the
// message boxes and dialogs the shell shows, as a user would.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Creates the shell's windows once per process and registers them with the
// hook library; afterwards puts the keyboard OFF, the toggle key cleared, no
// hook set, no language file in force and the send method 1.
void ResetShellWindows();

// Folder of the test language files (tests/shell/data, copied beside the
// test program), with a trailing backslash.
std::string TestDataFolder();
// Loads a test language file into the live tables as start-up does and
// makes it the current file.
void LoadTestLanguage(const char* file_name);

struct ShownBox {
  std::string caption;
  std::string text;  // the static control 0xFFFF of a message box
};

// Runs `action` while a second thread waits for top-level dialog windows of
// this process (message boxes, the about box, the open-file dialog; never the
// splash), records each and hands it to `respond` (default: press OK).
std::vector<ShownBox> AnswerBoxes(const std::function<void()>& action,
                                  const std::function<void(HWND)>& respond = nullptr);

// Text of a menu item (by command), or "<none>".
std::string MenuText(HMENU menu, UINT command);
// MF_CHECKED when the item carries the check mark.
bool MenuChecked(HMENU menu, UINT command);
std::string WindowTitle(HWND window);
// Dispatches this thread's waiting messages for `milliseconds`.
void PumpMessages(DWORD milliseconds);
