"""The phonetic language of a font that has half forms and a halant mark but no
glyph of its own for every consonant with virama (Kruti Dev 010, Preeti).

The keys are those of make_language.py (the key chart); what changes is how a
letter is drawn. A pending consonant is its half form (क्) or, without one, the
consonant and the halant mark (ट्); ख ण थ ... are the half form and the stem ा.
Several letters then end with the same glyph (the halant, the stem, the nukta),
and the composer only sees a letter's last glyph: each letter state is written
down with the glyphs it ends with (its tail), and where states that share a last
glyph want different things from a key, that glyph's row asks the glyph before
it (the sequence 3 3 u, u a ucode no key gives), as deep as the tails differ.
"""

import re

START = 1  # the row of glyph 1, which also answers before a letter's first glyph
DEL = 2
ASK = 3  # 3 3 u: the glyph before answers for ucode u
NEW = "new letter"

VIRAMA = "\u094d"
NUKTA = "\u093c"

# The consonants by the names the key chart uses, with their text.
CONSONANT_TEXT = {
    "ka": "क", "kha": "ख", "ga": "ग", "gha": "घ", "nga": "ङ", "ca": "च", "cha": "छ", "ja": "ज",
    "jha": "झ", "nya": "ञ", "tta": "ट", "ttha": "ठ", "dda": "ड", "ddha": "ढ", "nna": "ण",
    "ta": "त", "tha": "थ", "da": "द", "dha": "ध", "na": "न", "pa": "प", "pha": "फ", "ba": "ब",
    "bha": "भ", "ma": "म", "ya": "य", "ra": "र", "la": "ल", "lla": "ळ", "va": "व", "sha": "श",
    "ssa": "ष", "sa": "स", "ha": "ह", "qa": "क़", "khha": "ख़", "ghha": "ग़", "za": "ज़",
    "dddha": "ड़", "rha": "ढ़", "fa": "फ़", "kssa": "क्ष", "jnya": "ज्ञ", "rra": "ऱ",
}
# Vowel signs by the ucodes of the vowel keys, as text.
SIGN_TEXT = {"AA": "ा", "I": "ि", "II": "ी", "U": "ु", "UU": "ू", "V_R": "ृ", "E": "े",
             "O": "ो", "S_E": "ॆ", "S_O": "ॊ"}
VOWEL_TEXT = {"A": "अ", "AA": "आ", "I": "इ", "II": "ई", "U": "उ", "UU": "ऊ", "E": "ए",
              "O": "ओ", "V_R": "ऋ", "S_E": "ऎ", "S_O": "ऒ"}


class Font:
    """The glyphs of a table, found by their text (a name without .alt first)."""

    def __init__(self, table):
        self.glyphs = table
        self.by_key = {}
        for g in sorted(table, key=lambda g: (bool(re.search(r"\.alt\d*$", g.name)), g.code)):
            self.by_key.setdefault((g.cls, g.text), g.code)
        self.by_code = {g.code: g for g in table}

    def find(self, cls, text):
        return self.by_key.get((cls, text))

    def alternate(self, code):
        """A second glyph for a text (named .alt): typing prefers the usual one."""
        return re.search(r"\.alt\d*$", self.by_code[code].name) is not None

    def first(self, cls):
        codes = [g.code for g in self.glyphs if g.cls == cls]
        return codes[0] if codes else None


