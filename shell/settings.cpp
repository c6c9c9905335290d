#include "shell/settings.h"

#include <windows.h>

#include <cstdio>

#include "shell/hook_messages.h"

void ReadSendMethod(const char* settings_file) {
  UseJournalPBH = static_cast<int>(
      GetPrivateProfileIntA("Settings", "UseJournalPBH", UseJournalPBH, settings_file));
}

void WriteSendMethod(const char* settings_file) {
  char value[16];
  std::snprintf(value, sizeof value, "%d", UseJournalPBH);
  WritePrivateProfileStringA("Settings", "UseJournalPBH", value, settings_file);
}
