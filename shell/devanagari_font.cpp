#include "shell/devanagari_font.h"

#include <initializer_list>

namespace {

HFONT make_font(int points, int dpi, const wchar_t* face) {
  return CreateFontW(-MulDiv(points, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                     DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                     DEFAULT_PITCH, face);
}

// Whether the system has `font`'s face itself, not a stand-in for it.
bool face_present(HFONT font, const wchar_t* face) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, font);
  wchar_t found[LF_FACESIZE] = L"";
  GetTextFaceW(dc, LF_FACESIZE, found);
  SelectObject(dc, previous);
  ReleaseDC(nullptr, dc);
  return lstrcmpiW(found, face) == 0;
}

}  // namespace

int SystemDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

HFONT MakeDevanagariFont(int points, int dpi) {
  // The Devanagari faces of Windows 8 and later, of Windows 7, and of the
  // free systems Wine runs on, in that order.
  for (const wchar_t* face : {L"Nirmala UI", L"Mangal", L"Noto Sans Devanagari"}) {
    HFONT font = make_font(points, dpi, face);
    if (font && face_present(font, face)) return font;
    if (font) DeleteObject(font);
  }
  return make_font(points, dpi, L"Nirmala UI");
}
