#!/usr/bin/python3
"""Generates a language file (.gkf and its .gkl twin) from an encoding table.

Every language types the same keys (the key chart in the README). A font with a
glyph of its own for each consonant with virama (Vedrokan) is written by the rules
below; a font of half forms and a halant mark (Kruti Dev 010, Preeti) by
legacy_language.py; with --remington the keys are the font's bytes, its typewriter layout
(remington_language.py).

The keys follow ITRANS as the hi-itrans input method spells it. Every key gives
one ucode; what a key does depends on the glyph the letter ends with, so the
phonetic rules below are written as glyph transitions:

  consonant key        the consonant's virama form (क्), one glyph, one state
  a after it           the full consonant (क)
  another vowel        full consonant + vowel sign (कि, कु, ...)
  consonant after it   half form (or virama form, or reph) + the new virama form
  h after it           the aspirated consonant (क् h -> ख्)
  r after it           consonant + rakar, with a halant mark while no vowel follows
  . after it           full consonant + a virama-and-full-stop glyph, so that c can still
                       make the candra E (b.c: बॅ) and other dot sequences keep the virama

Usage: make_language.py [--remington] [TABLE [OUTPUT]]
  TABLE   an encoding table (default: languages/vedrokan/Vedrokan.tsv)
  OUTPUT  the .gkf to write (default: TABLE's name with .gkf); the .gkl twin is
          written beside it. The language's name comes from language.txt in
          TABLE's folder.
"""

import argparse
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from encoding_table import REPO, by_name, read_table  # noqa: E402
import legacy_language  # noqa: E402
import remington_language  # noqa: E402

DEL = 2       # chr_DELPREV: replace the glyph before
LOOKBACK = 3  # chr_LOOKBACK: take the sequence of the letter's first glyph
START = 1     # the row of glyph 1 starts a letter

# Keys and the ucode each one gives.
VOWEL_KEYS = [("a", "A"), ("A", "AA"), ("i", "I"), ("I", "II"), ("u", "U"), ("U", "UU"),
              ("e", "E"), ("o", "O"), ("R", "V_R"), ("E", "S_E"), ("O", "S_O")]
CONSONANT_KEYS = [
    ("k", "KA", "ka"), ("K", "KHA", "kha"), ("g", "GA", "ga"), ("G", "GHA", "gha"),
    ("c", "CA", "ca"), ("C", "CHA", "cha"), ("j", "JA", "ja"), ("J", "JHA", "jha"),
    ("T", "TTA", "tta"), ("D", "DDA", "dda"), ("N", "NNA", "nna"),
    ("t", "TA", "ta"), ("d", "DA", "da"), ("n", "NA", "na"),
    ("p", "PA", "pa"), ("P", "PHA", "pha"), ("b", "BA", "ba"), ("B", "BHA", "bha"), ("m", "MA", "ma"),
    ("y", "YA", "ya"), ("r", "RA", "ra"), ("l", "LA", "la"), ("L", "LLA", "lla"),
    ("v", "VA", "va"), ("w", "VA", "va"),
    ("s", "SA", "sa"), ("S", "SSA", "ssa"), ("h", "HA", "ha"),
    ("q", "QA", "qa"), ("z", "ZA", "za"), ("f", "FA", "fa"), ("x", "CUSTOM3", "kssa"),
]
SIGN_KEYS = [("M", "ANUSVARA"), ("H", "VISARGA"), (".", "NUKTA"), ("|", "DANDA"),
             ("~", "CUSTOM1"), ("^", "CUSTOM2"), ("Y", "YYA"), ("+", "CUSTOM4"),
             ("/", "NON_JOINER")]
DIGIT_NAMES = ["ZERO", "ONE", "TWO", "THREE", "FOUR", "FIVE", "SIX", "SEVEN", "EIGHT", "NINE"]
# Keys that would otherwise reach the application as bytes the font draws as
# Devanagari; they end the letter and type nothing ('_' separates letters).
DEAD_KEYS = "FQVWXZ_#$&*<=>@[\\]`{}%"
DEAD_UCODE = "CUSTOM9"

