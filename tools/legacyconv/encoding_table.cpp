#include "tools/legacyconv/encoding_table.h"

#include <cstdlib>
#include <vector>

namespace {

struct NamedClass {
  std::string_view word;
  GlyphClass cls;
};

constexpr std::array<NamedClass, 13> kClasses = {{
    {"vowel", GlyphClass::kVowel},   {"consonant", GlyphClass::kConsonant},
    {"virama", GlyphClass::kVirama}, {"half", GlyphClass::kHalf},
    {"ligature", GlyphClass::kLigature}, {"reph", GlyphClass::kReph},
    {"rakar", GlyphClass::kRakar},   {"halant", GlyphClass::kHalant},
    {"matra", GlyphClass::kMatra},   {"sign", GlyphClass::kSign},
    {"digit", GlyphClass::kDigit},   {"punct", GlyphClass::kPunct},
    {"joiner", GlyphClass::kJoiner},
}};

std::vector<std::string_view> split(std::string_view line, char separator) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = line.find(separator, start);
    if (end == std::string_view::npos) {
      parts.push_back(line.substr(start));
      return parts;
    }
    parts.push_back(line.substr(start, end - start));
    start = end + 1;
  }
}

int fail(std::string& error, int line_number, const std::string& what) {
  error = "line " + std::to_string(line_number) + ": " + what;
  return 0;
}

int read_traits(std::string_view traits, EncodingEntry& entry) {
  if (traits == "-") return 1;
  for (std::string_view item : split(traits, ' ')) {
    if (item.empty()) continue;
    if (item == "marks=right") entry.marks = StemClass::kRight;
    else if (item == "marks=centre") entry.marks = StemClass::kCentre;
    else if (item == "marks=mid") entry.marks = StemClass::kMid;
    else if (item.substr(0, 2) == "i=") entry.i_length = std::string(item.substr(2));
    else if (item.substr(0, 6) == "after=") {
      // after=X:Y,X:Y
      for (std::string_view pair : split(item.substr(6), ',')) {
        const std::size_t colon = pair.find(':');
        if (colon == std::string_view::npos || colon == 0 || colon + 1 == pair.size()) return 0;
        entry.after.emplace_back(std::string(pair.substr(0, colon)), std::string(pair.substr(colon + 1)));
      }
    } else return 0;
  }
  return 1;
}

}  // namespace

int read_encoding_table(std::string_view text, EncodingTable& table, std::string& error) {
  table = EncodingTable{};
  int line_number = 0;
  for (std::string_view line : split(text, '\n')) {
    ++line_number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == '#') continue;
    const std::vector<std::string_view> cols = split(line, '\t');
    if (cols.size() != 7) return fail(error, line_number, "expected 7 columns separated by tabs");
    const std::string code_text(cols[0]);
    char* end = nullptr;
    const long code = std::strtol(code_text.c_str(), &end, 16);
    if (code_text.empty() || *end != '\0' || code < 0 || code > 255)
      return fail(error, line_number, "bad byte code '" + code_text + "'");
    EncodingEntry& entry = table.entries[static_cast<std::size_t>(code)];
    if (entry.present) return fail(error, line_number, "byte code " + code_text + " given twice");
    entry.present = true;
    entry.name = std::string(cols[1]);
    entry.text = std::string(cols[2]);
    if (entry.text.empty()) return fail(error, line_number, "empty text");
    bool known = false;
    for (const NamedClass& named : kClasses) {
      if (named.word == cols[3]) {
        entry.cls = named.cls;
        known = true;
      }
    }
    if (!known) return fail(error, line_number, "unknown class '" + std::string(cols[3]) + "'");
    if (cols[4] == "base") entry.placement = Placement::kBase;
    else if (cols[4] == "mark") entry.placement = Placement::kMark;
    else if (cols[4] == "PREPEND") entry.placement = Placement::kPrepend;
    else if (cols[4] == "APPEND") entry.placement = Placement::kAppend;
    else return fail(error, line_number, "unknown placement '" + std::string(cols[4]) + "'");
    if (!read_traits(cols[5], entry))
      return fail(error, line_number, "unknown trait in '" + std::string(cols[5]) + "'");
  }
  return 1;
}
