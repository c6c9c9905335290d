// The panel inside the main window at the DPI this process started with:
// the client area is exactly the panel, and each control holds its text.
// layout_test.sh runs these cases at 96, 120 and 144 DPI and takes a
// screenshot of each.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "shell/file_selection.h"
#include "shell/resource_ids.h"
#include "shell/shell_state.h"
#include "tests/shell/shell_window_support.h"

namespace {

class PanelLayoutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetShellWindows();
    LoadTestLanguage("Vedrokan.gkf");
    DisplayFiles();
  }
};

std::string describe(const RECT& rect) {
  return "(" + std::to_string(rect.left) + "," + std::to_string(rect.top) + ")-(" +
         std::to_string(rect.right) + "," + std::to_string(rect.bottom) + ")";
}

bool inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

RECT client_on_screen(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
  return client;
}

struct Measured {
  SIZE text;
  LONG average_width;
};

// `text` in the control's own font, as the control draws it.
Measured measure(HWND control, const char* text) {
  Measured measured = {};
  HDC dc = GetDC(control);
  HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0));
  HGDIOBJ previous = SelectObject(dc, font ? font : GetStockObject(SYSTEM_FONT));
  GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &measured.text);
  TEXTMETRICA metrics;
  GetTextMetricsA(dc, &metrics);
  measured.average_width = metrics.tmAveCharWidth;
  SelectObject(dc, previous);
  ReleaseDC(control, dc);
  return measured;
}

// Room the control leaves for its text beside what it draws itself.
SIZE text_room(HWND control, int id, const Measured& measured) {
  RECT client;
  GetClientRect(control, &client);
  SIZE room = {client.right, client.bottom};
  if (id == IDC_KEYBOARD_CHECK) {
    // The mark, the gap after it and the focus rectangle around the text.
    room.cx -= GetSystemMetrics(SM_CXMENUCHECK) + measured.average_width;
  } else if (id == IDC_FILE_LIST) {
    // The drop-down button, the edges and the selection's margins.
    room.cx -= GetSystemMetrics(SM_CXVSCROLL) + 2 * GetSystemMetrics(SM_CXEDGE) + 2;
  } else {
    char name[16] = "";
    GetClassNameA(control, name, sizeof name);
    // A group box's caption sits on its top line, indented from both ends.
    if (std::strcmp(name, "Button") == 0) room.cx -= 2 * measured.average_width;
  }
  return room;
}

BOOL CALLBACK check_control_text(HWND control, LPARAM) {
  int id = GetDlgCtrlID(control);
  char text[300] = "";
  if (id == IDC_STATUS_ICON) return TRUE;
  if (id == IDC_FILE_LIST) {
    LRESULT index = SendMessageA(control, CB_GETCURSEL, 0, 0);
    EXPECT_NE(CB_ERR, index) << "the current file is selected in the list";
    if (index != CB_ERR) SendMessageA(control, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
  } else {
    GetWindowTextA(control, text, sizeof text);
  }
  if (!text[0]) return TRUE;
  Measured measured = measure(control, text);
  SIZE room = text_room(control, id, measured);
  EXPECT_LE(measured.text.cx, room.cx)
      << "\"" << text << "\" is wider than its control (id " << id << ")";
  EXPECT_LE(measured.text.cy, room.cy)
      << "\"" << text << "\" is taller than its control (id " << id << ")";
  return TRUE;
}

BOOL CALLBACK check_control_inside(HWND control, LPARAM data) {
  const RECT& client = *reinterpret_cast<const RECT*>(data);
  RECT rect;
  GetWindowRect(control, &rect);
  EXPECT_TRUE(inside(rect, client))
      << "control " << GetDlgCtrlID(control) << " at " << describe(rect)
      << " is clipped by the client area " << describe(client);
  return TRUE;
}

// Keeps the windows up and painted while the flag file named by
// TOLVAR_LAYOUT_HOLD exists (the script removes it once it has taken the
// screenshot), at most 30 seconds.
void hold_for_screenshot() {
  const char* flag_path = std::getenv("TOLVAR_LAYOUT_HOLD");
  if (!flag_path || !flag_path[0]) return;
  RedrawWindow(MainWindow, nullptr, nullptr,
               RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  HANDLE flag = CreateFileA(flag_path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, flag) << flag_path;
  CloseHandle(flag);
  DWORD start = GetTickCount();
  while (GetFileAttributesA(flag_path) != INVALID_FILE_ATTRIBUTES &&
         GetTickCount() - start < 30000) {
    PumpMessages(50);
  }
}

}  // namespace

TEST_F(PanelLayoutTest, TheClientAreaIsThePanelAndHoldsEveryControl) {
  RECT client = client_on_screen(MainWindow);
  RECT panel;
  GetWindowRect(Panel, &panel);
  EXPECT_EQ(describe(panel), describe(client)) << "the panel fills the client area exactly";
  EnumChildWindows(Panel, check_control_inside, reinterpret_cast<LPARAM>(&client));
}

TEST_F(PanelLayoutTest, EveryControlHoldsItsText) {
  EnumChildWindows(Panel, check_control_text, 0);
  hold_for_screenshot();
}
