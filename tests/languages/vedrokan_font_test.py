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
sys.path.insert(0, os.path.join(REPO, "tools", "vedrokan"))
from vedrokan_table import read_table  # noqa: E402

FONT = os.path.join(REPO, "languages", "vedrokan", "Vedrokan.ttf")
UNUSED = (0x7F, 0x81, 0x8D, 0x8F, 0x90, 0x9D, 0xA0, 0xAD)
results = []


def check(name, ok, detail=""):
    results.append(ok)
    print("%s %s%s" % ("PASS" if ok else "FAIL", name, (": " + str(detail)) if detail and not ok else ""))


def main():
    font = TTFont(FONT)
    table = read_table()
    subtables = [(t.platformID, t.platEncID) for t in font["cmap"].tables]
    check("cmap is (3,1) and has no Symbol (3,0) subtable", (3, 1) in subtables and (3, 0) not in subtables,
          subtables)
    cmap = font["cmap"].getcmap(3, 1).cmap
    wrong = [g.name for g in table if cmap.get(ord(bytes([g.code]).decode("cp1252"))) != g.name]
    check("every table byte maps to its glyph", not wrong, wrong)
    expected = {ord(bytes([g.code]).decode("cp1252")) for g in table} | {0x20}
    check("nothing else is mapped", set(cmap) == expected, sorted(set(cmap) - expected))
    used = [hex(b) for b in UNUSED if any(g.code == b for g in table)]
    check("control, no-break space and soft hyphen bytes stay unused", not used, used)

    hmtx, glyf = font["hmtx"], font["glyf"]
    bad_marks = [g.name for g in table if g.placement == "mark"
                 and (hmtx[g.name][0] != 0 or glyf[g.name].xMin >= 0)]
    check("marks have zero advance and a negative left bearing", not bad_marks, bad_marks)
    empty = [g.name for g in table if glyf[g.name].numberOfContours <= 0]
    check("every glyph is one plain outline", not empty, empty)
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
