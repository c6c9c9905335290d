#include "encoding/encoding_table.h"

#include <cstring>

#include "core/error_text.h"
#include "langfile/file_lines.h"

EncodingTable LiveEncodingTable;
EncodingTable StagingEncodingTable;

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

constexpr int kColumns = 7;

// Splits at `separator` into at most `max` parts; returns how many there
// were (more than `max` when the text has more).
template <std::size_t N>
int split(std::string_view text, char separator, std::array<std::string_view, N>& parts) {
  int count = 0;
  while (true) {
    const std::size_t end = text.find(separator);
    if (count < static_cast<int>(N)) parts[static_cast<std::size_t>(count)] = text.substr(0, end);
    ++count;
    if (end == std::string_view::npos) return count;
    text.remove_prefix(end + 1);
  }
}

// UTF-8 into `out`: 0 for invalid UTF-8, text outside the Basic Multilingual
// Plane, or more than kGlyphTextMax code points.
int read_glyph_text(std::string_view utf8, GlyphText& out) {
  out.length = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    const int extra = b < 0x80 ? 0 : (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : -1;
    if (extra < 0 || i + static_cast<std::size_t>(extra) >= utf8.size() + (extra == 0)) return 0;
    std::uint32_t c = extra == 0 ? b : extra == 1 ? (b & 0x1Fu) : (b & 0x0Fu);
    for (int k = 1; k <= extra; ++k) {
      const auto t = static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]);
      if ((t & 0xC0) != 0x80) return 0;
      c = (c << 6) | (t & 0x3Fu);
    }
    const std::uint32_t shortest[] = {0, 0x80, 0x800};
    if (c < shortest[extra] || (c >= 0xD800 && c <= 0xDFFF)) return 0;
    if (out.length == kGlyphTextMax) return 0;
    out.units[out.length++] = static_cast<char16_t>(c);
    i += static_cast<std::size_t>(extra) + 1;
  }
  return 1;
}

// A column of a long line is cut in the message, so that the message (and
// the file's name after it) still fits ErrorText whole, line feed included.
constexpr std::size_t kDetailShown = 200;

int fail(int line_number, const char* what, std::string_view detail) {
  const bool cut = detail.size() > kDetailShown;
  set_error_text("line %d: %s%.*s%s%s\n", line_number, what,
                 static_cast<int>(cut ? kDetailShown : detail.size()), detail.data(),
                 cut ? "..." : "", detail.empty() ? "" : "'");
  return 0;
}

int read_code(std::string_view text, int* code) {
  std::string_view digits = text;
  if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) digits.remove_prefix(2);
  if (digits.empty() || digits.size() > 2) return 0;
  int value = 0;
  for (char c : digits) {
    const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10
                      : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
    if (digit < 0) return 0;
    value = value * 16 + digit;
  }
  *code = value;
  return 1;
}

// after=X:Y,X:Y, adding to the pairs that earlier after= items of the line
// gave. 1 = read; 0 with ErrorText.
int read_compositions(std::string_view list, std::string_view traits, EncodingEntry& entry,
                      int line_number) {
  std::array<std::string_view, kCompositionsMax> pairs;
  const int count = split(list, ',', pairs);
  static_assert(kCompositionsMax == 8, "the message below names the limit");
  if (entry.composition_count + count > kCompositionsMax)
    return fail(line_number, "more than 8 after= pairs in '", traits);
  for (int k = 0; k < count; ++k) {
    const std::string_view pair = pairs[static_cast<std::size_t>(k)];
    const std::size_t colon = pair.find(':');
    Composition& c = entry.compositions[entry.composition_count++];
    // An empty letter is allowed: after the stem it drops the virama.
    if (colon == std::string_view::npos || colon == 0 || !read_glyph_text(pair.substr(0, colon), c.first) ||
        !read_glyph_text(pair.substr(colon + 1), c.letter))
      return fail(line_number, "bad after= pair (X:Y, each up to 8 characters) in '", traits);
  }
  return 1;
}

// 1 = read; 0 with ErrorText.
int read_traits(std::string_view traits, EncodingEntry& entry, int line_number) {
  if (traits == "-") return 1;
  for (std::string_view rest = traits; !rest.empty();) {
    const std::size_t end = rest.find(' ');
    const std::string_view item = rest.substr(0, end);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    if (item.empty()) continue;
    if (item == "marks=right") {
      entry.marks = StemClass::kRight;
    } else if (item == "marks=centre") {
      entry.marks = StemClass::kCentre;
    } else if (item == "marks=mid") {
      entry.marks = StemClass::kMid;
    } else if (item.substr(0, 2) == "i=" && item.size() - 2 < kILengthSize) {
      std::memset(entry.i_length, 0, sizeof entry.i_length);
      item.substr(2).copy(entry.i_length, kILengthSize - 1);
    } else if (item.substr(0, 6) == "after=") {
      if (!read_compositions(item.substr(6), traits, entry, line_number)) return 0;
    } else {
      return fail(line_number, "unknown trait in '", traits);
    }
  }
  return 1;
}

