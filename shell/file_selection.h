// Choosing the language file in force: the panel's file list, the open-file
// dialog, path completion. Names are bounded to kNameSize; a name that would
// not fit is refused, never cut or written past.
#pragma once
#include <windows.h>

// Refills the file list from the current file's directory; the list, or null.
HWND CreateFileList();
// File list, language name and status display, refreshed.
void DisplayFiles();
// Loads the file chosen from the list (fromList non-zero, owner = the list)
// or through the open-file dialog (owner = the main window). Non-zero = loaded.
int LoadLanguageFile(HWND owner, int fromList);
// Loads `file_name` as one unit (language file, encoding table, description)
// and shows it everywhere: CurrentFileName (its found path, completed), the
// list, the panel, the Language menu, the output chosen anew, the open key
// chart. One that does not load is named in a box and nothing changes.
// Non-zero = in force.
int PutLanguageInForce(HWND owner, const char* file_name);
// CurrentFileName: the path the language in force was found at, completed.
void NameLanguageInForce();
// Makes `name` (kNameSize) absolute against the current directory, in place.
// 0 = the full path would not fit; `name` is then left as it was.
int CompletePath(char* name);
// The current directory with a trailing backslash, into `out` (kNameSize).
// 0 = it could not be read (out is then empty).
int GetCurDirSlash(char* out);
// "WHAT failed: GetLastError returned N" in an error box.
void ReportLastError(const char* what);