class Legacy:
    def __init__(self, table):
        self.f = Font(table)
        f = self.f
        self.halant = f.find("halant", VIRAMA)
        self.nukta = f.find("sign", NUKTA)
        self.reph = f.first("reph")
        self.stem = next((g.code for g in table if g.cls == "matra" and "्:" in g.traits.get("after", "")
                          and g.text == "ा"), None)
        self.rakar = {g.marks: g.code for g in reversed(table) if g.cls == "rakar" and g.text == VIRAMA + "र"}
        self.i_sign = next((g.code for g in table if g.placement == "PREPEND"), None)

    # A consonant's glyphs: whole (F) and pending with its virama (V); None when the font lacks it.
    def full(self, name):
        text = CONSONANT_TEXT[name]
        f = self.f
        code = f.find("consonant", text)
        half = f.find("half", text + VIRAMA)
        if code is not None and not (f.alternate(code) and half is not None and self.stem is not None):
            return [code]
        if text.endswith(NUKTA) and self.nukta is not None:
            base = [k for k, t in CONSONANT_TEXT.items() if t == text[:-1]][0]
            b = self.full(base)
            return b + [self.nukta] if b else None
        if half is not None and self.stem is not None:
            return [half, self.stem]
        return [code] if code is not None else None

    def pending(self, name):
        text = CONSONANT_TEXT[name]
        half = self.f.find("half", text + VIRAMA)
        if half is not None:
            return [half]
        whole = self.full(name)
        if whole and self.halant is not None:
            return whole + [self.halant]
        return None

    def marks_of(self, seq):
        g = self.f.by_code[seq[0]]
        return g.marks if g.cls == "consonant" else "right"

    def sign(self, ucode):
        """The glyphs of a vowel sign: one glyph, or in parts (ो: ा + े)."""
        return sign_text(self, SIGN_TEXT[ucode])

    def with_sign(self, whole, name, ucode):
        """A whole consonant with the sign of a vowel key: the ligature where the font has one."""
        lig = self.f.find("ligature", CONSONANT_TEXT[name] + SIGN_TEXT[ucode])
        if lig is not None and len(whole) == 1:
            return [lig]
        sign = self.sign(ucode)
        if sign is None:
            return None
        return whole + sign

    def with_rakar(self, name):
        """A consonant with rakar, pending (क्र्): the ligature or the rakar mark, then the halant."""
        text = CONSONANT_TEXT[name]
        lig = self.f.find("consonant", text + VIRAMA + "र")
        whole = self.full(name)
        if lig is not None:
            base = [lig]
        elif whole and self.rakar:
            base = whole + [self.rakar.get(self.marks_of(whole), self.rakar.get("right"))]
        else:
            return None
        return base + [self.halant] if self.halant is not None else None


class Machine:
    """Letter states by their tails, each key's new tail, compiled into GK rows."""

    def __init__(self, free_ucodes):
        self.trans = {}
        self.notes = {}
        self.free = list(free_ucodes)
        self.pseudo = {}

    def add(self, tail, ucode, new, note=""):
        tail = tuple(tail)
        if new is None:
            return
        self.trans.setdefault(tail, {})
        if ucode not in self.trans[tail]:
            self.trans[tail][ucode] = new if new == NEW else tuple(new)
            self.notes[(tail, ucode)] = note

    @staticmethod
    def encode(tail, new, depth):
        if new == NEW:
            return NEW
        n = len(tail)
        k = 0
        while k < min(n, len(new)) and tail[k] == new[k]:
            k += 1
        kill, append = n - k, list(new[k:])
        if kill > depth + 1 or (kill == depth + 1 and depth == n):
            return None
        if kill == depth + 1:
            seq = [DEL] + append
        else:
            seq = list(tail[n - depth:n - kill]) + append
        if not seq and depth == n:
            return None
        if not seq:
            seq = [DEL, tail[n - depth - 1]]
        return tuple(seq) if len(seq) <= 4 else None

    def compile(self):
        """Rows, and the states the rows cannot tell apart. An asked ucode serves one key;
        where two questions would give one glyph different answers, that key's asked
        ucodes are split by depth and by the shared glyph the question began at."""
        split = set()
        while True:
            self.free.extend(sorted(self.pseudo.values(), key=lambda p: p[1]))
            self.free.sort(key=lambda p: p[1])
            self.pseudo = {}
            rows, conflicts, clashes = self.compile_once(split)
            if not clashes:
                return rows, conflicts
            split |= clashes

    def compile_once(self, split):
        rows = {}
        conflicts = []
        clashes = set()
        asked_for = {}

        class Rows(dict):
            def __setitem__(self, key, value):
                if key in self and self[key][0] != value[0]:
                    clashes.add(asked_for[key[1]])
                    return
                dict.__setitem__(self, key, value)
        rows = Rows()
        keys = sorted({u for t in self.trans.values() for u in t})
        by_last = {}
        for tail in self.trans:
            by_last.setdefault(tail[-1], []).append(tail)

        def node(tails, key, ucode, depth, path):
            if len(tails[0]) == depth:
                # The start row: the whole tail was taken off.
                value = self.encode(tails[0], self.trans[tails[0]][ucode], depth)
                if len(tails) > 1 or value is None:
                    conflicts.extend((t, ucode) for t in tails)
                else:
                    rows[(START, key)] = (value, self.notes.get((tails[0], ucode), ""))
                return
            glyph = tails[0][-1 - depth]
            outs = {t: self.encode(t, self.trans[t].get(ucode, NEW), depth) for t in tails}
            values = set(outs.values())
            if len(values) == 1 and None not in values:
                value = values.pop()
                if value != NEW:
                    rows[(glyph, key)] = (value, self.notes.get((tails[0], ucode), ""))
                return
            deeper = {}
            for t in tails:
                if len(t) > depth + 1:
                    deeper.setdefault(t[-2 - depth], []).append(t)
                elif self.trans[t].get(ucode, NEW) != NEW:
                    # Before the letter's first glyph the start row answers.
                    deeper.setdefault(START, []).append(t)
            if not deeper:
                return
            which = (ucode,)
            slot = which + (depth + 1, (path + (glyph,))[0]) if which in split else which
            ask = self.pseudo.get(slot)
            if ask is None:
                if not self.free:
                    raise ValueError("no ucode left to ask the glyph before")
                ask = self.free.pop(0)
                self.pseudo[slot] = ask
                asked_for[ask[0]] = which
            rows[(glyph, key)] = ((ASK, ASK, ask[1]), "ask the glyph before")
            for group in deeper.values():
                node(group, ask[0], ucode, depth + 1, path + (glyph,))

        for glyph, tails in sorted(by_last.items()):
            for ucode in keys:
                node(tails, ucode, ucode, 0, ())
        return rows, conflicts, clashes