# h after these virama forms gives the aspirated (or, for sh, the retroflex) one;
# a consonant mapped to itself stays as it is (Ch, Sh, kSh, .ph); c has a row of its own.
ASPIRATE = {"ka": "kha", "ga": "gha", "cha": "cha", "ja": "jha", "tta": "ttha",
            "dda": "ddha", "ta": "tha", "da": "dha", "pa": "pha", "ba": "bha", "sa": "sha",
            "sha": "ssa", "ssa": "ssa", "qa": "khha", "dddha": "rha", "fa": "fa",
            "kssa": "kssa"}
# Consonant keys after n that take the nasal of their own row (hi-itrans: nk, nch, nT).
NASAL_OF_ROW = {"KA": "nga", "KHA": "nga", "GA": "nga", "GHA": "nga", "CUSTOM3": "nga",
                "CA": "nya", "CHA": "nya", "JA": "nya", "JHA": "nya",
                "TTA": "nna", "DDA": "nna"}
# Vowel signs drawn together with their consonant.
U_LIGATURES = {("ra", "U"): "ru", ("ra", "UU"): "ruu", ("da", "U"): "du", ("da", "UU"): "duu",
               ("ha", "U"): "hu", ("ha", "UU"): "huu", ("da", "V_R"): "dr", ("ha", "V_R"): "hr"}
# After a ligature, u makes uu.
LONGER_U = {"ru": "ruu", "du": "duu", "hu": "huu"}
# Vowel signs drawn in two parts, where the font's glyph is the same as the parts.
AU = ["aa", "ai.right"]
SHORT_O = ["aa", "short_e.right"]
# The key does nothing more: the letter stays as it is (a lone 3 adds no glyph).
KEEP = [3]


class Writer:
    def __init__(self, table):
        self.g = by_name(table)
        self.lines = []
        self.defined = set()

    def code(self, name):
        return self.g[name].code

    def comment(self, text=""):
        self.lines.append(("% " + text).rstrip())

    def blank(self):
        self.lines.append("")

    def gk(self, glyph, ucode, seq, note):
        """One GK statement; glyph is a table name or START, seq holds names and control bytes."""
        row = START if glyph == START else self.code(glyph)
        key = (row, ucode)
        if key in self.defined:
            raise ValueError("two sequences for glyph %s and ucode %s" % (glyph, ucode))
        self.defined.add(key)
        if len(seq) > 4:
            raise ValueError("sequence longer than four bytes: %r" % (seq,))
        parts = []
        for item in seq:
            parts.append(str(item) if isinstance(item, int) else "0x%02X" % self.code(item))
        self.lines.append("GK 0x%02X %-8s %-24s %% %s" % (row, ucode, " ".join(parts), note)
                          if row != START else
                          "GK 1 %-8s %-24s %% %s" % (ucode, " ".join(parts), note))

    def text(self, seq):
        return "".join(self.g[s].text if isinstance(s, str) else "" for s in seq)


def variant(w, base, sign):
    """The variant of a vowel sign or mark that fits the base's stem."""
    cls = w.g[base].marks
    name = "%s.%s" % (sign, cls)
    return name if name in w.g else "%s.right" % sign


def consonants(w):
    """Table names of the consonants that have a virama form, in table order."""
    return [g.name for g in w.g.values() if g.cls == "consonant" and g.name + ".virama" in w.g]


def start_glyph(name):
    return name + ".virama"


def vowel_sign_sequences(w, base):
    """Vowel keys after a consonant with virama: full consonant plus vowel sign."""
    seqs = []
    seqs.append(("A", [DEL, base], "a: full consonant"))
    seqs.append(("AA", [DEL, base, "aa"], "aa / A"))
    seqs.append(("I", [DEL, base, "i." + w.g[base].ilen[1:]], "i: i sign of fitting length"))
    seqs.append(("II", [DEL, base, "ii"], "ii / I"))
    for ucode, sign in (("U", "u"), ("UU", "uu"), ("V_R", "r")):
        lig = U_LIGATURES.get((base, ucode))
        if lig:
            seqs.append((ucode, [DEL, lig], "drawn as one glyph"))
        else:
            seqs.append((ucode, [DEL, base, variant(w, base, sign)], "vowel sign " + sign))
    seqs.append(("E", [DEL, base, variant(w, base, "e")], "e"))
    seqs.append(("O", [DEL, base, "o"], "o"))
    seqs.append(("S_E", [DEL, base, "short_e.right"], "E: short e"))
    seqs.append(("S_O", [DEL, base] + SHORT_O, "O: short o"))
    return seqs


