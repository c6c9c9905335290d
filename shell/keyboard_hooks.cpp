#include "shell/keyboard_hooks.h"

#include <cstdio>
#include <cstring>

#include "hook/tvkhook.h"
#include "shell/companion_rules.h"
#include "shell/shell_state.h"

namespace {

MirroredHookState Mirror = {};

// The companion's command window once it is in step; null before, and
// whenever no companion serves.
HWND Companion = nullptr;
HANDLE CompanionProcess = nullptr;
DWORD CompanionProcessId = 0;
HANDLE CompanionWait = nullptr;
CompanionLife Life = {};
// A companion of this run has registered this main program.
int CompanionServedBefore = 0;

constexpr UINT kCommandTimeoutMs = 2000;

LRESULT command(CompanionCommand which, std::uint32_t argument = 0) {
  if (!Companion) return 0;
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(Companion, kMsgCompanionCommand, static_cast<WPARAM>(which),
                           static_cast<LPARAM>(argument), SMTO_ABORTIFHUNG, kCommandTimeoutMs,
                           &result)) {
    return 0;
  }
  return static_cast<LRESULT>(result);
}

// Under Wine a program stops at the first keyboard hook of the chain whose
// library it cannot load (Windows instead calls such a hook out of
// context), and trying to load it costs so much time on every key passed on
// that glyphs typed back fall behind. So under Wine, whenever the foreground
// program's word size changes, the companion's hook is set again (which puts
// it first) in front of a 32-bit program and removed in front of a 64-bit
// one; the main library's hook stays as the main program set it.
int RunningUnderWine = 0;
constexpr UINT kForegroundLookMs = 50;
HWND ServedForeground = nullptr;
int ServedWordSize = 0;

int foreground_word_size(HWND foreground) {
  DWORD process_id = 0;
  GetWindowThreadProcessId(foreground, &process_id);
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process_id);
  if (!process) return 64;
  BOOL wow64 = FALSE;
  if (!IsWow64Process(process, &wow64)) wow64 = FALSE;
  CloseHandle(process);
  return wow64 ? 32 : 64;
}

// `hook_just_set`: the companion's hook was set now, whatever the foreground.
void serve_foreground(int hook_just_set = 1) {
  if (!RunningUnderWine || !Companion || !IsSetKBHook()) return;
  const HWND foreground = GetForegroundWindow();
  if (!hook_just_set && foreground == ServedForeground) return;
  ServedForeground = foreground;
  const int size = foreground_word_size(foreground);
  if (!hook_just_set && size == ServedWordSize) return;
  ServedWordSize = size;
  command(CompanionCommand::RemoveKBHook);
  if (size == 32) command(CompanionCommand::SetKBHook);
}

void CALLBACK look_at_foreground(HWND, UINT, UINT_PTR, DWORD) { serve_foreground(0); }

}  // namespace

int HooksSetKBHook() {
  const int set = SetKBHook();
  command(CompanionCommand::SetKBHook);
  serve_foreground();
  return set;
}

void HooksRemoveKBHook() {
  RemoveKBHook();
  command(CompanionCommand::RemoveKBHook);
}

int HooksTolvarON() {
  const int on = KBHookTolvarON();
  Mirror.kb_on = static_cast<std::uint32_t>(on);
  command(CompanionCommand::KBHookTolvarON);
  serve_foreground();
  return on;
}

void HooksTolvarOFF() {
  KBHookTolvarOFF();
  Mirror.kb_on = 0;
  command(CompanionCommand::KBHookTolvarOFF);
}

int HooksSetToggleKey(int key) {
  const int previous = SetKBToggleALTChar(key);
  Mirror.toggle_key = static_cast<std::uint32_t>(key) & 0xFFFF;
  command(CompanionCommand::SetKBToggleALTChar, Mirror.toggle_key);
  return previous;
}

namespace {

// A mark goes out without waiting for the companion, on every key typed
// back, yet in order with the commands sent before and after it (sent
// messages are taken first in, first out).
void mark_send(std::uint32_t send_state) {
  Mirror.send_state = send_state;
  if (Companion) {
    SendNotifyMessageA(Companion, kMsgCompanionCommand,
                       static_cast<WPARAM>(CompanionCommand::MarkKBSend),
                       static_cast<LPARAM>(send_state));
  }
}

int send_marked(int (*send)(const char*), const char* keys, std::uint32_t send_state) {
  mark_send(send_state);
  const int status = send(keys);
  mark_send(kSendIdle);
  return status;
}

int send_jph(const char* keys) { return SendKeysJPH(keys); }
int send_ke(const char* keys) { return SendKeysKE(keys); }
int send_ui(const char* keys) { return SendKeysUI(keys); }

}  // namespace

int HooksSendKeysJPH(const char* keys) { return send_marked(send_jph, keys, kSendByPlayback); }
int HooksSendKeysKE(const char* keys) { return send_marked(send_ke, keys, kSendByKeyEvents); }
int HooksSendKeysUI(const char* keys) { return send_marked(send_ui, keys, kSendByUnicodeInput); }

int HooksSendTextUI(const char16_t* text, int backspaces) {
  static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows text is UTF-16");
  mark_send(kSendByUnicodeInput);
  const int status = SendTextUI(reinterpret_cast<const wchar_t*>(text), backspaces);
  mark_send(kSendIdle);
  return status;
}

