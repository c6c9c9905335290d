#include "shell/status_display.h"

#include <cstdio>
#include <cstring>

#include "core/language_tables.h"
#include "core/letter_composer.h"
#include "encoding/encoding_loading.h"
#include "hook/tvkhook.h"
#include "langunit/language_unit.h"
#include "shell/resource_ids.h"
#include "shell/shell_state.h"
#include "shell/tray_icon.h"

void UpdateStatus(int toggle) {
  switch (decide_keyboard_switch(toggle, IsKBHookTolvarON(), CurrentFileName)) {
    case KeyboardSwitch::kNone:
      break;
    case KeyboardSwitch::kTurnOff:
      KBHookTolvarOFF();
      break;
    case KeyboardSwitch::kRefuseNoFile:
      ShowBox(nullptr, "No Language File loaded, Cannot Toggle Keyboard.", "TOLVAR ERROR",
              MB_ICONEXCLAMATION);
      break;
    case KeyboardSwitch::kTurnOn:
      if (!KBHookTolvarON()) ShowBox(MainWindow, "Could not install hook", "ERROR", MB_ICONHAND);
      break;
  }

  // A box above may have dispatched another toggle: ask the library again.
  int on = IsKBHookTolvarON();
  CheckDlgButton(Panel, IDC_KEYBOARD_CHECK, on ? BST_CHECKED : BST_UNCHECKED);

  char title[kNameSize];
  compose_status_title(title, sizeof title, on, language_display_name());
  StatusIcon = on ? OnIcon : OffIcon;
  ModifyMenuA(SystemMenu, IDS_SYS_KEYBOARD, MF_BYCOMMAND | MF_STRING, IDS_SYS_KEYBOARD,
              keyboard_menu_text(on));
  SetWindowTextA(MainWindow, title);
  SendDlgItemMessageA(Panel, IDC_STATUS_ICON, STM_SETICON, reinterpret_cast<WPARAM>(StatusIcon), 0);
  SendMessageA(MainWindow, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(StatusIcon));
  SendMessageA(MainWindow, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(StatusIcon));
  UpdateTrayIcon(StatusIcon, title);
}

int SwitchAltF2Toggle(int announce) {
  HMENU menu = GetMenu(MainWindow);
  int previous = SetKBToggleALTChar(kToggleKey);
  if (toggle_key_needs_restore(previous)) SetKBToggleALTChar(previous);

  int now_set = !toggle_key_was_set(previous);
  const char* text = alt_f2_menu_text(now_set);
  ModifyMenuA(SystemMenu, IDS_SYS_ALT_F2, MF_BYCOMMAND | MF_STRING, IDS_SYS_ALT_F2, text);
  ModifyMenuA(menu, IDM_ALT_F2_TOGGLE, MF_BYCOMMAND | MF_STRING, IDM_ALT_F2_TOGGLE, text);
  if (now_set) {
    // The hook must see ALT+F2 even while the keyboard is OFF.
    SetKBHook();
    SetKBToggleALTChar(kToggleKey);
  } else {
    // The library removes the hook when the keyboard is next switched OFF.
    SetKBToggleALTChar(0);
  }
  if (announce) ShowBox(MainWindow, alt_f2_message(now_set), "Message", MB_ICONINFORMATION);
  return now_set;
}

void MarkSendMethod(int sendMethod, int announce) {
  HMENU menu = GetMenu(MainWindow);
  const UINT item = sendMethod == 0                  ? IDM_USE_KEYBD_EVENT
                    : sendMethod == kUseUnicodeInput ? IDM_USE_UNICODE_INPUT
                                                     : IDM_USE_JOURNAL;
  for (UINT each : {IDM_USE_JOURNAL, IDM_USE_KEYBD_EVENT, IDM_USE_UNICODE_INPUT}) {
    CheckMenuItem(menu, each, MF_BYCOMMAND | (each == item ? MF_CHECKED : MF_UNCHECKED));
  }
  if (announce) ShowBox(MainWindow, send_method_message(sendMethod), "Message", MB_ICONINFORMATION);
}

int ChooseOutput(int unicode) {
  int chosen = unicode ? 1 : 0;
  // Without a language the choice waits for the next one.
  if (chosen && !encoding_table_loaded() && std::strcmp(CurrentFileName, kNotLoaded) != 0) {
    const char* name = current_language_name();
    char text[kNameSize + 160];
    std::snprintf(text, sizeof text,
                  "%s has no encoding table, so it types font codes only.\n"
                  "(Its table is the .tsv file with the language file's name, beside it.)",
                  name[0] ? name : "This language");
    ShowBox(MainWindow, text, "Message", MB_ICONINFORMATION);
    chosen = 0;
  }
  // The letter on screen was typed in the other form: begin a new one.
  if (chosen != UnicodeOutput) letter_reset();
  UnicodeOutput = chosen;
  HMENU menu = GetMenu(MainWindow);
  CheckMenuItem(menu, IDM_OUTPUT_FONT_CODES, MF_BYCOMMAND | (chosen ? MF_UNCHECKED : MF_CHECKED));
  CheckMenuItem(menu, IDM_OUTPUT_UNICODE, MF_BYCOMMAND | (chosen ? MF_CHECKED : MF_UNCHECKED));
  return chosen;
}

INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      return TRUE;
    case WM_COMMAND:
      if (wParam == IDOK || wParam == IDCANCEL) {
        EndDialog(dialog, 0);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}