def dot_glyph(w, base):
    """The virama-and-full-stop glyph that fits the base: c after it gives the candra E."""
    return "dot.centre" if w.g[base].marks == "centre" else "dot.right"


def rakar(w, base):
    """r after a virama form: consonant with rakar, halant until a vowel comes."""
    pre = [g.name for g in w.g.values()
           if g.cls == "consonant" and g.text == w.g[base].text + "\u094d\u0930"]
    if pre:
        return [DEL, pre[0], halant_for(w, pre[0])]
    return [DEL, base, variant(w, base, "rakar"), variant(w, base, "halant")]


def halant_for(w, cluster):
    """The halant mark after a ligated rakar cluster: it fits the stem and, where the table has
    one, also the cluster's i sign length (the halant's row types the i sign)."""
    stem = variant(w, cluster, "halant")
    for g in w.g.values():
        if g.cls == "halant" and g.marks == w.g[stem].marks and g.ilen == w.g[cluster].ilen:
            return g.name
    return stem


def write_keys(w):
    w.comment("Keys: one typed character, one ucode. Keys not listed (space and")
    w.comment(", ; : ! ? ' \" ( ) -) reach the program unchanged; the font draws them as they are.")
    for key, ucode in VOWEL_KEYS:
        w.lines.append("KU %s %s" % (key, ucode))
    for key, ucode, _ in CONSONANT_KEYS:
        w.lines.append("KU %s %s" % (key, ucode))
    for key, ucode in SIGN_KEYS:
        w.lines.append("KU %s %s" % (key, ucode))
    for digit, ucode in enumerate(DIGIT_NAMES):
        w.lines.append("KU %d %s" % (digit, ucode))
    w.comment("Dead keys: they end the letter and type nothing, so _ separates two letters")
    w.comment("(ka_i types कइ where kai types कै).")
    for key in DEAD_KEYS:
        token = "0x%02X" % ord(key) if key in "%" else key
        w.lines.append("KU %s %s" % (token, DEAD_UCODE))


def write_start(w):
    w.comment("The first key of a letter (row of glyph 1).")
    for ucode, seq in (("A", ["letter_a"]), ("AA", ["letter_a", "aa"]), ("I", ["letter_i"]),
                       ("II", ["letter_ii"]), ("U", ["letter_u"]), ("UU", ["letter_uu"]),
                       ("E", ["letter_e"]), ("O", ["letter_a", "o"]), ("V_R", ["letter_vocalic_r"]),
                       ("S_E", ["letter_e", "short_e.right"]), ("S_O", ["letter_short_o"])):
        w.gk(START, ucode, seq, w.text(seq))
    for _, ucode, name in CONSONANT_KEYS:
        if (1, ucode) not in w.defined:
            w.gk(START, ucode, [start_glyph(name)], w.g[start_glyph(name)].text)
    w.gk(START, "CUSTOM1", ["nga.virama"], "~ begins ~N and ~n")
    w.gk(START, "ANUSVARA", ["anusvara.right"], "M")
    w.gk(START, "VISARGA", ["visarga"], "H")
    w.gk(START, "NUKTA", ["period"], ". stays a full stop unless a dot sequence follows")
    w.gk(START, "DANDA", ["danda"], "|")
    for digit, ucode in enumerate(DIGIT_NAMES):
        name = "digit%d" % digit
        w.gk(START, ucode, [name], w.g[name].text)


