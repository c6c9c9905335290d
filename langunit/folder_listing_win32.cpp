#include <windows.h>

#include <cstdio>
#include <cstring>

#include "langunit/folder_listing.h"

int list_subfolders(const char* folder, void (*each)(const char* name, void* context), void* context) {
  char pattern[MAX_PATH];
  const int length = std::snprintf(pattern, sizeof pattern, "%s\\*", folder);
  if (length < 0 || length >= static_cast<int>(sizeof pattern)) return 0;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(pattern, &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
    if (std::strcmp(found.cFileName, ".") == 0 || std::strcmp(found.cFileName, "..") == 0) continue;
    each(found.cFileName, context);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return 1;
}
