#include "shell/suggest_words.h"

#include <cstdio>
#include <cstring>

#include "core/error_text.h"
#include "hook/tvkhook.h"
#include "langfile/language_description.h"
#include "shell/candidate_window.h"
#include "shell/main_window.h"
#include "shell/resource_ids.h"
#include "shell/settings.h"
#include "shell/shell_state.h"
#include "shell/suggest_mode.h"

namespace {

// Loaded on the first word typed in the mode: 0 not yet tried, 1 loaded,
// -1 refused (said once; words are then typed by the exact keys alone).
// Loaded again for a language whose words are another language's.
int DataState = 0;
char DataLanguage[3] = "";
SuggestData Data;
UserLexicon UserWords;
char UserWordsPath[MAX_PATH] = "";
int UserWordsUnsaved = 0;

// The language whose words are suggested: words= in the description of the
// language in force (language.txt beside its file), else Hindi. Read again
// only when another language file is loaded.
char WordsLanguage[3] = "hi";
char WordsLanguageOf[kNameSize] = "";

const char* suggest_language() {
  if (std::strcmp(WordsLanguageOf, CurrentFileName) == 0) return WordsLanguage;
  std::snprintf(WordsLanguageOf, sizeof WordsLanguageOf, "%s", CurrentFileName);
  std::memcpy(WordsLanguage, "hi", 3);
  char path[kNameSize + 16];
  std::snprintf(path, sizeof path, "%s", CurrentFileName);
  char* slash = std::strrchr(path, '\\');
  const char* file = slash ? slash + 1 : path;
  char name[kNameSize];
  std::snprintf(name, sizeof name, "%s", file);
  std::snprintf(slash ? slash + 1 : path, sizeof path - static_cast<std::size_t>(file - path),
                "language.txt");
  static LanguageFolder folder;
  if (!load_language_descriptions(path, &folder)) return WordsLanguage;
  for (int i = 0; i < folder.count; ++i) {
    if (lstrcmpiA(folder.languages[i].file, name) == 0)
      std::memcpy(WordsLanguage, folder.languages[i].words, 3);
  }
  return WordsLanguage;
}

// The folder of tolvar.exe, with its trailing backslash.
void program_folder(char* folder, std::size_t size) {
  const DWORD length = GetModuleFileNameA(nullptr, folder, static_cast<DWORD>(size));
  if (length == 0 || length >= size) {
    folder[0] = '\0';
    return;
  }
  char* slash = std::strrchr(folder, '\\');
  if (slash) slash[1] = '\0';
}

void load_user_words() {
  clear_user_lexicon(&UserWords);
  if (!UserSettingsFile(UserWordsPath, sizeof UserWordsPath)) {
    UserWordsPath[0] = '\0';
    return;
  }
  char* slash = std::strrchr(UserWordsPath, '\\');
  const std::size_t room =
      sizeof UserWordsPath - static_cast<std::size_t>(slash + 1 - UserWordsPath);
  std::snprintf(slash + 1, room, "%s", kUserWordsFile);
  // A damaged file keeps its good lines here and the file itself aside.
  if (!load_user_lexicon(UserWordsPath, &UserWords))
    ShowBox(MainWindow, ErrorText, "Suggest words", MB_ICONEXCLAMATION);
}

int load_data() {
  const char* language = suggest_language();
  if (DataState != 0 && std::strcmp(DataLanguage, language) != 0) DataState = 0;
  if (DataState != 0) return DataState > 0;
  DataState = -1;
  std::memcpy(DataLanguage, language, 3);
  char folder[MAX_PATH];
  program_folder(folder, sizeof folder);
  char model[MAX_PATH + 32];
  char words[MAX_PATH + 32];
  std::snprintf(model, sizeof model, "%ssuggest\\romanization.model", folder);
  std::snprintf(words, sizeof words, "%ssuggest\\%s.words", folder, language);
  HCURSOR previous = SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32514)));  // IDC_WAIT
  const int loaded = load_suggest_data(model, words, &Data);
  SetCursor(previous);
  if (!loaded) {
    char text[kErrorTextSize + 200];
    std::snprintf(text, sizeof text,
                  "%sThe word suggestions did not load, so words are typed by the exact keys.\n"
                  "(The suggestion data ships in the folder suggest beside tolvar.exe.)\n",
                  ErrorText);
    ShowBox(MainWindow, text, "Suggest words", MB_ICONEXCLAMATION);
    return 0;
  }
  DataState = 1;
  if (UserWordsPath[0] == '\0') load_user_words();
  return 1;
}

}  // namespace

int ChooseSuggestMode(int on) {
  if (!on) CloseSuggestWord(HookLibraryOps);
  SuggestMode = on ? 1 : 0;
  SetKBWordKeys(SuggestMode);
  CheckMenuItem(GetMenu(MainWindow), IDM_SUGGEST_WORDS,
                MF_BYCOMMAND | (SuggestMode ? MF_CHECKED : MF_UNCHECKED));
  return SuggestMode;
}

int SuggestForWord(const char* roman, int length, SuggestionList* list) {
  if (!load_data()) return 0;
  suggest_words(Data, &UserWords, roman, static_cast<std::size_t>(length), list);
  return 1;
}

void ShowCandidates(const SuggestionList* list) { ShowCandidateWindow(list); }

void RememberChoice(const char* roman, const char* word) {
  if (DataState <= 0 || UserWordsPath[0] == '\0') return;
  // The lexicon keeps the letters as the engine reads them: lower case.
  char letters[kMaxRomanLetters + 1];
  if (roman_letters(roman, std::strlen(roman), letters) < 0) return;
  if (!remember_user_choice(&UserWords, letters, std::strlen(letters), word, std::strlen(word)))
    return;
  // Saved at once, so a choice outlives a crash; a failure is said once.
  if (save_user_lexicon(UserWordsPath, &UserWords)) {
    UserWordsUnsaved = 0;
  } else if (!UserWordsUnsaved) {
    UserWordsUnsaved = 1;
    ShowBox(MainWindow, ErrorText, "Suggest words", MB_ICONEXCLAMATION);
  }
}
