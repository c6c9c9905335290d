// What each setting of the settings file may hold. The file is text that
// anyone can edit (or damage), so a value is taken only when it is exactly
// one of the setting's values, written as Tolvar writes it: a wrapped, signed
// or half-read number could otherwise pick a send method nobody chose.
#pragma once
#include <array>
#include <cstddef>
#include <string_view>

struct SettingRule {
  const char* key;   // the name in section "Settings"
  int highest;       // the values are 0..highest
  int fallback;      // taken for a value the rule refuses
  const char* what;  // the fallback's meaning, for the message
};

// UseJournalPBH: 0 keyboard events, 1 journal playback, 2 Unicode input.
// Output: 0 font codes, 1 Unicode text.
// SuggestWords: 0 the exact keys, 1 suggest words.
constexpr std::array<SettingRule, 3> kSettingRules{{
    {"UseJournalPBH", 2, 2, "Unicode input"},
    {"Output", 1, 0, "font codes"},
    {"SuggestWords", 1, 0, "the exact keys"},
}};
constexpr std::size_t kSendMethodRule = 0;
constexpr std::size_t kOutputRule = 1;
constexpr std::size_t kSuggestRule = 2;

// A value longer than this is refused whatever it holds.
constexpr std::size_t kSettingTextMax = 40;

// `text` as the rule's value into *value: 1 when it is one decimal digit
// within 0..highest, else 0 and *value unchanged.
int parse_setting_value(const SettingRule& rule, std::string_view text, int* value);

// Appends to `out` (`size` bytes, always terminated) the line that reports a
// refused value: the file, the key, the value as found (control characters
// shown as '?', cut at kSettingTextMax with "..."), and what is used instead.
void describe_refused_setting(char* out, std::size_t size, const char* file, const SettingRule& rule,
                              std::string_view text);

// Language: the display name of a shipped language; empty (or missing) for
// the default. A name that no shipped language has gives the default.
constexpr char kLanguageKey[] = "Language";
// Appends to `out` the line that reports a Language value naming no shipped
// language, shown as describe_refused_setting shows a value.
void describe_refused_language(char* out, std::size_t size, const char* file, std::string_view text,
                               const char* default_name);
