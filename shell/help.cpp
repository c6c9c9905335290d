#include "shell/help.h"

#include <shellapi.h>

#include "shell/file_names.h"
#include "shell/status_text.h"

int PathBesideProgram(const char* file_name, char* out) {
  char program[kNameSize];
  DWORD length = GetModuleFileNameA(nullptr, program, sizeof program);
  if (length == 0 || length >= sizeof program) return 0;
  return make_list_choice(program, file_name, out);
}

namespace {

int win_help_file(char* path) {
  return PathBesideProgram(kWinHelpFile, path) &&
         GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

void ShowHelpContents(HWND window) {
  char path[kNameSize];
  if (win_help_file(path)) {
    WinHelpA(window, path, HELP_CONTENTS, 0);
    return;
  }
  if (PathBesideProgram(kHelpPage, path)) {
    ShellExecuteA(window, "open", path, nullptr, nullptr, SW_SHOWNORMAL);
  }
}

void CloseHelp(HWND window) {
  char path[kNameSize];
  if (win_help_file(path)) WinHelpA(window, path, HELP_QUIT, 0);
}