def write_virama_rows(w):
    keys = [(ucode, name) for _, ucode, name in CONSONANT_KEYS]
    rows = [(base, start_glyph(base)) for base in consonants(w)]
    rows.insert([b for b, _ in rows].index("ca") + 1, ("ca", "ca.virama.h"))
    for base, v in rows:
        w.blank()
        w.comment("%s (%s): vowels, aspiration, conjuncts" % (w.g[v].text, v))
        for ucode, seq, note in vowel_sign_sequences(w, base):
            w.gk(v, ucode, seq, w.text(seq) + "  " + note)
        w.gk(v, "ANUSVARA", [variant(w, base, "anusvara")], "M after a virama")
        first = base + ".half" if base + ".half" in w.g else v
        w.gk(v, "CUSTOM4", [DEL, first, "zwj"], "+: zero-width joiner")
        w.gk(v, "NON_JOINER", ["zwnj"], "/: zero-width non-joiner")
        overrides = {}
        overrides["NUKTA"] = ([DEL, base, dot_glyph(w, base)], ". (the candra E follows with c)")
        if base in ASPIRATE:
            overrides["HA"] = ([DEL, start_glyph(ASPIRATE[base])], "h")
        if v == "ca.virama":
            overrides["HA"] = ([DEL, "ca.virama.h"], "ch: still च्, but chh gives छ्")
        if v == "ca.virama.h":
            overrides["HA"] = ([DEL, "cha.virama"], "chh")
        if base == "ja":
            overrides["NA"] = ([DEL, "jnya.virama"], "jn")
            overrides["CUSTOM1"] = ([DEL, "jnya.virama"], "j~n")
        if base == "gha":
            overrides["YYA"] = ([DEL, "jnya.virama"], "GY")
        if base == "ka":
            overrides["SSA"] = ([DEL, "kssa.virama"], "kSh")
        if base == "na":
            for ucode, nasal in NASAL_OF_ROW.items():
                target = [n for u, n in keys if u == ucode][0]
                half = nasal + ".half" if nasal + ".half" in w.g else nasal + ".virama"
                overrides[ucode] = ([DEL, half, start_glyph(target)], "nasal of the row")
        if base == "nga":
            overrides["NA"] = ([DEL, "nya.virama"], "~n")
            overrides["NNA"] = ([DEL, "nga.virama"], "~N")
        if base == "nna":
            overrides["CUSTOM2"] = ([DEL, "nga.virama"], "N^")
        if base == "jnya":
            overrides["NA"] = ([DEL, "jnya.virama"], "j~n")
        if base == "ra":
            overrides["CUSTOM2"] = ([DEL, "rra.virama"], "r^: eyelash RA")
        if base == "lla":
            overrides["LLA"] = ([LOOKBACK, DEL, "letter_vocalic_l"],
                                "LL at the start of a letter: vocalic L (in a cluster: nothing)")
        for ucode, (seq, note) in overrides.items():
            w.gk(v, ucode, seq, w.text(seq) + "  " + note)
        for ucode, name in keys:
            if (w.code(v), ucode) in w.defined:
                continue  # an override above, or w after v
            if base == "ra":
                seq = [DEL, "reph", start_glyph(name)]
                note = "reph"
            elif ucode == "RA":
                seq = rakar(w, base)
                note = "rakar"
            else:
                seq = [DEL, first, start_glyph(name)]
                note = "half form" if first != v else "virama form"
            w.gk(v, ucode, seq, w.text(seq) + "  " + note)


def write_joiner_rows(w):
    w.blank()
    w.comment("Eyelash RA (r^) and the zero-width joiner: a consonant key joins the cluster.")
    for _, ucode, name in CONSONANT_KEYS:
        if (w.code("rra.virama"), ucode) not in w.defined:
            w.gk("rra.virama", ucode, [start_glyph(name)], "cluster")
        if (w.code("zwj"), ucode) not in w.defined:
            w.gk("zwj", ucode, [start_glyph(name)], "cluster")
    w.gk("rra.virama", "ANUSVARA", ["anusvara.right"], "for the i sign")


