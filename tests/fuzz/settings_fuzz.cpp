// Fuzz target: arbitrary bytes as the value of each setting, read and, when
// refused, described into a report of every size.
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "shell/settings_values.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using fuzz::require;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  for (const SettingRule& rule : kSettingRules) {
    int value = -1;
    if (parse_setting_value(rule, text, &value)) {
      require(value >= 0 && value <= rule.highest);
      continue;
    }
    require(value == -1);
    // The report goes behind what is already there, in a buffer exactly as
    // large as its size says, so a write past it is caught.
    for (std::size_t room : {std::size_t{1}, std::size_t{16}, std::size_t{64}, std::size_t{400}}) {
      std::vector<char> out(room, '\0');
      if (room > 8) std::memcpy(out.data(), "earlier\n", 9);
      describe_refused_setting(out.data(), room,
                               "C:\\Users\\u\\AppData\\Roaming\\Tolvar\\tolvar.ini", rule, text);
      require(std::memchr(out.data(), '\0', room) != nullptr);
    }
  }
  return 0;
}
