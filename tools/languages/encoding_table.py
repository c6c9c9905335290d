"""Reads an encoding table (languages/*/NAME.tsv; Vedrokan's by default).

One row per byte code; the language file generator and Vedrokan's font
generator read it through this module so that they agree on every code.
"""

import os
from dataclasses import dataclass, field

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
TABLE_PATH = os.path.join(REPO, "languages", "vedrokan", "Vedrokan.tsv")


@dataclass
class Glyph:
    code: int
    name: str
    text: str
    cls: str
    placement: str
    traits: dict = field(default_factory=dict)
    draw: str = ""

    @property
    def marks(self):
        return self.traits.get("marks", "right")

    @property
    def ilen(self):
        return self.traits.get("i", "i3")


def read_table(path=TABLE_PATH):
    glyphs = []
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            cols = line.split("\t")
            if len(cols) != 7:
                raise ValueError("%s:%d: expected 7 columns, got %d" % (path, number, len(cols)))
            code, name, text, cls, placement, traits, draw = cols
            tr = {}
            if traits != "-":
                for item in traits.split():
                    key, value = item.split("=", 1)
                    tr[key] = value
            glyphs.append(Glyph(int(code, 16), name, text, cls, placement, tr, draw))
    codes = [g.code for g in glyphs]
    names = [g.name for g in glyphs]
    if len(set(codes)) != len(codes) or len(set(names)) != len(names):
        raise ValueError("%s: a code or a name appears twice" % path)
    return glyphs


def by_name(glyphs):
    return {g.name: g for g in glyphs}