def write_full_rows(w):
    w.blank()
    w.comment("Full consonants and rakar marks (inherent a): aa, ai, au, anusvara, visarga.")
    w.comment("Any other key begins a new letter.")
    for g in w.g.values():
        if g.cls not in ("consonant", "rakar"):
            continue
        base = g.name
        w.gk(base, "A", ["aa"], g.text + "ा")
        w.gk(base, "I", [variant(w, base, "ai")], g.text + "ै")
        w.gk(base, "U", AU, g.text + "ौ")
        w.gk(base, "ANUSVARA", [variant(w, base, "anusvara")], g.text + "ं")
        w.gk(base, "VISARGA", ["visarga"], g.text + "ः")
    w.blank()
    w.comment("Consonants drawn with their vowel sign.")
    for g in w.g.values():
        if g.cls != "ligature":
            continue
        if g.name in LONGER_U:
            w.gk(g.name, "U", [DEL, LONGER_U[g.name]], "uu")
        if g.text.endswith("\u0943"):
            for ucode in ("V_R", "I", "CUSTOM2"):
                w.gk(g.name, ucode, [DEL, g.name], "RRi, R^i")
            w.gk(g.name, "II", [DEL, g.name[0] + "a", "rr.right"], "RRI")
        w.gk(g.name, "ANUSVARA", ["anusvara.right"], "anusvara")
        w.gk(g.name, "VISARGA", ["visarga"], "visarga")


def write_halant_rows(w):
    w.blank()
    w.comment("Halant mark after a rakar cluster (प्र्): a vowel replaces it.")
    for g in w.g.values():
        if g.cls != "halant":
            continue
        cls = g.marks
        seqs = [("A", [DEL], "a"), ("AA", [DEL, "aa"], "aa"), ("I", [DEL, "i." + g.ilen[1:]], "i"),
                ("II", [DEL, "ii"], "ii"), ("E", [DEL, "e." + cls], "e"), ("O", [DEL, "o"], "o"),
                ("S_E", [DEL, "short_e.right"], "E"), ("S_O", [DEL] + SHORT_O, "O"),
                ("NUKTA", [DEL, "dot." + cls], ". (gr.c: ग्रॅ)")]
        for ucode, sign in (("U", "u"), ("UU", "uu"), ("V_R", "r")):
            seqs.append((ucode, [DEL, "%s.%s" % (sign, cls)], sign))
        for ucode, seq, note in seqs:
            w.gk(g.name, ucode, seq, note)


def write_sign_rows(w):
    w.blank()
    w.comment("Vowel signs: a second key lengthens or adds a mark.")
    for g in w.g.values():
        if g.cls != "matra":
            continue
        n = g.name
        stem = n.split(".")[1] if "." in n else "right"
        anusvara = "anusvara.centre" if stem == "centre" else "anusvara.right"
        if n.startswith("i."):
            w.gk(n, "I", [DEL, "ii"], "ii")
            w.gk(n, "ANUSVARA", [LOOKBACK, "anusvara.right"],
                 "anusvara placed for the letter's first glyph")
        elif n.startswith("u."):
            w.gk(n, "U", [DEL, "uu." + stem], "uu")
        elif n.startswith("r."):
            for ucode in ("V_R", "I", "CUSTOM2"):
                w.gk(n, ucode, [DEL, n], "RRi, R^i")
            w.gk(n, "II", [DEL, "rr.right"], "RRI: vowel sign RR")
        elif n.startswith("e.") or n.startswith("ai."):
            w.gk(n, "ANUSVARA", [DEL, n.replace(".", "M.")], g.text + "ं as one glyph")
        elif n == "o":
            w.gk(n, "A", [DEL, "candra_o"], "oa")
        if n.startswith(("eM.", "aiM.")):
            continue
        if (w.code(n), "ANUSVARA") not in w.defined:
            w.gk(n, "ANUSVARA", [anusvara], "anusvara")
        w.gk(n, "VISARGA", ["visarga"], "visarga")
    w.blank()
    w.comment("Half forms and reph: only the anusvara lookback of the i sign reads them.")
    for g in w.g.values():
        if g.cls in ("half", "reph"):
            w.gk(g.name, "ANUSVARA", ["anusvara.right"], "for the i sign")


