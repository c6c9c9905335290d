#include "shell/candidate_window.h"

#include <cstdio>

#include "shell/devanagari_font.h"
#include "shell/main_window.h"
#include "shell/shell_state.h"
#include "shell/suggest_mode.h"

namespace {

constexpr wchar_t kCandidateClass[] = L"TolvarCandidates";
HWND Candidates = nullptr;
HFONT CandidateFont = nullptr;
int FontDpi = 0;
// The words shown, as the window paints them.
wchar_t Lines[kShownSuggestions][kNativeUtf8Size + 4];
int LineCount = 0;
// The window's size while shown; its place follows the caret on a timer, as
// the program typed into moves its caret after Tolvar's keys arrive. The
// same timer ends the word when another window than the one typed into
// comes to the front.
HWND TypedInto = nullptr;
int WindowWidth = 0;
int WindowHeight = 0;
constexpr UINT_PTR kFollowTimer = 1;
constexpr UINT kFollowMs = 100;

// Readable at any DPI: 12 points at the system's DPI.
HFONT candidate_font() {
  const int dpi = SystemDpi();
  if (CandidateFont && dpi == FontDpi) return CandidateFont;
  if (CandidateFont) DeleteObject(CandidateFont);
  FontDpi = dpi;
  CandidateFont = MakeDevanagariFont(12, dpi);
  return CandidateFont;
}

ScreenRect caret_rect();

// Beside the caret, on its monitor, inside the work area (clear of the taskbar).
void place_window() {
  const ScreenRect caret = caret_rect();
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof monitor;
  RECT caret_box = {caret.left, caret.top, caret.right, caret.bottom};
  GetMonitorInfoA(MonitorFromRect(&caret_box, MONITOR_DEFAULTTONEAREST), &monitor);
  const ScreenRect work = {monitor.rcWork.left, monitor.rcWork.top, monitor.rcWork.right,
                           monitor.rcWork.bottom};
  const ScreenRect placed = place_candidates(caret, WindowWidth, WindowHeight, work);
  SetWindowPos(Candidates, HWND_TOPMOST, placed.left, placed.top, WindowWidth, WindowHeight,
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

LRESULT CALLBACK candidate_proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      if (wParam != kFollowTimer || LineCount == 0) return 0;
      if (GetForegroundWindow() != TypedInto) {
        // The word stays as it was typed.
        CloseSuggestWord(HookLibraryOps);
        return 0;
      }
      place_window();
      return 0;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      RECT client;
      GetClientRect(window, &client);
      FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
      HGDIOBJ previous = SelectObject(dc, candidate_font());
      TEXTMETRICW metrics;
      GetTextMetricsW(dc, &metrics);
      SetBkMode(dc, TRANSPARENT);
      const int pad = metrics.tmAveCharWidth / 2 + 1;
      for (int i = 0; i < LineCount; ++i) {
        SetTextColor(dc, i == 0 ? RGB(0, 0, 160) : RGB(0, 0, 0));
        TextOutW(dc, pad, pad + i * metrics.tmHeight, Lines[i], lstrlenW(Lines[i]));
      }
      SelectObject(dc, previous);
      EndPaint(window, &paint);
      return 0;
    }
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

int make_window() {
  if (Candidates) return 1;
  WNDCLASSW window_class = {};
  window_class.lpfnWndProc = candidate_proc;
  window_class.hInstance = Instance;
  window_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  window_class.lpszClassName = kCandidateClass;
  RegisterClassW(&window_class);
  Candidates =
      CreateWindowExW(WS_EX_NOACTIVATE | WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kCandidateClass, L"",
                      WS_POPUP | WS_BORDER, 0, 0, 10, 10, nullptr, nullptr, Instance, nullptr);
  return Candidates != nullptr;
}

// The caret of the foreground program in screen coordinates; where it has
// none, a line's height at the mouse.
ScreenRect caret_rect() {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  HWND foreground = GetForegroundWindow();
  const DWORD thread = foreground ? GetWindowThreadProcessId(foreground, nullptr) : 0;
  if (thread != 0 && GetGUIThreadInfo(thread, &info) && info.hwndCaret) {
    POINT top_left = {info.rcCaret.left, info.rcCaret.top};
    POINT bottom_right = {info.rcCaret.right, info.rcCaret.bottom};
    ClientToScreen(info.hwndCaret, &top_left);
    ClientToScreen(info.hwndCaret, &bottom_right);
    return {top_left.x, top_left.y, bottom_right.x, bottom_right.y};
  }
  POINT mouse = {0, 0};
  GetCursorPos(&mouse);
  return {mouse.x, mouse.y, mouse.x + 1, mouse.y + MulDiv(20, SystemDpi(), 96)};
}

}  // namespace

HWND CandidateWindow() { return Candidates; }

void ShowCandidateWindow(const SuggestionList* list) {
  LineCount = list->count < kShownSuggestions ? list->count : kShownSuggestions;
  if (LineCount == 0) {
    if (!Candidates) return;
    KillTimer(Candidates, kFollowTimer);
    ShowWindow(Candidates, SW_HIDE);
    return;
  }
  if (!make_window()) return;
  if (!IsWindowVisible(Candidates)) TypedInto = GetForegroundWindow();
  HDC dc = GetDC(Candidates);
  HGDIOBJ previous = SelectObject(dc, candidate_font());
  TEXTMETRICW metrics;
  GetTextMetricsW(dc, &metrics);
  int widest = 0;
  for (int i = 0; i < LineCount; ++i) {
    wchar_t word[kNativeUtf8Size];
    if (MultiByteToWideChar(CP_UTF8, 0, list->items[i].text, -1, word, kNativeUtf8Size) == 0)
      word[0] = 0;
    _snwprintf(Lines[i], kNativeUtf8Size + 4, L"%d %ls", i + 1, word);
    Lines[i][kNativeUtf8Size + 3] = 0;
    SIZE size;
    if (GetTextExtentPoint32W(dc, Lines[i], lstrlenW(Lines[i]), &size) && size.cx > widest)
      widest = size.cx;
  }
  SelectObject(dc, previous);
  ReleaseDC(Candidates, dc);

  const int pad = metrics.tmAveCharWidth / 2 + 1;
  RECT outer = {0, 0, widest + 2 * pad, LineCount * metrics.tmHeight + 2 * pad};
  AdjustWindowRectEx(&outer, WS_POPUP | WS_BORDER, FALSE,
                     WS_EX_NOACTIVATE | WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
  WindowWidth = outer.right - outer.left;
  WindowHeight = outer.bottom - outer.top;
  place_window();
  InvalidateRect(Candidates, nullptr, TRUE);
  SetTimer(Candidates, kFollowTimer, kFollowMs, nullptr);
}
