#include "langunit/language_unit.h"

#include <cstdio>
#include <cstring>

#include "core/error_text.h"
#include "core/language_tables.h"
#include "encoding/encoding_loading.h"
#include "encoding/encoding_table.h"
#include "langfile/language_loading.h"
#include "langfile/source_reader.h"

LanguageUnit CurrentLanguage;

namespace {

constexpr char kDescriptionFile[] = "language.txt";

// Start of the file name in `path` (after its last directory separator).
const char* file_part(const char* path) {
  const char* name = path;
  for (const char* c = path; *c != '\0'; ++c) {
    if (*c == '/' || *c == '\\' || *c == ':') name = c + 1;
  }
  return name;
}

// The description of `path`'s file from language.txt beside it into *out
// (name empty when the folder has none or it does not name the file).
// 0 with ErrorText when a language.txt is there but does not read.
int stage_description(const char* path, LanguageDescription* out) {
  *out = LanguageDescription{};
  const char* name = file_part(path);
  const std::size_t folder_length = static_cast<std::size_t>(name - path);
  char description_path[kCandidatePathSize];
  if (folder_length + sizeof kDescriptionFile > sizeof description_path) return 1;
  std::memcpy(description_path, path, folder_length);
  std::memcpy(description_path + folder_length, kDescriptionFile, sizeof kDescriptionFile);
  if (std::FILE* file = std::fopen(description_path, "rb")) {
    std::fclose(file);
  } else {
    return 1;
  }
  static LanguageFolder folder;
  if (!load_language_descriptions(description_path, &folder)) return 0;
  for (int i = 0; i < folder.count; ++i) {
    if (std::strcmp(folder.languages[i].file, name) == 0) {
      *out = folder.languages[i];
      break;
    }
  }
  return 1;
}

}  // namespace

int load_language_unit(const char* file_name) {
  char path[kCandidatePathSize];
  // A file not found is named by the loader as it always was.
  if (!locate_source(file_name, path)) std::snprintf(path, sizeof path, "%s", file_name);
  ErrorText[0] = '\0';
  if (!stage_language(path, nullptr)) return 0;
  LanguageDescription description;
  if (!stage_encoding_table(path) || !stage_description(path, &description)) {
    drop_staged_language();
    clear_encoding_table(&StagingEncodingTable);
    append_error_text("Loading Language %s failed; the language in use stays\n", path);
    return 0;
  }
  commit_staged_language();
  commit_encoding_table();
  std::memcpy(CurrentLanguage.path, path, sizeof path);
  CurrentLanguage.description = description;
  return 1;
}

const char* language_display_name() {
  return CurrentLanguage.description.name[0] != '\0' ? CurrentLanguage.description.name
                                                      : current_language_name();
}
