// The settings: section "Settings", keys "UseJournalPBH" (the send method),
// "Output" (0 font codes, 1 Unicode), "SuggestWords" (0 exact keys, 1 suggest
// words) and "Language" (a shipped language's display name, empty for the
// default), in
// the user's own file %APPDATA%\Tolvar\tolvar.ini. A standard user cannot
// write the Windows folder, where the file used to live: a value missing
// from the user's file is still read from there.
#pragma once
#include <cstddef>

#include "langfile/language_description.h"

// Named without a directory: the profile functions look in the Windows folder.
constexpr char kWindowsSettingsFile[] = "tolvar.ini";

// The user's settings file into `path` (`size` bytes). 1, or 0 with ErrorText.
int UserSettingsFile(char* path, std::size_t size);
// Each setting from `user_file`, or from `fallback_file` where the user's file
// has no value; a value in neither keeps the present one. A value that is not
// one of the setting's values gives the setting's fallback: then 0, with a
// line for each such value in ErrorText; else 1. WriteSettings at exit puts
// the sound values into the user's file.
int ReadSettings(const char* user_file, const char* fallback_file);
// Every setting into `user_file`, its folder made first. 1, or 0 with ErrorText.
int WriteSettings(const char* user_file);

// The shipped language chosen, by display name; empty for the default.
// Start-up checks it against the languages found (settings_values.h).
extern char ChosenLanguage[kDescriptionNameSize];
