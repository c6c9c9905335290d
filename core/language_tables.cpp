#include "core/language_tables.h"

#include "core/error_text.h"

KeyMap LiveKeyMap{};
KeyMap StagingKeyMap{};
GlyphTable LiveGlyphTable{};
GlyphTable StagingGlyphTable{};

int alloc_glyph_rows(GlyphTable* table, int highest_row) {
  const long bytes = (static_cast<long>(highest_row) + 1) * static_cast<long>(sizeof(GlyphRow));
  // There is at most one row per glyph code; anything else is not a size to
  // ask the platform for.
  if (table == nullptr || highest_row < 0 || highest_row >= kGlyphCodes) {
    set_error_text("GlobalAlloc failed, could not allocate %ld bytes\n", bytes);
    return 0;
  }
  const GlobalMemoryOps& memory = global_memory();
  table->rows = nullptr;
  table->rows_handle = memory.alloc(static_cast<std::size_t>(bytes));
  if (table->rows_handle == nullptr) {
    set_error_text("GlobalAlloc failed, could not allocate %ld bytes\n", bytes);
    return 0;
  }
  table->rows = static_cast<GlyphRow*>(memory.lock(table->rows_handle));
  if (table->rows == nullptr) {
    set_error_text("GlobalLock failed, could not lock memory\n");
    memory.release(table->rows_handle);
    table->rows_handle = nullptr;
    return 0;
  }
  return 1;
}

int free_glyph_rows(GlyphTable* table) {
  if (table == nullptr) return 0;
  const GlobalMemoryOps& memory = global_memory();
  if (table->rows != nullptr && memory.unlock(table->rows_handle) == 0) {
    table->rows = nullptr;
  }
  if (table->rows_handle != nullptr && table->rows == nullptr &&
      memory.release(table->rows_handle) == nullptr) {
    table->rows_handle = nullptr;
  }
  return table->rows_handle == nullptr ? 1 : 0;
}

int free_language_tables() {
  const int live_freed = free_glyph_rows(&LiveGlyphTable);
  const int staging_freed = free_glyph_rows(&StagingGlyphTable);
  return live_freed != 0 && staging_freed != 0 ? 1 : 0;
}

const char* current_language_name() {
  // The loader terminates the name; the last byte is kept zero all the same
  // so that no reader runs past the field.
  LiveGlyphTable.name[kLanguageNameSize - 1] = '\0';
  return LiveGlyphTable.name;
}