def free_ucodes(ucode_table_source, used):
    """Ucodes (name, number) that no key gives, from core/ucode_table.cpp."""
    pairs = re.findall(r'\{0x([0-9A-F]{2}), "([A-Z_0-9]+)"\}', ucode_table_source)
    return [(name, int(code, 16)) for code, name in pairs if name not in used]


AI_TEXT, AU_TEXT = "ै", "ौ"


def vowel_letter(lg, text):
    """A vowel letter's glyphs: its own, or a letter and the signs drawn after it (आ: अ + ा)."""
    code = lg.f.find("vowel", text)
    if code is not None:
        return [code]
    for g in lg.f.glyphs:
        for pair in g.traits.get("after", "").split(","):
            first, _, letter = pair.partition(":")
            if letter == text and first:
                before = vowel_letter(lg, first)
                if before and g.placement == "APPEND":
                    # Drawn after the letter, typed first (Preeti's ई: the reph on इ), so that
                    # the letter ends with इ's glyph and not with the reph a pending र is.
                    return [g.code] + before
                if before:
                    return before + [g.code]
    return None


def sign_text(lg, text):
    """The glyphs of the vowel sign `text`: one glyph, or in parts (ो: ा + े)."""
    code = lg.f.find("matra", text)
    if code is not None:
        return [code]
    for g in lg.f.glyphs:
        for pair in g.traits.get("after", "").split(","):
            first, _, letter = pair.partition(":")
            if letter == text and lg.f.find("matra", first) is not None:
                return [lg.f.find("matra", first), g.code]
    return None


