// Loading a language file into the live tables: each load fills the staging
// copy and commits it only when the loader succeeds.
#pragma once

// Key map of `file_name` (or of the in-memory `text`; exactly one is given).
// Resets the letter first. Non-zero = committed; 0 with ErrorText.
int load_ku_data(const char* file_name, const char* text);

// Glyph table of `file_name` (or `text`). Non-zero = committed; 0 with
// ErrorText, the live table unchanged.
int load_gk_data(const char* file_name, const char* text);

// Glyph table and key map of `file_name` (or `text`), each into its staging
// copy first and committed together only when both loaded, so a language is
// in force whole or not at all. Resets the letter first. Non-zero =
// committed; 0 with ErrorText, the live tables unchanged.
int load_language(const char* file_name, const char* text);

// The two halves of load_language, for a caller that stages more than the
// language file before it commits (langunit/): stage_language leaves the
// glyph table and key map staged (0 with ErrorText, nothing staged), then
// exactly one of commit_staged_language and drop_staged_language follows.
int stage_language(const char* file_name, const char* text);
void commit_staged_language();
void drop_staged_language();
