#include "shell/main_window.h"

#include "hook/tvkhook.h"
#include "shell/file_selection.h"
#include "shell/help.h"
#include "shell/key_chart_window.h"
#include "shell/keyboard_hooks.h"
#include "shell/language_menu.h"
#include "shell/resource_ids.h"
#include "shell/shell_state.h"
#include "shell/status_display.h"
#include "shell/suggest_mode.h"
#include "shell/suggest_words.h"
#include "shell/tray_icon.h"

namespace {

void switch_keyboard() { UpdateStatus(1); }
int take_entry(KBEntry* entry) { return TakeKBEntry(entry); }
int send_jph(const char* keys) { return SendKeysJPH(keys); }
int send_ke(const char* keys) { return SendKeysKE(keys); }
int send_text(const char16_t* text, int backspaces) {
  static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows text is UTF-16");
  return SendTextUI(reinterpret_cast<const wchar_t*>(text), backspaces);
}
int send_held_key(unsigned int key) { return SendHeldKey(static_cast<int>(key)); }


void close_splash() {
  if (!Splash) return;
  KillTimer(MainWindow, kSplashTimer);
  DestroyWindow(Splash);
  Splash = nullptr;
}

LRESULT on_command(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (OnLanguageCommand(LOWORD(wParam))) return 0;
  switch (LOWORD(wParam)) {
    case IDM_OUTPUT_FONT_CODES:
      ChooseOutput(0);
      return 0;
    case IDM_OUTPUT_UNICODE:
      ChooseOutput(1);
      return 0;
    case IDM_SUGGEST_WORDS:
      ChooseSuggestMode(!SuggestMode);
      return 0;
    case IDM_KEYBOARD_SWITCH:
      UpdateStatus(1);
      return 0;
    case IDM_ABOUT:
      DialogBoxParamA(Instance, "InfoBox", window, AboutDlgProc, 0);
      return 0;
    case IDM_EXIT:
      DestroyWindow(window);
      return 0;
    case IDM_LOAD_LANGUAGE:
      LoadLanguageFile(window, 0);
      return 0;
    case IDM_KEY_CHART:
      ShowKeyChart();
      return 0;
    case IDM_HELP_CONTENTS:
      ShowHelpContents(window);
      return 0;
    case IDM_ALT_F2_TOGGLE:
      SwitchAltF2Toggle(1);
      return 0;
    case IDM_USE_JOURNAL:
      UseJournalPBH = 1;
      RetryJournalPlayback();
      MarkSendMethod(1, 1);
      return 0;
    case IDM_USE_KEYBD_EVENT:
      UseJournalPBH = 0;
      MarkSendMethod(0, 1);
      return 0;
    case IDM_USE_UNICODE_INPUT:
      UseJournalPBH = kUseUnicodeInput;
      MarkSendMethod(kUseUnicodeInput, 1);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

LRESULT on_system_command(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // The whole wParam is compared: the appended ids are small numbers.
  switch (wParam) {
    case IDS_SYS_KEYBOARD:
      UpdateStatus(1);
      return 0;
    case IDS_SYS_ALT_F2:
      SwitchAltF2Toggle(1);
      return 0;
    case IDS_SYS_LOAD_LANGUAGE:
      LoadLanguageFile(window, 0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

// A mouse message's point on the screen: the panel's window origin plus the
// client coordinates, both taken as unsigned.
int click_on_status_icon(HWND panel, LPARAM lParam) {
  HWND icon = GetDlgItem(panel, IDC_STATUS_ICON);
  if (!icon) return 0;
  RECT panel_rect;
  RECT icon_rect;
  GetWindowRect(panel, &panel_rect);
  GetWindowRect(icon, &icon_rect);
  POINT point = {panel_rect.left + static_cast<LONG>(LOWORD(lParam)),
                 panel_rect.top + static_cast<LONG>(HIWORD(lParam))};
  return PtInRect(&icon_rect, point);
}

}  // namespace

const HookMessageOps HookLibraryOps = {take_entry,     send_jph,      send_ke,         send_text,
                                       send_held_key,  switch_keyboard, NoticeElevatedProgram, SuggestForWord,
                                       ShowCandidates, RememberChoice};

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DESTROY:
      RemoveTrayIcon();
      CloseHelp(window);
      PostQuitMessage(0);
      return 0;
    case WM_SIZE:
      // Minimised, the window stays above the others.
      SetWindowPos(window, wParam == SIZE_MINIMIZED ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE);
      return DefWindowProcA(window, message, wParam, lParam);
    case WM_SETFOCUS:
      SetFocus(Panel);
      return 0;
    case WM_QUERYDRAGICON:
      return reinterpret_cast<LRESULT>(StatusIcon);
    case WM_RBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
      if (IsIconic(window)) {
        UpdateStatus(1);
      } else {
        DefWindowProcA(window, message, wParam, lParam);
      }
      return 0;
    case WM_COMMAND:
      return on_command(window, message, wParam, lParam);
    case WM_SYSCOMMAND:
      return on_system_command(window, message, wParam, lParam);
    case WM_TIMER:
      if (wParam == kSplashTimer && Splash) {
        close_splash();
        return 0;
      }
      if (wParam == kHookWatchdogTimer) {
        OnHookWatchdogTimer();
        // Entries whose message could not be posted wait no longer than this.
        HandleHookEntries(HookLibraryOps);
        return 0;
      }
      return DefWindowProcA(window, message, wParam, lParam);
    case kMsgHookEntries:
      HandleHookEntries(HookLibraryOps);
      return 0;
    case kMsgTrayIcon:
      OnTrayIconMessage(lParam);
      return 0;
    default:
      // Explorer started again: its new notification area has no icons.
      if (TaskbarCreatedMessage != 0 && message == TaskbarCreatedMessage) {
        AddTrayIcon();
        return 0;
      }
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

INT_PTR CALLBACK PanelDlgProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      // The template places the panel's client area at (0, 0), which leaves
      // its border outside the main window: the whole panel goes there, and
      // the main window's client area is made exactly its size. Frame,
      // caption and menu bar differ with the DPI, and a menu bar that wraps
      // is taller than AdjustWindowRectEx assumes, so the result is measured
      // and corrected once.
      HWND window = GetParent(panel);
      RECT rect;
      GetWindowRect(panel, &rect);
      const int width = rect.right - rect.left;
      const int height = rect.bottom - rect.top;
      SetWindowPos(panel, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      RECT outer = {0, 0, width, height};
      AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)),
                         GetMenu(window) != nullptr,
                         static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)));
      const int outer_width = outer.right - outer.left;
      const int outer_height = outer.bottom - outer.top;
      const UINT flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
      SetWindowPos(window, nullptr, 0, 0, outer_width, outer_height, flags);
      RECT client;
      GetClientRect(window, &client);
      SetWindowPos(window, nullptr, 0, 0, outer_width + width - client.right,
                   outer_height + height - client.bottom, flags);
      return TRUE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_KEYBOARD_CHECK) {
        UpdateStatus(1);
        return TRUE;
      }
      if (LOWORD(wParam) == IDC_FILE_LIST) {
        if (HIWORD(wParam) != CBN_SELENDOK) return FALSE;
        LoadLanguageFile(reinterpret_cast<HWND>(lParam), 1);
      }
      return TRUE;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      if (!click_on_status_icon(panel, lParam)) return FALSE;
      UpdateStatus(1);
      return TRUE;
    case WM_CLOSE:
      DestroyWindow(panel);
      Panel = nullptr;
      return FALSE;
    case WM_DESTROY:
      return TRUE;
    default:
      return FALSE;
  }
}

INT_PTR CALLBACK SplashDlgProc(HWND, UINT message, WPARAM, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      return TRUE;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
      close_splash();
      return TRUE;
    default:
      return FALSE;
  }
}