def build(table, keys, free):
    """The start row (ucode -> glyphs) and the compiled rows of a legacy font's language."""
    lg = Legacy(table)
    f = lg.f
    m = Machine(free)
    start = {}
    anusvara = f.find("sign", "ं")
    visarga = f.find("sign", "ः")
    period = f.find("punct", ".")
    danda = f.find("punct", "।")

    def put(tail, ucode, new, note=""):
        if tail and new is not None:
            m.add(tail, ucode, new, note)

    def plus(seq, *more):
        if seq is None or any(x is None for x in more):
            return None
        return list(seq) + [x for part in more for x in (part if isinstance(part, list) else [part])]

    def signs_after(tail):
        """Anusvara and visarga after a letter."""
        put(tail, "ANUSVARA", plus(tail, anusvara), "anusvara")
        put(tail, "VISARGA", plus(tail, visarga), "visarga")

    # The first key of a letter.
    for key, ucode in keys["vowels"]:
        text = VOWEL_TEXT[ucode]
        seq = vowel_letter(lg, text)
        if seq:
            start.setdefault(ucode, (seq, text))
    for key, ucode, name in keys["consonants"]:
        seq = lg.pending(name)
        if seq:
            start.setdefault(ucode, (seq, CONSONANT_TEXT[name] + VIRAMA))
    if lg.pending("nga"):
        start["CUSTOM1"] = (lg.pending("nga"), "~ begins ~N and ~n")
    for ucode, code, note in (("ANUSVARA", anusvara, "M"), ("VISARGA", visarga, "H"),
                              ("NUKTA", period, ". stays a full stop unless a dot sequence follows"),
                              ("DANDA", danda, "|")):
        if code is not None:
            start[ucode] = ([code], note)
    for digit, ucode in enumerate(keys["digits"]):
        code = f.find("digit", chr(0x966 + digit))
        if code is not None:
            start[ucode] = ([code], chr(0x966 + digit))

    names = [n for n in CONSONANT_TEXT if lg.pending(n)]
    key_of = {}
    for _, ucode, name in keys["consonants"]:
        key_of.setdefault(ucode, name)

    # A pending consonant (क्): vowels complete it, consonants join it, h aspirates it.
    for c in names:
        tail = lg.pending(c)
        whole = lg.full(c)
        put(tail, "A", whole, "a: the whole consonant")
        for ucode in ("AA", "I", "II", "U", "UU", "V_R", "E", "O", "S_E", "S_O"):
            put(tail, ucode, lg.with_sign(whole, c, ucode) if whole else None, SIGN_TEXT[ucode])
        put(tail, "ANUSVARA", plus(tail, anusvara), "M after a virama")
        put(tail, "NUKTA", plus(tail, period), ". (a full stop after the virama)")
        dotted = plus(tail, period)
        if dotted and whole:
            if sign_text(lg, "ॅ"):
                put(dotted, "CA", whole + sign_text(lg, "ॅ"), ".c: candra E")
            put(dotted, "HA", tail, ".h: the virama stays")
        overrides = {}
        if c in keys["aspirate"] and lg.pending(keys["aspirate"][c]):
            overrides["HA"] = (lg.pending(keys["aspirate"][c]), "h")
        special = {("ja", "NA"): "jnya", ("ja", "CUSTOM1"): "jnya", ("gha", "YYA"): "jnya",
                   ("ka", "SSA"): "kssa", ("nga", "NA"): "nya", ("nga", "NNA"): "nga",
                   ("nna", "CUSTOM2"): "nga", ("jnya", "NA"): "jnya", ("ra", "CUSTOM2"): "rra",
                   ("ca", "HA"): "ca"}
        for (base, ucode), target in special.items():
            if base == c and lg.pending(target):
                overrides[ucode] = (lg.pending(target), "")
        if c == "na":
            for ucode, nasal in keys["nasal_of_row"].items():
                if lg.pending(nasal) and lg.pending(key_of[ucode]):
                    overrides[ucode] = (lg.pending(nasal) + lg.pending(key_of[ucode]), "nasal of the row")
        for ucode, (new, note) in overrides.items():
            put(tail, ucode, new, note)
        for ucode, target in key_of.items():
            if ucode == "RA" and c != "ra":
                put(tail, ucode, lg.with_rakar(c), "rakar")
            elif lg.pending(target) and c == "ra" and lg.reph is not None:
                # र् before a consonant is the reph, drawn after the syllable.
                put(tail, ucode, [lg.reph] + lg.pending(target), "reph")
            elif lg.pending(target):
                put(tail, ucode, tail + lg.pending(target), "cluster")

    # Whole consonants (inherent a), with rakar too: aa, ai, au, anusvara, visarga.
    wholes = [lg.full(c) for c in names if lg.full(c)]
    wholes += [lg.with_rakar(c)[:-1] for c in names if c != "ra" and lg.with_rakar(c)]
    for whole in wholes:
        put(whole, "A", plus(whole, sign_text(lg, "ा")), "aa")
        put(whole, "I", plus(whole, sign_text(lg, AI_TEXT)), "ai")
        put(whole, "U", plus(whole, sign_text(lg, AU_TEXT)), "au")
        signs_after(whole)
    # A pending rakar cluster (क्र्): a vowel replaces the halant.
    for c in names:
        tail = lg.with_rakar(c) if c != "ra" else None
        if not tail:
            continue
        put(tail, "A", tail[:-1], "a")
        put(tail, "NUKTA", tail + [period], ".")
        put(tail + [period], "HA", tail, ".h: the halant stays")
        if sign_text(lg, "ॅ"):
            put(tail + [period], "CA", tail[:-1] + sign_text(lg, "ॅ"), ".c: candra E")
        for ucode in ("AA", "I", "II", "U", "UU", "V_R", "E", "O", "S_E", "S_O"):
            put(tail, ucode, plus(tail[:-1], sign_text(lg, SIGN_TEXT[ucode])), SIGN_TEXT[ucode])
        for ucode, target in key_of.items():
            put(tail, ucode, plus(tail, lg.pending(target)), "cluster")
    # Consonants drawn with their sign (रु): u lengthens it.
    for c in names:
        whole = lg.full(c)
        if not whole or len(whole) != 1:
            continue
        for ucode, longer in (("U", "UU"),):
            short = lg.with_sign(whole, c, ucode)
            if short and len(short) == 1:
                put(short, ucode, lg.with_sign(whole, c, longer), "uu")
                signs_after(short)
    # A consonant drawn with ृ (कृ): RRi and R^i type it whole, as on the sign itself.
    for c in names:
        whole = lg.full(c)
        lig = lg.with_sign(whole, c, "V_R") if whole and len(whole) == 1 else None
        if lig and len(lig) == 1:
            for ucode in ("V_R", "I", "CUSTOM2"):
                put(lig, ucode, lig, "RRi, R^i")
            signs_after(lig)
    # Vowel signs: a second key lengthens them or adds a sign.
    for first, second, text in (("ि", "I", "ी"), ("ु", "U", "ू")):
        tail = sign_text(lg, first)
        if tail:
            put(tail, second, sign_text(lg, text), text)
    o_sign = sign_text(lg, "ो")
    if o_sign and sign_text(lg, "ॉ"):
        put(o_sign, "A", sign_text(lg, "ॉ"), "oa")
        o_letter = vowel_letter(lg, "ओ")
        if o_letter and vowel_letter(lg, "ऑ"):
            put(o_letter, "A", vowel_letter(lg, "ऑ"), "oa")
    r_sign = sign_text(lg, "ृ")
    if r_sign:
        for ucode in ("V_R", "I", "CUSTOM2"):
            put(r_sign, ucode, r_sign, "RRi, R^i")
    for text in ("ा", "ि", "ी", "ु", "ू", "ृ", "े", "ै", "ो", "ौ", "ॉ"):
        tail = sign_text(lg, text)
        if tail:
            put(tail, "ANUSVARA", plus(tail, anusvara), text + "ं")
            put(tail, "VISARGA", plus(tail, visarga), text + "ः")
    # Vowel letters: a second key makes the long one.
    second = {"अ": (("A", "आ"), ("I", "ऐ"), ("U", "औ")), "इ": (("I", "ई"),), "उ": (("U", "ऊ"),),
              "ए": ()}
    for text, pairs in second.items():
        tail = vowel_letter(lg, text)
        if not tail:
            continue
        for ucode, longer in pairs:
            put(tail, ucode, vowel_letter(lg, longer), longer)
    if vowel_letter(lg, "ऋ"):
        for ucode in ("V_R", "I", "CUSTOM2"):
            put(vowel_letter(lg, "ऋ"), ucode, vowel_letter(lg, "ऋ"), "RRi, R^i")
    for text in ("अ", "आ", "इ", "ई", "उ", "ऊ", "ए", "ऐ", "ओ", "औ", "ऋ"):
        tail = vowel_letter(lg, text)
        # A letter with a glyph drawn after it (Preeti's ई) takes its signs as a letter of their
        # own: in the same letter the anusvara would stand before that glyph.
        if tail and any(f.by_code[c].placement == "APPEND" for c in tail):
            for ucode in ("ANUSVARA", "VISARGA"):
                put(tail, ucode, NEW)
        elif tail:
            signs_after(tail)
    # Dot sequences and the double danda.
    if period is not None:
        dots = (("NUKTA", [danda], ".."), ("NA", [anusvara], ".n"),
                ("NNA", [f.find("sign", "ँ")], ".N"), ("A", [f.find("sign", "ऽ")], ".a"),
                ("HA", [], ".h"), ("CA", vowel_letter(lg, "ऍ"), ".c"),
                ("KA", lg.pending("qa"), ".k"), ("KHA", lg.pending("khha"), ".K"),
                ("GA", lg.pending("ghha"), ".g"), ("JA", lg.pending("za"), ".j"),
                ("DDA", lg.pending("dddha"), ".D"), ("PA", lg.pending("fa"), ".p"))
        for ucode, seq, note in dots:
            if seq is not None and None not in seq:
                put([period], ucode, seq, note)
    if danda is not None and f.find("punct", "॥") is not None:
        put([danda], "DANDA", [f.find("punct", "॥")], "||")
    rows, conflicts = m.compile()
    return start, rows, conflicts
