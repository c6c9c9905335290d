#include "shell/key_chart_window.h"

#include <cstdio>
#include <initializer_list>

#include "core/error_text.h"
#include "keychart/key_chart.h"
#include "langunit/language_unit.h"
#include "shell/devanagari_font.h"
#include "shell/key_chart_layout.h"
#include "shell/shell_state.h"

namespace {

constexpr wchar_t kKeyChartClass[] = L"TolvarKeyChart";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VSCROLL;
constexpr DWORD kExStyle = 0;
constexpr int kLetterPoints = 20;
// Room for each of a cell's two lines: the letter (or, for a language
// without an encoding table, the key) and under it the spellings (or the
// ucode name); and for a section's heading.
constexpr int kCellTextSize = 32;
constexpr wchar_t kNoLetters[] = L"No key of this language types a letter.";

HWND ChartWindow = nullptr;
KeyChart Chart;
int SectionCells[kChartSections];
ChartGridMetrics Metrics;
ChartGrid Grid;
// A cell: the padding, the letter's line, the spellings' line, the padding.
int CellPad = 0;
int LetterLine = 0;
int SpellingLine = 0;
int ScrollY = 0;
int VisibleHeight = 0;
// Made when the window opens, deleted when it closes.
HFONT LetterFont = nullptr;
HFONT SpellingFont = nullptr;
HFONT HeadingFont = nullptr;

int scaled(int pixels_at_96) { return MulDiv(pixels_at_96, SystemDpi(), 96); }

void delete_fonts() {
  for (HFONT* font : {&LetterFont, &SpellingFont, &HeadingFont}) {
    if (*font) DeleteObject(*font);
    *font = nullptr;
  }
}

// The letter in a Devanagari face; spellings and headings in the system's
// message font, as dialogs show Latin text at this DPI.
int make_fonts() {
  delete_fonts();
  NONCLIENTMETRICSW metrics = {};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    metrics.lfMessageFont = {};
    metrics.lfMessageFont.lfHeight = -MulDiv(9, SystemDpi(), 72);
    lstrcpyW(metrics.lfMessageFont.lfFaceName, L"MS Shell Dlg 2");
  }
  LetterFont = MakeDevanagariFont(kLetterPoints, SystemDpi());
  SpellingFont = CreateFontIndirectW(&metrics.lfMessageFont);
  LOGFONTW heading = metrics.lfMessageFont;
  heading.lfWeight = FW_BOLD;
  HeadingFont = CreateFontIndirectW(&heading);
  return LetterFont && SpellingFont && HeadingFont;
}

// Keys are bytes of the language file, shown as Windows-1252 characters.
int append_keys(const char* keys, wchar_t* out, int length) {
  for (const char* key = keys; *key && length < kCellTextSize - 1; ++key) {
    wchar_t wide = L'?';
    MultiByteToWideChar(1252, 0, key, 1, &wide, 1);
    out[length++] = wide;
  }
  out[length] = 0;
  return length;
}

// "A  aa": the spellings, two blanks apart.
int spellings_text(const ChartEntry& entry, wchar_t* out) {
  int length = 0;
  out[0] = 0;
  for (int i = 0; i < entry.spelling_count && i < kChartSpellingsMax; ++i) {
    if (i > 0 && length < kCellTextSize - 3) {
      out[length++] = L' ';
      out[length++] = L' ';
    }
    length = append_keys(entry.spellings[i], out, length);
  }
  return length;
}

int cell_top(const ChartEntry& entry, wchar_t* out) {
  if (entry.section == ChartSection::kKeys) return spellings_text(entry, out);
  int length = entry.text_length < kChartTextMax ? entry.text_length : kChartTextMax;
  for (int i = 0; i < length; ++i) out[i] = static_cast<wchar_t>(entry.text[i]);
  out[length] = 0;
  return length;
}

int cell_bottom(const ChartEntry& entry, wchar_t* out) {
  if (entry.section != ChartSection::kKeys) return spellings_text(entry, out);
  int length = 0;
  for (const char* c = entry.ucode; *c && length < kCellTextSize - 1; ++c)
    out[length++] = static_cast<wchar_t>(*c);
  out[length] = 0;
  return length;
}

