"""Spells Unicode Devanagari words as the ITRANS keys a Vedrokan user types.

Written from the key chart (README, section Vedrokan), independently of the
language file generator, so that typing the result through the language file
checks the file against the chart.
"""

import unicodedata

VIRAMA = "\u094d"
NUKTA = "\u093c"

CONSONANTS = {
    "क": "k", "ख": "kh", "ग": "g", "घ": "gh", "ङ": "~N", "च": "ch", "छ": "Ch", "ज": "j",
    "झ": "jh", "ञ": "~n", "ट": "T", "ठ": "Th", "ड": "D", "ढ": "Dh", "ण": "N", "त": "t",
    "थ": "th", "द": "d", "ध": "dh", "न": "n", "प": "p", "फ": "ph", "ब": "b", "भ": "bh",
    "म": "m", "य": "y", "र": "r", "ल": "l", "ळ": "L", "व": "v", "श": "sh", "ष": "Sh",
    "स": "s", "ह": "h",
    "क" + NUKTA: "q", "ख" + NUKTA: ".kh", "ग" + NUKTA: ".g", "ज" + NUKTA: "z",
    "ड" + NUKTA: ".D", "ढ" + NUKTA: ".Dh", "फ" + NUKTA: "f",
    "क्ष": "kSh", "ज्ञ": "j~n", "ऱ": "r^",
}
VOWELS = {"अ": "a", "आ": "A", "इ": "i", "ई": "I", "उ": "u", "ऊ": "U", "ऋ": "RRi", "ए": "e",
          "ऐ": "ai", "ओ": "o", "औ": "au", "ऑ": "oa", "ऍ": ".c", "ॠ": "RRI", "ऌ": "LLi",
          "ऎ": "E", "ऒ": "O", "ॐ": "OM"}
SIGNS = {"ा": "aa", "ि": "i", "ी": "ii", "ु": "u", "ू": "uu", "ृ": "RRi", "े": "e", "ै": "ai",
         "ो": "o", "ौ": "au", "ॉ": "oa", "ॅ": ".c", "ॄ": "RRI", "ॆ": "E", "ॊ": "O"}
# After a virama: + keeps the cluster joined (ZWJ), / shows the virama (ZWNJ).
JOINERS = {"\u200d": "+", "\u200c": "/"}
# Keys that reach the program unchanged and that the font draws as they are.
PUNCTUATION = set(" ,;:!?'\"()-")
MARKS = {"ं": "M", "ँ": ".N", "ः": "H", "ऽ": ".a", "।": "..", "॥": "||"}
DIGITS = {chr(0x966 + d): str(d) for d in range(10)}

# Key pairs that the keyboard reads as one sound (kh, sh, nk, jn, LL, ...): when the
# word has the two letters apart, a _ between them keeps them apart.
MERGING = {
    ("k", "h"), ("g", "h"), ("ch", "h"), ("Ch", "h"), ("j", "h"), ("T", "h"), ("D", "h"),
    ("t", "h"), ("d", "h"), ("p", "h"), ("b", "h"), ("s", "h"), ("sh", "h"), ("Sh", "h"),
    ("q", "h"), (".D", "h"), ("f", "h"), ("kSh", "h"), ("j", "n"), ("~N", "n"), ("~N", "N"),
    ("j~n", "n"), ("L", "L"),
}
NASAL_MERGING = ("k", "kh", "g", "gh", "kSh", "ch", "Ch", "j", "jh", "T", "Th", "D", "Dh")


def letters(word):
    """Splits a word into letters: consonants with their nukta, or single characters."""
    word = unicodedata.normalize("NFC", word)
    out = []
    i = 0
    while i < len(word):
        for unit in ("क्ष", "ज्ञ"):
            if word.startswith(unit, i):
                out.append(unit)
                i += len(unit)
                break
        else:
            if i + 1 < len(word) and word[i + 1] == NUKTA:
                out.append(word[i:i + 2])
                i += 2
            else:
                out.append(word[i])
                i += 1
    return out


def merges(previous, following):
    if (previous, following) in MERGING:
        return True
    return previous == "n" and following in NASAL_MERGING


def spell(word):
    """(keys that type the word, None), or (None, why it cannot be typed)."""
    out = []
    last_consonant = None  # keys of a consonant still carrying its virama
    units = letters(word)
    for i, u in enumerate(units):
        nxt = units[i + 1] if i + 1 < len(units) else None
        if u in CONSONANTS:
            k = CONSONANTS[u]
            if last_consonant is not None and merges(last_consonant, k):
                out.append("_")
            out.append(k)
            if nxt == VIRAMA:
                last_consonant = k
            else:
                last_consonant = None
                if nxt not in SIGNS:
                    out.append("a")
            continue
        last_consonant = None if u != VIRAMA else last_consonant
        if u == VIRAMA:
            continue
        if u in JOINERS:
            out.append(JOINERS[u])
        elif u in PUNCTUATION:
            out.append(u)
        elif u == ".":
            # A full stop; _ keeps the next key from making a dot sequence of it.
            out.append("._" if nxt is not None else ".")
        elif u in VOWELS:
            if out:
                out.append("_")
            out.append(VOWELS[u])
        elif u in SIGNS:
            out.append(SIGNS[u])
        elif u in MARKS:
            out.append(MARKS[u])
        elif u in DIGITS:
            out.append(DIGITS[u])
        else:
            return None, "no key for %s (%s)" % (
                u, " ".join("U+%04X" % ord(c) for c in u))
    return "".join(out), None
