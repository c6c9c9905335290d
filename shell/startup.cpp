#include "shell/startup.h"

#include <cstdio>
#include <cstring>

#include "core/error_text.h"
#include "core/language_tables.h"
#include "core/ucode_table.h"
#include "hook/tvkhook.h"
#include "langunit/language_unit.h"
#include "shell/file_selection.h"
#include "shell/language_menu.h"
#include "shell/main_window.h"
#include "shell/resource_ids.h"
#include "shell/settings.h"
#include "shell/settings_values.h"
#include "shell/shell_state.h"

// The default language: its file in the folder Tolvar starts in, used while
// no shipped language is chosen in the settings.
constexpr char kDefaultLanguage[] = "Vedrokan";
constexpr char kDefaultLanguageFile[] = "Vedrokan.gkf";

int AnotherCopyRuns(HINSTANCE previous, HWND* other_window) {
  *other_window = FindWindowA(kWindowClass, nullptr);
  return *other_window != nullptr || previous != nullptr;
}

int LoadStatusIcons(HINSTANCE instance) {
  OffIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_TOLVAR_OFF));
  OnIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_TOLVAR_ON));
  return OffIcon && OnIcon;
}

int RegisterTolvarClass(HINSTANCE instance) {
  Instance = instance;
  WNDCLASSA window_class = {};
  window_class.lpfnWndProc = MainWndProc;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  window_class.lpszMenuName = "MainMenu";
  window_class.lpszClassName = kWindowClass;
  return RegisterClassA(&window_class) != 0;
}

int CreateMainWindows() {
  MainWindow = CreateWindowExA(0, kWindowClass, "", WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                               CW_USEDEFAULT, 0, 0, 0, nullptr, nullptr, Instance, nullptr);
  if (!MainWindow) return 0;
  Panel = CreateDialogParamA(Instance, "MainDialog", MainWindow, PanelDlgProc, 0);

  SystemMenu = GetSystemMenu(MainWindow, FALSE);
  EnableMenuItem(SystemMenu, SC_MAXIMIZE, MF_BYCOMMAND | MF_GRAYED);
  EnableMenuItem(SystemMenu, SC_SIZE, MF_BYCOMMAND | MF_GRAYED);
  AppendMenuA(SystemMenu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(SystemMenu, MF_STRING, IDS_SYS_LOAD_LANGUAGE, "Load &Language File");
  AppendMenuA(SystemMenu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(SystemMenu, MF_STRING, IDS_SYS_ALT_F2, "Enable &ALT+F2 Toggle");
  AppendMenuA(SystemMenu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(SystemMenu, MF_STRING, IDS_SYS_KEYBOARD, "&Enable Indian Keyboard");

  SetWindowPos(MainWindow, HWND_TOP, 100, 100, 0, 0, SWP_NOSIZE);
  return 1;
}

void ShowSplash() {
  Splash = nullptr;
  if (!SetTimer(MainWindow, kSplashTimer, kSplashMilliseconds, nullptr)) return;
  Splash = CreateDialogParamA(Instance, "Splash", nullptr, SplashDlgProc, 0);
  if (Splash) SetWindowPos(Splash, nullptr, 200, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void ShowWithoutActivating() {
  WINDOWPLACEMENT placement = {};
  placement.length = sizeof placement;
  if (!GetWindowPlacement(MainWindow, &placement)) return;
  placement.flags = WPF_SETMINPOSITION;
  placement.showCmd = SW_SHOWNA;
  SetWindowPlacement(MainWindow, &placement);
}

int RegisterWithHookLibrary() {
  int result = InitKBHook(MainWindow);
  if (result == 1) return 1;
  if (result == -1) {
    ShowBox(nullptr, "TOLVA Keyboard Hook DLL already in use, cannot run TOLVAR again.\n", "ERROR",
            MB_ICONEXCLAMATION);
  } else {
    set_error_text("Initialize Keyboard Hook DLL failed (code %d)\n", result);
    ShowBox(nullptr, ErrorText, "ERROR", MB_ICONHAND);
  }
  PostQuitMessage(1);
  return 0;
}

namespace {

void refuse_default_language() {
  ShowBox(nullptr, ErrorText, "ERROR", MB_ICONEXCLAMATION);
  std::memcpy(CurrentFileName, kNotLoaded, sizeof kNotLoaded);
}

}  // namespace

void LoadSettings() {
  char user_file[MAX_PATH];
  if (!ReadSettings(UserSettingsFile(user_file, sizeof user_file) ? user_file : nullptr, kWindowsSettingsFile)) {
    ShowBox(nullptr, ErrorText, "ERROR", MB_ICONEXCLAMATION);
  }
}

void LoadDefaultLanguage() {
  WaitCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32514));  // IDC_WAIT
  SetCapture(MainWindow);
  HCURSOR previous = SetCursor(WaitCursor);

  ErrorText[0] = '\0';
  ucode_init();
  ListShippedLanguages();
  const char* file_name = kDefaultLanguageFile;
  if (ChosenLanguage[0] != '\0') {
    const int index = find_shipped_language(ShippedList, ChosenLanguage);
    if (index >= 0) {
      file_name = ShippedList.languages[index].path;
    } else {
      char user_file[MAX_PATH];
      ErrorText[0] = '\0';
      describe_refused_language(ErrorText, sizeof ErrorText,
                                UserSettingsFile(user_file, sizeof user_file) ? user_file : kWindowsSettingsFile,
                                ChosenLanguage, kDefaultLanguage);
      ShowBox(nullptr, ErrorText, "ERROR", MB_ICONEXCLAMATION);
      ChosenLanguage[0] = '\0';
    }
  }
  std::snprintf(CurrentFileName, kNameSize, "%s", file_name);
  CompletePath(CurrentFileName);
  if (load_language_unit(CurrentFileName)) {
    NameLanguageInForce();
    MarkLanguageMenu();
  } else {
    refuse_default_language();
  }

  SetCursor(previous);
  ReleaseCapture();
}

int RunMessageLoop() {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (Panel && IsDialogMessageA(Panel, &message)) continue;
    if (Splash && IsDialogMessageA(Splash, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

void ShutDown(int registered) {
  if (registered) RemoveKBHook();
  free_language_tables();
  DestroyIcon(OnIcon);
  DestroyIcon(OffIcon);
  DestroyCursor(WaitCursor);
  char user_file[MAX_PATH];
  if (!UserSettingsFile(user_file, sizeof user_file) || !WriteSettings(user_file)) {
    ShowBox(nullptr, ErrorText, "ERROR", MB_ICONEXCLAMATION);
  }
}