int HooksSendHeldKey(unsigned int key) {
  mark_send(kSendByKeyEvents);
  const int status = SendHeldKey(static_cast<int>(key));
  mark_send(kSendIdle);
  return status;
}

namespace {

constexpr char kCompanionNotServing[] =
    "Tolvar could not keep its 32-bit helper x86\\tolvar32.exe running: keys typed in 32-bit "
    "programs are "
    "not translated.";
constexpr char kCompanionLibraryTaken[] =
    "The 32-bit keyboard hook library is in use by another Tolvar: keys typed in 32-bit programs "
    "are not "
    "translated.";

// Called on a pool thread when the companion process ends: tell the main
// window, which handles it in turn with everything else.
void CALLBACK on_companion_end(void* process_id, BOOLEAN) {
  PostMessageA(MainWindow, kMsgCompanionEnded, reinterpret_cast<WPARAM>(process_id), 0);
}

// The companion's path: the folder of tolvar.exe and kCompanionFile.
int companion_path(char* path, DWORD size) {
  const DWORD length = GetModuleFileNameA(nullptr, path, size);
  if (length == 0 || length >= size) return 0;
  char* folder_end = std::strrchr(path, '\\');
  if (!folder_end) return 0;
  folder_end[1] = '\0';
  if (std::strlen(path) + sizeof kCompanionFile > size) return 0;
  std::strcat(path, kCompanionFile);
  return 1;
}

void forget_companion() {
  Companion = nullptr;
  if (CompanionWait) UnregisterWait(CompanionWait);
  CompanionWait = nullptr;
  if (CompanionProcess) CloseHandle(CompanionProcess);
  CompanionProcess = nullptr;
  CompanionProcessId = 0;
  // Until a companion serves them again, the main library translates what
  // Windows hands it for 32-bit programs.
  SetKBOtherSizeServed(0);
}

void give_up_companion(const char* why) {
  if (CompanionProcess) TerminateProcess(CompanionProcess, 1);
  forget_companion();
  ShowBox(MainWindow, why, "ERROR", MB_ICONEXCLAMATION);
}

// Starts x86\tolvar32.exe with this process's handle, which it inherits and
// waits on to end with this program, and the main window to report to.
// 0 when there is no companion to start or it did not start.
int launch_companion(int report_missing) {
  char path[MAX_PATH + 1];
  if (!companion_path(path, sizeof path)) return 0;
  if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) {
    if (report_missing) give_up_companion(kCompanionNotServing);
    return 0;
  }
  HANDLE self = nullptr;
  if (!DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), &self,
                       SYNCHRONIZE, TRUE, 0)) {
    give_up_companion(kCompanionNotServing);
    return 0;
  }
  char command_line[MAX_PATH + 64];
  std::snprintf(command_line, sizeof command_line, "\"%s\" %lu %lu", path,
                static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(self)),
                static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(MainWindow)));
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started = {};
  const BOOL created = CreateProcessA(path, command_line, nullptr, nullptr, TRUE, 0, nullptr,
                                      nullptr, &startup, &started);
  CloseHandle(self);
  if (!created) {
    give_up_companion(kCompanionNotServing);
    return 0;
  }
  CloseHandle(started.hThread);
  CompanionProcess = started.hProcess;
  CompanionProcessId = started.dwProcessId;
  Life.started_at = GetTickCount();
  if (!RegisterWaitForSingleObject(
          &CompanionWait, CompanionProcess, on_companion_end,
          reinterpret_cast<void*>(static_cast<UINT_PTR>(CompanionProcessId)), INFINITE,
          WT_EXECUTEONLYONCE)) {
    CompanionWait = nullptr;
  }
  return 1;
}

}  // namespace

void StartCompanion() {
  // The 32-bit program's own library serves the 32-bit programs.
  if (sizeof(void*) == 4 || !launch_companion(0)) return;
  const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  RunningUnderWine = ntdll && GetProcAddress(ntdll, "wine_get_version");
  if (RunningUnderWine) SetTimer(nullptr, 0, kForegroundLookMs, look_at_foreground);
}

void CompanionReady(HWND command_window) {
  DWORD process_id = 0;
  GetWindowThreadProcessId(command_window, &process_id);
  // Only the companion this program started is taken into step.
  if (!CompanionProcess || process_id != CompanionProcessId || Companion) return;
  Companion = command_window;
  const int registered =
      static_cast<int>(command(CompanionCommand::InitKBHook,
                               static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(MainWindow))));
  if (!companion_registration_usable(registered, CompanionServedBefore)) {
    give_up_companion(kCompanionLibraryTaken);
    return;
  }
  CompanionServedBefore = 1;
  CompanionStep steps[kCompanionSyncStepsMax];
  const int count = companion_sync_steps(Mirror, IsSetKBHook(), steps);
  for (int i = 0; i < count; ++i) command(steps[i].command, steps[i].argument);
  SetKBOtherSizeServed(1);
  serve_foreground();
}

void CompanionEnded(DWORD process_id) {
  // A wait that fired as a given-up companion was ended names that one.
  if (!CompanionProcess || process_id != CompanionProcessId) return;
  forget_companion();
  if (!companion_restart_after_end(&Life, GetTickCount())) {
    ShowBox(MainWindow, kCompanionNotServing, "ERROR", MB_ICONEXCLAMATION);
    return;
  }
  launch_companion(1);
}
