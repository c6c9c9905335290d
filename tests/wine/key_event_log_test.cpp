#include "tools/typepad/key_event_log.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

std::unique_ptr<typepad::KeyEventLog> fresh_log() {
  auto log = std::make_unique<typepad::KeyEventLog>();
  typepad::key_event_log_clear(*log);
  return log;
}

std::string written(const typepad::KeyEventLog &log) {
  std::FILE *file = std::tmpfile();
  EXPECT_NE(file, nullptr);
  EXPECT_EQ(typepad::key_event_log_write(log, file), 1);
  std::rewind(file);
  std::string text;
  int c;
  while ((c = std::fgetc(file)) != EOF) text += static_cast<char>(c);
  std::fclose(file);
  return text;
}

TEST(KeyEventLog, LinesCarryTimesMessageNameAndParameters) {
  auto log = fresh_log();
  typepad::key_event_log_add(*log, {5391021, 5391021377ull, typepad::wm_keydown, 0x41, 0x001E0001});
  typepad::key_event_log_add(*log, {5391022, 5391022000ull, typepad::composed_char_event, 0xE9, 0});
  typepad::key_event_log_add(*log, {5391023, 5391023000ull, 0x0118, 1, 2});
  EXPECT_EQ(written(*log),
            "# tick_ms counter_us message wparam lparam\n"
            "5391021 5391021377 WM_KEYDOWN 0x41 0x001E0001\n"
            "5391022 5391022000 ALTNUM 0xE9 0x00000000\n"
            "5391023 5391023000 0x118 0x01 0x00000002\n");
}

TEST(KeyEventLog, FullLogDropsAndSaysHowMany) {
  auto log = fresh_log();
  log->count = log->events.size();
  EXPECT_EQ(typepad::key_event_log_add(*log, {1, 1, typepad::wm_char, 0x61, 0}), 0);
  EXPECT_EQ(typepad::key_event_log_add(*log, {2, 2, typepad::wm_char, 0x62, 0}), 0);
  EXPECT_EQ(log->dropped, 2u);
  log->count = 0;
  const std::string text = written(*log);
  EXPECT_NE(text.find("# dropped 2\n"), std::string::npos) << "got: " << text;
}

}  // namespace
