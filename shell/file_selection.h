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
// The encoding table beside the language file just loaded; one that does not
// read is shown in a box and none is in force (the language types font codes).
// Then the output is chosen anew for this language.
void LoadEncodingTable(HWND owner, const char* language_file);
// Makes `name` (kNameSize) absolute against the current directory, in place.
// 0 = the full path would not fit; `name` is then left as it was.
int CompletePath(char* name);
// The current directory with a trailing backslash, into `out` (kNameSize).
// 0 = it could not be read (out is then empty).
int GetCurDirSlash(char* out);
// "WHAT failed: GetLastError returned N" in an error box.
void ReportLastError(const char* what);
