#!/usr/bin/python3
"""Checks Vedrokan.ttf against the encoding table and with a font validator.

The (3,1) cmap maps the Windows-1252 character of every table byte to that
byte's glyph and nothing else (no Symbol cmap, control and soft-hyphen bytes
unused); marks have no advance and reach left over the glyph before them; the
font carries no shaping tables, keeps the source's copyright and the OFL; and
ots-sanitize accepts it.
"""

import os
import shutil
import subprocess
import sys

from fontTools.ttLib import TTFont

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
sys.path.insert(0, os.path.join(REPO, "tools", "languages"))
from encoding_table import read_table  # noqa: E402

FONT = os.path.join(REPO, "languages", "vedrokan", "Vedrokan.ttf")
LANGUAGE = os.path.join(REPO, "languages", "vedrokan", "Vedrokan.gkf")
# DEL and the soft hyphen, which programs delete or hide rather than draw.
UNUSED = (0x7F, 0xAD)
# Bytes whose glyph no later key replaces: the only ones a program could drop safely.
FINAL_ONLY = (0x81, 0x8D, 0x8F, 0x90, 0x9D, 0xA0)
results = []


def windows_char(code):
    """What ALT+0ddd gives: Windows-1252, with its five undefined bytes as C1 controls."""
    try:
        return bytes([code]).decode("cp1252")
    except UnicodeDecodeError:
        return chr(code)


def check(name, ok, detail=""):
    results.append(ok)
    print("%s %s%s" % ("PASS" if ok else "FAIL", name, (": " + str(detail)) if detail and not ok else ""))


def replaced_glyphs():
    """Glyph codes that a GK sequence of Vedrokan.gkf deletes again (2 after them)."""
    replaced = set()
    with open(LANGUAGE, encoding="utf-8") as f:
        for line in f:
            parts = line.split("%")[0].split()
            if len(parts) >= 4 and parts[0] == "GK" and "2" in parts[3:]:
                replaced.add(int(parts[1], 0))
    return replaced


def main():
    font = TTFont(FONT)
    table = read_table()
    subtables = [(t.platformID, t.platEncID) for t in font["cmap"].tables]
    check("cmap is (3,1) and has no Symbol (3,0) subtable", (3, 1) in subtables and (3, 0) not in subtables,
          subtables)
    cmap = font["cmap"].getcmap(3, 1).cmap
    wrong = [g.name for g in table if cmap.get(ord(windows_char(g.code))) != g.name]
    check("every table byte maps to its glyph", not wrong, wrong)
    expected = {ord(windows_char(g.code)) for g in table} | {0x20}
    check("nothing else is mapped", set(cmap) == expected, sorted(set(cmap) - expected))
    used = [hex(b) for b in UNUSED if any(g.code == b for g in table)]
    check("DEL and soft hyphen bytes stay unused", not used, used)
    replaced = replaced_glyphs()
    early = [g.name for g in table if g.code in FINAL_ONLY and g.code in replaced]
    check("control and no-break space bytes hold glyphs no later key replaces", not early, early)

    hmtx, glyf = font["hmtx"], font["glyf"]
    joiners = [g for g in table if g.cls == "joiner"]
    bad_marks = [g.name for g in table if g.placement == "mark" and g not in joiners
                 and (hmtx[g.name][0] != 0 or glyf[g.name].xMin >= 0)]
    check("marks have zero advance and a negative left bearing", not bad_marks, bad_marks)
    empty = [g.name for g in table if g not in joiners and glyf[g.name].numberOfContours <= 0]
    check("every glyph is one plain outline", not empty, empty)
    drawn = [g.name for g in joiners if hmtx[g.name][0] != 0 or glyf[g.name].numberOfContours > 0]
    check("joiners draw nothing", not drawn, drawn)
    check("no shaping tables", not any(t in font for t in ("GSUB", "GPOS", "GDEF", "morx")))
    names = font["name"]
    check("named Vedrokan", names.getDebugName(1) == "Vedrokan")
    check("keeps the source copyright and the OFL",
          "Google" in names.getDebugName(0) and "Open Font License" in names.getDebugName(13))
    os2 = font["OS/2"]
    check("Windows ascent and descent cover every glyph",
          os2.usWinAscent >= max(glyf[n].yMax for n in font.getGlyphOrder() if hasattr(glyf[n], "yMax"))
          and os2.usWinDescent >= -min(glyf[n].yMin for n in font.getGlyphOrder() if hasattr(glyf[n], "yMin")))

    ots = shutil.which("ots-sanitize")
    if ots:
        r = subprocess.run([ots, FONT], capture_output=True, text=True)
        check("ots-sanitize accepts the font", r.returncode == 0, r.stdout + r.stderr)
    else:
        print("SKIP ots-sanitize is not installed (Debian package opentype-sanitizer)")

    failed = results.count(False)
    print("%d passed, %d failed" % (len(results) - failed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