def write_vowel_rows(w):
    w.blank()
    w.comment("Vowel letters: aa, ai, au, ii, uu, oa by a second key; anusvara, visarga.")
    w.comment("आ ओ औ ऑ ऐ ऎ ऒ are drawn as अ or ए and vowel signs, the same glyphs.")
    second = {"letter_a": [("A", ["aa"], "आ"), ("I", [DEL, "letter_e", "e.right"], "ऐ"),
                           ("U", AU, "औ")],
              "letter_i": [("I", [DEL, "letter_ii"], "ई")], "letter_u": [("U", [DEL, "letter_uu"], "ऊ")],
              "letter_vocalic_r": [("II", [DEL, "letter_vocalic_rr"], "RRI: ॠ")],
              "letter_vocalic_l": [("I", KEEP, "LLi: the i adds nothing")],
              "letter_short_o": [("ANUSVARA", [DEL, "om"], "OM: ॐ")]}
    for g in w.g.values():
        if g.cls != "vowel":
            continue
        for ucode, seq, note in second.get(g.name, []):
            w.gk(g.name, ucode, seq, note)
        if g.name == "letter_vocalic_r":
            for ucode in ("V_R", "I", "CUSTOM2"):
                w.gk(g.name, ucode, [DEL, g.name], "RRi, R^i")
        if g.name in ("om", "letter_short_o"):
            continue
        w.gk(g.name, "ANUSVARA", ["anusvara.right"], g.text + "ं")
        w.gk(g.name, "VISARGA", ["visarga"], g.text + "ः")


def write_dot_rows(w):
    w.blank()
    w.comment("Dot sequences: .. danda, .n anusvara, .N candrabindu, .a avagraha, .h nothing,")
    w.comment(".c candra E, .k .kh .K .g .j .D .Dh .p .ph nukta consonants; || double danda.")
    dots = (("NUKTA", ["danda"], ".."), ("NA", ["anusvara.right"], ".n"),
            ("NNA", ["candrabindu"], ".N"), ("A", ["avagraha"], ".a"), ("HA", [], ".h"),
            ("KA", ["qa.virama"], ".k"), ("KHA", ["khha.virama"], ".K"), ("GA", ["ghha.virama"], ".g"),
            ("JA", ["za.virama"], ".j"), ("DDA", ["dddha.virama"], ".D"), ("PA", ["fa.virama"], ".p"))
    for ucode, seq, note in dots:
        w.gk("period", ucode, [DEL] + seq, note)
    w.gk("period", "CA", [DEL, "letter_candra_e"], ".c at the start: ऍ")
    w.gk("danda", "DANDA", [DEL, "double_danda"], "||")
    w.comment("After a consonant's dot the candra E takes the consonant; other dot sequences put")
    w.comment("the virama back as a mark.")
    for dot, stem in (("dot.right", "right"), ("dot.centre", "centre")):
        w.gk(dot, "CA", [DEL, "candra_e." + stem], ".c: candra E")
        for ucode, seq, note in dots:
            w.gk(dot, ucode, [DEL, "halant." + stem] + seq, note)


def write_attributes(w):
    w.blank()
    w.comment("Placement: the i sign stands before its cluster, the reph after the syllable.")
    for g in w.g.values():
        if g.placement in ("PREPEND", "APPEND"):
            w.lines.append("GKA 0x%02X %s %% %s" % (g.code, g.placement, g.name))


def generate(table):
    w = Writer(table)
    w.comment("Vedrokan: phonetic Devanagari (ITRANS keys) for the Vedrokan font.")
    w.comment("Generated by tools/languages/make_language.py from languages/vedrokan/Vedrokan.tsv;")
    w.comment("edit those, not this file. Glyph codes are the font's byte codes, named in comments.")
    w.comment("GK GLYPH UCODE SEQUENCE: when the letter ends with GLYPH and the key gives UCODE, add")
    w.comment("SEQUENCE; 2 in it replaces GLYPH, 3 takes the sequence of the letter's first glyph.")
    w.comment("A key that GLYPH's row does not list begins a new letter (row of glyph 1).")
    w.blank()
    w.lines.append("GKMAIN Vedrokan")
    w.blank()
    write_keys(w)
    w.blank()
    write_start(w)
    write_virama_rows(w)
    write_joiner_rows(w)
    write_full_rows(w)
    write_halant_rows(w)
    write_sign_rows(w)
    write_vowel_rows(w)
    write_dot_rows(w)
    write_attributes(w)
    return "\n".join(w.lines) + "\n"


