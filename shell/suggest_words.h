// "Suggest words" at the platform edge: the menu item, the suggestion data
// beside tolvar.exe (loaded on the mode's first word), the user lexicon in
// %APPDATA%\Tolvar and the calls the entries' handling makes for the mode.
#pragma once
#include <windows.h>

#include "shell/hook_messages.h"

// The file of the user's remembered choices, in the settings' folder.
constexpr char kUserWordsFile[] = "user-words.txt";

// Suggest words when `on` is non-zero, else the exact keys: the hook is told,
// the Control menu marked, an open word left as typed. Returns SuggestMode.
int ChooseSuggestMode(int on);

// HookMessageOps' calls for the mode.
int SuggestForWord(const char* roman, int length, SuggestionList* list);
void ShowCandidates(const SuggestionList* list);
void RememberChoice(const char* roman, const char* word);
