#include "shell/language_menu.h"

#include <cstdio>
#include <cstring>

#include "core/error_text.h"
#include "langunit/language_unit.h"
#include "shell/file_selection.h"
#include "shell/help.h"
#include "shell/resource_ids.h"
#include "shell/settings.h"
#include "shell/shell_state.h"

ShippedLanguages ShippedList;

namespace {

constexpr char kLanguagesFolder[] = "languages";
constexpr char kLanguageMenuText[] = "&Language";

// The main menu's Language popup, found by its text: other popups come and go.
HMENU language_popup() {
  HMENU menu = GetMenu(MainWindow);
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    char text[32] = "";
    GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
    if (std::strcmp(text, kLanguageMenuText) == 0) return GetSubMenu(menu, i);
  }
  return nullptr;
}

int in_force(int index) {
  return std::strcmp(ShippedList.languages[index].description.name, CurrentLanguage.description.name) == 0;
}

}  // namespace

void ListShippedLanguages() {
  ShippedList.count = 0;
  char folder[kNameSize];
  if (PathBesideProgram(kLanguagesFolder, folder) &&
      GetFileAttributesA(folder) != INVALID_FILE_ATTRIBUTES &&
      !list_shipped_languages(folder, '\\', &ShippedList)) {
    ShowBox(nullptr, ErrorText, "ERROR", MB_ICONEXCLAMATION);
  }
  HMENU popup = language_popup();
  if (!popup) return;
  while (GetMenuItemCount(popup) > 0) DeleteMenu(popup, 0, MF_BYPOSITION);
  AppendLanguageItems(popup);
  DrawMenuBar(MainWindow);
}

void AppendLanguageItems(HMENU menu) {
  if (ShippedList.count == 0) {
    AppendMenuA(menu, MF_STRING | MF_GRAYED, IDM_LANGUAGE_FIRST, "(no languages folder beside tolvar.exe)");
    return;
  }
  for (int i = 0; i < ShippedList.count; ++i) {
    AppendMenuA(menu, MF_STRING | (in_force(i) ? MF_CHECKED : MF_UNCHECKED), IDM_LANGUAGE_FIRST + i,
                ShippedList.languages[i].description.name);
  }
}

void MarkLanguageMenu() {
  HMENU popup = language_popup();
  for (int i = 0; popup && i < ShippedList.count; ++i) {
    CheckMenuItem(popup, IDM_LANGUAGE_FIRST + i, MF_BYCOMMAND | (in_force(i) ? MF_CHECKED : MF_UNCHECKED));
  }
}

int OnLanguageCommand(UINT command) {
  if (command < IDM_LANGUAGE_FIRST || command > IDM_LANGUAGE_LAST) return 0;
  const int index = static_cast<int>(command - IDM_LANGUAGE_FIRST);
  if (index >= ShippedList.count) return 1;
  PutLanguageInForce(MainWindow, ShippedList.languages[index].path);
  return 1;
}
