#include "shell/file_selection.h"

#include <commdlg.h>

#include <cstdio>
#include <cstring>

#include "core/error_text.h"
#include "core/language_tables.h"
#include "langunit/language_unit.h"
#include "shell/hook_messages.h"
#include "shell/key_chart_window.h"
#include "shell/language_menu.h"
#include "shell/file_names.h"
#include "shell/path_rules.h"
#include "shell/resource_ids.h"
#include "shell/settings.h"
#include "shell/shell_state.h"
#include "shell/status_display.h"

HWND CreateFileList() {
  HWND list = GetDlgItem(Panel, IDC_FILE_LIST);
  if (!list) {
    ReportLastError("Program Error, CreateFileList:");
    return nullptr;
  }
  char pattern[kNameSize];
  const char* entry_name = CurrentFileName;
  int pattern_fits = make_list_pattern(CurrentFileName, pattern, &entry_name);
  SendMessageA(list, CB_RESETCONTENT, 0, 0);
  // Lists plain files only; a pattern naming a directory makes it current.
  if (pattern_fits) {
    DlgDirListComboBoxA(Panel, pattern, IDC_FILE_LIST, 0, DDL_READONLY | DDL_SYSTEM | DDL_ARCHIVE);
  }
  if (std::strcmp(CurrentFileName, kNotLoaded) == 0) {
    SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kNotLoaded));
  }
  SendMessageA(list, CB_SELECTSTRING, static_cast<WPARAM>(-1),
               reinterpret_cast<LPARAM>(entry_name));
  return list;
}

void DisplayFiles() {
  if (!CreateFileList()) {
    ReportLastError("Program Error, DisplayFiles:");
    return;
  }
  char text[kNameSize];
  std::snprintf(text, sizeof text, "%s", language_display_name());
  SetDlgItemTextA(Panel, IDC_LANGUAGE_NAME, text);
  text[0] = '\0';
  if (CurrentLanguage.description.font[0] != '\0') {
    std::snprintf(text, sizeof text, "Font: %s", CurrentLanguage.description.font);
  }
  SetDlgItemTextA(Panel, IDC_LANGUAGE_FONT, text);
  UpdateStatus(0);
}

namespace {

// The selected entry of the list, after the current file's directory.
int choose_from_list(HWND list, char* chosen) {
  LRESULT index = SendMessageA(list, CB_GETCURSEL, 0, 0);
  if (index == CB_ERR) return 0;
  // CB_GETLBTEXT takes no buffer size: measure first.
  LRESULT length = SendMessageA(list, CB_GETLBTEXTLEN, index, 0);
  if (length == CB_ERR || length <= 0 || length >= static_cast<LRESULT>(kNameSize)) return 0;
  char entry[kNameSize];
  if (SendMessageA(list, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(entry)) == CB_ERR) return 0;
  return make_list_choice(CurrentFileName, entry, chosen);
}

// The open-file dialog; 0 when the user cancelled or the dialog failed.
int choose_by_dialog(HWND owner, char* chosen) {
  char filter[sizeof kFileFilterText];
  prepare_file_filter(filter, sizeof filter, kFileFilterText);

  chosen[0] = '\0';
  if (FILE* current = std::fopen(CurrentFileName, "r")) {
    std::fclose(current);
    std::memcpy(chosen, CurrentFileName, kNameSize);
  }
  char title[kNameSize] = "";
  OPENFILENAMEA dialog = {};
  dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter;
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = chosen;
  dialog.nMaxFile = kNameSize;
  dialog.lpstrFileTitle = title;
  dialog.nMaxFileTitle = sizeof title;
  dialog.lpstrTitle = "Load Language File";
  dialog.Flags = OFN_READONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;

  SetCapture(Panel);
  HCURSOR previous = SetCursor(WaitCursor);
  BOOL picked = GetOpenFileNameA(&dialog);
  SetCursor(previous);
  ReleaseCapture();
  if (picked) return 1;

  DWORD code = CommDlgExtendedError();
  if (code != 0) {
    // What the failed dialog left in the buffer is no choice: load nothing.
    set_error_text("Program Error: GetOpenFileName, 0x%lx\n", static_cast<unsigned long>(code));
    ShowBox(owner, ErrorText, "ERROR", MB_ICONHAND);
  }
  return 0;
}

// After a failed load the list goes back to the entry of the file still in
// force, so the list names what is loaded.
void select_entry_in_force(HWND list) {
  const char* slash = std::strrchr(CurrentFileName, '\\');
  const char* entry = slash ? slash + 1 : CurrentFileName;
  SendMessageA(list, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(entry));
}

}  // namespace

int LoadLanguageFile(HWND owner, int fromList) {
  char chosen[kNameSize];
  if (fromList ? !choose_from_list(owner, chosen) : !choose_by_dialog(owner, chosen)) return 0;
  if (!PutLanguageInForce(owner, chosen)) {
    if (fromList) select_entry_in_force(owner);
    return 0;
  }
  return 1;
}

int PutLanguageInForce(HWND owner, const char* file_name) {
  if (!load_language_unit(file_name)) {
    ShowBox(owner, ErrorText, "ERROR", MB_ICONEXCLAMATION);
    return 0;
  }
  NameLanguageInForce();
  // Only a language Tolvar ships is kept as the choice for the next start.
  const int shipped = find_shipped_language(ShippedList, CurrentLanguage.description.name) >= 0;
  std::snprintf(ChosenLanguage, sizeof ChosenLanguage, "%s", shipped ? CurrentLanguage.description.name : "");
  DisplayFiles();
  MarkLanguageMenu();
  ChooseOutput(UnicodeOutput);
  RefreshKeyChart();
  return 1;
}

void NameLanguageInForce() {
  // The search found a file of the current directory as ".\NAME".
  const char* path = CurrentLanguage.path;
  if (path[0] == '.' && path[1] == '\\') path += 2;
  std::snprintf(CurrentFileName, kNameSize, "%s", path);
  CompletePath(CurrentFileName);
}

int GetCurDirSlash(char* out) {
  char directory[kNameSize];
  DWORD length = GetCurrentDirectoryA(sizeof directory, directory);
  if (length == 0 || length >= sizeof directory ||
      !add_directory_slash(directory, sizeof directory)) {
    out[0] = '\0';
    return 0;
  }
  std::memcpy(out, directory, std::strlen(directory) + 1);
  return 1;
}

int CompletePath(char* name) {
  char directory[kNameSize];
  if (!GetCurDirSlash(directory)) return 0;
  return complete_path_against(name, directory);
}

void ReportLastError(const char* what) {
  DWORD code = GetLastError();
  char text[80];
  std::snprintf(text, sizeof text, "%s failed: GetLastError returned %lu\n", what,
                static_cast<unsigned long>(code));
  ShowBox(nullptr, text, "ERROR", MB_ICONEXCLAMATION);
}