// The columns' names, for messages about a byte in one of them.
constexpr const char* kColumnNames[kColumns] = {"code", "name", "text", "class",
                                                "placement", "traits", "draw"};

// A control character (a NUL among them, or one of U+0080..U+009F, which
// programs take as commands too) is typed as it stands in a text and means
// nothing in the other columns: the line is refused, naming it.
int refuse_control_characters(std::string_view line, int line_number) {
  int column = 0;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const auto byte = static_cast<unsigned char>(line[i]);
    const char* column_name = column < kColumns ? kColumnNames[column] : "beyond the last";
    if (byte == '\t') {
      ++column;
    } else if (byte < 0x20 || byte == 0x7F) {
      set_error_text("line %d: control character 0x%02X in column %d (%s)\n", line_number, byte,
                     column + 1, column_name);
      return 0;
    } else if (byte == 0xC2 && i + 1 < line.size() && static_cast<unsigned char>(line[i + 1]) < 0xA0 &&
               static_cast<unsigned char>(line[i + 1]) >= 0x80) {
      set_error_text("line %d: control character U+%04X in column %d (%s)\n", line_number,
                     static_cast<unsigned char>(line[i + 1]), column + 1, column_name);
      return 0;
    }
  }
  return 1;
}

}  // namespace

void clear_encoding_table(EncodingTable* table) { *table = EncodingTable{}; }

int read_encoding_line(EncodingTable* table, std::string_view line, int line_number) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  if (line.empty() || line.front() == '#') return 1;
  if (!refuse_control_characters(line, line_number)) return 0;
  std::array<std::string_view, kColumns> cols;
  const int columns = split(line, '\t', cols);
  if (columns != kColumns) {
    set_error_text("line %d: expected 7 columns separated by tabs, got %d\n", line_number, columns);
    return 0;
  }
  int code = 0;
  if (!read_code(cols[0], &code)) return fail(line_number, "bad byte code '", cols[0]);
  EncodingEntry& entry = table->entries[static_cast<std::size_t>(code)];
  if (entry.present) {
    set_error_text("line %d: byte code %.*s given twice\n", line_number,
                   static_cast<int>(cols[0].size()), cols[0].data());
    return 0;
  }
  entry = EncodingEntry{};
  if (cols[1].size() >= kGlyphNameSize) return fail(line_number, "name too long '", cols[1]);
  cols[1].copy(entry.name, kGlyphNameSize - 1);
  if (cols[2].empty()) return fail(line_number, "empty text", "");
  if (!read_glyph_text(cols[2], entry.text))
    return fail(line_number, "text not up to 8 characters of UTF-8 below U+10000 '", cols[2]);
  bool known = false;
  for (const NamedClass& named : kClasses) {
    if (named.word == cols[3]) {
      entry.cls = named.cls;
      known = true;
    }
  }
  if (!known) return fail(line_number, "unknown class '", cols[3]);
  if (cols[4] == "base") entry.placement = Placement::kBase;
  else if (cols[4] == "mark") entry.placement = Placement::kMark;
  else if (cols[4] == "PREPEND") entry.placement = Placement::kPrepend;
  else if (cols[4] == "APPEND") entry.placement = Placement::kAppend;
  else return fail(line_number, "unknown placement '", cols[4]);
  if (!read_traits(cols[5], entry, line_number)) return 0;
  // A conversion's output is bounded by kGlyphTextMax per glyph only when no
  // composition grows the text by more.
  for (int k = 0; k < entry.composition_count; ++k) {
    const Composition& c = entry.compositions[k];
    if (c.letter.length - c.first.length + entry.text.length - 1 > kGlyphTextMax)
      return fail(line_number, "composed letter too long in '", cols[5]);
  }
  entry.present = true;
  ++table->entry_count;
  return 1;
}

int read_encoding_table(std::string_view text, EncodingTable* table) {
  clear_encoding_table(table);
  if (text.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark)
    text.remove_prefix(kUtf8ByteOrderMark.size());
  int line_number = 0;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    if (!read_encoding_line(table, text.substr(0, end), ++line_number)) return 0;
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  return 1;
}

int glyph_text_utf8(const GlyphText& text, char* out) {
  int n = 0;
  for (int i = 0; i < text.length; ++i) {
    const char16_t c = text.units[i];
    if (c < 0x80) {
      out[n++] = static_cast<char>(c);
    } else if (c < 0x800) {
      out[n++] = static_cast<char>(0xC0 | (c >> 6));
      out[n++] = static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out[n++] = static_cast<char>(0xE0 | (c >> 12));
      out[n++] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out[n++] = static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  out[n] = '\0';
  return n;
}
