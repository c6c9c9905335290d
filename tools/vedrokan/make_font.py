#!/usr/bin/python3
"""Builds the 8-bit Vedrokan TrueType font from Noto Sans Devanagari.

Each byte code of the encoding table becomes one plain glyph: the table's draw
text is shaped with HarfBuzz (hb-shape) in the source font and the shaped
glyphs are flattened into a single outline. Vowel signs and other marks get no
advance and keep the offset they had from the end of the glyph before them, so
they fall into place after whatever glyph precedes them. The font has no
shaping tables; its (3,1) cmap maps the Windows-1252 character of each byte to
the byte's glyph, which is what ALT+0ddd hands the application.

Usage: make_font.py [OUTPUT]   (default: languages/vedrokan/Vedrokan.ttf)
"""

import hashlib
import json
import os
import re
import subprocess
import sys

from fontTools.fontBuilder import FontBuilder
from fontTools.pens.boundsPen import BoundsPen
from fontTools.pens.recordingPen import DecomposingRecordingPen
from fontTools.pens.transformPen import TransformPen
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib import TTFont

sys.path.insert(0, os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "languages"))
from encoding_table import REPO, read_table  # noqa: E402

SOURCE = "/usr/share/fonts/truetype/noto/NotoSansDevanagari-Regular.ttf"
FONT_DIR = os.path.join(REPO, "languages", "vedrokan")
CHECKSUM_FILE = os.path.join(FONT_DIR, "source-font.sha256")
# Fixed head timestamps keep the output byte for byte reproducible
# (seconds since 1904: 2026-01-01).
TIMESTAMP = 3850329600
VERSION = "Version 1.000"


def sha256(path):
    with open(path, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()


def check_source():
    expected = open(CHECKSUM_FILE, encoding="ascii").read().split()[0]
    actual = sha256(SOURCE)
    if actual != expected:
        sys.exit("make_font.py: %s has checksum %s, expected %s (%s);\n"
                 "the font would differ from the committed one" % (SOURCE, actual, expected, CHECKSUM_FILE))


def shape(text):
    out = subprocess.run(["hb-shape", "--output-format=json", "--text=" + text, SOURCE],
                         capture_output=True, text=True, check=True).stdout
    return json.loads(out)


def components(draw, source):
    """(glyph name, dx, dy) list and advance for a draw field of the table."""
    if draw == "none":
        return [], 0
    if draw.startswith("="):
        name, dx = draw[1:].split("@")
        return [(name, int(dx), 0)], source["hmtx"][name][0]
    match = re.fullmatch(r"(.+):(\d+(?:-\d+)?)", draw)
    text, pick = (match.group(1), match.group(2)) if match else (draw, "")
    text = text.replace("{zwj}", "\u200d")
    shaped = shape(text)
    pens = []
    x = 0
    for g in shaped:
        pens.append(x)
        x += g["ax"]
    if pick:
        first, _, last = pick.partition("-")
        first = int(first)
        last = int(last) if last else first
    else:
        first, last = 0, len(shaped) - 1
    origin = pens[first]
    parts = []
    for i in range(first, last + 1):
        g = shaped[i]
        if g["g"] in ("space", ".notdef"):
            continue
        parts.append((g["g"], pens[i] + g["dx"] - origin, g["dy"]))
    advance = sum(g["ax"] for g in shaped[first:last + 1])
    return parts, advance


def flatten(parts, glyphset):
    """One simple glyph: the parts' outlines, composites decomposed, moved into place."""
    pen = TTGlyphPen(None)
    for name, dx, dy in parts:
        outline = DecomposingRecordingPen(glyphset)
        glyphset[name].draw(outline)
        outline.replay(TransformPen(pen, (1, 0, 0, 1, dx, dy)))
    return pen.glyph()


def bounds(parts, glyphset):
    pen = BoundsPen(glyphset)
    for name, dx, dy in parts:
        glyphset[name].draw(TransformPen(pen, (1, 0, 0, 1, dx, dy)))
    return pen.bounds


def cp1252_char(code):
    """The character Windows gives for the byte: bytes Windows-1252 leaves undefined
    (81 8D 8F 90 9D) come through as the control characters of the same value."""
    try:
        return bytes([code]).decode("cp1252")
    except UnicodeDecodeError:
        return chr(code)


def name_strings(source):
    copyright_notice = source["name"].getDebugName(0)
    license_text = source["name"].getDebugName(13)
    return {
        "copyright": copyright_notice + " Vedrokan: 8-bit glyphs derived from Noto Sans "
                     "Devanagari for the Tolvar phonetic keyboard.",
        "familyName": "Vedrokan",
        "styleName": "Regular",
        "uniqueFontIdentifier": "1.000;TOLV;Vedrokan-Regular",
        "fullName": "Vedrokan Regular",
        "version": VERSION,
        "psName": "Vedrokan-Regular",
        "description": "Derived from Noto Sans Devanagari 2.001 (SIL Open Font License 1.1).",
        "licenseDescription": license_text,
        "licenseInfoURL": source["name"].getDebugName(14),
    }


def build(out_path):
    check_source()
    source = TTFont(SOURCE)
    glyphset = source.getGlyphSet()
    table = read_table()

    order = [".notdef", "space"]
    glyphs = {".notdef": flatten([(".notdef", 0, 0)], glyphset), "space": TTGlyphPen(None).glyph()}
    metrics = {".notdef": source["hmtx"][".notdef"][0], "space": source["hmtx"]["space"][0]}
    cmap = {0x20: "space"}
    y_max, y_min = 0, 0
    for g in table:
        parts, advance = components(g.draw, source)
        if g.placement == "mark":
            advance = 0
        glyphs[g.name] = flatten(parts, glyphset)
        metrics[g.name] = advance
        box = bounds(parts, glyphset)
        if box:
            y_min, y_max = min(y_min, box[1]), max(y_max, box[3])
        order.append(g.name)
        cmap[ord(cp1252_char(g.code))] = g.name

    fb = FontBuilder(source["head"].unitsPerEm, isTTF=True)
    fb.setupGlyphOrder(order)
    fb.setupCharacterMap(cmap)
    fb.setupGlyf(glyphs)
    glyf = fb.font["glyf"]
    fb.setupHorizontalMetrics({n: (metrics[n], getattr(glyf[n], "xMin", 0)) for n in order})
    ascent, descent = int(y_max) + 10, int(-y_min) + 10
    fb.setupHorizontalHeader(ascent=ascent, descent=-descent)
    fb.setupNameTable(name_strings(source))
    fb.setupOS2(sTypoAscender=ascent, sTypoDescender=-descent, sTypoLineGap=0,
                usWinAscent=ascent, usWinDescent=descent, fsType=0, fsSelection=0x40, achVendID="TOLV",
                ulUnicodeRange1=0b11, ulCodePageRange1=1, usWeightClass=400,
                sxHeight=source["OS/2"].sxHeight, sCapHeight=source["OS/2"].sCapHeight)
    fb.setupPost()
    fb.setupHead(unitsPerEm=source["head"].unitsPerEm, fontRevision=1.0,
                 created=TIMESTAMP, modified=TIMESTAMP)
    fb.font["head"].flags = source["head"].flags
    fb.font.recalcTimestamp = False
    fb.save(out_path)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(FONT_DIR, "Vedrokan.ttf")
    build(out)


if __name__ == "__main__":
    main()
