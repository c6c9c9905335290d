#include "shell/settings.h"

#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/error_text.h"
#include "shell/hook_messages.h"

namespace {

constexpr char kSection[] = "Settings";
constexpr char kSendMethodKey[] = "UseJournalPBH";
constexpr char kOutputKey[] = "Output";

// The decimal value of `key` into *value; 0 when the file has none.
int read_value(const char* file, const char* key, int* value) {
  char text[32] = "";
  GetPrivateProfileStringA(kSection, key, "", text, sizeof text, file);
  char* end = nullptr;
  const long number = std::strtol(text, &end, 10);
  if (text[0] == '\0' || end == text) return 0;
  *value = static_cast<int>(number);
  return 1;
}

int write_value(const char* file, const char* key, int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", value);
  return WritePrivateProfileStringA(kSection, key, text, file) != FALSE;
}

// The folder that holds `file`, unless it is there already.
int make_folder_of(const char* file) {
  char folder[MAX_PATH];
  std::snprintf(folder, sizeof folder, "%s", file);
  char* slash = std::strrchr(folder, '\\');
  if (!slash) return 1;
  *slash = '\0';
  return CreateDirectoryA(folder, nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

// The user's value of `key`, or else the fallback file's.
void read_setting(const char* user_file, const char* fallback_file, const char* key, int* value) {
  if (user_file && read_value(user_file, key, value)) return;
  read_value(fallback_file, key, value);
}

}  // namespace

int UserSettingsFile(char* path, std::size_t size) {
  char folder[MAX_PATH];
  if (SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder) != S_OK) {
    set_error_text("The folder for application data (APPDATA) was not found.");
    return 0;
  }
  const int length = std::snprintf(path, size, "%s\\Tolvar\\tolvar.ini", folder);
  if (length < 0 || static_cast<std::size_t>(length) >= size) {
    set_error_text("The path of the settings file is too long: %s\\Tolvar\\tolvar.ini", folder);
    return 0;
  }
  return 1;
}

void ReadSettings(const char* user_file, const char* fallback_file) {
  read_setting(user_file, fallback_file, kSendMethodKey, &UseJournalPBH);
  read_setting(user_file, fallback_file, kOutputKey, &UnicodeOutput);
}

int WriteSettings(const char* user_file) {
  if (!make_folder_of(user_file) || !write_value(user_file, kSendMethodKey, UseJournalPBH) ||
      !write_value(user_file, kOutputKey, UnicodeOutput)) {
    set_error_text("Could not save the settings to %s (Windows error %lu).\nThe choices made in this run are not kept.",
                   user_file, static_cast<unsigned long>(GetLastError()));
    return 0;
  }
  return 1;
}
