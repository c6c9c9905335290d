#include "shell/settings.h"

#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>

#include "core/error_text.h"
#include "shell/hook_messages.h"
#include "shell/settings_values.h"
#include "shell/suggest_mode.h"

namespace {

constexpr char kSection[] = "Settings";
// Stands for a key the file does not have; no settings value is this text.
constexpr char kMissing[] = "\x01";

// The value of `rule`'s key in `file` into *value. 1 when the file has the key
// (a value the rule refuses gives the rule's fallback and a line in
// ErrorText), 0 when it has none.
int read_value(const char* file, const SettingRule& rule, int* value) {
  char text[kSettingTextMax + 2];
  const DWORD length = GetPrivateProfileStringA(kSection, rule.key, kMissing, text, sizeof text, file);
  if (std::strcmp(text, kMissing) == 0) return 0;
  if (!parse_setting_value(rule, std::string_view(text, length), value)) {
    describe_refused_setting(ErrorText, sizeof ErrorText, file, rule, std::string_view(text, length));
    *value = rule.fallback;
  }
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

// The user's value of the rule's key, or else the fallback file's.
void read_setting(const char* user_file, const char* fallback_file, const SettingRule& rule, int* value) {
  if (user_file && read_value(user_file, rule, value)) return;
  read_value(fallback_file, rule, value);
}

// The user's Language, or else the fallback file's.
void read_language(const char* user_file, const char* fallback_file) {
  char text[kDescriptionNameSize];
  for (const char* file : {user_file, fallback_file}) {
    if (!file) continue;
    GetPrivateProfileStringA(kSection, kLanguageKey, kMissing, text, sizeof text, file);
    if (std::strcmp(text, kMissing) != 0) {
      std::memcpy(ChosenLanguage, text, sizeof text);
      return;
    }
  }
}

}  // namespace

char ChosenLanguage[kDescriptionNameSize] = "";

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

int ReadSettings(const char* user_file, const char* fallback_file) {
  ErrorText[0] = '\0';
  read_setting(user_file, fallback_file, kSettingRules[kSendMethodRule], &UseJournalPBH);
  read_setting(user_file, fallback_file, kSettingRules[kOutputRule], &UnicodeOutput);
  read_setting(user_file, fallback_file, kSettingRules[kSuggestRule], &SuggestMode);
  read_language(user_file, fallback_file);
  return ErrorText[0] == '\0';
}

int WriteSettings(const char* user_file) {
  if (!make_folder_of(user_file) || !write_value(user_file, kSettingRules[kSendMethodRule].key, UseJournalPBH) ||
      !write_value(user_file, kSettingRules[kOutputRule].key, UnicodeOutput) ||
      !write_value(user_file, kSettingRules[kSuggestRule].key, SuggestMode) ||
      !WritePrivateProfileStringA(kSection, kLanguageKey, ChosenLanguage, user_file)) {
    set_error_text("Could not save the settings to %s (Windows error %lu).\nThe choices made in this run are not kept.",
                   user_file, static_cast<unsigned long>(GetLastError()));
    return 0;
  }
  return 1;
}
