// What the 64-bit tolvar.exe and its 32-bit companion tolvar32.exe say to
// each other. The companion keeps the 32-bit tvkhook.dll, which Windows maps
// into 32-bit programs, in step with the main program's own library: it only
// carries out the commands it is sent, one export each, and answers with the
// export's result. Free of <windows.h> so the main program's portable
// decisions and their native tests share it.
#pragma once
#include <cstdint>

// Posted by the companion to the main window once it can take commands;
// wParam: the companion's command window.
constexpr unsigned int kMsgCompanionReady = 0x8000 + 1;  // WM_APP + 1
// Sent by the main program to the companion's window; wParam: a
// CompanionCommand, lParam: its argument; the result is the export's.
constexpr unsigned int kMsgCompanionCommand = 0x8000 + 2;  // WM_APP + 2
// Posted by the main program to itself when the companion process has ended.
constexpr unsigned int kMsgCompanionEnded = 0x8000 + 3;  // WM_APP + 3

// The exports of the 32-bit library the companion calls, by name.
enum class CompanionCommand : std::uint32_t {
  InitKBHook = 1,  // argument: the main window
  SetKBHook,
  RemoveKBHook,
  KBHookTolvarON,
  KBHookTolvarOFF,
  SetKBToggleALTChar,    // argument: the toggle key
  MarkKBSend,            // argument: the main library's send state
  SetKBOtherSizeServed,  // argument: 1 = the main library serves the 64-bit programs
};

// The companion program's file, in a folder beside tolvar.exe.
constexpr char kCompanionFile[] = "x86\\tolvar32.exe";