# The printable keys the key chart leaves to the program: they type what the font draws
# for their byte, where it is the same character.
PASS_KEYS = ",;:!?'\"()-"


def legacy_keys():
    return {"vowels": VOWEL_KEYS, "consonants": CONSONANT_KEYS, "digits": DIGIT_NAMES,
            "aspirate": ASPIRATE, "nasal_of_row": NASAL_OF_ROW}


def seq_text(codes):
    return " ".join(str(c) if c < 4 else "0x%02X" % c for c in codes)


def generate_legacy(table, title, source):
    """The language of a font of half forms and a halant mark (Kruti Dev 010, Preeti)."""
    by_code = {x.code: x for x in table}
    with open(os.path.join(REPO, "core", "ucode_table.cpp"), encoding="utf-8") as f:
        ucodes = f.read()
    used = {u for _, u in VOWEL_KEYS} | {u for _, u, _ in CONSONANT_KEYS} | {u for _, u in SIGN_KEYS}
    used |= set(DIGIT_NAMES) | {DEAD_UCODE}
    free = legacy_language.free_ucodes(ucodes, used | {"VIRAMA"})
    punct_keys = [k for k in PASS_KEYS if ord(k) in by_code and by_code[ord(k)].text != k
                  and any(x.cls == "punct" and x.text == k for x in table)]
    free_punct = [name for name, _ in free][:len(punct_keys)]
    free = free[len(punct_keys):]
    start, rows, conflicts = legacy_language.build(table, legacy_keys(), free)
    if conflicts:
        raise ValueError("letter states that their tails cannot tell apart: %r" % (conflicts[:5],))

    def name(code):
        return by_code[code].name if code in by_code else str(code)

    lines = []
    lines.append("% " + title + ": phonetic Devanagari (ITRANS keys) for the font's 8-bit codes.")
    lines.append("% Generated by tools/languages/make_language.py from " + source + ";")
    lines.append("% edit those, not this file. Glyph codes are the font's byte codes, named in comments.")
    lines.append("% GK GLYPH UCODE SEQUENCE: when the letter ends with GLYPH and the key gives UCODE, add")
    lines.append("% SEQUENCE; 2 in it replaces GLYPH, and 3 3 U asks the glyph before GLYPH (which many")
    lines.append("% letters end with: the halant, the stem ा) for ucode U, a ucode no key gives.")
    lines.append("% A key that GLYPH's row does not list begins a new letter (row of glyph 1).")
    lines.append("")
    lines.append('GKMAIN "%s"' % title if " " in title else "GKMAIN " + title)
    lines.append("")
    lines.append("% Keys: one typed character, one ucode (the key chart of every Tolvar language).")
    for key, ucode in VOWEL_KEYS:
        lines.append("KU %s %s" % (key, ucode))
    for key, ucode, _ in CONSONANT_KEYS:
        lines.append("KU %s %s" % (key, ucode))
    for key, ucode in SIGN_KEYS:
        lines.append("KU %s %s" % (key, ucode))
    for digit, ucode in enumerate(DIGIT_NAMES):
        lines.append("KU %d %s" % (digit, ucode))
    lines.append("% Punctuation the font draws at another byte: the key types that byte. Keys whose")
    lines.append("% byte the font draws as something else and that it cannot draw type nothing.")
    punct_start = []
    dead = []
    for key in PASS_KEYS + DEAD_KEYS:
        byte = by_code.get(ord(key))
        if key in PASS_KEYS and (byte is None or byte.text == key):
            continue
        drawn = [x for x in table if x.cls == "punct" and x.text == key] if key in PASS_KEYS else []
        if drawn:
            ucode = free_punct.pop(0)
            lines.append("KU %s %s" % ("0x%02X" % ord(key) if key in "%\"" else key, ucode))
            punct_start.append((ucode, drawn[0].code, key))
        else:
            dead.append(key)
    for key in dead:
        lines.append("KU %s %s" % ("0x%02X" % ord(key) if key in "%\"" else key, DEAD_UCODE))
    lines.append("")
    lines.append("% The first key of a letter (row of glyph 1).")
    for ucode, (seq, note) in start.items():
        lines.append("GK 1 %-8s %-24s %% %s" % (ucode, seq_text(seq), note))
    for ucode, code, key in punct_start:
        lines.append("GK 1 %-8s %-24s %% %s" % (ucode, seq_text([code]), key))
    lines.append("")
    lines.append("% Rows of the glyphs a letter can end with.")
    last = None
    for (glyph, ucode), (seq, note) in sorted(rows.items(), key=lambda r: (r[0][0], r[0][1])):
        if glyph != last:
            lines.append("% " + (name(glyph) + " (" + by_code[glyph].text + ")" if glyph != 1 else
                                 "the start row, answering for the first glyph of a letter"))
            last = glyph
        text = " ".join(name(c) if c > 3 and c in by_code else str(c) for c in seq) if seq[0] != 3 else ""
        row = "1   " if glyph == 1 else "0x%02X" % glyph
        lines.append("GK %s %-8s %-24s %% %s" % (row, ucode, seq_text(seq), (note + " " + text).strip()))
    lines.append("")
    lines.append("% Placement: the i sign stands before its cluster, the reph after the syllable.")
    for x in table:
        if x.placement in ("PREPEND", "APPEND"):
            lines.append("GKA 0x%02X %s %% %s" % (x.code, x.placement, x.name))
    return "\n".join(lines) + "\n"


