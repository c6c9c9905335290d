#include "core/ucode_table.h"

#include <cstring>

#include "core/letter_composer.h"

// Codes 0x01-0x70 (but 0x3B) are the low byte of the Devanagari code point
// U+0900 + code; 0x3B and the custom units are codes of our own.
const UcodeRow UcodeTable[kUcodeTableRows] = {
    {0x01, "C_BINDU"}, {0x02, "ANUSVARA"}, {0x03, "VISARGA"}, {0x05, "A"}, {0x06, "AA"},
    {0x07, "I"}, {0x08, "II"}, {0x09, "U"}, {0x0A, "UU"}, {0x0B, "V_R"}, {0x0C, "V_L"},
    {0x0D, "C_E"}, {0x0E, "S_E"}, {0x0F, "E"}, {0x10, "AI"}, {0x11, "C_O"}, {0x12, "S_O"},
    {0x13, "O"}, {0x14, "AU"}, {0x15, "KA"}, {0x16, "KHA"}, {0x17, "GA"}, {0x18, "GHA"},
    {0x19, "NGA"}, {0x1A, "CA"}, {0x1B, "CHA"}, {0x1C, "JA"}, {0x1D, "JHA"}, {0x1E, "NYA"},
    {0x1F, "TTA"}, {0x20, "TTHA"}, {0x21, "DDA"}, {0x22, "DDHA"}, {0x23, "NNA"}, {0x24, "TA"},
    {0x25, "THA"}, {0x26, "DA"}, {0x27, "DHA"}, {0x28, "NA"}, {0x29, "NNNA"}, {0x2A, "PA"},
    {0x2B, "PHA"}, {0x2C, "BA"}, {0x2D, "BHA"}, {0x2E, "MA"}, {0x2F, "YA"}, {0x30, "RA"},
    {0x31, "RRA"}, {0x32, "LA"}, {0x33, "LLA"}, {0x34, "LLLA"}, {0x35, "VA"}, {0x36, "SHA"},
    {0x37, "SSA"}, {0x38, "SA"}, {0x39, "HA"}, {0x3B, "NON_JOINER"}, {0x3C, "NUKTA"},
    {0x3D, "AVAGRAHA"}, {0x3E, "D_AA"}, {0x3F, "D_I"}, {0x40, "D_II"}, {0x41, "D_U"},
    {0x42, "D_UU"}, {0x43, "D_V_R"}, {0x44, "D_V_RR"}, {0x45, "D_C_E"}, {0x46, "D_S_E"},
    {0x47, "D_E"}, {0x48, "D_AI"}, {0x49, "D_C_O"}, {0x4A, "D_S_O"}, {0x4B, "D_O"},
    {0x4C, "D_AU"}, {0x4D, "VIRAMA"}, {0x50, "OM"}, {0x51, "UDATTA"}, {0x52, "ANUDATTA"},
    {0x53, "GRAVE"}, {0x54, "ACUTE"}, {0x58, "QA"}, {0x59, "KHHA"}, {0x5A, "GHHA"},
    {0x5B, "ZA"}, {0x5C, "DDDHA"}, {0x5D, "RHA"}, {0x5E, "FA"}, {0x5F, "YYA"}, {0x60, "V_RR"},
    {0x61, "V_LL"}, {0x62, "D_V_L"}, {0x63, "D_V_LL"}, {0x64, "DANDA"}, {0x65, "DOUBLE_DANDA"},
    {0x66, "ZERO"}, {0x67, "ONE"}, {0x68, "TWO"}, {0x69, "THREE"}, {0x6A, "FOUR"},
    {0x6B, "FIVE"}, {0x6C, "SIX"}, {0x6D, "SEVEN"}, {0x6E, "EIGHT"}, {0x6F, "NINE"},
    {0x70, "ABBREV"}, {0x71, "CUSTOM1"}, {0x72, "CUSTOM2"}, {0x73, "CUSTOM3"},
    {0x74, "CUSTOM4"}, {0x75, "CUSTOM5"}, {0x76, "CUSTOM6"}, {0x77, "CUSTOM7"},
    {0x78, "CUSTOM8"}, {0x79, "CUSTOM9"},
    {0x00, ""},
};

std::int32_t UcodeIndex[kUcodeIndexSize];
std::int32_t UcodeIndexBuilt = 0;

namespace {

constexpr std::size_t kUcodeNameLength = sizeof(UcodeRow::name);

// A row's name may fill all 16 bytes without a terminator: never read past.
std::size_t row_name_length(const UcodeRow& row) {
  const void* end = std::memchr(row.name, '\0', kUcodeNameLength);
  if (end == nullptr) return kUcodeNameLength;
  return static_cast<std::size_t>(static_cast<const char*>(end) - row.name);
}

}  // namespace

int ucode_build_index(const UcodeRow* table, std::int32_t index[kUcodeIndexSize]) {
  for (int code = 0; code < kUcodeIndexSize; ++code) index[code] = -1;
  for (std::int32_t row = 0; table[row].name[0] != '\0'; ++row) {
    const unsigned char code = table[row].code;
    if (code >= kUcodeIndexSize || index[code] != -1) return 0;
    index[code] = row;
  }
  return 1;
}

int ucode_init() {
  letter_reset();
  if (UcodeIndexBuilt == 1) return 1;
  UcodeIndexBuilt = 1;
  return ucode_build_index(UcodeTable, UcodeIndex);
}

int ucode_by_name(unsigned char* code, const char* name) {
  if (code == nullptr || name == nullptr) return 0;
  for (const UcodeRow* row = UcodeTable; row->name[0] != '\0'; ++row) {
    const std::size_t length = row_name_length(*row);
    // strncmp stops at a shorter name's terminator, so name[length] is only
    // read when the name is at least that long.
    if (std::strncmp(row->name, name, length) == 0 && name[length] == '\0') {
      *code = row->code;
      return 1;
    }
  }
  return 0;
}

int ucode_name(char* name, unsigned int code) {
  const unsigned int low = code & 0xFFu;
  if (low == 0 || low >= kUcodeIndexSize) return 0;
  if (name != nullptr) name[0] = '\0';
  const std::int32_t row = UcodeIndex[low];
  // The index is ours, but a row number outside the table must not be read.
  if (row < 0 || row >= kUcodeTableRows - 1 || UcodeTable[row].code != low) return 0;
  if (name != nullptr) {
    const std::size_t length = row_name_length(UcodeTable[row]);
    std::memcpy(name, UcodeTable[row].name, length);
    name[length] = '\0';
  }
  return 1;
}