int section_title(ChartSection section, wchar_t* out) {
  const int length =
      MultiByteToWideChar(CP_UTF8, 0, chart_section_title(section), -1, out, kCellTextSize);
  if (length > 0) return length - 1;
  out[0] = 0;
  return 0;
}

// A key's name is Latin: it is drawn in the heading font, the letter in the
// Devanagari one.
HFONT top_font(const ChartEntry& entry) {
  return entry.section == ChartSection::kKeys ? HeadingFont : LetterFont;
}

int text_width(HDC dc, HFONT font, const wchar_t* text, int length) {
  SelectObject(dc, font);
  SIZE size = {0, 0};
  GetTextExtentPoint32W(dc, text, length, &size);
  return size.cx;
}

int line_height(HDC dc, HFONT font) {
  SelectObject(dc, font);
  TEXTMETRICW metrics = {};
  GetTextMetricsW(dc, &metrics);
  return metrics.tmHeight;
}

// Cell and heading sizes that hold the widest letter and spelling; the
// widest heading and the note of an empty chart, as the chart's least width.
int measure_chart() {
  HDC dc = GetDC(ChartWindow);
  HGDIOBJ previous = SelectObject(dc, SpellingFont);
  CellPad = scaled(6);
  LetterLine = line_height(dc, LetterFont);
  SpellingLine = line_height(dc, SpellingFont);
  int widest = 0;
  for (int s = 0; s < kChartSections; ++s) SectionCells[s] = 0;
  for (int i = 0; i < Chart.count; ++i) {
    const ChartEntry& entry = Chart.entries[i];
    ++SectionCells[static_cast<int>(entry.section)];
    wchar_t text[kCellTextSize];
    int length = cell_top(entry, text);
    int width = text_width(dc, top_font(entry), text, length);
    if (width > widest) widest = width;
    length = cell_bottom(entry, text);
    width = text_width(dc, SpellingFont, text, length);
    if (width > widest) widest = width;
  }
  int least = text_width(dc, SpellingFont, kNoLetters, lstrlenW(kNoLetters));
  for (int s = 0; s < kChartSections; ++s) {
    wchar_t title[kCellTextSize];
    const int width =
        text_width(dc, HeadingFont, title, section_title(static_cast<ChartSection>(s), title));
    if (width > least) least = width;
  }
  Metrics.cell_width = widest + 2 * CellPad;
  Metrics.cell_height = LetterLine + SpellingLine + 2 * CellPad;
  Metrics.heading_height = line_height(dc, HeadingFont) + CellPad;
  Metrics.margin = scaled(10);
  SelectObject(dc, previous);
  ReleaseDC(ChartWindow, dc);
  return least + 2 * Metrics.margin;
}

void set_scroll(int position) {
  const int most = Grid.height > VisibleHeight ? Grid.height - VisibleHeight : 0;
  if (position > most) position = most;
  if (position < 0) position = 0;
  if (position == ScrollY) return;
  ScrollY = position;
  SetScrollPos(ChartWindow, SB_VERT, ScrollY, TRUE);
  InvalidateRect(ChartWindow, nullptr, TRUE);
}

