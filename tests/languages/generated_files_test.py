#!/usr/bin/python3
"""The committed language files are what the generators make of the tables.

Regenerates every language's .gkf and .gkl (tools/languages/make_language.py, from
each languages/*/*.tsv) and Vedrokan.ttf (make_font.py) and compares each with the
committed file; checks each .gkl against gkfcheck --swap of its .gkf, loads both
with gkfcheck and checks that they type a phrase alike.

Usage: generated_files_test.py --gkfcheck EXE --work DIR
"""

import argparse
import filecmp
import glob
import os
import subprocess
import sys

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
LANG_DIR = os.path.join(REPO, "languages", "vedrokan")
TOOLS = os.path.join(REPO, "tools", "vedrokan")
MAKE_LANGUAGE = os.path.join(REPO, "tools", "languages", "make_language.py")
PHRASE = "namaste bhaarata kShatriya prema dharma shrii la.Dakaa hai.n j~naana .."
# What "namaste bhaarata" types in each font (नमस्ते भारत), as its users write it.
NAMASTE = {"KrutiDev010": b"ueLrs Hkkjr", "Preeti": b"gd:t] ef/t", "Kantipur": b"gd:t] ef/t"}

results = []


def check(name, ok, detail=""):
    results.append(ok)
    print("%s %s%s" % ("PASS" if ok else "FAIL", name, (": " + detail) if detail and not ok else ""))


def run(cmd, **kw):
    return subprocess.run(cmd, capture_output=True, **kw)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--gkfcheck", required=True)
    parser.add_argument("--work", required=True)
    args = parser.parse_args()
    os.makedirs(args.work, exist_ok=True)
    languages = sorted(glob.glob(os.path.join(REPO, "languages", "*", "*.gkf")))
    check("the languages are there", len(languages) >= 5, languages)
    for gkf in languages:
        base = os.path.splitext(os.path.basename(gkf))[0]
        gkl = os.path.splitext(gkf)[0] + ".gkl"
        # A second key layout of a font (NAME-Remington.gkf) is made from the font's table.
        remington = base.endswith("-Remington")
        table = os.path.join(os.path.dirname(gkf), base.split("-")[0] + ".tsv")
        new_gkf = os.path.join(args.work, base + ".gkf")
        r = run([sys.executable, MAKE_LANGUAGE] + (["--remington"] if remington else []) + [table, new_gkf],
                text=True)
        check("make_language.py makes " + base, r.returncode == 0, r.stderr)
        for made, committed in ((new_gkf, gkf), (os.path.splitext(new_gkf)[0] + ".gkl", gkl)):
            check(os.path.basename(committed) + " is the generated one",
                  r.returncode == 0 and filecmp.cmp(made, committed, shallow=False),
                  "regenerate with tools/languages/make_language.py %s%s %s"
                  % ("--remington " if remington else "", os.path.relpath(table, REPO), os.path.relpath(gkf, REPO)))

        r = run([args.gkfcheck, "--swap", gkf])
        with open(gkl, "rb") as f:
            check(base + ".gkl is gkfcheck --swap of " + base + ".gkf", r.returncode == 0 and r.stdout == f.read())

        typed = []
        for path in (gkf, gkl):
            r = run([args.gkfcheck, path], text=True)
            check("gkfcheck loads " + os.path.basename(path), r.returncode == 0, r.stdout + r.stderr)
            r = run([args.gkfcheck, path, "--type", PHRASE], text=True)
            typed.append(r.stdout)
        check(base + ".gkf and .gkl type alike", typed[0] == typed[1] and "screen:" in typed[0])
        if base in NAMASTE:
            r = run([args.gkfcheck, gkf, "--type", "namaste bhaarata"], text=True)
            screen = r.stdout.splitlines()[-1] if r.stdout else ""
            got = bytes(int(h, 16) for h in screen[len("screen:"):].split()) if screen.startswith("screen:") else b""
            check("namaste bhaarata types %r in %s" % (NAMASTE[base], base), got == NAMASTE[base], got)

    new_ttf = os.path.join(args.work, "Vedrokan.ttf")
    r = run([sys.executable, os.path.join(TOOLS, "make_font.py"), new_ttf], text=True)
    check("make_font.py runs", r.returncode == 0, r.stderr)
    check("Vedrokan.ttf is the generated one",
          r.returncode == 0 and filecmp.cmp(new_ttf, os.path.join(LANG_DIR, "Vedrokan.ttf"), shallow=False),
          "regenerate with tools/vedrokan/make_font.py")

    failed = results.count(False)
    print("%d passed, %d failed" % (len(results) - failed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
