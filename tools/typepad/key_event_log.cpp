#include "tools/typepad/key_event_log.h"

#include <cinttypes>

namespace typepad {

void key_event_log_clear(KeyEventLog &log) {
  log.count = 0;
  log.dropped = 0;
}

int key_event_log_add(KeyEventLog &log, const KeyEvent &event) {
  if (log.count == log.events.size()) {
    ++log.dropped;
    return 0;
  }
  log.events[log.count++] = event;
  return 1;
}

const char *key_message_name(std::uint32_t message, char (&unknown)[16]) {
  switch (message) {
    case wm_keydown:
      return "WM_KEYDOWN";
    case wm_keyup:
      return "WM_KEYUP";
    case wm_char:
      return "WM_CHAR";
    case wm_deadchar:
      return "WM_DEADCHAR";
    case wm_syskeydown:
      return "WM_SYSKEYDOWN";
    case wm_syskeyup:
      return "WM_SYSKEYUP";
    case wm_syschar:
      return "WM_SYSCHAR";
    case wm_sysdeadchar:
      return "WM_SYSDEADCHAR";
    case composed_char_event:
      return "ALTNUM";
  }
  std::snprintf(unknown, sizeof unknown, "0x%" PRIX32, message);
  return unknown;
}

int key_event_log_write(const KeyEventLog &log, std::FILE *file) {
  char unknown[16];
  if (std::fputs("# tick_ms counter_us message wparam lparam\n", file) < 0) return 0;
  for (std::size_t i = 0; i < log.count; ++i) {
    const KeyEvent &event = log.events[i];
    if (std::fprintf(file, "%" PRIu32 " %" PRIu64 " %s 0x%02" PRIX32 " 0x%08" PRIX32 "\n",
                     event.tick_ms, event.counter_us, key_message_name(event.message, unknown),
                     event.wparam, event.lparam) < 0)
      return 0;
  }
  if (log.dropped &&
      std::fprintf(file, "# dropped %" PRIu64 "\n", static_cast<std::uint64_t>(log.dropped)) < 0)
    return 0;
  return 1;
}

}  // namespace typepad
