#!/usr/bin/python3
"""Types every word of Debian's Hindi dictionary through Vedrokan and back.

Each word whose letters the Vedrokan encoding has is spelled in ITRANS keys,
typed through the real composer (gkfcheck --type, many words per process),
and the glyph bytes on screen are converted back with legacyconv --to-unicode
and compared with the word (both in NFC). The test fails when fewer than 99%
come back exactly; it lists every word that does not.

It also converts each word with legacyconv --from-unicode and counts the words
whose bytes differ from the typed ones (the converter and the language file
drawing a word differently); that figure is reported, not required.

Usage: vedrokan_wordlist_test.py --gkfcheck EXE --legacyconv EXE [--emulator CMD]
                                 [--failures FILE]
"""

import argparse
import os
import subprocess
import sys
import unicodedata

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(REPO, "tools", "vedrokan"))
import itrans_keys  # noqa: E402
from vedrokan_table import read_table  # noqa: E402

DICTIONARY = "/usr/share/hunspell/hi_IN.dic"
LANGUAGE = os.path.join(REPO, "languages", "vedrokan", "Vedrokan.gkf")
GOAL = 0.99
BATCH_BYTES = 60000  # keys per gkfcheck run, well inside the argument length limit


def dictionary_words():
    with open(DICTIONARY, encoding="utf-8") as f:
        lines = f.read().splitlines()[1:]
    words = []
    seen = set()
    for line in lines:
        word = unicodedata.normalize("NFC", line.split("/")[0].strip())
        if word and word not in seen:
            seen.add(word)
            words.append(word)
    return words


def letter_set():
    letters = set()
    for g in read_table():
        if g.cls in ("consonant", "vowel", "matra", "sign", "digit", "punct", "halant"):
            letters.add(unicodedata.normalize("NFC", g.text))
    letters.add(itrans_keys.VIRAMA)
    return letters


def type_words(command, key_strings):
    """Screen bytes of each key string, typed one after the other with spaces between."""
    results = []
    batch = []
    size = 0

    def run():
        text = " ".join(batch)
        out = subprocess.run(command + [LANGUAGE, "--type", text], capture_output=True,
                             text=True, check=True).stdout
        screen = [line for line in out.splitlines() if line.startswith("screen:")][-1]
        data = bytes(int(h, 16) for h in screen[len("screen:"):].split())
        parts = data.split(b" ")
        if len(parts) != len(batch):
            raise RuntimeError("typed %d words, screen holds %d" % (len(batch), len(parts)))
        results.extend(parts)

    for keys in key_strings:
        if size + len(keys) + 1 > BATCH_BYTES:
            run()
            batch, size = [], 0
        batch.append(keys)
        size += len(keys) + 1
    if batch:
        run()
    return results


def legacyconv(command, mode, data):
    return subprocess.run(command + [mode], input=data, capture_output=True, check=False).stdout


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--gkfcheck", required=True)
    parser.add_argument("--legacyconv", required=True)
    parser.add_argument("--emulator", default="")
    parser.add_argument("--failures", default="")
    args = parser.parse_args()
    emulator = args.emulator.split() if args.emulator else []
    gkfcheck = emulator + [args.gkfcheck]
    converter = emulator + [args.legacyconv]

    words = dictionary_words()
    letters = letter_set()
    chosen = [w for w in words if itrans_keys.covered(w, letters)]
    spelled = [(w, itrans_keys.keys(w)) for w in chosen]
    typed = type_words(gkfcheck, [k for _, k in spelled])

    back = legacyconv(converter, "--to-unicode", b"\n".join(typed) + b"\n").decode("utf-8").split("\n")
    drawn = legacyconv(converter, "--from-unicode",
                       "\n".join(w for w, _ in spelled).encode("utf-8") + b"\n").split(b"\n")

    failures = []
    differ = 0
    for i, (word, keys) in enumerate(spelled):
        got = unicodedata.normalize("NFC", back[i])
        if got != word:
            failures.append("%s  keys %s  typed %s  came back %s" % (word, keys, typed[i].hex(" "), got))
        if drawn[i] != typed[i]:
            differ += 1

    passed = len(spelled) - len(failures)
    share = passed / len(spelled)
    print("dictionary words: %d, covered by the font: %d" % (len(words), len(chosen)))
    print("typed and converted back exactly: %d of %d (%.2f%%)" % (passed, len(spelled), 100 * share))
    print("legacyconv --from-unicode draws %d of them with other bytes than typing does" % differ)
    for line in failures:
        print("FAIL " + line)
    if args.failures:
        with open(args.failures, "w", encoding="utf-8") as f:
            f.write("\n".join(failures) + "\n")
    ok = share >= GOAL
    print("%d passed, %d failed" % (1 if ok else 0, 0 if ok else 1))
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
