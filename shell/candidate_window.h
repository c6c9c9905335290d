// The candidate window of "Suggest words": a small topmost list beside the
// caret of the program typed into. It never takes the focus (it is shown
// without activating and refuses activation by mouse), so the keys stay
// with that program, and it closes, leaving the word as typed, when another
// window comes to the front.
#pragma once
#include <windows.h>

#include "suggest/word_suggestion.h"

// Numbers the first candidates of `list` beside the caret of the foreground
// program (near the mouse where it shows no caret); an empty list closes
// the window.
void ShowCandidateWindow(const SuggestionList* list);
// The window, or null while none was made (for tests and screenshots).
HWND CandidateWindow();
