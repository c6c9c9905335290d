#include "langunit/shipped_languages.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/error_text.h"
#include "langunit/folder_listing.h"

namespace {

struct FolderNames {
  char names[kShippedFoldersMax][kDescriptionFileSize];
  int count;
  int left_out;
};

void keep_folder_name(const char* name, void* context) {
  auto* folders = static_cast<FolderNames*>(context);
  if (folders->count == kShippedFoldersMax || std::strlen(name) >= kDescriptionFileSize) {
    ++folders->left_out;
    return;
  }
  std::snprintf(folders->names[folders->count++], kDescriptionFileSize, "%s", name);
}

// Error lines collect here: each loader replaces ErrorText.
char Report[kErrorTextSize];

void report(const char* line) {
  const std::size_t used = std::strlen(Report);
  std::snprintf(Report + used, sizeof Report - used, "%s", line);
}

}  // namespace

int list_shipped_languages(const char* languages_folder, char separator, ShippedLanguages* out) {
  out->count = 0;
  Report[0] = '\0';
  static FolderNames folders;
  folders.count = 0;
  folders.left_out = 0;
  if (!list_subfolders(languages_folder, keep_folder_name, &folders)) {
    set_error_text("The languages folder %s could not be read\n", languages_folder);
    return 0;
  }
  std::qsort(folders.names, static_cast<std::size_t>(folders.count), sizeof folders.names[0],
             [](const void* a, const void* b) {
               return std::strcmp(static_cast<const char*>(a), static_cast<const char*>(b));
             });
  static LanguageFolder folder;
  char line[kErrorTextSize];
  for (int f = 0; f < folders.count; ++f) {
    char description_path[kCandidatePathSize];
    const int length = std::snprintf(description_path, sizeof description_path, "%s%c%s%clanguage.txt",
                                     languages_folder, separator, folders.names[f], separator);
    if (length < 0 || length >= static_cast<int>(sizeof description_path)) continue;
    std::FILE* file = std::fopen(description_path, "rb");
    if (file == nullptr) continue;
    std::fclose(file);
    if (!load_language_descriptions(description_path, &folder)) {
      report(ErrorText);
      continue;
    }
    for (int i = 0; i < folder.count; ++i) {
      if (out->count == kShippedLanguagesMax) {
        std::snprintf(line, sizeof line, "%s: %s is one language more than Tolvar lists (%d)\n",
                      description_path, folder.languages[i].name, kShippedLanguagesMax);
        report(line);
        continue;
      }
      ShippedLanguage& language = out->languages[out->count];
      const int path_length = std::snprintf(language.path, sizeof language.path, "%s%c%s%c%s", languages_folder,
                                            separator, folders.names[f], separator, folder.languages[i].file);
      if (path_length < 0 || path_length >= static_cast<int>(sizeof language.path)) {
        std::snprintf(line, sizeof line, "%s: the path of %s is too long\n", description_path,
                      folder.languages[i].file);
        report(line);
        continue;
      }
      language.description = folder.languages[i];
      ++out->count;
    }
  }
  if (Report[0] == '\0') return 1;
  set_error_text("%s", Report);
  return 0;
}

int find_shipped_language(const ShippedLanguages& list, const char* name) {
  for (int i = 0; i < list.count; ++i) {
    if (std::strcmp(list.languages[i].description.name, name) == 0) return i;
  }
  return -1;
}
