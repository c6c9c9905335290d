#!/usr/bin/python3
"""Public test vectors of Preeti and Kantipur text through legacyconv --to-unicode.

The vectors (../shared/data/legacy-fonts/nepali/*-vectors.tsv, from nep-ttf2utf) hold text
in the font, as the Windows-1252 characters of its bytes, a tab and its Unicode; they were
written for another converter, so they check Tolvar's tables and conversion independently.
Each line must come back exactly (NFC); every failure is named.

Usage: legacy_vectors_test.py LEGACYCONV VECTOR_DIR
"""

import csv
import os
import subprocess
import sys
import unicodedata

FONTS = [("Preeti", "preeti-vectors.tsv"), ("Kantipur", "kantipur-vectors.tsv")]


def main():
    legacyconv, vector_dir = sys.argv[1], sys.argv[2]
    failed = 0
    for font, name in FONTS:
        path = os.path.join(vector_dir, name)
        if not os.path.exists(path):
            print("FAIL %s: no test vectors at %s" % (font, path))
            failed += 1
            continue
        with open(path, encoding="utf-8-sig", newline="") as f:
            rows = [r for r in csv.reader(f, delimiter="\t") if r]
        data = b"\n".join(r[0].encode("cp1252") for r in rows) + b"\n"
        r = subprocess.run([legacyconv, "--to-unicode", "--font", font], input=data, capture_output=True)
        got = r.stdout.decode("utf-8").split("\n")
        bad = 0
        for (legacy, want), text in zip(rows, got):
            if unicodedata.normalize("NFC", text) != unicodedata.normalize("NFC", want):
                print("FAIL %s: %s gave %s, expected %s" % (font, legacy, text, want))
                bad += 1
        print("%s: %d of %d vectors exact" % (font, len(rows) - bad, len(rows)))
        failed += bad + (r.returncode != 0)
    print("%d failed" % failed)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
