// The one setting: the send method, section "Settings", key "UseJournalPBH".
#pragma once

// Named without a directory: the profile functions keep it in the Windows directory.
constexpr char kSettingsFile[] = "tolvar.ini";

// UseJournalPBH from `settings_file`; a missing file or key keeps the present value.
void ReadSendMethod(const char* settings_file);
// UseJournalPBH written back as decimal text.
void WriteSendMethod(const char* settings_file);
