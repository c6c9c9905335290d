// The Language menu: the languages Tolvar ships (every folder of the
// languages folder beside tolvar.exe with a language.txt), by display name,
// in the main menu and the tray's; the one chosen is saved in the settings.
#pragma once
#include <windows.h>

#include "langunit/shipped_languages.h"

extern ShippedLanguages ShippedList;

// Lists languages\ beside the program into ShippedList and fills the main
// menu's Language popup. A language.txt that does not read is named in a box.
void ListShippedLanguages();
// Appends the shipped languages to `menu`, the one in force checked.
void AppendLanguageItems(HMENU menu);
// Checks the main menu's item of the language in force.
void MarkLanguageMenu();
// A command of the Language menu: puts that language in force and keeps it
// as the choice saved at exit. Non-zero when `command` is one.
int OnLanguageCommand(UINT command);
