// Path rules of the platform a language file is searched on: the directory
// separator, which names are opened as they stand, and the default search
// list. Both rule sets exist on every build so the path walk can be tested
// for either; platform_path_rules() picks the one of the running build.
#pragma once

struct PathRules {
  char separator;
  // Search list used when IPATH is not defined; ';' separates elements.
  const char* default_path_list;
  // Non-zero when `name` is opened directly, without the search list.
  int (*is_direct_name)(const char* name);
};

// "\" with "\x", ".\x", "..\x" and drive-letter names ("c:...") opened directly.
const PathRules& windows_path_rules();
// "/" with "/x", "./x" and "../x" opened directly.
const PathRules& native_path_rules();
// The rules of the platform this program was built for.
const PathRules& platform_path_rules();