// The grid for the work area of the window's monitor; the window as large
// as the chart, inside that area, scrolled where the chart is taller still.
// A new window is centred on the main window's monitor.
void size_window(int least_width, bool place) {
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(place ? MainWindow : ChartWindow, MONITOR_DEFAULTTONEAREST),
                  &monitor);
  const RECT work = monitor.rcWork;
  RECT frame = {0, 0, 0, 0};
  AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
  const int frame_width = frame.right - frame.left;
  const int frame_height = frame.bottom - frame.top;
  const int scroll_width = GetSystemMetrics(SM_CXVSCROLL);
  const int max_width = work.right - work.left - frame_width - scroll_width;
  const int max_height = work.bottom - work.top - frame_height;
  Grid = layout_chart_grid(SectionCells, Metrics, max_width, max_height);
  // An empty chart shows its note instead.
  if (Chart.count == 0) Grid.height = 2 * Metrics.margin + SpellingLine;
  int width = Grid.width > least_width ? Grid.width : least_width;
  if (width > max_width) width = max_width;
  VisibleHeight = Grid.height < max_height ? Grid.height : max_height;
  const bool scrolls = Grid.height > VisibleHeight;

  ScrollY = 0;
  SCROLLINFO scroll = {};
  scroll.cbSize = sizeof scroll;
  scroll.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  scroll.nMax = Grid.height - 1;
  scroll.nPage = static_cast<UINT>(VisibleHeight);
  SetScrollInfo(ChartWindow, SB_VERT, &scroll, TRUE);

  const int outer_width = width + frame_width + (scrolls ? scroll_width : 0);
  const int outer_height = VisibleHeight + frame_height;
  RECT now;
  GetWindowRect(ChartWindow, &now);
  int x = place ? work.left + (work.right - work.left - outer_width) / 2 : now.left;
  int y = place ? work.top + (work.bottom - work.top - outer_height) / 2 : now.top;
  if (x + outer_width > work.right) x = work.right - outer_width;
  if (y + outer_height > work.bottom) y = work.bottom - outer_height;
  if (x < work.left) x = work.left;
  if (y < work.top) y = work.top;
  SetWindowPos(ChartWindow, nullptr, x, y, outer_width, outer_height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

// The chart of the language in force, its title and size. 0 with
// ErrorText when no chart can be made.
int show_chart(bool place) {
  if (!make_key_chart(&Chart)) return 0;
  // A search the language made too long stopped: the title says the chart
  // may lack letters rather than pass it off as whole.
  char title[kNameSize + 64];
  std::snprintf(title, sizeof title, "Key chart - %s%s", language_display_name(),
                Chart.complete ? "" : " (incomplete: the search stopped)");
  SetWindowTextA(ChartWindow, title);
  size_window(measure_chart(), place);
  InvalidateRect(ChartWindow, nullptr, TRUE);
  return 1;
}

void draw_cell(HDC dc, const ChartEntry& entry, int x, int y) {
  RECT cell = {x, y, x + Metrics.cell_width + 1, y + Metrics.cell_height + 1};
  FrameRect(dc, &cell, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
  wchar_t text[kCellTextSize];
  RECT top = {x, y + CellPad, x + Metrics.cell_width, y + CellPad + LetterLine};
  SelectObject(dc, top_font(entry));
  SetTextColor(dc, RGB(0, 0, 0));
  DrawTextW(dc, text, cell_top(entry, text), &top,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  RECT bottom = {x, top.bottom, x + Metrics.cell_width, top.bottom + SpellingLine};
  SelectObject(dc, SpellingFont);
  SetTextColor(dc, RGB(0, 0, 160));
  DrawTextW(dc, text, cell_bottom(entry, text), &bottom,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void paint(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  FillRect(dc, &paint.rcPaint, GetSysColorBrush(COLOR_WINDOW));
  SetBkMode(dc, TRANSPARENT);
  HGDIOBJ previous = SelectObject(dc, HeadingFont);
  if (Chart.count == 0) {
    SelectObject(dc, SpellingFont);
    TextOutW(dc, Metrics.margin, Metrics.margin, kNoLetters, lstrlenW(kNoLetters));
  }
  int in_section = 0;
  for (int i = 0; i < Chart.count; ++i) {
    const ChartEntry& entry = Chart.entries[i];
    const int s = static_cast<int>(entry.section);
    if (i == 0 || entry.section != Chart.entries[i - 1].section) {
      in_section = 0;
      SelectObject(dc, HeadingFont);
      SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
      wchar_t title[kCellTextSize];
      TextOutW(dc, Metrics.margin, Grid.section_top[s] - ScrollY, title,
               section_title(entry.section, title));
    }
    const int column = in_section % Grid.columns;
    const int row = in_section / Grid.columns;
    ++in_section;
    const int x = Metrics.margin + column * Metrics.cell_width;
    const int y =
        Grid.section_top[s] + Metrics.heading_height + row * Metrics.cell_height - ScrollY;
    if (y > paint.rcPaint.bottom || y + Metrics.cell_height < paint.rcPaint.top) continue;
    draw_cell(dc, entry, x, y);
  }
  SelectObject(dc, previous);
  EndPaint(window, &paint);
}

int scroll_target(WPARAM request) {
  const int line = Metrics.cell_height / 2;
  switch (LOWORD(request)) {
    case SB_LINEUP:
      return ScrollY - line;
    case SB_LINEDOWN:
      return ScrollY + line;
    case SB_PAGEUP:
      return ScrollY - VisibleHeight;
    case SB_PAGEDOWN:
      return ScrollY + VisibleHeight;
    case SB_TOP:
      return 0;
    case SB_BOTTOM:
      return Grid.height;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO scroll = {};
      scroll.cbSize = sizeof scroll;
      scroll.fMask = SIF_TRACKPOS;
      GetScrollInfo(ChartWindow, SB_VERT, &scroll);
      return scroll.nTrackPos;
    }
    default:
      return ScrollY;
  }
}

// The keys that scroll, as the scroll bar's requests.
struct ScrollKey {
  WPARAM key;
  WORD request;
};
constexpr ScrollKey kScrollKeys[] = {{VK_UP, SB_LINEUP},    {VK_DOWN, SB_LINEDOWN},
                                     {VK_PRIOR, SB_PAGEUP}, {VK_NEXT, SB_PAGEDOWN},
                                     {VK_HOME, SB_TOP},     {VK_END, SB_BOTTOM}};

LRESULT CALLBACK key_chart_proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      paint(window);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_VSCROLL:
      set_scroll(scroll_target(wParam));
      return 0;
    case WM_MOUSEWHEEL:
      set_scroll(ScrollY - GET_WHEEL_DELTA_WPARAM(wParam) * Metrics.cell_height / WHEEL_DELTA);
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE) {
        DestroyWindow(window);
        return 0;
      }
      for (const ScrollKey& key : kScrollKeys) {
        if (key.key != wParam) continue;
        set_scroll(scroll_target(key.request));
        return 0;
      }
      return DefWindowProcW(window, message, wParam, lParam);
    case WM_DESTROY:
      ChartWindow = nullptr;
      delete_fonts();
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

HWND KeyChartWindow() { return ChartWindow; }

void ShowKeyChart() {
  if (ChartWindow) {
    if (IsIconic(ChartWindow)) ShowWindow(ChartWindow, SW_RESTORE);
    SetForegroundWindow(ChartWindow);
    return;
  }
  WNDCLASSW window_class = {};
  window_class.lpfnWndProc = key_chart_proc;
  window_class.hInstance = Instance;
  window_class.hIcon = OffIcon;
  window_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  window_class.lpszClassName = kKeyChartClass;
  RegisterClassW(&window_class);
  ChartWindow = CreateWindowExW(kExStyle, kKeyChartClass, L"Key chart", kStyle, CW_USEDEFAULT, 0,
                                100, 100, nullptr, nullptr, Instance, nullptr);
  if (!ChartWindow) {
    set_error_text("The key chart window could not be made: CreateWindowEx, GetLastError %lu\n",
                   static_cast<unsigned long>(GetLastError()));
    ShowBox(MainWindow, ErrorText, "ERROR", MB_ICONEXCLAMATION);
    return;
  }
  const int fonts = make_fonts();
  if (!fonts) set_error_text("The key chart's fonts could not be made.\n");
  if (!fonts || !show_chart(true)) {
    DestroyWindow(ChartWindow);
    ShowBox(MainWindow, ErrorText, "ERROR", MB_ICONEXCLAMATION);
    return;
  }
  ShowWindow(ChartWindow, SW_SHOW);
  SetForegroundWindow(ChartWindow);
}

void RefreshKeyChart() {
  if (!ChartWindow) return;
  if (!show_chart(false)) {
    DestroyWindow(ChartWindow);
    ShowBox(MainWindow, ErrorText, "ERROR", MB_ICONEXCLAMATION);
  }
}
