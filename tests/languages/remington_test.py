#!/usr/bin/python3
"""Remington typing into Kruti Dev 010: the font's bytes of a word, typed as keys.

Every Hindi word (hunspell-hi) that Kruti Dev draws is turned into its bytes
(legacyconv --from-unicode), and the bytes are typed as keys into
KrutiDev010-Remington.gkf, as a typist types them (the i sign before its
consonant). With font output the screen must hold exactly those bytes; with
Unicode output the text must be the word. Words with a byte that has no key
(the Remington file keys 114 glyphs, see its header) are left out and counted.
Every failure is named; GOAL of the typed words must pass.

Usage: remington_test.py --gkfcheck EXE --legacyconv EXE
"""

import argparse
import os
import subprocess
import sys
import unicodedata

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, HERE)
from wordlist_test import list_words  # noqa: E402

LANGUAGE = os.path.join(REPO, "languages", "krutidev", "KrutiDev010-Remington.gkf")
WORDS = "/usr/share/hunspell/hi_IN.dic"
GOAL = 0.995
BATCH = 40000


def keyed_bytes():
    keys = set()
    with open(LANGUAGE, encoding="utf-8") as f:
        for line in f:
            parts = line.split()
            if len(parts) >= 3 and parts[0] == "KU":
                token = parts[1]
                keys.add(int(token, 16) if token.startswith("0x") else ord(token))
    return keys


def type_batches(gkfcheck, strings, unicode):
    results = []
    batch = []

    def run():
        mode = ["--unicode"] if unicode else []
        out = subprocess.run([gkfcheck, LANGUAGE] + mode + ["--type", b"\n".join(batch)],
                             capture_output=True, check=True).stdout
        if unicode:
            text = out.decode("utf-8")
            parts = text[text.rindex("\ntext: ") + 7:][:-1].split("\n")
        else:
            screen = [l for l in out.decode().splitlines() if l.startswith("screen:")][-1]
            parts = bytes(int(h, 16) for h in screen[7:].split()).split(b"\n")
        assert len(parts) == len(batch), (len(parts), len(batch))
        results.extend(parts)

    size = 0
    for s in strings:
        if size + len(s) > BATCH:
            run()
            batch, size = [], 0
        batch.append(s)
        size += len(s) + 1
    if batch:
        run()
    return results


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--gkfcheck", required=True)
    parser.add_argument("--legacyconv", required=True)
    args = parser.parse_args()
    words = list_words(WORDS)
    r = subprocess.run([args.legacyconv, "--from-unicode", "--font", "Kruti Dev 010"],
                       input="\n".join(words).encode("utf-8") + b"\n", capture_output=True)
    undrawable = {int(l.split()[2].rstrip(":")) for l in r.stderr.decode().splitlines()
                  if l.startswith("legacyconv: line ")}
    drawn = r.stdout.split(b"\n")
    keys = keyed_bytes()
    cases = [(w, drawn[i]) for i, w in enumerate(words) if i + 1 not in undrawable]
    typable = [(w, b) for w, b in cases if b and set(b) <= keys]
    print("%d words: %d the font cannot draw, %d with a byte that has no key, %d typed"
          % (len(words), len(undrawable), len(cases) - len(typable), len(typable)))
    screens = type_batches(args.gkfcheck, [b for _, b in typable], unicode=False)
    texts = type_batches(args.gkfcheck, [b for _, b in typable], unicode=True)
    failures = []
    for (word, data), screen, text in zip(typable, screens, texts):
        if screen != data:
            failures.append("%s  keys %s  font output %s" % (word, data.hex(" "), screen.hex(" ")))
        elif unicodedata.normalize("NFC", text) != word:
            failures.append("%s  keys %s  Unicode output %s" % (word, data.hex(" "), text))
    passed = len(typable) - len(failures)
    print("font output exact and Unicode output the word: %d of %d (%.2f%%)"
          % (passed, len(typable), 100.0 * passed / len(typable)))
    for line in failures:
        print("FAIL " + line)
    ok = passed >= GOAL * len(typable)
    print("%d passed, %d failed" % (1 if ok else 0, 0 if ok else 1))
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