# The .gkl form: letters and digits exchanged in fixed pairs (langfile/letter_swap.cpp).
SWAP = str.maketrans("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
                     "NOPQRSTUVWXYZABCDEFGHIJKLMnopqrstuvwxyzabcdefghijklm5678901234")


def language_title(table_path, gkf_name):
    """The display name that language.txt in the table's folder gives the language file."""
    path = os.path.join(os.path.dirname(table_path), "language.txt")
    title = None
    if os.path.exists(path):
        with open(path, encoding="utf-8") as f:
            block = {}
            for line in f.read().splitlines() + ["name="]:
                key, _, value = line.partition("=")
                if key == "name":
                    if block.get("file") == gkf_name:
                        title = block.get("name")
                    block = {}
                if "=" in line and not line.startswith("#"):
                    block[key] = value
    return title or os.path.splitext(gkf_name)[0]


def main():
    parser = argparse.ArgumentParser(description="Makes a language file from an encoding table.")
    parser.add_argument("--remington", action="store_true",
                        help="the keys are the font's bytes, its typewriter layout")
    parser.add_argument("table", nargs="?", default=os.path.join(REPO, "languages", "vedrokan", "Vedrokan.tsv"))
    parser.add_argument("output", nargs="?")
    args = parser.parse_args()
    table = read_table(args.table)
    out = args.output or os.path.splitext(args.table)[0] + ".gkf"
    title = language_title(args.table, os.path.basename(out))
    source = os.path.relpath(args.table, REPO)
    if args.remington:
        with open(os.path.join(REPO, "core", "ucode_table.cpp"), encoding="utf-8") as f:
            text = remington_language.generate(table, title, source, f.read())
    elif any(g.cls == "virama" for g in table):
        text = generate(table)
    else:
        text = generate_legacy(table, title, source)
    with open(out, "w", encoding="utf-8", newline="\n") as f:
        f.write(text)
    with open(os.path.splitext(out)[0] + ".gkl", "w", encoding="utf-8", newline="\n") as f:
        f.write(text.translate(SWAP))


if __name__ == "__main__":
    main()
