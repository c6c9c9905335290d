#include <dirent.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstring>

#include "langunit/folder_listing.h"

int list_subfolders(const char* folder, void (*each)(const char* name, void* context), void* context) {
  DIR* dir = opendir(folder);
  if (dir == nullptr) return 0;
  while (const dirent* entry = readdir(dir)) {
    if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
    char path[4096];
    std::snprintf(path, sizeof path, "%s/%s", folder, entry->d_name);
    struct stat info;
    if (stat(path, &info) == 0 && S_ISDIR(info.st_mode)) each(entry->d_name, context);
  }
  closedir(dir);
  return 1;
}
