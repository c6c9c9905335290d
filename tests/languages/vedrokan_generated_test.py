#!/usr/bin/python3
"""The committed Vedrokan files are what the generators make of the table.

Regenerates Vedrokan.gkf (make_language.py), its .gkl twin (gkfcheck --swap)
and Vedrokan.ttf (make_font.py) and compares each with the committed file; loads
the .gkf and the .gkl with gkfcheck and checks that both type a phrase alike.

Usage: vedrokan_generated_test.py --gkfcheck EXE --work DIR
"""

import argparse
import filecmp
import os
import subprocess
import sys

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
LANG_DIR = os.path.join(REPO, "languages", "vedrokan")
TOOLS = os.path.join(REPO, "tools", "vedrokan")
PHRASE = "namaste bhaarata kShatriya prema dharma shrii la.Dakaa hai.n j~naana .."

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
    gkf = os.path.join(LANG_DIR, "Vedrokan.gkf")
    gkl = os.path.join(LANG_DIR, "Vedrokan.gkl")

    new_gkf = os.path.join(args.work, "Vedrokan.gkf")
    r = run([sys.executable, os.path.join(TOOLS, "make_language.py"), new_gkf], text=True)
    check("make_language.py runs", r.returncode == 0, r.stderr)
    check("Vedrokan.gkf is the generated one", r.returncode == 0 and filecmp.cmp(new_gkf, gkf, shallow=False),
          "regenerate with tools/vedrokan/make_language.py")

    r = run([args.gkfcheck, "--swap", gkf])
    with open(gkl, "rb") as f:
        check("Vedrokan.gkl is gkfcheck --swap of Vedrokan.gkf", r.returncode == 0 and r.stdout == f.read(),
              "regenerate with gkfcheck --swap")

    typed = []
    for path in (gkf, gkl):
        r = run([args.gkfcheck, path], text=True)
        check("gkfcheck loads " + os.path.basename(path),
              r.returncode == 0 and r.stdout.startswith("language: Vedrokan\n"), r.stdout + r.stderr)
        r = run([args.gkfcheck, path, "--type", PHRASE], text=True)
        typed.append(r.stdout)
    check(".gkf and .gkl type alike", typed[0] == typed[1] and "screen:" in typed[0])

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
