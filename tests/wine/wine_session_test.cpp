// The Wine session the Windows tests run in: warm, configured and with a
// display, so that window tests are fast and deterministic.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstring>

TEST(WineSession, KeeperWindowKeepsTheSessionWarm) {
  EXPECT_NE(FindWindowA("TolvarWineKeeper", nullptr), nullptr)
      << "expected the hidden keeper window of the session to exist, found none";
}

TEST(WineSession, WindowsAreNotWaitingForAWindowManager) {
  char value[8] = "";
  DWORD size = sizeof value;
  LONG status = RegGetValueA(HKEY_CURRENT_USER, "Software\\Wine\\X11 Driver", "Managed",
                             RRF_RT_REG_SZ, nullptr, value, &size);
  ASSERT_EQ(status, ERROR_SUCCESS) << "expected the X11 Driver value Managed to be set";
  EXPECT_STREQ(value, "N") << "expected Managed = N, found " << value;
}

static LRESULT CALLBACK PlainWndProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return DefWindowProcA(window, message, wparam, lparam);
}

TEST(WineSession, ShownWindowTakesTheFocus) {
  WNDCLASSA window_class = {};
  window_class.lpfnWndProc = PlainWndProc;
  window_class.hInstance = GetModuleHandleA(nullptr);
  window_class.lpszClassName = "TolvarSessionProbe";
  ASSERT_NE(RegisterClassA(&window_class), 0) << "RegisterClassA failed: " << GetLastError();
  HWND window = CreateWindowExA(0, "TolvarSessionProbe", "probe", WS_OVERLAPPEDWINDOW, 0, 0, 200,
                                100, nullptr, nullptr, window_class.hInstance, nullptr);
  ASSERT_NE(window, nullptr) << "CreateWindowExA failed: " << GetLastError();
  ShowWindow(window, SW_SHOW);
  SetForegroundWindow(window);
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  EXPECT_EQ(GetForegroundWindow(), window) << "expected the shown window in front";
  EXPECT_EQ(GetFocus(), window) << "expected the shown window to have the keyboard focus";
  DestroyWindow(window);
}

TEST(WineSession, BackslashAndDriveLetterPathsReachTheBuildTree) {
  char folder[MAX_PATH];
  DWORD length = GetTempPathA(sizeof folder, folder);
  ASSERT_GT(length, 0u) << "GetTempPathA failed: " << GetLastError();
  ASSERT_LT(length, sizeof folder - 20);
  EXPECT_EQ(folder[1], ':') << "expected a drive letter path, got " << folder;
  char path[MAX_PATH];
  std::snprintf(path, sizeof path, "%stolvar_path_probe.txt", folder);
  FILE *file = std::fopen(path, "wb");
  ASSERT_NE(file, nullptr) << "could not create " << path;
  std::fputs("probe", file);
  std::fclose(file);
  for (char *c = path; *c; ++c)
    if (*c == '\\') *c = '/';
  file = std::fopen(path, "rb");
  ASSERT_NE(file, nullptr) << "could not reopen with forward slashes: " << path;
  char text[8] = "";
  std::fgets(text, sizeof text, file);
  std::fclose(file);
  EXPECT_STREQ(text, "probe");
  EXPECT_NE(DeleteFileA(path), 0) << "DeleteFileA failed: " << GetLastError();
}
